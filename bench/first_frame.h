#pragma once

#include <QWidget>

namespace corvandel {

// Shows `window` and runs the application's event loop until the window's first frame has been
// painted and handed to the window system; returns the loop's exit code. The application must
// exist.
int show_until_first_frame(QWidget& window);

}  // namespace corvandel
