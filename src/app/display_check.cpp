#include "app/display_check.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QtGlobal>

#include <string_view>

#include <xcb/xcb.h>

namespace corvandel {

namespace {

// The value of the toolkit's option `name` (-name VALUE or --name VALUE), or `fallback` from
// the environment when the option is not given.
QByteArray option_or_environment(int argc, char* argv[], std::string_view name,
                                 const char* variable) {
    for (int argument = 1; argument + 1 < argc; ++argument) {
        std::string_view option = argv[argument];
        if (option.starts_with("--")) {
            option.remove_prefix(1);
        }
        if (option.starts_with('-') && option.substr(1) == name) {
            return argv[argument + 1];
        }
    }
    return qgetenv(variable);
}

bool in_wayland_session() {
    return qgetenv("XDG_SESSION_TYPE") == "wayland" &&
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

std::optional<QString> why_no_window(int argc, char* argv[]) {
    // A list of platforms to try in turn, the first of them being the one that counts.
    const QByteArray platform =
        option_or_environment(argc, argv, "platform", "QT_QPA_PLATFORM").split(';').front();
    if (platform.isEmpty() ? in_wayland_session() : !platform.startsWith("xcb")) {
        return std::nullopt;
    }
    const QByteArray display = option_or_environment(argc, argv, "display", "DISPLAY");
    if (display.isEmpty()) {
        return QStringLiteral("no display is set (DISPLAY is empty)");
    }
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reached) {
        return QStringLiteral("the display %1 cannot be reached")
            .arg(QString::fromLocal8Bit(display));
    }
    return std::nullopt;
}

}  // namespace corvandel
