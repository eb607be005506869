#include "app/OptionFlags.h"

bool OptionFlags::ToggleTopmost()
{
    m_topmost = !m_topmost;
    return m_topmost;
}

bool OptionFlags::ToggleClipboardMonitor()
{
    m_clipboardMonitor = !m_clipboardMonitor;
    return m_clipboardMonitor;
}

void OptionFlags::ToggleMatchLevelLow()
{
    m_matchLevel = m_matchLevel == 1 ? 2 : 1;
}

void OptionFlags::ToggleUserFilter()
{
    m_userFilter = !m_userFilter;
}

bool OptionFlags::ToggleBestMatch()
{
    m_bestMatch = !m_bestMatch;
    return m_bestMatch;
}

bool OptionFlags::IsChecked(MainCommand command, MenuKind menu,
                            const SecondaryWindows& windows) const
{
    switch (command) {
    case MainCommand::Topmost:
        return m_topmost;
    case MainCommand::ClipboardMonitor:
        // The menu bar never shows the monitor's state; only the tray menu does.
        return menu == MenuKind::Tray && m_clipboardMonitor;
    case MainCommand::MatchLevelLow:
        return m_matchLevel == 2;
    case MainCommand::UserFilter:
        return m_userFilter;
    case MainCommand::BestMatch:
        return m_bestMatch;
    case MainCommand::UpdateDaily:
        return m_updateDaily;
    case MainCommand::TradingList:
        return windows.tradeList;
    case MainCommand::MyCollection:
        return windows.collection;
    case MainCommand::TransactionLog:
        return windows.transactionLog;
    default:
        return false;
    }
}

WindowToggle OptionFlags::ToggleWindow(MainCommand command, bool visible)
{
    if (visible)
        return WindowToggle::Hide;
    return command == MainCommand::TradingList ? WindowToggle::Show
                                               : WindowToggle::ShowAndRefresh;
}
