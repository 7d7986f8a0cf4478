#include "app/windowactivation.h"

#include <QtGlobal>

#ifdef QUADROSX_HAVE_XCB

#include <cstdlib>
#include <cstring>
#include <memory>
#include <QByteArray>
#include <QVector>
#include <xcb/xcb.h>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using XcbReply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QByteArray property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name, xcb_atom_t type) {
    XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, name, type, 0, 4096), nullptr));
    if (!reply)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

struct Connection {
    Connection() : c(xcb_connect(nullptr, nullptr)) {}
    ~Connection() { xcb_disconnect(c); }
    xcb_connection_t* c;
};

// The window manager's list of clients; without a window manager, the root's children.
QVector<xcb_window_t> topLevelWindows(xcb_connection_t* c, xcb_window_t root, xcb_atom_t list) {
    const QByteArray managed = property(c, root, list, XCB_ATOM_WINDOW);
    QVector<xcb_window_t> windows(int(managed.size() / sizeof(xcb_window_t)));
    std::memcpy(windows.data(), managed.constData(), windows.size() * sizeof(xcb_window_t));
    if (!windows.isEmpty())
        return windows;
    XcbReply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (!tree)
        return windows;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
        windows << children[i];
    return windows;
}

} // namespace

bool activateWindowTitled(const QString& title) {
    Connection connection;
    xcb_connection_t* c = connection.c;
    if (xcb_connection_has_error(c))
        return false;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t clientList = atom(c, "_NET_CLIENT_LIST");
    const xcb_atom_t wmName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    const xcb_atom_t active = atom(c, "_NET_ACTIVE_WINDOW");
    QVector<xcb_window_t> windows = topLevelWindows(c, screen->root, clientList);
    const QByteArray wanted = title.toUtf8();
    for (int i = 0; i < windows.size(); ++i) {
        QByteArray name = property(c, windows[i], wmName, utf8);
        if (name.isEmpty())
            name = property(c, windows[i], XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
        if (!name.startsWith(wanted))
            continue;
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = windows[i];
        event.type = active;
        event.data.data32[0] = 2; // from a pager: honoured whatever the focus rules
        xcb_send_event(c, 0, screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
        xcb_map_window(c, windows[i]);
        xcb_flush(c);
        return true;
    }
    return false;
}

#elif defined(Q_OS_WIN)

#include "app/windows/windowsapi.h"

bool activateWindowTitled(const QString& title) {
    return WindowsApi::activateWindowTitled(title.toStdWString());
}

#else

bool activateWindowTitled(const QString&) {
    return false;
}

#endif
