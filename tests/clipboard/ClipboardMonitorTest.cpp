#include "clipboard/ClipboardMonitor.h"

#include <gtest/gtest.h>

namespace {

using Outcome = ClipboardMonitor::Outcome;

class ClipboardMonitorTest : public ::testing::Test {
protected:
    ClipboardMonitor::Decision Change(std::optional<std::string> text, bool monitorOn = true)
    {
        return m_monitor.OnDrawClipboard(text, monitorOn, false);
    }
    ClipboardMonitor::Decision OwnWrite(std::optional<std::string> text, bool monitorOn = true)
    {
        return m_monitor.OnDrawClipboard(text, monitorOn, true);
    }
    ClipboardMonitor m_monitor;
};

TEST_F(ClipboardMonitorTest, SkipsOnlyTheNotificationThatJoiningProduced)
{
    m_monitor.BeginJoin();
    EXPECT_EQ(Change("produced by joining").outcome, Outcome::JoinNotification);
    // A second notification while still joining is a real change.
    EXPECT_EQ(Change("Lightning Bolt").outcome, Outcome::LookUp);
    m_monitor.EndJoin();
    EXPECT_EQ(Change("Counterspell").outcome, Outcome::LookUp);
}

TEST_F(ClipboardMonitorTest, AJoinThatReportsNothingLosesNoLaterChange)
{
    m_monitor.BeginJoin();
    m_monitor.EndJoin();
    const auto first = Change("Lightning Bolt");
    EXPECT_EQ(first.outcome, Outcome::LookUp);
    EXPECT_EQ(first.text, "Lightning Bolt");
}

TEST_F(ClipboardMonitorTest, TheSameTextTwiceGivesTwoLookups)
{
    EXPECT_EQ(Change("Giant Growth").outcome, Outcome::LookUp);
    EXPECT_EQ(Change("Giant Growth").outcome, Outcome::LookUp);
}

TEST_F(ClipboardMonitorTest, TrimsBlanksAtBothEndsOnly)
{
    const auto decision = Change(" \t\r\nWTS: 4x Lightning  Bolt \r\n");
    ASSERT_EQ(decision.outcome, Outcome::LookUp);
    EXPECT_EQ(decision.text, "WTS: 4x Lightning  Bolt");
    EXPECT_EQ(ClipboardMonitor::Trim(" \n\t "), "");
    EXPECT_EQ(ClipboardMonitor::Trim(""), "");
    EXPECT_EQ(ClipboardMonitor::Trim("x"), "x");
}

TEST_F(ClipboardMonitorTest, IgnoreFlagIsConsumedByTheNextChangeWithText)
{
    m_monitor.IgnoreNextChange();
    // A picture or files on the clipboard neither looks up nor consumes the flag.
    EXPECT_EQ(OwnWrite(std::nullopt).outcome, Outcome::NoText);
    EXPECT_TRUE(m_monitor.IsIgnoringNextChange());
    EXPECT_EQ(OwnWrite("our own advertisement").outcome, Outcome::OwnWrite);
    EXPECT_FALSE(m_monitor.IsIgnoringNextChange());
    EXPECT_EQ(Change("an outside copy").outcome, Outcome::LookUp);
}

TEST_F(ClipboardMonitorTest, EmptyTextIsTextAndConsumesTheFlag)
{
    m_monitor.IgnoreNextChange();
    EXPECT_EQ(OwnWrite("").outcome, Outcome::OwnWrite);
    EXPECT_EQ(Change("").outcome, Outcome::LookUp);
}

TEST_F(ClipboardMonitorTest, AnOutsideCopyWhileTheFlagWaitsIsLookedUp)
{
    m_monitor.IgnoreNextChange();
    EXPECT_EQ(Change("another program was faster").outcome, Outcome::LookUp);
    EXPECT_TRUE(m_monitor.IsIgnoringNextChange());
    EXPECT_EQ(OwnWrite("our own advertisement").outcome, Outcome::OwnWrite);
    EXPECT_FALSE(m_monitor.IsIgnoringNextChange());
}

TEST_F(ClipboardMonitorTest, OwnWritesWithoutTheFlagAreLookedUp)
{
    EXPECT_EQ(OwnWrite("rows copied from a grid").outcome, Outcome::LookUp);
}

TEST_F(ClipboardMonitorTest, CancelledWriteSwallowsNoOutsideChange)
{
    m_monitor.IgnoreNextChange();
    m_monitor.CancelIgnoreNextChange();
    EXPECT_EQ(Change("an outside copy").outcome, Outcome::LookUp);
}

TEST_F(ClipboardMonitorTest, MonitorOffReadsAndConsumesTheFlagButLooksNothingUp)
{
    m_monitor.IgnoreNextChange();
    EXPECT_EQ(OwnWrite("own write", false).outcome, Outcome::OwnWrite);
    EXPECT_FALSE(m_monitor.IsIgnoringNextChange());
    const auto off = Change("outside copy", false);
    EXPECT_EQ(off.outcome, Outcome::MonitorOff);
    EXPECT_TRUE(off.text.empty());
    EXPECT_FALSE(m_monitor.IsClipboardLookup());
    EXPECT_EQ(Change(std::nullopt, false).outcome, Outcome::NoText);
}

TEST_F(ClipboardMonitorTest, ReportOnlyAfterAClipboardLookupWithTheMonitorOn)
{
    EXPECT_FALSE(m_monitor.TakeReportRequest(true)) << "a typed search shows no report";
    ASSERT_EQ(Change("Lightning Bolt").outcome, Outcome::LookUp);
    EXPECT_TRUE(m_monitor.IsClipboardLookup());
    EXPECT_TRUE(m_monitor.TakeReportRequest(true));
    EXPECT_FALSE(m_monitor.TakeReportRequest(true)) << "the marker is cleared by the report";

    ASSERT_EQ(Change("Lightning Bolt").outcome, Outcome::LookUp);
    EXPECT_FALSE(m_monitor.TakeReportRequest(false));
    // A stale marker must not turn the next typed search into a report.
    EXPECT_FALSE(m_monitor.TakeReportRequest(true));
}

} // namespace
