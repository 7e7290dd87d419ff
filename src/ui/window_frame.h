#pragma once

#include <QMargins>
#include <QWindow>

namespace corvandel {

// The frame that the window manager will put around `window`, asked of it before the window is
// first shown, so that the first position can count the title bar. An X11 window manager that
// keeps the desktop standard answers at once; the answer is awaited a second at most. Elsewhere
// (another platform, another window manager) the frame the platform knows of, if any: under
// Wayland the compositor places the window anyway.
QMargins frame_to_come(QWindow* window);

}  // namespace corvandel
