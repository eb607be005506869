// Desktop notifications go to the freedesktop notification service on the session bus, and
// to the tray icon where the service does not answer. The bus here is a private one started
// by the test, with a notification service of the test's own.

#include "toolkit/DesktopNotifier.h"
#include "toolkit/TrayIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTest>
#include <QVariantMap>

#include <gtest/gtest.h>

namespace {

/// What the desktop's notification daemon is asked.
class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QStringList received;

public slots:
    uint Notify(const QString& app, uint, const QString&, const QString& summary,
                const QString& body, const QStringList&, const QVariantMap&, int)
    {
        received << app + "|" + summary + "|" + body;
        return uint(received.size());
    }
};

class DesktopNotifierTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_bus = new QProcess;
        s_bus->start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(s_bus->waitForReadyRead(10000)) << "dbus-daemon did not start";
        const QByteArray address = s_bus->readLine().trimmed();
        // Read by the session bus connection when it is first made, just below.
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
    }
    static void TearDownTestSuite()
    {
        QDBusConnection::disconnectFromBus(QDBusConnection::sessionBus().name());
        s_bus->terminate();
        s_bus->waitForFinished();
        delete s_bus;
    }
    void SetUp() override { m_tray.create("Quorvel", QIcon(), nullptr); }

    static QProcess* s_bus;
    TrayIcon m_tray;
};

QProcess* DesktopNotifierTest::s_bus = nullptr;

TEST_F(DesktopNotifierTest, TheServiceShowsItAsPlainTextAndTheTrayStaysQuiet)
{
    FakeNotifications service;
    QDBusConnection bus = QDBusConnection::sessionBus();
    ASSERT_TRUE(bus.registerService("org.freedesktop.Notifications"));
    ASSERT_TRUE(bus.registerObject("/org/freedesktop/Notifications", &service,
                                   QDBusConnection::ExportAllSlots));
    EXPECT_EQ(DesktopNotifier::notify("Quorvel", "Prices updated: <b>131.0</b> Tix", &m_tray),
              DesktopNotifier::Path::Bus);
    QTRY_COMPARE(service.received.size(), 1);
    EXPECT_EQ(service.received.front(),
              "Quorvel|Quorvel|Prices updated: &lt;b&gt;131.0&lt;/b&gt; Tix");
    QTest::qWait(100);
    EXPECT_TRUE(m_tray.lastMessage().isEmpty());
    bus.unregisterObject("/org/freedesktop/Notifications");
    bus.unregisterService("org.freedesktop.Notifications");
}

TEST_F(DesktopNotifierTest, WithoutTheServiceOrWithTheBusTurnedOffTheTrayShowsIt)
{
    ASSERT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(
        "org.freedesktop.Notifications"));
    EXPECT_EQ(DesktopNotifier::notify("Quorvel", "Prices could not be updated", &m_tray),
              DesktopNotifier::Path::Bus);
    QTRY_COMPARE(m_tray.lastMessage(), QString("Quorvel: Prices could not be updated"));

    DesktopNotifier::setBusEnabled(false);
    EXPECT_EQ(DesktopNotifier::notify("Quorvel", "Prices updated", &m_tray),
              DesktopNotifier::Path::Tray);
    EXPECT_EQ(m_tray.lastMessage(), "Quorvel: Prices updated");
    EXPECT_EQ(DesktopNotifier::notify("Quorvel", "Prices updated", nullptr),
              DesktopNotifier::Path::None);
    DesktopNotifier::setBusEnabled(true);
}

} // namespace

#include "DesktopNotifierTest.moc"
