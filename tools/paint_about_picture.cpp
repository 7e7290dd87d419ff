// Paints the About dialog's picture, a calculator with a price tag, and saves it as the JPEG
// that the program carries: `paint_about_picture OUTPUT.jpg`.

#include <QBrush>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <cstdio>

namespace {

constexpr int picture_pixels = 100;
// 72 dots per inch, as a JPEG's JFIF header records it.
constexpr int dots_per_metre = 2835;
// Small enough to keep the file near three kilobytes, large enough to keep the edges clean.
constexpr int jpeg_quality = 80;

void paint_background(QPainter& painter) {
    QLinearGradient sky(0, 0, 0, picture_pixels);
    sky.setColorAt(0, QColor(0xd4, 0xe9, 0xf7));
    sky.setColorAt(1, QColor(0xfd, 0xf3, 0xe1));
    painter.fillRect(QRectF(0, 0, picture_pixels, picture_pixels), sky);
}

void paint_calculator(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2e, 0x3b, 0x4e));
    painter.drawRoundedRect(QRectF(12, 12, 48, 76), 6, 6);
    painter.setBrush(QColor(0xb8, 0xe0, 0x9a));
    painter.drawRoundedRect(QRectF(18, 18, 36, 15), 2, 2);

    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool equals = row == 3 && column == 2;
            painter.setBrush(equals ? QColor(0xf0, 0xa0, 0x30) : QColor(0xe8, 0xe8, 0xe8));
            painter.drawRoundedRect(QRectF(18 + column * 12.5, 39 + row * 12, 10, 9), 1.5, 1.5);
        }
    }
}

// A tag hanging on a string, turned a little, with a dollar sign on it.
void paint_price_tag(QPainter& painter) {
    painter.save();
    painter.translate(70, 58);
    painter.rotate(-18);

    const QPolygonF outline{{-14, -22}, {14, -22}, {14, 18}, {0, 28}, {-14, 18}};
    QPainterPath tag;
    tag.addPolygon(outline);
    tag.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(0, 18), 3, 3);

    painter.setPen(QPen(QColor(0x9a, 0x5a, 0x10), 1.5));
    painter.setBrush(QColor(0xf0, 0xa0, 0x30));
    painter.drawPath(tag.subtracted(hole));

    painter.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(26);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(-14, -22, 28, 36), Qt::AlignCenter, QStringLiteral("$"));
    painter.restore();

    painter.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.2));
    painter.setBrush(Qt::NoBrush);
    QPainterPath string(QPointF(76, 75));
    string.cubicTo(QPointF(86, 88), QPointF(94, 80), QPointF(97, 92));
    painter.drawPath(string);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: paint_about_picture OUTPUT.jpg\n", stderr);
        return 2;
    }

    QImage picture(picture_pixels, picture_pixels, QImage::Format_RGB32);
    picture.setDotsPerMeterX(dots_per_metre);
    picture.setDotsPerMeterY(dots_per_metre);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        paint_background(painter);
        paint_calculator(painter);
        paint_price_tag(painter);
    }

    QImageWriter writer(QString::fromLocal8Bit(argv[1]), QByteArrayLiteral("jpeg"));
    writer.setQuality(jpeg_quality);
    if (!writer.write(picture)) {
        std::fprintf(stderr, "paint_about_picture: %s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
