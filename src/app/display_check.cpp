#include "app/display_check.h"

#include <QByteArrayList>
#include <QStringList>
#include <QtGlobal>

#include <string_view>

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
            platform_ = entry;
            if (entry != platforms.front()) {
                if (named_in_argv != 0) {
                    argv[named_in_argv] = platform_.data();
                } else {
                    qputenv("QT_QPA_PLATFORM", platform_);
                }
            }
            return;
        }
        reasons << *reason;
    }
    why_no_window_ = reasons.join(QStringLiteral(", and "));
}

// The platform's own options follow its name after a colon.
std::optional<QString> DisplayCheck::cannot_reach(const QByteArray& entry, int argc, char* argv[]) {
    const QByteArray platform = entry.split(':').front();
    if (platform == "xcb") {
        return reach_.x11(
            value_or_environment(argv, option_value_at(argc, argv, "display"), "DISPLAY"));
    }
    if (platform.startsWith("wayland")) {
        return reach_.wayland();
    }
    return std::nullopt;
}

}  // namespace corvandel
