#include "desktop/desktop.h"

#include <QDeadlineTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <poll.h>
#include <xcb/xcb.h>

// Only for the name of the display the toolkit opened. Its macros (None, Bool, Status...) would
// clash with names in the headers above, so it comes last.
#include <X11/Xlib.h>

namespace corvandel::desktop {

namespace {

// Replies and events of the X library are the caller's to free.
template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
Owned<Reply> owned(Reply* reply) {
    return Owned<Reply>(reply, &std::free);
}

xcb_connection_t* toolkit_connection() {
    // The offscreen platform offers the same interface, without a connection.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// A connection of the program's own to the display the toolkit opened. The toolkit reads the
// events of its connection on a thread of its own; on this one, the program waits for them.
class OwnConnection {
  public:
    OwnConnection() {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        Display* display = x11 != nullptr ? x11->display() : nullptr;
        connection_ = xcb_connect(display != nullptr ? DisplayString(display) : nullptr, nullptr);
    }
    ~OwnConnection() { xcb_disconnect(connection_); }
    OwnConnection(const OwnConnection&) = delete;
    OwnConnection& operator=(const OwnConnection&) = delete;

    xcb_connection_t* get() const {
        return xcb_connection_has_error(connection_) == 0 ? connection_ : nullptr;
    }

  private:
    xcb_connection_t* connection_;
};

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The 32-bit values of a window's property, as many as it has up to `most`.
template <typename Value>
std::vector<Value> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                            xcb_atom_t type, std::uint32_t most) {
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, most), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const Value*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

// Left, right, top and bottom, in the X server's pixels, once the window manager has set them.
std::optional<QMargins> frame_extents(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t extents) {
    const auto sides = property<std::uint32_t>(connection, window, extents, XCB_ATOM_CARDINAL, 4);
    if (sides.size() != 4) {
        return std::nullopt;
    }
    return QMargins(static_cast<int>(sides[0]), static_cast<int>(sides[2]),
                    static_cast<int>(sides[1]), static_cast<int>(sides[3]));
}

bool changes(const xcb_generic_event_t& event, xcb_window_t window, xcb_atom_t name) {
    if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    return notify.window == window && notify.atom == name;
}

// Waits for the X server to say that the window's property has changed, until the deadline.
bool await_change(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                  const QDeadlineTimer& deadline) {
    for (;;) {
        while (const auto event = owned(xcb_poll_for_event(connection))) {
            if (changes(*event, window, name)) {
                return true;
            }
        }
        const auto wait = static_cast<int>(deadline.remainingTime());
        pollfd readable{xcb_get_file_descriptor(connection), POLLIN, 0};
        const int ready = wait == 0 ? 0 : poll(&readable, 1, wait);
        if (ready == 0 || (ready < 0 && errno != EINTR) ||
            xcb_connection_has_error(connection) != 0) {
            return false;
        }
    }
}

// Asks the window manager for the frame, where it says it answers such a request, and waits for
// its answer. Whether it answers is asked on the toolkit's connection: a connection of the
// program's own is made only to wait.
std::optional<QMargins> frame_asked_of_window_manager(xcb_connection_t* toolkit,
                                                      xcb_window_t window) {
    const auto tree =
        owned(xcb_query_tree_reply(toolkit, xcb_query_tree(toolkit, window), nullptr));
    if (!tree) {
        return std::nullopt;
    }
    const xcb_atom_t request = atom(toolkit, "_NET_REQUEST_FRAME_EXTENTS");
    const auto supported = property<xcb_atom_t>(
        toolkit, tree->root, atom(toolkit, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    if (std::find(supported.begin(), supported.end(), request) == supported.end()) {
        return std::nullopt;
    }
    const xcb_atom_t extents = atom(toolkit, "_NET_FRAME_EXTENTS");
    const OwnConnection own;
    xcb_connection_t* connection = own.get();
    if (connection == nullptr) {
        return std::nullopt;
    }
    // This connection's own interest in the window, beside the toolkit's.
    const std::uint32_t property_changes = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(connection, window, XCB_CW_EVENT_MASK, &property_changes);

    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = request;
    xcb_send_event(connection, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    const QDeadlineTimer deadline(1000);
    std::optional<QMargins> frame = frame_extents(connection, window, extents);
    while (!frame && await_change(connection, window, extents, deadline)) {
        frame = frame_extents(connection, window, extents);
    }
    return frame;
}

// Where the fields of the window's size hints lie, as ICCCM lays them out in 32-bit values.
namespace size_hints {
constexpr std::size_t flags = 0;
constexpr std::size_t least_width = 5;
constexpr std::size_t width_step = 9;
constexpr std::size_t base_width = 15;
constexpr std::size_t count = 18;
constexpr std::uint32_t has_least_size = 1U << 4;
constexpr std::uint32_t has_steps = 1U << 6;
constexpr std::uint32_t has_base_size = 1U << 8;
}  // namespace size_hints

// The smallest length from `wanted` up that a window manager keeping to steps of `step` device
// pixels from `base` leaves as it is, and that the toolkit reads back whole.
int kept_whole_length(int wanted, qreal scale, int step, int base) {
    for (int length = wanted; length < wanted + 4 * step; ++length) {
        const int pixels = qRound(length * scale);
        if ((pixels - base) % step == 0 && qRound(pixels / scale) >= wanted) {
            return length;
        }
    }
    return wanted;
}

xcb_window_t root_of(xcb_connection_t* connection, xcb_window_t window) {
    const auto tree =
        owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    return tree ? tree->root : xcb_window_t{XCB_WINDOW_NONE};
}

// A property of 8-bit values, such as the two names of WM_CLASS, as it is stored.
QByteArray text_property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name) {
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, XCB_ATOM_STRING, 0, 256),
        nullptr));
    if (!reply || reply->format != 8) {
        return {};
    }
    return {static_cast<const char*>(xcb_get_property_value(reply.get())),
            xcb_get_property_value_length(reply.get())};
}

// The windows a window manager manages, as it lists them; without one, every window on the root.
std::vector<xcb_window_t> top_level_windows(xcb_connection_t* connection, xcb_window_t root) {
    auto listed = property<xcb_window_t>(connection, root, atom(connection, "_NET_CLIENT_LIST"),
                                         XCB_ATOM_WINDOW, 4096);
    if (!listed.empty()) {
        return listed;
    }
    const auto tree =
        owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
    if (!tree) {
        return {};
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    return {children, children + xcb_query_tree_children_length(tree.get())};
}

bool shown(xcb_connection_t* connection, xcb_window_t window) {
    const auto attributes = owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

}  // namespace

std::optional<QString> Reach::x11(const QByteArray& display) {
    if (display.isEmpty()) {
        return QStringLiteral("no display is set (DISPLAY is empty)");
    }
    int screen = 0;
    held_ = xcb_connect(display.constData(), &screen);
    // A screen the server does not have is as good as no server: the toolkit cannot use it.
    if (xcb_connection_has_error(held_) != 0 ||
        screen >= xcb_setup_roots_length(xcb_get_setup(held_))) {
        let_go();
        return QStringLiteral("the display %1 cannot be reached")
            .arg(QString::fromLocal8Bit(display));
    }
    return std::nullopt;
}

Reach::~Reach() {
    let_go();
}

void Reach::let_go() {
    if (held_ != nullptr) {
        xcb_disconnect(held_);
        held_ = nullptr;
    }
}

QMargins frame_to_come(QWindow* window) {
    xcb_connection_t* toolkit = toolkit_connection();
    if (toolkit == nullptr) {
        return window->frameMargins();
    }
    const std::optional<QMargins> frame =
        frame_asked_of_window_manager(toolkit, static_cast<xcb_window_t>(window->winId()));
    if (!frame) {
        return window->frameMargins();
    }
    // In the window's own pixels, each pair of sides rounded up as a whole: a frame counted too
    // small could still push the title bar off the screen.
    const qreal scale = window->devicePixelRatio();
    const auto logical = [scale](int pixels) {
        return static_cast<int>(std::ceil(pixels / scale));
    };
    const int left = logical(frame->left());
    const int top = logical(frame->top());
    return {left, top, logical(frame->left() + frame->right()) - left,
            logical(frame->top() + frame->bottom()) - top};
}

QSize kept_whole(QWindow* window, QSize wanted) {
    namespace hint = size_hints;
    xcb_connection_t* connection = toolkit_connection();
    const auto hints =
        connection == nullptr
            ? std::vector<std::int32_t>()
            : property<std::int32_t>(connection, static_cast<xcb_window_t>(window->winId()),
                                     XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, hint::count);
    if (hints.size() < hint::count) {
        return wanted;
    }
    const auto given = static_cast<std::uint32_t>(hints[hint::flags]);
    if ((given & hint::has_steps) == 0) {
        return wanted;
    }
    // Where no base size is given, the window manager counts the steps from the least size.
    int base_width = 0;
    int base_height = 0;
    if ((given & (hint::has_base_size | hint::has_least_size)) != 0) {
        const std::size_t base =
            (given & hint::has_base_size) != 0 ? hint::base_width : hint::least_width;
        base_width = hints[base];
        base_height = hints[base + 1];
    }
    const qreal scale = window->devicePixelRatio();
    return {
        kept_whole_length(wanted.width(), scale, std::max(1, hints[hint::width_step]), base_width),
        kept_whole_length(wanted.height(), scale, std::max(1, hints[hint::width_step + 1]),
                          base_height)};
}

bool windows_are_managed(QWindow* window) {
    xcb_connection_t* connection = toolkit_connection();
    if (connection == nullptr) {
        return true;
    }
    // A window manager is the one client that redirects the root window's changes to itself.
    const xcb_window_t root = root_of(connection, static_cast<xcb_window_t>(window->winId()));
    const auto attributes = owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, root), nullptr));
    return !attributes || (attributes->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
}

std::vector<QPoint> places_of_others_alike(QWindow* window) {
    xcb_connection_t* connection = toolkit_connection();
    if (connection == nullptr) {
        return {};
    }
    const auto own = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = root_of(connection, own);
    const QByteArray kind = text_property(connection, own, XCB_ATOM_WM_CLASS);
    const qreal scale = window->devicePixelRatio();
    std::vector<QPoint> places;
    for (const xcb_window_t other : top_level_windows(connection, root)) {
        if (other == own || kind.isEmpty() ||
            text_property(connection, other, XCB_ATOM_WM_CLASS) != kind ||
            !shown(connection, other)) {
            continue;
        }
        const auto on_root = owned(xcb_translate_coordinates_reply(
            connection, xcb_translate_coordinates(connection, other, root, 0, 0), nullptr));
        if (on_root) {
            places.emplace_back(qRound(on_root->dst_x / scale), qRound(on_root->dst_y / scale));
        }
    }
    return places;
}

}  // namespace corvandel::desktop
