#include "clipboard/XcbClipboardReader.h"

#include <QElapsedTimer>
#include <QList>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <xcb/xcb.h>

struct XcbClipboardReader::Connection {
    xcb_connection_t* xcb = nullptr;
    xcb_window_t window = 0;
    xcb_atom_t clipboard = XCB_NONE;
    xcb_atom_t utf8 = XCB_NONE;
    xcb_atom_t incr = XCB_NONE;
    xcb_atom_t targets = XCB_NONE;
    xcb_atom_t property = XCB_NONE;

    ~Connection()
    {
        if (xcb)
            xcb_disconnect(xcb);
    }

    xcb_atom_t atom(const char* name)
    {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            xcb, xcb_intern_atom(xcb, 0, uint16_t(std::strlen(name)), name), nullptr);
        if (!reply)
            return XCB_NONE;
        const xcb_atom_t result = reply->atom;
        std::free(reply);
        return result;
    }
};

namespace {

// Waits for the first event that `wanted` accepts, until the deadline. Events of no interest
// are dropped: this connection has no window of the program's to serve.
template <class Wanted>
xcb_generic_event_t* waitFor(xcb_connection_t* xcb, const QElapsedTimer& clock, int timeoutMs,
                             Wanted wanted)
{
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(xcb)) {
            if (wanted(event))
                return event;
            std::free(event);
        }
        if (xcb_connection_has_error(xcb))
            return nullptr;
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return nullptr;
        pollfd descriptor{xcb_get_file_descriptor(xcb), POLLIN, 0};
        ::poll(&descriptor, 1, int(left));
    }
}

// Reads and deletes the property; false when it could not be read.
bool takeProperty(xcb_connection_t* xcb, xcb_window_t window, xcb_atom_t property, QByteArray& data,
                  xcb_atom_t& type)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        xcb, xcb_get_property(xcb, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 0x1fffffff),
        nullptr);
    if (!reply)
        return false;
    type = reply->type;
    data = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                      xcb_get_property_value_length(reply));
    std::free(reply);
    return true;
}

} // namespace

XcbClipboardReader::XcbClipboardReader(const QByteArray& display)
    : m_connection(std::make_unique<Connection>())
{
    Connection& c = *m_connection;
    c.xcb = xcb_connect(display.isEmpty() ? nullptr : display.constData(), nullptr);
    if (xcb_connection_has_error(c.xcb)) {
        xcb_disconnect(c.xcb);
        c.xcb = nullptr;
        return;
    }
    const xcb_setup_t* setup = xcb_get_setup(c.xcb);
    xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
    c.window = xcb_generate_id(c.xcb);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c.xcb, XCB_COPY_FROM_PARENT, c.window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    c.clipboard = c.atom("CLIPBOARD");
    c.utf8 = c.atom("UTF8_STRING");
    c.incr = c.atom("INCR");
    c.targets = c.atom("TARGETS");
    c.property = c.atom("QUORVEL_CLIPBOARD");
    xcb_flush(c.xcb);
}

XcbClipboardReader::~XcbClipboardReader() = default;

bool XcbClipboardReader::isConnected() const
{
    return m_connection->xcb != nullptr;
}

XcbClipboardReader::Status XcbClipboardReader::request(unsigned target, const QElapsedTimer& clock,
                                                       int timeoutMs, QByteArray& data)
{
    Connection& c = *m_connection;
    // Answers that came too late for an earlier read must not pass for this one.
    while (xcb_generic_event_t* stale = xcb_poll_for_event(c.xcb))
        std::free(stale);
    xcb_delete_property(c.xcb, c.window, c.property);
    xcb_convert_selection(c.xcb, c.window, c.clipboard, target, c.property, XCB_CURRENT_TIME);
    xcb_flush(c.xcb);
    xcb_generic_event_t* event = waitFor(c.xcb, clock, timeoutMs, [&](xcb_generic_event_t* e) {
        if ((e->response_type & 0x7f) != XCB_SELECTION_NOTIFY)
            return false;
        auto* notify = reinterpret_cast<xcb_selection_notify_event_t*>(e);
        return notify->requestor == c.window && notify->selection == c.clipboard &&
               notify->target == target;
    });
    if (!event)
        return Status::TimedOut;
    const xcb_atom_t answered = reinterpret_cast<xcb_selection_notify_event_t*>(event)->property;
    std::free(event);
    if (answered == XCB_NONE)
        return Status::NoText; // the owner cannot give this form

    xcb_atom_t type = XCB_NONE;
    if (!takeProperty(c.xcb, c.window, c.property, data, type))
        return Status::NoText;
    if (type != c.incr)
        return Status::Text;
    // Sent in pieces: deleting the property (done by reading it) asks for the next piece, and
    // an empty piece ends the transfer.
    data.clear();
    xcb_flush(c.xcb);
    for (;;) {
        xcb_generic_event_t* piece = waitFor(c.xcb, clock, timeoutMs, [&](xcb_generic_event_t* e) {
            if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
                return false;
            auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(e);
            return notify->window == c.window && notify->atom == c.property &&
                   notify->state == XCB_PROPERTY_NEW_VALUE;
        });
        if (!piece)
            return Status::TimedOut;
        std::free(piece);
        QByteArray chunk;
        xcb_atom_t chunkType = XCB_NONE;
        if (!takeProperty(c.xcb, c.window, c.property, chunk, chunkType))
            return Status::NoText;
        xcb_flush(c.xcb);
        if (chunk.isEmpty())
            return Status::Text;
        data += chunk;
    }
}

XcbClipboardReader::Result XcbClipboardReader::read(int timeoutMs)
{
    Connection& c = *m_connection;
    if (!c.xcb || xcb_connection_has_error(c.xcb))
        return {Status::Unavailable, {}};
    QElapsedTimer clock;
    clock.start();

    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c.xcb, xcb_get_selection_owner(c.xcb, c.clipboard), nullptr);
    const bool owned = owner && owner->owner != XCB_NONE;
    std::free(owner);
    if (!owned)
        return {Status::NoText, {}};

    // Ask which forms the owner offers; an owner that will not say is asked for text anyway.
    QByteArray targets;
    const Status asked = request(c.targets, clock, timeoutMs, targets);
    if (asked == Status::TimedOut)
        return {Status::TimedOut, {}};
    QList<xcb_atom_t> wanted{c.utf8, XCB_ATOM_STRING};
    if (asked == Status::Text) {
        const auto* offered = reinterpret_cast<const xcb_atom_t*>(targets.constData());
        const qsizetype count = targets.size() / qsizetype(sizeof(xcb_atom_t));
        const QList<xcb_atom_t> offers(offered, offered + count);
        wanted.removeIf([&](xcb_atom_t target) { return !offers.contains(target); });
    }
    // UTF-8 first; an owner that only knows Latin-1 text is asked for STRING.
    for (xcb_atom_t target : wanted) {
        QByteArray data;
        const Status status = request(target, clock, timeoutMs, data);
        if (status == Status::TimedOut)
            return {Status::TimedOut, {}};
        if (status != Status::Text)
            continue;
        // Text ends at its first zero byte, as plain clipboard text always has.
        const qsizetype zero = data.indexOf('\0');
        if (zero >= 0)
            data.truncate(zero);
        return {Status::Text,
                target == c.utf8 ? QString::fromUtf8(data) : QString::fromLatin1(data)};
    }
    return {Status::NoText, {}};
}
