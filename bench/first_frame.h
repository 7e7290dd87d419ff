#pragma once

#include <QWidget>

namespace corvandel {

// Shows `window`, runs the application's event loop until the window's first frame has been
// painted and handed to the window system, and ends the process there, at once: what a whole
// process takes from its start to that point is its start-up, without the teardown after it.
// The application must exist.
[[noreturn]] void show_until_first_frame(QWidget& window);

}  // namespace corvandel
