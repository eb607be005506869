#pragma once

#include "app/OptionFlags.h"

#include <QString>

#include <functional>

class CommandMenu;
class QIcon;
class QMenu;
class QMenuBar;
class QObject;
class QWidget;
class TrayIcon;

/// The main window's command menus (the menu bar and the tray's pop-up), the names their items
/// give the commands, the check marks of both, and the tray icon that opens the pop-up.
class MainMenus {
public:
    /// The command a menu resource names ("TradingList", "UserDefFilter", ...); Search with
    /// *known false for a name no command has.
    static MainCommand CommandByName(const QString& name, bool* known = nullptr);

    /// Builds both menus for `window`, handing the menu bar to `host` as soon as it exists;
    /// false when a menu resource is damaged (the window then works through its buttons and
    /// the tray's default command).
    bool Create(QWidget* window, const std::function<void(QMenuBar*)>& host);

    /// The tray icon with the tray menu, owned by `window`; animated while `animate` (the
    /// clipboard monitor is on).
    TrayIcon* CreateTray(QWidget* window, const QIcon& icon, bool animate);
    /// Starts or stops the tray icon's animation.
    void AnimateTray(bool on);

    CommandMenu* Bar() const { return m_bar; }
    CommandMenu* TrayCommands() const { return m_tray; }
    QMenu* TrayMenu() const { return m_trayMenu; }
    TrayIcon* Tray() const { return m_trayIcon; }

    /// Sets the check mark of every checkable command in both menus.
    void UpdateCheckMarks(const std::function<bool(MainCommand, MenuKind)>& isChecked);

private:
    CommandMenu* m_bar = nullptr;
    CommandMenu* m_tray = nullptr;
    QMenu* m_trayMenu = nullptr;
    TrayIcon* m_trayIcon = nullptr;
};
