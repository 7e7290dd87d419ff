#include "ui/window_icon.h"

#include <QPixmap>

#include "ui/icon_image.h"

namespace corvandel {

QIcon window_icon() {
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(icon_image(16)));
    icon.addPixmap(QPixmap::fromImage(icon_image(32)));
    return icon;
}

}  // namespace corvandel
