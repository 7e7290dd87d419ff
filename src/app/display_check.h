#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "desktop/desktop.h"

namespace corvandel {

// Whether a window can be opened, found out before the application is made: the toolkit aborts,
// blaming the installation, when it cannot reach any windowing system.
//
// The windowing systems are tried in the toolkit's own order: the list given by -platform or
// QT_QPA_PLATFORM, or else a Wayland compositor first when the session says there is one, then
// the X11 display. The first that can be reached is the one the toolkit is pointed to, so that it
// does not first fail, aloud, on one that cannot. Platforms other than X11 and Wayland (the
// offscreen one, a frame buffer) are left to the toolkit.
class DisplayCheck {
  public:
    // May point the toolkit elsewhere, through QT_QPA_PLATFORM or the -platform argument in
    // `argv`; the check must then outlive the application.
    DisplayCheck(int argc, char* argv[]);

    // In a few words for the user, or nothing when a window can be opened.
    const std::optional<QString>& why_no_window() const { return why_no_window_; }

    // The platform the toolkit starts with, its options included.
    const QByteArray& platform() const { return platform_; }

    // Once the application has a connection of its own.
    void let_go() { reach_.let_go(); }

  private:
    // Why the platform named first in `entry` cannot be reached, or nothing when it can.
    std::optional<QString> cannot_reach(const QByteArray& entry, int argc, char* argv[]);

    std::optional<QString> why_no_window_;
    desktop::Reach reach_;
    // The platform the toolkit starts with; where it is pointed elsewhere than it would go, the
    // -platform argument points here.
    QByteArray platform_;
};

}  // namespace corvandel
