#pragma once

#include <QString>

#include <optional>

namespace corvandel {

// Why no window can be opened, in a few words for the user, or nothing when one can. Made
// before the application: the toolkit aborts, blaming the installation, when it cannot reach
// its windowing system.
//
// Only the X11 display is checked, the windowing system the toolkit goes to unless told
// otherwise (by -platform or QT_QPA_PLATFORM) or started in a Wayland session; any other is
// left to the toolkit.
std::optional<QString> why_no_window(int argc, char* argv[]);

}  // namespace corvandel
