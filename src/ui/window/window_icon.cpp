#include "ui/window/window_icon.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QRect>

#include "ui/window/icon_picture.h"

namespace corvandel {

QImage icon_image(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    const double scale = static_cast<double>(pixels) / icon_grid;
    painter.scale(scale, scale);
    painter.setPen(Qt::NoPen);
    for (const IconRectangle& rectangle : icon_rectangles) {
        painter.setBrush(QColor::fromRgb(rectangle.rgb));
        painter.drawRect(QRect(rectangle.left, rectangle.top, rectangle.width, rectangle.height));
    }
    return image;
}

QIcon window_icon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(icon_image(16)));
    icon.addPixmap(QPixmap::fromImage(icon_image(32)));
    return icon;
}

}  // namespace corvandel
