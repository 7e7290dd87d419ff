#include "ui/window_icon.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>

namespace corvandel {

namespace {

// Drawn on a grid of 16 units, so that the 32-pixel image is the 16-pixel one at twice the
// scale and every edge falls on whole pixels.
QPixmap calculator_image(int pixels) {
    constexpr int grid = 16;
    QPixmap image(pixels, pixels);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.scale(static_cast<double>(pixels) / grid, static_cast<double>(pixels) / grid);
    painter.setPen(Qt::NoPen);

    painter.setBrush(QColor(0x2e, 0x3b, 0x4e));
    painter.drawRect(QRect(2, 0, 12, 16));
    painter.setBrush(QColor(0xb8, 0xe0, 0x9a));
    painter.drawRect(QRect(4, 2, 8, 3));

    const QColor key(0xe8, 0xe8, 0xe8);
    const QColor equals_key(0xf0, 0xa0, 0x30);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const bool last = row == 2 && column == 2;
            painter.setBrush(last ? equals_key : key);
            painter.drawRect(QRect(4 + column * 3, 7 + row * 3, 2, 2));
        }
    }
    return image;
}

}  // namespace

QIcon window_icon() {
    QIcon icon;
    icon.addPixmap(calculator_image(16));
    icon.addPixmap(calculator_image(32));
    return icon;
}

}  // namespace corvandel
