#pragma once

#include <QIcon>
#include <QImage>

namespace corvandel {

// The icon painted at `pixels` by `pixels`. At a whole multiple of the icon's grid every edge
// falls on whole pixels, so each size is the smallest one scaled up.
QImage icon_image(int pixels);

// The main window's icon, painted at 16 and 32 pixels.
QIcon window_icon();

}  // namespace corvandel
