#include "toolkit/DesktopNotifier.h"

#include "toolkit/TrayIcon.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <QVariantMap>

namespace {

bool& busEnabled()
{
    static bool enabled = true;
    return enabled;
}

constexpr int kShownMs = 10000;
constexpr int kReplyWaitMs = 5000;

void showInTray(const QPointer<TrayIcon>& tray, const QString& title, const QString& text)
{
    if (tray)
        tray->showMessage(title, text);
}

} // namespace

void DesktopNotifier::setBusEnabled(bool enabled)
{
    busEnabled() = enabled;
}

DesktopNotifier::Path DesktopNotifier::notify(const QString& title, const QString& text,
                                              TrayIcon* fallback)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!busEnabled() || !bus.isConnected()) {
        showInTray(fallback, title, text);
        return fallback ? Path::Tray : Path::None;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The service may read markup in the body: the text goes as plain text, escaped.
    call << QStringLiteral("Quorvel") << uint(0) << QStringLiteral("quorvel") << title
         << text.toHtmlEscaped() << QStringList() << QVariantMap() << kShownMs;
    // Asked without waiting: a bus without the service, or a slow one, never holds the window;
    // the tray shows the message when the service does not answer.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kReplyWaitMs));
    const QPointer<TrayIcon> tray(fallback);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, tray, title, text] {
                         if (watcher->isError())
                             showInTray(tray, title, text);
                         watcher->deleteLater();
                     });
    return Path::Bus;
}
