#include "app/display_check.h"

#include <QByteArrayList>
#include <QStringList>
#include <QtGlobal>

#include <string_view>

#include <wayland-client-core.h>
#include <xcb/xcb.h>

namespace corvandel {

namespace {

// Where argv holds the value of the toolkit's option `name` (-name VALUE or --name VALUE), or 0
// when the option is not given.
int option_value_at(int argc, char* argv[], std::string_view name) {
    for (int argument = 1; argument + 1 < argc; ++argument) {
        std::string_view option = argv[argument];
        if (option.starts_with("--")) {
            option.remove_prefix(1);
        }
        if (option.starts_with('-') && option.substr(1) == name) {
            return argument + 1;
        }
    }
    return 0;
}

// The value of a toolkit option found at `at` in the arguments, or the environment variable's
// when the option is not given (at 0).
QByteArray value_or_environment(char* argv[], int at, const char* variable) {
    return at != 0 ? QByteArray(argv[at]) : qgetenv(variable);
}

// What the toolkit tries when no platform is named: a Wayland compositor first where the session
// points to one, then the X11 display.
QByteArrayList toolkit_default_platforms() {
    QByteArrayList platforms;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland") {
        platforms << "wayland";
    }
    platforms << "xcb";
    return platforms;
}

std::optional<QString> cannot_reach_wayland() {
    // A socket handed over by the compositor can be taken only once: it is the toolkit's.
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET")) {
        return std::nullopt;
    }
    const QByteArray name = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                ? QByteArray("wayland-0")
                                : qgetenv("WAYLAND_DISPLAY");
    const QString shown = QString::fromLocal8Bit(name);
    // A socket's name is looked up in the runtime directory; without one the Wayland library
    // would print a line of its own.
    if (!name.startsWith('/') && !qgetenv("XDG_RUNTIME_DIR").startsWith('/')) {
        return QStringLiteral(
                   "no Wayland compositor can be found at %1 (XDG_RUNTIME_DIR is not set)")
            .arg(shown);
    }
    wl_display* display = wl_display_connect(name.constData());
    if (display == nullptr) {
        return QStringLiteral("no Wayland compositor answers at %1").arg(shown);
    }
    wl_display_disconnect(display);
    return std::nullopt;
}

}  // namespace

DisplayCheck::DisplayCheck(int argc, char* argv[]) {
    const int named_in_argv = option_value_at(argc, argv, "platform");
    const QByteArray named = value_or_environment(argv, named_in_argv, "QT_QPA_PLATFORM");
    const QByteArrayList platforms =
        named.isEmpty() ? toolkit_default_platforms() : named.split(';');
    QStringList reasons;
    for (const QByteArray& entry : platforms) {
        if (entry.isEmpty()) {
            continue;
        }
        std::optional<QString> reason = cannot_reach(entry, argc, argv);
        if (!reason) {
            if (entry != platforms.front()) {
                chosen_platform_ = entry;
                if (named_in_argv != 0) {
                    argv[named_in_argv] = chosen_platform_.data();
                } else {
                    qputenv("QT_QPA_PLATFORM", chosen_platform_);
                }
            }
            return;
        }
        reasons << *reason;
    }
    why_no_window_ = reasons.join(QStringLiteral(", and "));
}

DisplayCheck::~DisplayCheck() {
    let_go();
}

// The platform's own options follow its name after a colon.
std::optional<QString> DisplayCheck::cannot_reach(const QByteArray& entry, int argc, char* argv[]) {
    const QByteArray platform = entry.split(':').front();
    if (platform == "xcb") {
        return cannot_reach_x11(argc, argv);
    }
    if (platform.startsWith("wayland")) {
        return cannot_reach_wayland();
    }
    return std::nullopt;
}

std::optional<QString> DisplayCheck::cannot_reach_x11(int argc, char* argv[]) {
    const QByteArray display =
        value_or_environment(argv, option_value_at(argc, argv, "display"), "DISPLAY");
    if (display.isEmpty()) {
        return QStringLiteral("no display is set (DISPLAY is empty)");
    }
    int screen = 0;
    connection_ = xcb_connect(display.constData(), &screen);
    // A screen the server does not have is as good as no server: the toolkit cannot use it.
    if (xcb_connection_has_error(connection_) != 0 ||
        screen >= xcb_setup_roots_length(xcb_get_setup(connection_))) {
        let_go();
        return QStringLiteral("the display %1 cannot be reached")
            .arg(QString::fromLocal8Bit(display));
    }
    return std::nullopt;
}

void DisplayCheck::let_go() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
    }
}

}  // namespace corvandel
