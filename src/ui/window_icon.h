#pragma once

#include <QIcon>

namespace corvandel {

// The main window's icon, a small calculator, painted at 16 and 32 pixels.
QIcon window_icon();

}  // namespace corvandel
