#include "ui/window_frame.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include <xcb/xcb.h>

namespace corvandel {

namespace {

// Replies of the X library are the caller's to free.
template <typename Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
Owned<Reply> owned(Reply* reply) {
    return Owned<Reply>(reply, &std::free);
}

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The atoms a property of the root window lists, as _NET_SUPPORTED does.
bool lists(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t property,
           xcb_atom_t wanted) {
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, property, XCB_ATOM_ATOM, 0, 4096),
        nullptr));
    if (!reply || reply->format != 32) {
        return false;
    }
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, wanted) != atoms + count;
}

// Left, right, top and bottom, in the X server's pixels, once the window manager has set them.
std::optional<QMargins> frame_extents(xcb_connection_t* connection, xcb_window_t window,
                                      xcb_atom_t property) {
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) {
        return std::nullopt;
    }
    const auto* sides = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(static_cast<int>(sides[0]), static_cast<int>(sides[2]),
                    static_cast<int>(sides[1]), static_cast<int>(sides[3]));
}

}  // namespace

QMargins frame_to_come(QWindow* window) {
    // The offscreen platform offers the same interface, without a connection.
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return window->frameMargins();
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto tree =
        owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr));
    if (!tree) {
        return window->frameMargins();
    }
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    if (!lists(connection, tree->root, atom(connection, "_NET_SUPPORTED"), request)) {
        return window->frameMargins();
    }
    xcb_client_message_event_t message;
    std::memset(&message, 0, sizeof message);
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    const QDeadlineTimer deadline(1000);
    std::optional<QMargins> frame;
    while (!(frame = frame_extents(connection, id, extents)) && !deadline.hasExpired()) {
        QThread::msleep(1);
    }
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

}  // namespace corvandel
