#include "toolkit/CommandMenu.h"

#include "toolkit/Resources.h"

#include <QAction>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <stdexcept>

CommandMenu::CommandMenu(int menuId, QObject* parent) : QObject(parent)
{
    QFile file(QStringLiteral(":/quorvel/menus/menu%1.json").arg(menuId));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("menu " + std::to_string(menuId) + " is missing");
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QJsonArray menus = document.object().value(QLatin1String("menus")).toArray();
    if (menus.isEmpty())
        throw std::runtime_error("menu " + std::to_string(menuId) + " is damaged");
    for (const QJsonValue& value : menus) {
        const QJsonObject object = value.toObject();
        Popup popup;
        popup.caption = object.value(QLatin1String("caption")).toString();
        for (const QJsonValue& itemValue : object.value(QLatin1String("items")).toArray()) {
            const QJsonObject itemObject = itemValue.toObject();
            Item item;
            item.separator = itemObject.value(QLatin1String("separator")).toBool();
            item.caption = itemObject.value(QLatin1String("caption")).toString();
            item.command = itemObject.value(QLatin1String("command")).toString();
            item.shortcut = itemObject.value(QLatin1String("shortcut")).toString();
            item.checkable = itemObject.value(QLatin1String("checkable")).toBool();
            if (!item.separator && item.command.isEmpty())
                throw std::runtime_error("menu " + std::to_string(menuId) +
                                         ": an item has no command");
            popup.items.push_back(item);
        }
        m_popups.push_back(std::move(popup));
    }
}

CommandMenu::~CommandMenu() = default;

void CommandMenu::fill(QMenu* menu, const Popup& popup)
{
    for (const Item& item : popup.items) {
        if (item.separator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(item.caption);
        action->setObjectName(QStringLiteral("action") + item.command);
        action->setCheckable(item.checkable);
        const QIcon image = Resources::menuImage(item.command);
        if (!image.isNull())
            action->setIcon(image);
        if (!item.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(item.shortcut));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        // The owner decides the marks; a click must not flip one behind its back. This runs
        // before the command, so a mark the owner sets while handling it stays.
        if (item.checkable) {
            connect(action, &QAction::triggered, action,
                    [action](bool checked) { action->setChecked(!checked); });
        }
        const QString command = item.command;
        connect(action, &QAction::triggered, this,
                [this, command] { emit commandTriggered(command); });
        m_actions.emplace_back(command, action);
        connect(action, &QObject::destroyed, this, [this, action] {
            std::erase_if(m_actions,
                          [action](const auto& entry) { return entry.second == action; });
        });
    }
    connect(menu, &QMenu::aboutToShow, this, &CommandMenu::aboutToShow);
}

QMenuBar* CommandMenu::createMenuBar(QWidget* parent)
{
    auto* bar = new QMenuBar(parent);
    bar->setObjectName(QStringLiteral("menuBar"));
    for (const Popup& popup : m_popups) {
        QMenu* menu = bar->addMenu(popup.caption);
        menu->setObjectName(QStringLiteral("menu") +
                            QString(popup.caption).remove(QLatin1Char('&')));
        fill(menu, popup);
    }
    return bar;
}

QMenu* CommandMenu::createPopupMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("popupMenu"));
    fill(menu, m_popups.front());
    return menu;
}

QAction* CommandMenu::action(const QString& command) const
{
    for (const auto& [name, action] : m_actions) {
        if (name == command)
            return action;
    }
    return nullptr;
}

std::vector<QAction*> CommandMenu::actions(const QString& command) const
{
    std::vector<QAction*> result;
    for (const auto& [name, action] : m_actions) {
        if (name == command)
            result.push_back(action);
    }
    return result;
}

void CommandMenu::setChecked(const QString& command, bool checked)
{
    for (QAction* action : actions(command))
        action->setChecked(checked);
}
