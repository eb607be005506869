#include "toolkit/XInputPressWatcher.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

struct XInputPressWatcher::Connection {
    xcb_connection_t* xcb = nullptr;
    xcb_window_t root = 0;
    std::uint8_t opcode = 0;

    ~Connection()
    {
        if (xcb)
            xcb_disconnect(xcb);
    }
};

namespace {

// Buttons 4 to 7 are wheel steps, which do not turn the user to another window.
bool isWheel(std::uint32_t button)
{
    return button >= 4 && button <= 7;
}

} // namespace

XInputPressWatcher::XInputPressWatcher(QObject* parent) : QObject(parent)
{
    // Only an X session has raw events to listen to; elsewhere the caller keeps its own ways.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto connection = std::make_unique<Connection>();
    int screenNumber = 0;
    connection->xcb = xcb_connect(nullptr, &screenNumber);
    if (!connection->xcb || xcb_connection_has_error(connection->xcb))
        return;
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection->xcb, &xcb_input_id);
    if (!extension || !extension->present)
        return;
    connection->opcode = extension->major_opcode;
    // Raw events reach the root window whatever grab another client holds from XInput 2.1 on.
    xcb_input_xi_query_version_reply_t* version = xcb_input_xi_query_version_reply(
        connection->xcb, xcb_input_xi_query_version(connection->xcb, 2, 2), nullptr);
    const bool recent = version && version->major_version >= 2;
    std::free(version);
    if (!recent)
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection->xcb));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem <= 0)
        return;
    connection->root = screens.data->root;

    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask{};
    mask.head.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    mask.head.mask_len = 1;
    mask.bits = XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS;
    xcb_generic_error_t* error = xcb_request_check(
        connection->xcb,
        xcb_input_xi_select_events_checked(connection->xcb, connection->root, 1, &mask.head));
    if (error) {
        std::free(error);
        return;
    }
    m_connection = std::move(connection);
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_connection->xcb),
                                     QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &XInputPressWatcher::readEvents);
}

XInputPressWatcher::~XInputPressWatcher() = default;

bool XInputPressWatcher::isAvailable() const
{
    return m_connection != nullptr;
}

void XInputPressWatcher::readEvents()
{
    xcb_connection_t* xcb = m_connection->xcb;
    bool press = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(xcb)) {
        if ((event->response_type & 0x7f) == XCB_GE_GENERIC) {
            const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
            if (generic->extension == m_connection->opcode &&
                generic->event_type == XCB_INPUT_RAW_BUTTON_PRESS) {
                const auto* raw = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event);
                press = press || !isWheel(raw->detail);
            }
        }
        std::free(event);
    }
    if (xcb_connection_has_error(xcb)) {
        // The display went away: stop listening rather than spin on a dead socket.
        m_notifier->setEnabled(false);
        return;
    }
    if (!press)
        return;
    // Raw events carry no position; where the pointer is now is where it was pressed.
    xcb_query_pointer_reply_t* pointer =
        xcb_query_pointer_reply(xcb, xcb_query_pointer(xcb, m_connection->root), nullptr);
    if (!pointer)
        return;
    const QPoint global(pointer->root_x, pointer->root_y);
    std::free(pointer);
    emit pressed(global);
}
