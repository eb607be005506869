#include "lookup/ShownCardsTable.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

// The table lists records in place, as it lists the catalogue's: they live with the test.
std::deque<CardRecord> g_cards;

const CardRecord& Card(std::int32_t id, float value, std::int32_t set = 10)
{
    CardRecord card;
    card.id = id;
    card.name = "card " + std::to_string(id);
    card.reg_value = value;
    card.expansion = set;
    return g_cards.emplace_back(std::move(card));
}

TEST(ShownCardsTableTest, ACardIsShownOnce)
{
    ShownCardsTable table;
    EXPECT_TRUE(table.Add(Card(7, 1.0f), false));
    CardRecord changed = Card(7, 9.0f);
    EXPECT_FALSE(table.Add(changed, false));
    ASSERT_NE(table.Find(7), nullptr);
    EXPECT_FLOAT_EQ(table.Find(7)->reg_value, 1.0f);
    EXPECT_EQ(table.Find(8), nullptr);
}

TEST(ShownCardsTableTest, ClipboardStopsAtOneHundredTypedSearchDoesNot)
{
    ShownCardsTable table;
    for (int id = 1; id <= 150; ++id) {
        table.Add(Card(id, 1.0f), true);
    }
    EXPECT_EQ(table.Size(), 100u);
    EXPECT_FALSE(table.Add(Card(1000, 1.0f), true));
    EXPECT_TRUE(table.Add(Card(1000, 1.0f), false));  // typed search past the cap
    EXPECT_EQ(table.Size(), 101u);
    table.Clear();
    EXPECT_TRUE(table.Empty());
    EXPECT_TRUE(table.IdsInAddOrder().empty());
    EXPECT_TRUE(table.Add(Card(1, 1.0f), true));
}

TEST(ShownCardsTableTest, GridOrderIsValueThenSetThenAddOrder)
{
    ShownCardsTable table;
    ShownCardsSink& sink = table;
    sink.ClearShownCards();
    sink.AddShownCard(Card(1, 0.5f, 10), false);
    sink.AddShownCard(Card(2, 3.0f, 10), false);
    sink.AddShownCard(Card(3, 0.5f, 90), false);
    sink.AddShownCard(Card(4, 3.0f, 10), false);
    sink.AddShownCard(Card(5, std::numeric_limits<float>::quiet_NaN(), 10), false);
    std::vector<std::int32_t> ids;
    for (const CardRecord& card : table.CardsInGridOrder()) {
        ids.push_back(card.id);
    }
    EXPECT_EQ(ids, (std::vector<std::int32_t>{2, 4, 3, 1, 5}));
    EXPECT_EQ(table.IdsInAddOrder(), (std::vector<std::int32_t>{1, 2, 3, 4, 5}));
}

// A changed record and the kept copies are the table's own: the records it was given may go
// (the catalogue loaded again) and the list reads as before, ids found at their places.
TEST(ShownCardsTableTest, ReplacedAndKeptRecordsOutliveTheGivenOnes)
{
    std::vector<CardRecord> catalogue(1000);
    ShownCardsTable table;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        catalogue[i].id = std::int32_t(i * 4096);  // ids that crowd into few hash slots
        catalogue[i].reg_value = double(i);
        ASSERT_TRUE(table.Add(catalogue[i], false));
    }
    CardRecord hot = catalogue[7];
    hot.hot = 1;
    ASSERT_TRUE(table.Replace(hot));
    EXPECT_FALSE(table.Replace(Card(5, 1.0f)));
    table.KeepOwnCopies();
    for (CardRecord& card : catalogue) {
        card.reg_value = -1;  // what a reload leaves where the old records were
    }
    ASSERT_EQ(table.Size(), catalogue.size());
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        ASSERT_EQ(table.PlaceOf(std::int32_t(i * 4096)), i);
        EXPECT_EQ(table.At(i).reg_value, double(i));
    }
    EXPECT_EQ(table.Find(7 * 4096)->hot, 1);
    EXPECT_EQ(table.PlaceOf(1), ShownCardsTable::kNotListed);
}

}  // namespace
