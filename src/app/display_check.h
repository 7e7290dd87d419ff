#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

struct xcb_connection_t;

namespace corvandel {

// Whether a window can be opened, found out before the application is made: the toolkit aborts,
// blaming the installation, when it cannot reach any windowing system.
//
// The windowing systems are tried in the toolkit's own order: the list given by -platform or
// QT_QPA_PLATFORM, or else a Wayland compositor first when the session says there is one, then
// the X11 display. The first that can be reached is the one the toolkit is pointed to, so that it
// does not first fail, aloud, on one that cannot. Platforms other than X11 and Wayland (the
// offscreen one, a frame buffer) are left to the toolkit.
//
// A connection made to check an X11 display is held until `let_go`, or the end of the check's
// life: an X server whose last client leaves resets itself, and the application's own
// connection, made just after, would wait for that.
class DisplayCheck {
  public:
    // May point the toolkit elsewhere, through QT_QPA_PLATFORM or the -platform argument in
    // `argv`; the check must then outlive the application.
    DisplayCheck(int argc, char* argv[]);
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    // In a few words for the user, or nothing when a window can be opened.
    const std::optional<QString>& why_no_window() const { return why_no_window_; }

    // Once the application has a connection of its own.
    void let_go();

  private:
    // Why the platform named first in `entry` cannot be reached, or nothing when it can.
    std::optional<QString> cannot_reach(const QByteArray& entry, int argc, char* argv[]);
    std::optional<QString> cannot_reach_x11(int argc, char* argv[]);

    std::optional<QString> why_no_window_;
    xcb_connection_t* connection_ = nullptr;
    // The platform the toolkit is pointed to, when it is not the first it would try.
    QByteArray chosen_platform_;
};

}  // namespace corvandel
