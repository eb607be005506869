#pragma once

#include <QString>

class TrayIcon;

/// Desktop notifications: through the freedesktop notification service on the session bus
/// (org.freedesktop.Notifications), and where no such service answers, as a message of the
/// tray icon. Never a modal box: nobody waits for it.
class DesktopNotifier {
public:
    /// Which way a notification went: asked of the bus (the tray still shows it should the
    /// service answer with an error), shown by the tray, or nowhere.
    enum class Path { None, Bus, Tray };

    /// Shows `text` under `title` without waiting for the service; `fallback` (may be null)
    /// shows it when there is no session bus or the service does not answer.
    static Path notify(const QString& title, const QString& text, TrayIcon* fallback);

    /// Test hook: false keeps every notification off the bus (the tray path is taken), as on a
    /// desktop without the service.
    static void setBusEnabled(bool enabled);
};
