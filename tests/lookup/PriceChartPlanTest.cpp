#include "data/CardRecord.h"
#include "lookup/PriceChartPlan.h"

#include <gtest/gtest.h>

namespace {

CardRecord Card(DateTime updated)
{
    CardRecord card;
    card.reg_value = 2.5f;
    card.foil_value = 7.0f;
    card.update_date = updated;
    return card;
}

PricePoint Day(const char* date, double reg, double foil)
{
    PricePoint point;
    point.date = date;
    point.reg_value = reg;
    point.foil_value = foil;
    return point;
}

TEST(PriceChartPlan, AHistoryIsChartedAsStoredWithoutANote)
{
    const PriceChartPlan plan = PlanPriceChart(
        {Day("2026-11-01", 1.0, 3.0), Day("2026-11-02", 1.5, 3.5)}, Card(DateTime()), "2026-12-08");
    ASSERT_EQ(plan.points.size(), 2u);
    EXPECT_EQ(plan.points[1].date, "2026-11-02");
    EXPECT_DOUBLE_EQ(plan.points[1].foil_value, 3.5);
    EXPECT_TRUE(plan.note.empty());
}

TEST(PriceChartPlan, OneKnownPriceIsOnePointAndSaysSo)
{
    // A row whose date is not a calendar day is left out, so one day remains.
    const PriceChartPlan plan = PlanPriceChart(
        {Day("2026-02-30", 9.0, 9.0), Day("2026-11-01", 1.0, 3.0), Day("yesterday", 9.0, 9.0)},
        Card(DateTime()), "2026-12-08");
    ASSERT_EQ(plan.points.size(), 1u);
    EXPECT_EQ(plan.note, "Only one price is known for this card (2026-11-01).");
}

TEST(PriceChartPlan, NoHistoryShowsTheCurrentValueOnItsUpdateDay)
{
    const struct {
        DateTime updated;
        const char* day;
    } cases[] = {{DateTime(2026, 11, 3, 10, 0, 0), "2026-11-03"}, {DateTime::Zero(), "2026-12-08"}};
    for (const auto& c : cases) {
        const PriceChartPlan plan = PlanPriceChart({}, Card(c.updated), "2026-12-08");
        ASSERT_EQ(plan.points.size(), 1u);
        EXPECT_EQ(plan.points[0].date, c.day);
        EXPECT_DOUBLE_EQ(plan.points[0].reg_value, 2.5);
        EXPECT_DOUBLE_EQ(plan.points[0].foil_value, 7.0);
        EXPECT_NE(plan.note.find("No price history"), std::string::npos) << plan.note;
    }
}

TEST(PriceChartPlan, TipTexts)
{
    EXPECT_EQ(PricePointText("2026-11-01", "Regular", 12.5), "2026-11-01  Regular: 12.5 Tix");
    EXPECT_EQ(PricePointText("2026-11-02", "Foil", 0.03), "2026-11-02  Foil: 0.03 Tix");
}

} // namespace
