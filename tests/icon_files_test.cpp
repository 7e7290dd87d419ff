#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QXmlStreamReader>

#include <string>

#include <gtest/gtest.h>

#include "icon_svg.h"
#include "ui/window/window_icon.h"

namespace corvandel {
namespace {

// Paints the drawing's rectangles as a viewer of SVG would, one unit of its view box to a pixel.
QImage paint_drawing(const std::string& svg, QString* view_box) {
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QXmlStreamReader reader(QString::fromStdString(svg));
    while (reader.readNextStartElement()) {
        const QXmlStreamAttributes attributes = reader.attributes();
        const auto value = [&attributes](const char* name) {
            return attributes.value(QLatin1StringView(name));
        };
        if (reader.name() == u"svg") {
            *view_box = value("viewBox").toString();
            continue;
        }
        EXPECT_EQ(reader.name(), u"rect");
        painter.fillRect(QRect(value("x").toInt(), value("y").toInt(), value("width").toInt(),
                               value("height").toInt()),
                         QColor::fromString(value("fill")));
        reader.skipCurrentElement();
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return image;
}

TEST(IconFiles, TheScalableDrawingShowsThePicture) {
    QString view_box;
    const QImage drawn = paint_drawing(icon_svg(), &view_box);
    EXPECT_EQ(view_box, QStringLiteral("0 0 16 16"));
    EXPECT_EQ(drawn, icon_image(16));
}

// Every edge on whole pixels: no blurred border at any installed size.
TEST(IconFiles, EveryPictureIsTheSmallestScaledUp) {
    const QImage smallest = icon_image(16);
    for (int pixels : {32, 48, 64, 128}) {
        EXPECT_EQ(icon_image(pixels),
                  smallest.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation))
            << pixels << " pixels";
    }
}

// A picture, not an empty square or a solid block.
TEST(IconFiles, ThePictureIsClearAtTheCornersAndSolidInTheMiddle) {
    const QImage picture = icon_image(16);
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(15, 15)), 0);
    EXPECT_EQ(qAlpha(picture.pixel(8, 8)), 255);
}

}  // namespace
}  // namespace corvandel
