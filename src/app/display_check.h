#pragma once

#include <QString>

#include <optional>

struct xcb_connection_t;

namespace corvandel {

// Whether a window can be opened, found out before the application is made: the toolkit aborts,
// blaming the installation, when it cannot reach its windowing system.
//
// Only the X11 display is checked, the windowing system the toolkit goes to unless told
// otherwise (by -platform or QT_QPA_PLATFORM) or started in a Wayland session; any other is
// left to the toolkit.
//
// The connection made to check the display is held until `let_go`, or the end of the check's
// life: an X server whose last client leaves resets itself, and the application's own
// connection, made just after, would wait for that.
class DisplayCheck {
  public:
    DisplayCheck(int argc, char* argv[]);
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    // In a few words for the user, or nothing when a window can be opened.
    const std::optional<QString>& why_no_window() const { return why_no_window_; }

    // Once the application has a connection of its own.
    void let_go();

  private:
    std::optional<QString> why_no_window_;
    xcb_connection_t* connection_ = nullptr;
};

}  // namespace corvandel
