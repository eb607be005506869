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

// The program's own writes are told from other programs' copies by the viewer's mark alone:
// nothing is left waiting between changes, whatever order they come in.
TEST_F(ClipboardMonitorTest, OwnWritesAreSkippedAndEveryOutsideCopyIsLookedUp)
{
    struct Step {
        bool own;
        std::optional<std::string> text;
        bool monitorOn;
        Outcome expected;
    };
    const Step steps[] = {
        {true, std::nullopt, true, Outcome::NoText},  // a picture or files: nothing to decide
        {false, "another program was faster", true, Outcome::LookUp},
        {true, "our own advertisement", true, Outcome::OwnWrite},
        {true, "our second advertisement", true, Outcome::OwnWrite},
        {true, "", true, Outcome::OwnWrite},  // an empty text is a text
        {false, "", true, Outcome::LookUp},
        {false, "an outside copy", true, Outcome::LookUp},
        {true, "own write", false, Outcome::OwnWrite},
        {false, "outside copy", false, Outcome::MonitorOff},
        {false, std::nullopt, false, Outcome::NoText},
    };
    for (const Step& step : steps) {
        const std::string name = step.text.value_or("(no text)");
        m_monitor.TakeReportRequest(true);
        const auto decision = step.own ? OwnWrite(step.text, step.monitorOn)
                                       : Change(step.text, step.monitorOn);
        EXPECT_EQ(decision.outcome, step.expected) << name;
        EXPECT_EQ(m_monitor.IsClipboardLookup(), step.expected == Outcome::LookUp) << name;
        if (step.expected != Outcome::LookUp) {
            EXPECT_TRUE(decision.text.empty()) << name;
        }
    }
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
