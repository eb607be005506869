#include "app/OptionFlags.h"

#include <gtest/gtest.h>

namespace {

TEST(OptionFlags, EveryRunStartsWithTheSameValues)
{
    const OptionFlags flags;
    EXPECT_FALSE(flags.Topmost());
    EXPECT_TRUE(flags.ClipboardMonitor());
    EXPECT_TRUE(flags.UserFilter());
    EXPECT_EQ(flags.MatchLevel(), 1);
}

TEST(OptionFlags, TogglesInvertAndReportTheNewState)
{
    OptionFlags flags;
    EXPECT_TRUE(flags.ToggleTopmost());
    EXPECT_TRUE(flags.Topmost());
    EXPECT_FALSE(flags.ToggleTopmost());
    EXPECT_FALSE(flags.ToggleClipboardMonitor());
    EXPECT_FALSE(flags.ClipboardMonitor());
    EXPECT_TRUE(flags.ToggleClipboardMonitor());
    flags.ToggleUserFilter();
    EXPECT_FALSE(flags.UserFilter());
    flags.ToggleUserFilter();
    EXPECT_TRUE(flags.UserFilter());
}

TEST(OptionFlags, MatchLevelLowTwiceReturnsToLevelOneAndUnchecked)
{
    OptionFlags flags;
    const SecondaryWindows none;
    flags.ToggleMatchLevelLow();
    EXPECT_EQ(flags.MatchLevel(), 2);
    EXPECT_TRUE(flags.IsChecked(MainCommand::MatchLevelLow, MenuKind::MenuBar, none));
    flags.ToggleMatchLevelLow();
    EXPECT_EQ(flags.MatchLevel(), 1);
    EXPECT_FALSE(flags.IsChecked(MainCommand::MatchLevelLow, MenuKind::MenuBar, none));
}

TEST(OptionFlags, ClipboardMonitorIsCheckedInTheTrayMenuOnly)
{
    OptionFlags flags;
    const SecondaryWindows none;
    EXPECT_TRUE(flags.IsChecked(MainCommand::ClipboardMonitor, MenuKind::Tray, none));
    EXPECT_FALSE(flags.IsChecked(MainCommand::ClipboardMonitor, MenuKind::MenuBar, none));
    flags.ToggleClipboardMonitor();
    EXPECT_FALSE(flags.IsChecked(MainCommand::ClipboardMonitor, MenuKind::Tray, none));
}

TEST(OptionFlags, CheckMarksFollowOptionsAndWindows)
{
    OptionFlags flags;
    SecondaryWindows windows;
    EXPECT_FALSE(flags.IsChecked(MainCommand::Topmost, MenuKind::Tray, windows));
    EXPECT_TRUE(flags.IsChecked(MainCommand::UserFilter, MenuKind::MenuBar, windows));
    flags.ToggleTopmost();
    EXPECT_TRUE(flags.IsChecked(MainCommand::Topmost, MenuKind::Tray, windows));
    EXPECT_TRUE(flags.IsChecked(MainCommand::Topmost, MenuKind::MenuBar, windows));

    windows.collection = true;
    EXPECT_FALSE(flags.IsChecked(MainCommand::TradingList, MenuKind::MenuBar, windows));
    EXPECT_TRUE(flags.IsChecked(MainCommand::MyCollection, MenuKind::MenuBar, windows));
    EXPECT_FALSE(flags.IsChecked(MainCommand::TransactionLog, MenuKind::MenuBar, windows));
    windows = {true, false, true};
    EXPECT_TRUE(flags.IsChecked(MainCommand::TradingList, MenuKind::MenuBar, windows));
    EXPECT_TRUE(flags.IsChecked(MainCommand::TransactionLog, MenuKind::MenuBar, windows));
    EXPECT_FALSE(flags.IsChecked(MainCommand::Search, MenuKind::MenuBar, windows));
}

TEST(OptionFlags, CollectionViewsReloadWhenShownTheTradeListDoesNot)
{
    EXPECT_EQ(OptionFlags::ToggleWindow(MainCommand::TradingList, false), WindowToggle::Show);
    EXPECT_EQ(OptionFlags::ToggleWindow(MainCommand::TradingList, true), WindowToggle::Hide);
    EXPECT_EQ(OptionFlags::ToggleWindow(MainCommand::MyCollection, false),
              WindowToggle::ShowAndRefresh);
    EXPECT_EQ(OptionFlags::ToggleWindow(MainCommand::TransactionLog, false),
              WindowToggle::ShowAndRefresh);
    EXPECT_EQ(OptionFlags::ToggleWindow(MainCommand::MyCollection, true), WindowToggle::Hide);
}

} // namespace
