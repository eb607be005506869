#include "toolkit/DesktopNotifier.h"

#include "toolkit/TrayIcon.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace {

bool& busEnabled()
{
    static bool enabled = true;
    return enabled;
}

constexpr int kShownMs = 10000;
constexpr int kReplyWaitMs = 2000;

bool notifyOnBus(const QString& title, const QString& text)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The service may read markup in the body: the text goes as plain text, escaped.
    call << QStringLiteral("Quorvel") << uint(0) << QStringLiteral("quorvel") << title
         << text.toHtmlEscaped() << QStringList() << QVariantMap() << kShownMs;
    // No introspection and a short wait: a bus without the service must not hold the window.
    const QDBusMessage reply = bus.call(call, QDBus::Block, kReplyWaitMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace

void DesktopNotifier::setBusEnabled(bool enabled)
{
    busEnabled() = enabled;
}

DesktopNotifier::Path DesktopNotifier::notify(const QString& title, const QString& text,
                                              TrayIcon* fallback)
{
    if (busEnabled() && notifyOnBus(title, text))
        return Path::Bus;
    if (!fallback)
        return Path::None;
    fallback->showMessage(title, text);
    return Path::Tray;
}
