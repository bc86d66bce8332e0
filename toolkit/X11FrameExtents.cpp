#include "toolkit/X11FrameExtents.h"

#include <QAbstractNativeEventFilter>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <thread>

namespace velmora {
namespace {

// Window managers answer within a round trip or two; one that offers the
// request and then ignores it must not hold the window back for long.
constexpr int kAnswerTimeLimitMs = 250;
constexpr std::chrono::microseconds kFirstPause{100};
constexpr std::chrono::microseconds kLongestPause{2000};

template <class Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

// The atoms of `names`, asked for together: one round trip, not one each.
template <std::size_t Count>
std::array<xcb_atom_t, Count> Atoms(xcb_connection_t* connection, const std::array<const char*, Count>& names)
{
    std::array<xcb_intern_atom_cookie_t, Count> cookies{};
    for (std::size_t i = 0; i < Count; ++i)
        cookies[i] = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    std::array<xcb_atom_t, Count> atoms{};
    for (std::size_t i = 0; i < Count; ++i) {
        const ReplyPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookies[i], nullptr),
                                                          &std::free);
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }
    return atoms;
}

// The 32-bit values of a property, or nothing when it is absent.
ReplyPointer<xcb_get_property_reply_t> Property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                                std::uint32_t maxValues)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, name, XCB_ATOM_CARDINAL, 0, maxValues);
    ReplyPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (reply && reply->format != 32)
        reply.reset();
    return reply;
}

bool WindowManagerOffers(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t supported, xcb_atom_t request)
{
    const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 1024);
    const ReplyPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply || reply->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, request) != atoms + count;
}

// A window manager answers the request by managing the window for a moment,
// and may tell it its geometry of that moment in a synthetic configure
// notification. Arriving after the program has sized the window, it would
// make Qt take the old size back; until the window is mapped, such
// notifications carry nothing the window needs.
class StaleConfigureFilter final : public QAbstractNativeEventFilter {
public:
    static StaleConfigureFilter& Instance()
    {
        static auto* filter = [] {
            auto* created = new StaleConfigureFilter;
            QCoreApplication::instance()->installNativeEventFilter(created);
            return created;
        }();
        return *filter;
    }

    void Watch(xcb_window_t window) { unmapped_.insert(window); }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type) {
        case XCB_MAP_NOTIFY:
            unmapped_.erase(reinterpret_cast<const xcb_map_notify_event_t*>(event)->window);
            return false;
        case XCB_CONFIGURE_NOTIFY | kSyntheticBit: {
            const auto window = reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window;
            return unmapped_.count(window) != 0;
        }
        default: return false;
        }
    }

private:
    static constexpr std::uint8_t kSyntheticBit = 0x80;
    std::set<xcb_window_t> unmapped_;
};

xcb_window_t RootOf(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

}  // namespace

std::optional<QMargins> RequestX11FrameExtents(QWindow& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return std::nullopt;
    xcb_connection_t* connection = x11->connection();
    const xcb_window_t root = RootOf(connection);
    const auto [supported, request, extents] =
        Atoms<3>(connection, {"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"});
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE ||
        !WindowManagerOffers(connection, root, supported, request))
        return std::nullopt;

    const auto id = static_cast<xcb_window_t>(window.winId());
    StaleConfigureFilter::Instance().Watch(id);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // The answer is a property on the window; Qt's event loop owns the
    // connection's events, so the property is read until it is there. A
    // window manager that answers at all does so within a millisecond or
    // so: the pauses between reads start short and grow.
    const QDeadlineTimer deadline(kAnswerTimeLimitMs);
    std::chrono::microseconds pause = kFirstPause;
    do {
        const auto reply = Property(connection, id, extents, 4);
        if (reply && xcb_get_property_value_length(reply.get()) == 16) {
            const auto* value = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
            // left, right, top, bottom
            return QMargins(static_cast<int>(value[0]), static_cast<int>(value[2]), static_cast<int>(value[1]),
                            static_cast<int>(value[3]));
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(2 * pause, kLongestPause);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

}  // namespace velmora
