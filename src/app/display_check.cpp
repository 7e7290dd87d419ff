#include "app/display_check.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QtGlobal>

#include <string_view>

#include <xcb/xcb.h>

namespace corvandel {

namespace {

// The value of the toolkit's option `name` (-name VALUE or --name VALUE), or the environment
// variable's when the option is not given.
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

DisplayCheck::DisplayCheck(int argc, char* argv[]) {
    // A list of platforms to try in turn, the first of them being the one that counts.
    const QByteArray platform =
        option_or_environment(argc, argv, "platform", "QT_QPA_PLATFORM").split(';').front();
    if (platform.isEmpty() ? in_wayland_session() : !platform.startsWith("xcb")) {
        return;
    }
    const QByteArray display = option_or_environment(argc, argv, "display", "DISPLAY");
    if (display.isEmpty()) {
        why_no_window_ = QStringLiteral("no display is set (DISPLAY is empty)");
        return;
    }
    connection_ = xcb_connect(display.constData(), nullptr);
    if (xcb_connection_has_error(connection_) != 0) {
        why_no_window_ =
            QStringLiteral("the display %1 cannot be reached").arg(QString::fromLocal8Bit(display));
        let_go();
    }
}

DisplayCheck::~DisplayCheck() {
    let_go();
}

void DisplayCheck::let_go() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
        connection_ = nullptr;
    }
}

}  // namespace corvandel
