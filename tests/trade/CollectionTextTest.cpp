#include "data/CardKey.h"
#include "data/DateTime.h"
#include "trade/CollectionText.h"

#include <gtest/gtest.h>

#include <map>

namespace {

class CollectionTextTest : public ::testing::Test {
protected:
    std::map<std::int32_t, std::string> names{{1, "Card A"}, {2, "Card B"}};
    CardNameOf nameOf = [this](std::int32_t id) {
        const auto it = names.find(id);
        return it == names.end() ? std::string() : it->second;
    };
    // Card A: 2.5 regular, 10 foil; Card B: 0.4 regular, 1 foil; others unknown.
    CardValueOf valueOf = [](std::int32_t key) -> std::optional<double> {
        const bool foil = card_key::IsFoil(key);
        switch (card_key::CatalogueId(key)) {
        case 1:
            return foil ? 10.0 : 2.5;
        case 2:
            return foil ? 1.0 : 0.4;
        default:
            return std::nullopt;
        }
    };
};

}  // namespace

TEST_F(CollectionTextTest, CollectionRowsShowFoilAndSkipZero)
{
    const auto regular = CollectionRow(5, 1, nameOf);
    ASSERT_TRUE(regular);
    EXPECT_EQ(regular->quantity, "5");
    EXPECT_EQ(regular->name, "Card A");
    const auto foil = CollectionRow(1, card_key::Foil(1), nameOf);
    ASSERT_TRUE(foil);
    EXPECT_EQ(foil->name, "Foil Card A");
    EXPECT_FALSE(CollectionRow(0, 1, nameOf));
    // Keys at or past twice the offset are not foil keys; the id is the low 24 bits.
    EXPECT_EQ(CardKeyName(2 * card_key::kFoilOffset + 2, nameOf), "Card B");
}

TEST_F(CollectionTextTest, DealDetails)
{
    EXPECT_EQ(DealDetails(0, {{1, 2}, {card_key::Foil(2), 1}}, 12.5f, nameOf),
              "Bought:2xCard A 1xFoil Card B for 12.5");
    EXPECT_EQ(DealDetails(1, {{1, 3}}, 0.04f, nameOf), "Sold:3xCard A for 0.04");
    EXPECT_EQ(DealDetails(7, {{99, 1}}, 1.0f, nameOf), "Sold:1x for 1.0");
    EXPECT_EQ(DealDetails(0, {}, 3.0f, nameOf), "Bought:for 3.0");
    // The Set column: each known set once, in the order the details first name it.
    const CardSetOf setOf = [](std::int32_t id) {
        return id == 1 ? SetLabel{"7ED", "Seventh Edition"}
                       : id == 2 ? SetLabel{"ODY", "Odyssey"} : SetLabel{};
    };
    const SetLabel sets = DealSets({{2, 1}, {99, 1}, {card_key::Foil(1), 1}, {1, 4}}, setOf);
    EXPECT_EQ(sets.code, "ODY, 7ED");
    EXPECT_EQ(sets.name, "Odyssey, Seventh Edition");
    EXPECT_EQ(DealSets({{1, 1}}, {}).code, "");
}

TEST_F(CollectionTextTest, DealDateIsEnglishWithTwoDigitDay)
{
    EXPECT_EQ(DealDateText(DateTime(2026, 12, 6, 23, 15, 2)), "December 06 2026 23:15:02");
}

TEST_F(CollectionTextTest, RowsAndDealsAreWorthCountTimesTodaysValue)
{
    EXPECT_EQ(CollectionRow(3, 1, nameOf, valueOf)->value, "7.5");
    EXPECT_EQ(CollectionRow(2, card_key::Foil(1), nameOf, valueOf)->value, "20.0");
    EXPECT_EQ(CollectionRow(4, 99, nameOf, valueOf)->value, "");  // not in the catalogue
    EXPECT_FALSE(CollectionRow(4, 99, nameOf, valueOf)->worth);
    EXPECT_EQ(CollectionRow(4, 1, nameOf)->value, "");            // no values known at all

    EXPECT_DOUBLE_EQ(*DealWorth({{1, 2}, {card_key::Foil(2), 3}, {99, 5}}, valueOf), 8.0);
    EXPECT_FALSE(DealWorth({{99, 5}}, valueOf));
    EXPECT_EQ(WorthText(DealWorth({{2, 3}}, valueOf)), "1.2");
}

TEST_F(CollectionTextTest, WorthCaptions)
{
    EXPECT_EQ(CollectionWorthCaption(27.5, 6, 0), "Total worth: 27.5 Tix (6 cards)");
    EXPECT_EQ(CollectionWorthCaption(2.5, 1, 2), "Total worth: 2.5 Tix (1 card; 2 without a price)");
    EXPECT_EQ(DealWorthCaption(12.5, 20.0, 3.0, 1.5),
              "Bought for 12.5 Tix, worth 20.0 today; sold for 3.0 Tix, worth 1.5 today");
}
