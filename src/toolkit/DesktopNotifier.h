#pragma once

#include <QString>

class TrayIcon;

/// Desktop notifications: through the freedesktop notification service on the session bus
/// (org.freedesktop.Notifications), and where no such service answers, as a message of the
/// tray icon. Never a modal box: nobody waits for it.
class DesktopNotifier {
public:
    /// Which way the last notification went.
    enum class Path { None, Bus, Tray };

    /// Shows `text` under `title`; `fallback` (may be null) shows it when the bus cannot.
    static Path notify(const QString& title, const QString& text, TrayIcon* fallback);

    /// Test hook: false keeps every notification off the bus (the tray path is taken), as on a
    /// desktop without the service.
    static void setBusEnabled(bool enabled);
};
