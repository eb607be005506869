#include "lookup/CardComparison.h"
#include "data/CardRecord.h"
#include "lookup/CardGridColumn.h"
#include "support/CardBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

CardRecord Card(int id, const char* name, float reg, float foil, int set, int rarity,
                DateTime date = DateTime())
{
    return MakeCard(id, name, reg, foil, set, 0, rarity, 0, date);
}

class CardComparisonTest : public ::testing::Test {
protected:
    const CardRecord m_boltSeventh =
        Card(1, "Lightning Bolt", 1.5f, 4.0f, 10, 10, DateTime(2026, 1, 2));
    const CardRecord m_boltOdyssey =
        Card(2, "Lightning Bolt", 1.5f, 4.0f, 50, 10, DateTime(2026, 1, 2));
    const CardRecord m_counter =
        Card(3, "Counterspell", 0.5f, 9.0f, 30, 20, DateTime(2025, 6, 1, 12));
    const CardRecord m_lower = Card(4, "counterspell", 3.0f, 1.0f, 20, 30, DateTime(2027, 1, 1));
};

TEST_F(CardComparisonTest, NamesCompareByteWiseAndCaseSensitive)
{
    EXPECT_EQ(CompareCardsInColumn(kNameColumn, m_counter, m_boltSeventh), -1);
    EXPECT_EQ(CompareCardsInColumn(kNameColumn, m_boltSeventh, m_counter), 1);
    // Capitals sort before small letters byte-wise.
    EXPECT_EQ(CompareCardsInColumn(kNameColumn, m_counter, m_lower), -1);
    CardRecord accented = m_counter;
    accented.name = "\xC3\x89"
                    "clair"; // UTF-8 bytes above 0x7F sort after ASCII
    EXPECT_EQ(CompareCardsInColumn(kNameColumn, accented, m_lower), 1);
}

TEST_F(CardComparisonTest, EqualKeysFallBackToTheSetOrder)
{
    for (int column : std::initializer_list<int>{kNameColumn, kRarityColumn, kRegValueColumn,
                                                 kFoilValueColumn, kUpdateDateColumn}) {
        EXPECT_EQ(CompareCardsInColumn(column, m_boltSeventh, m_boltOdyssey), -1) << column;
        EXPECT_EQ(CompareCardsInColumn(column, m_boltOdyssey, m_boltSeventh), 1) << column;
        EXPECT_EQ(CompareCardsInColumn(column, m_boltSeventh, m_boltSeventh), 0) << column;
    }
}

TEST_F(CardComparisonTest, RaritiesValuesAndDatesCompareSmallerFirst)
{
    EXPECT_EQ(CompareCardsInColumn(kRarityColumn, m_boltOdyssey, m_counter), -1);
    EXPECT_EQ(CompareCardsInColumn(kRarityColumn, m_lower, m_counter), 1);
    EXPECT_EQ(CompareCardsInColumn(kRegValueColumn, m_counter, m_boltOdyssey), -1);
    EXPECT_EQ(CompareCardsInColumn(kRegValueColumn, m_lower, m_boltOdyssey), 1);
    EXPECT_EQ(CompareCardsInColumn(kFoilValueColumn, m_counter, m_boltOdyssey), 1);
    EXPECT_EQ(CompareCardsInColumn(kFoilValueColumn, m_lower, m_counter), -1);
    EXPECT_EQ(CompareCardsInColumn(kUpdateDateColumn, m_counter, m_boltOdyssey), -1);
    EXPECT_EQ(CompareCardsInColumn(kUpdateDateColumn, m_lower, m_boltOdyssey), 1);
    // The set tie-break does not override a difference in the column itself.
    EXPECT_EQ(CompareCardsInColumn(kRegValueColumn, m_lower, m_boltSeventh), 1);
}

TEST_F(CardComparisonTest, HotShowCardsAndUnknownColumnsGiveNoOrder)
{
    for (int column : std::initializer_list<int>{kHotColumn, kShowCardsColumn, 7, -1}) {
        EXPECT_EQ(CompareCardsInColumn(column, m_boltSeventh, m_lower), 0) << column;
        EXPECT_EQ(CompareCardsInColumn(column, m_lower, m_boltSeventh), 0) << column;
    }
}

TEST_F(CardComparisonTest, NotANumberSortsConsistentlyBelowNumbers)
{
    CardRecord broken = m_boltSeventh;
    broken.reg_value = std::nanf("");
    EXPECT_EQ(CompareCardsInColumn(kRegValueColumn, broken, m_counter), -1);
    EXPECT_EQ(CompareCardsInColumn(kRegValueColumn, m_counter, broken), 1);
    CardRecord brokenOdyssey = broken;
    brokenOdyssey.expansion = 50;
    EXPECT_EQ(CompareCardsInColumn(kRegValueColumn, broken, brokenOdyssey), -1);
}

TEST_F(CardComparisonTest, SortingByRegValueDescendingListsEqualValuesInSetOrder)
{
    std::vector<CardRecord> cards = {Card(10, "a", 2.0f, 0, 90, 10), Card(11, "b", 5.0f, 0, 40, 10),
                                     Card(12, "c", 2.0f, 0, 10, 10), Card(13, "d", 2.0f, 0, 50, 10),
                                     Card(14, "e", 0.1f, 0, 20, 10)};
    std::sort(cards.begin(), cards.end(), [](const CardRecord& a, const CardRecord& b) {
        return CompareCardsInColumn(kRegValueColumn, a, b) > 0;
    });
    std::vector<int> ids;
    for (const auto& card : cards) {
        ids.push_back(card.id);
    }
    // Descending reverses the tie-break too: among equal values the higher set comes first.
    EXPECT_EQ(ids, (std::vector<int>{11, 10, 13, 12, 14}));
}

// The sort keys order every pair of cards as the comparison does before the set tie-break,
// including values that are not numbers, infinities, minus zero and an invalid date.
TEST_F(CardComparisonTest, SortKeysOrderCardsAsTheComparison)
{
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    std::vector<CardRecord> cards = {m_boltSeventh, m_boltOdyssey, m_counter, m_lower};
    const std::vector<std::pair<double, DateTime>> odd = {{nan, DateTime(1899, 12, 29)},
                                                          {-inf, DateTime(2026, 13, 40)},
                                                          {-0.0, DateTime(1, 1, 1)},
                                                          {0.0, DateTime(2026, 1, 2, 0, 0, 1)},
                                                          {inf, DateTime()},
                                                          {-2.5, DateTime(2026, 1, 1)},
                                                          {-1.5, DateTime(9999, 12, 31)}};
    for (const auto& [value, date] : odd) {
        cards.push_back(Card(9, "x", float(value), float(-value), 10, int(value == value), date));
        cards.back().reg_value = value;
        cards.back().foil_value = -value;
    }
    for (const int column : {kRarityColumn, kRegValueColumn, kFoilValueColumn, kUpdateDateColumn}) {
        ASSERT_TRUE(HasColumnSortKey(column));
        for (const CardRecord& a : cards) {
            for (CardRecord b : cards) {
                b.expansion = a.expansion; // the tie-break aside
                const std::int64_t ka = ColumnSortKey(column, a);
                const std::int64_t kb = ColumnSortKey(column, b);
                EXPECT_EQ((ka > kb) - (ka < kb), CompareCardsInColumn(column, a, b))
                    << column << ": " << a.reg_value << " / " << b.reg_value;
            }
        }
    }
    EXPECT_FALSE(HasColumnSortKey(kNameColumn));
    EXPECT_FALSE(HasColumnSortKey(kHotColumn));
}

} // namespace
