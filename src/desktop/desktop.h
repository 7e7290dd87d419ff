#pragma once

#include <QByteArray>
#include <QKeyEvent>
#include <QMargins>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QWindow>

#include <optional>
#include <vector>

struct xcb_connection_t;

// What the program asks of the desktop's windowing systems, X11 and Wayland, and the only code
// that talks to them: a port to another desktop changes this directory and nothing else.
namespace corvandel::desktop {

// Before the application is made: whether a windowing system answers, asked without the
// toolkit, which aborts where none does.
//
// A connection made to an X11 display is held until `let_go`, or until this goes: an X server
// whose last client leaves resets itself, and the application's own connection, made just
// after, would wait for that.
class Reach {
  public:
    Reach() = default;
    ~Reach();
    Reach(const Reach&) = delete;
    Reach& operator=(const Reach&) = delete;

    // Why the X11 display (as DISPLAY names one) cannot be used, or nothing when it can.
    std::optional<QString> x11(const QByteArray& display);
    // Why no Wayland compositor answers where WAYLAND_DISPLAY points, or nothing when one does.
    // A compositor without a keyboard (a headless one) gets no text input from the toolkit,
    // whose Qt 6.4 plugin looks for that keyboard on every move of the focus and crashes.
    std::optional<QString> wayland();

    void let_go();

  private:
    xcb_connection_t* held_ = nullptr;
};

// Once the native window exists and before it is first shown: the frame the window manager
// will put around it, in the window's own pixels, so that the first position can count the
// title bar. An X11 window manager that keeps the desktop standard answers at once; the answer
// is awaited a second at most. Elsewhere the frame the platform knows of, if any: a Wayland
// compositor places the window itself.
QMargins frame_to_come(QWindow* window);

// The smallest size, from `wanted` up, that the window manager leaves whole: an X11 one holds
// a window to the size steps it asks for, and a scaled window asks for steps of more than one
// of the device's pixels (2 at 150 %), so that a size between two steps would lose a pixel.
QSize kept_whole(QWindow* window, QSize wanted);

// Whether something places and sizes the windows: a window manager on X11, the compositor on
// Wayland. Without one (a kiosk, a bare X session) a maximised state means nothing, and a
// window takes the screen only by its own size and place.
bool windows_are_managed(QWindow* window);

// Where the client areas of the program's other shown windows of the same kind begin, in the
// window's own pixels: a second copy of the program can open beside the first rather than
// exactly over it. Empty where the platform does not tell (a Wayland compositor places every
// window itself).
std::vector<QPoint> places_of_others_alike(QWindow* window);

// Whether the key was typed with Alt held, AltGr not counting: AltGr, which types characters of
// its own, arrives as a group switch, or without Alt, on X11, and as Control with Alt elsewhere.
bool typed_with_alt(const QKeyEvent& key);

}  // namespace corvandel::desktop
