#include "app/MainMenus.h"

#include "toolkit/CommandMenu.h"
#include "toolkit/ResourceIds.h"
#include "toolkit/Resources.h"
#include "toolkit/TrayIcon.h"

#include <QMenu>
#include <QMenuBar>

#include <stdexcept>

namespace {

constexpr int kAnimationPeriodMs = 500;

struct NamedCommand {
    const char* name;
    MainCommand command;
};

constexpr NamedCommand kCommandNames[] = {
    {"Search", MainCommand::Search},
    {"PutIntoList", MainCommand::PutIntoList},
    {"CorrectPrice", MainCommand::CorrectPrice},
    {"Exit", MainCommand::Exit},
    {"ShowWindow", MainCommand::ShowWindow},
    {"Topmost", MainCommand::Topmost},
    {"ClipboardMonitor", MainCommand::ClipboardMonitor},
    {"MatchLevelLow", MainCommand::MatchLevelLow},
    {"UserDefFilter", MainCommand::UserFilter},
    {"BestMatchFirst", MainCommand::BestMatch},
    {"TradingList", MainCommand::TradingList},
    {"MyCollection", MainCommand::MyCollection},
    {"TransactionLog", MainCommand::TransactionLog},
    {"Help", MainCommand::Help},
    {"About", MainCommand::About},
    {"ImportPrices", MainCommand::ImportPrices},
    {"PreviewImport", MainCommand::PreviewImport},
    {"UpdatePrices", MainCommand::UpdatePrices},
    {"UpdateDaily", MainCommand::UpdateDaily},
    {"PriceChanges", MainCommand::PriceChanges},
    {"DeckCost", MainCommand::DeckCost},
    {"ImportCollection", MainCommand::ImportCollection},
    {"ExportCollection", MainCommand::ExportCollection},
    {"ExportTradeList", MainCommand::ExportTradeList},
};

// The commands whose items can carry a check mark.
constexpr MainCommand kCheckableCommands[] = {
    MainCommand::Topmost,        MainCommand::ClipboardMonitor, MainCommand::MatchLevelLow,
    MainCommand::UserFilter,     MainCommand::TradingList,      MainCommand::MyCollection,
    MainCommand::TransactionLog, MainCommand::BestMatch,        MainCommand::UpdateDaily,
};

QString NameOf(MainCommand command)
{
    for (const auto& named : kCommandNames) {
        if (named.command == command)
            return named.name;
    }
    return {};
}

} // namespace

MainCommand MainMenus::CommandByName(const QString& name, bool* known)
{
    for (const auto& named : kCommandNames) {
        if (name == named.name) {
            if (known)
                *known = true;
            return named.command;
        }
    }
    if (known)
        *known = false;
    return MainCommand::Search;
}

bool MainMenus::Create(QWidget* window, const std::function<void(QMenuBar*)>& host)
{
    try {
        m_bar = new CommandMenu(resource::kMainMenu, window);
        host(m_bar->createMenuBar(window));
        m_tray = new CommandMenu(resource::kTrayMenu, window);
        m_trayMenu = m_tray->createPopupMenu(window);
        m_trayMenu->setObjectName("trayMenu");
    } catch (const std::runtime_error&) {
        // A damaged menu resource is a fault of the build.
        return false;
    }
    return true;
}

void MainMenus::UpdateCheckMarks(const std::function<bool(MainCommand, MenuKind)>& isChecked)
{
    for (MainCommand command : kCheckableCommands) {
        if (m_bar)
            m_bar->setChecked(NameOf(command), isChecked(command, MenuKind::MenuBar));
        if (m_tray)
            m_tray->setChecked(NameOf(command), isChecked(command, MenuKind::Tray));
    }
}

TrayIcon* MainMenus::CreateTray(QWidget* window, const QIcon& icon, bool animate)
{
    m_trayIcon = new TrayIcon(window);
    m_trayIcon->create("Quorvel", icon, m_trayMenu);
    m_trayIcon->setAnimationIcons({Resources::icon(resource::kAnimationIcon), icon});
    if (animate)
        m_trayIcon->startAnimation(kAnimationPeriodMs);
    return m_trayIcon;
}

void MainMenus::AnimateTray(bool on)
{
    if (!m_trayIcon)
        return;
    if (on)
        m_trayIcon->startAnimation(kAnimationPeriodMs);
    else
        m_trayIcon->stopAnimation();
}
