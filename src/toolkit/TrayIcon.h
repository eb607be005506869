#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QTimer>
#include <optional>

class QMenu;
class QSystemTrayIcon;

/// The program's icon in the notification area: tooltip, icon, pop-up menu (right button),
/// default command (left click or double click) and an animation that alternates icons.
/// It knows whether the desktop has a tray at all, so that the main window can minimise instead
/// of hiding where there is none.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(QObject* parent = nullptr);
    ~TrayIcon() override;

    /// Whether the desktop shows tray icons (QSystemTrayIcon::isSystemTrayAvailable, unless a
    /// test decided).
    static bool isAvailable();
    /// Test hook: decides isAvailable(); nothing returns to asking the desktop.
    static void setAvailableForTests(std::optional<bool> available);

    /// Creates and shows the icon with its tooltip, icon and pop-up menu (not owned; it must
    /// outlive the tray icon). Returns false when the desktop has no tray; the icon then
    /// still exists and appears if a tray turns up later.
    bool create(const QString& tooltip, const QIcon& icon, QMenu* menu);
    /// The icons the animation steps through, in order.
    void setAnimationIcons(const QList<QIcon>& icons);
    void startAnimation(int periodMs);
    /// Stops the animation and shows the icon given to `create` again.
    void stopAnimation();
    bool isAnimating() const { return m_timer.isActive(); }
    /// The animation icon shown now; -1 when the icon of `create` is shown.
    int currentFrame() const { return m_frame; }

    /// Shows a balloon message at the icon (where the desktop shows them); the last one is
    /// kept for tests.
    void showMessage(const QString& title, const QString& text);
    QString lastMessage() const { return m_lastMessage; }

    QString toolTip() const;
    QIcon currentIcon() const;
    QSystemTrayIcon* systemTrayIcon() const { return m_tray; }

signals:
    /// The user asked for the icon's default command (Show Window).
    void defaultCommand();

private:
    void step();

    QSystemTrayIcon* m_tray = nullptr;
    QIcon m_icon;
    QList<QIcon> m_frames;
    QTimer m_timer;
    int m_frame = -1;
    QString m_lastMessage;
};
