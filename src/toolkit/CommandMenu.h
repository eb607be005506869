#pragma once

#include <QObject>
#include <QString>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

/// Menus built from a menu resource (141: the main window's bar, 132: the tray's pop-up).
/// Every item runs a named command ("Exit", "TradingList", "MyCollection", "TransactionLog",
/// "Topmost", "ClipboardMonitor", "MatchLevelLow", "UserDefFilter", "Help", "About",
/// "ShowWindow"); the owner connects `commandTriggered` once and sets check marks in
/// `aboutToShow`, which is emitted each time one of the menus opens. Items with an image in
/// toolbar 139 show it.
class CommandMenu : public QObject {
    Q_OBJECT
public:
    /// Loads menu `menuId`; throws std::runtime_error when the resource is missing or damaged.
    explicit CommandMenu(int menuId, QObject* parent = nullptr);
    ~CommandMenu() override;

    /// A menu bar with one menu per top-level entry of the resource; owned by the caller (give
    /// it to CResizableDialog::hostMenuBar).
    QMenuBar* createMenuBar(QWidget* parent = nullptr);
    /// The first top-level entry as a pop-up menu (the tray menu); owned by the caller.
    QMenu* createPopupMenu(QWidget* parent = nullptr);

    /// The action of a command in the menus created so far (the first one, if several).
    QAction* action(const QString& command) const;
    /// Every action created for a command.
    std::vector<QAction*> actions(const QString& command) const;
    /// Sets the check mark of every item of a command.
    void setChecked(const QString& command, bool checked);

signals:
    void commandTriggered(const QString& command);
    void aboutToShow();

private:
    struct Item {
        QString caption;
        QString command;
        QString shortcut;
        bool checkable = false;
        bool separator = false;
    };
    struct Popup {
        QString caption;
        std::vector<Item> items;
    };

    void fill(QMenu* menu, const Popup& popup);

    std::vector<Popup> m_popups;
    std::vector<std::pair<QString, QAction*>> m_actions;
};
