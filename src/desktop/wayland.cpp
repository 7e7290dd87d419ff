#include "desktop/desktop.h"

#include <QtGlobal>

#include <cstdint>
#include <cstring>
#include <vector>

#include <wayland-client.h>

namespace corvandel::desktop {

namespace {

// What the compositor offers, as far as the program needs to know.
struct Offered {
    std::vector<wl_seat*> seats;
    bool keyboard = false;
};

void seat_capabilities(void* data, wl_seat*, std::uint32_t capabilities) {
    static_cast<Offered*>(data)->keyboard |= (capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
}

void seat_name(void*, wl_seat*, const char*) {}

const wl_seat_listener seat_listener{seat_capabilities, seat_name};

void global_added(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                  std::uint32_t) {
    if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        auto* seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
        wl_seat_add_listener(seat, &seat_listener, data);
        static_cast<Offered*>(data)->seats.push_back(seat);
    }
}

void global_removed(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener registry_listener{global_added, global_removed};

// Whether one of the compositor's seats has a keyboard: the seats are listed by one round trip,
// their capabilities told by the next.
bool offers_keyboard(wl_display* display) {
    Offered offered;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registry_listener, &offered);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    for (wl_seat* seat : offered.seats) {
        wl_seat_destroy(seat);
    }
    wl_registry_destroy(registry);
    return offered.keyboard;
}

}  // namespace

std::optional<QString> Reach::wayland() {
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
    // The toolkit's own composing of keys uses no Wayland text input; an input method the user
    // chose stands.
    if (!offers_keyboard(display) && !qEnvironmentVariableIsSet("QT_IM_MODULE")) {
        qputenv("QT_IM_MODULE", QByteArray("compose"));
    }
    wl_display_disconnect(display);
    return std::nullopt;
}

}  // namespace corvandel::desktop
