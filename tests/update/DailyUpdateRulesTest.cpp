// When the daily update runs by itself, and what its notification says.

#include "update/DailyUpdateRules.h"
#include "update/PriceUpdate.h"

#include <gtest/gtest.h>

namespace {

TEST(DailyUpdateRules, RunsAtMostOnceADayAndOnlyWithTheOptionOn)
{
    struct Case {
        bool enabled;
        const char* lastRun;
        bool due;
    };
    const Case cases[] = {
        {false, "", false},          // never before the user turns it on
        {false, "2026-12-01", false},
        {true, "", true},            // the first day
        {true, "2026-12-08", false}, // already ran today
        {true, "2026-12-07", true},  // a new day
        {true, "2025-12-08", true},
        {true, "2026-12-09", true},  // the clock was put back: today still gets its update
        {true, "yesterday", true},   // a damaged setting does not stop updates for ever
        {true, "2026-12-8", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DailyUpdateRules::IsDue(c.enabled, c.lastRun, "2026-12-08"), c.due)
            << c.enabled << " " << c.lastRun;
    }
}

TEST(DailyUpdateRules, TheNoticeNamesTheCollectionsWorthOrWhatFailed)
{
    using Outcome = PriceUpdateResult::Outcome;
    PriceUpdateResult result;
    result.label = "MTGJSON 2026-12-08";
    result.outcome = Outcome::Updated;
    const WorthChange rose{123.4, 131.0, 57};
    EXPECT_EQ(DailyUpdateRules::NoticeText(result, rose),
              "Prices updated: your collection is worth 131.0 Tix (+6.2 %)");
    EXPECT_EQ(DailyUpdateRules::NoticeText(result, WorthChange{10.0, 9.5, 3}),
              "Prices updated: your collection is worth 9.5 Tix (-5.0 %)");
    EXPECT_EQ(DailyUpdateRules::NoticeText(result, WorthChange{0.0, 2.0, 3}),
              "Prices updated: your collection is worth 2.0 Tix");
    // No collection, or it could not be read: the source and day instead.
    EXPECT_EQ(DailyUpdateRules::NoticeText(result, WorthChange{}),
              "Prices updated (MTGJSON 2026-12-08)");
    EXPECT_EQ(DailyUpdateRules::NoticeText(result, std::nullopt),
              "Prices updated (MTGJSON 2026-12-08)");

    result.outcome = Outcome::Failed;
    result.error = "The price server did not answer. Check the network connection.";
    EXPECT_EQ(DailyUpdateRules::NoticeText(result, rose),
              "Prices could not be updated: The price server did not answer. Check the network "
              "connection.");
    // Nothing new and a cancel bother nobody.
    for (const Outcome quiet : {Outcome::UpToDate, Outcome::Cancelled}) {
        result.outcome = quiet;
        EXPECT_EQ(DailyUpdateRules::NoticeText(result, rose), std::nullopt);
    }
}

} // namespace
