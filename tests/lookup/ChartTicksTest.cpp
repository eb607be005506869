#include "lookup/ChartTicks.h"
#include "data/PriceHistory.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ChartTicks, ValuesAreLabelledAtRoundStepsFromZero)
{
    const struct {
        double highest;
        double step;
        double top;
        int decimals;
    } cases[] = {
        {7.43, 2.0, 8.0, 0}, // not 1.86, 3.72, 5.57, 7.43
        {0.37, 0.1, 0.4, 1},
        {1.0, 0.2, 1.0, 1},
        {12.5, 2.5, 12.5, 1},
        {23.0, 5.0, 25.0, 0},
        {0.0, 1.0, 1.0, 0},
        {0.06, 0.02, 0.06, 2},
        {99999.99, 20000.0, 100000.0, 0},
        {1.1, 0.25, 1.25, 2},
    };
    for (const auto& c : cases) {
        const chart_ticks::ValueTicks ticks = chart_ticks::ForValues(c.highest);
        EXPECT_DOUBLE_EQ(ticks.step, c.step) << c.highest;
        EXPECT_NEAR(ticks.top, c.top, 1e-9) << c.highest;
        EXPECT_EQ(ticks.count, int(std::lround(ticks.top / ticks.step)) + 1) << c.highest;
        EXPECT_LE(ticks.count, 6) << c.highest;
        EXPECT_GE(ticks.top, c.highest) << c.highest;
        EXPECT_EQ(ticks.decimals, c.decimals) << c.highest;
    }
}

TEST(ChartTicks, DatesAreWholeEvenlySpacedDaysWeeksOrMonthStarts)
{
    const auto day = [](const char* date) { return price_history::DayNumber(date); };
    const struct {
        const char* first;
        const char* last;
        std::vector<const char*> labels;
    } cases[] = {
        // Uneven points of a week-long history: every day.
        {"2026-11-28",
         "2026-12-03",
         {"2026-11-28", "2026-11-29", "2026-11-30", "2026-12-01", "2026-12-02", "2026-12-03"}},
        {"2026-12-01", "2026-12-01", {"2026-11-30", "2026-12-01", "2026-12-02"}},
        {"2026-11-28",
         "2026-12-08",
         {"2026-11-28", "2026-11-30", "2026-12-02", "2026-12-04", "2026-12-06", "2026-12-08"}},
        // Weeks start on Mondays (2026-11-02 is one).
        {"2026-11-04",
         "2026-12-10",
         {"2026-11-02", "2026-11-09", "2026-11-16", "2026-11-23", "2026-11-30", "2026-12-07",
          "2026-12-14"}},
        {"2026-03-10",
         "2026-08-20",
         {"Mar 2026", "Apr 2026", "May 2026", "Jun 2026", "Jul 2026", "Aug 2026", "Sep 2026"}},
        {"2024-02-15",
         "2026-11-01",
         {"Jan 2024", "Jul 2024", "Jan 2025", "Jul 2025", "Jan 2026", "Jul 2026", "Jan 2027"}},
    };
    for (const auto& c : cases) {
        const chart_ticks::DateTicks axis = chart_ticks::ForDays(day(c.first), day(c.last));
        std::vector<std::string> labels;
        for (const auto& tick : axis.ticks) {
            labels.push_back(tick.label);
        }
        EXPECT_EQ(labels, std::vector<std::string>(c.labels.begin(), c.labels.end())) << c.first;
        ASSERT_FALSE(axis.ticks.empty());
        EXPECT_EQ(axis.first, axis.ticks.front().day);
        EXPECT_EQ(axis.last, axis.ticks.back().day);
        EXPECT_LE(axis.first, day(c.first));
        EXPECT_GE(axis.last, day(c.last));
    }
}

} // namespace
