// Writes the icon's files for installing: `corvandel_icon_tool DIR NAME SIZE...` makes
// DIR/<SIZE>x<SIZE>/apps/NAME.png for every size and DIR/scalable/apps/NAME.svg, the layout of
// an icon theme.

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <string>

#include "icon_svg.h"
#include "ui/window/icon_picture.h"
#include "ui/window/window_icon.h"

namespace {

bool write_picture(const QDir& theme, const QString& name, int pixels) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(pixels);
    return pixels > 0 && pixels % corvandel::icon_grid == 0 && theme.mkpath(folder) &&
           corvandel::icon_image(pixels).save(theme.filePath(folder + "/" + name + ".png"));
}

bool write_drawing(const QDir& theme, const QString& name) {
    const QString folder = QStringLiteral("scalable/apps");
    QFile file(theme.filePath(folder + "/" + name + ".svg"));
    const std::string svg = corvandel::icon_svg();
    return theme.mkpath(folder) && file.open(QIODevice::WriteOnly) &&
           file.write(svg.data(), static_cast<qint64>(svg.size())) ==
               static_cast<qint64>(svg.size());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s DIR NAME SIZE...\n", argv[0]);
        return 2;
    }
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int arg = 3; arg < argc; ++arg) {
        if (!write_picture(theme, name, QString::fromLocal8Bit(argv[arg]).toInt())) {
            std::fprintf(stderr, "%s: cannot write the %s-pixel picture in %s\n", argv[0],
                         argv[arg], argv[1]);
            return 1;
        }
    }
    if (!write_drawing(theme, name)) {
        std::fprintf(stderr, "%s: cannot write the scalable drawing in %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
