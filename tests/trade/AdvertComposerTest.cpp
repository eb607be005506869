#include "data/CardKey.h"
#include "trade/AdvertComposer.h"
#include "trade/TradeList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Composer : public ::testing::Test {
protected:
    // Adds a line and a grid row for it, in display order.
    void Add(std::int32_t key, const std::string& name, std::int32_t quantity, float buy,
             float sell, bool buyTicked, bool sellTicked)
    {
        TradeListEntry entry;
        entry.card_id = card_key::CatalogueId(key);
        entry.quantity = quantity;
        SetEntryName(entry, name);
        entry.foil = card_key::IsFoil(key) ? 1 : 0;
        entry.buy_value = buy;
        entry.sell_value = sell;
        list.Set(key, entry);
        rows.push_back({key, buyTicked, sellTicked});
    }
    TradeList list;
    std::vector<TradeGridRow> rows;
};

}  // namespace

TEST(PriceTokensTest, SingleDigitsLettersAndDigitByDigit)
{
    EXPECT_EQ(PriceTokens(-5), "{0}");
    EXPECT_EQ(PriceTokens(0), "{0}");
    EXPECT_EQ(PriceTokens(7), "{7}");
    EXPECT_EQ(PriceTokens(10), "{a}");
    EXPECT_EQ(PriceTokens(11), "{1}{1}");
    EXPECT_EQ(PriceTokens(12), "{c}");
    EXPECT_EQ(PriceTokens(13), "{1}{3}");
    EXPECT_EQ(PriceTokens(14), "{1}{4}");
    EXPECT_EQ(PriceTokens(15), "{1}{5}");
    EXPECT_EQ(PriceTokens(16), "{l}");
    EXPECT_EQ(PriceTokens(120), "{1}{2}{0}");
    EXPECT_EQ(PriceTokens(70000), "{7}{0}{0}{0}{0}");
}

TEST(RoundedTotalTest, RoundsHalfUpAndNeverGoesBelowZero)
{
    EXPECT_EQ(RoundedTotal(1, 2.5f), 3);
    EXPECT_EQ(RoundedTotal(1, 2.4f), 2);
    EXPECT_EQ(RoundedTotal(0, 9.0f), 0);
    EXPECT_EQ(RoundedTotal(3, 4.0f), 12);
    EXPECT_EQ(RoundedTotal(1, -5.0f), 0);
    EXPECT_EQ(RoundedTotal(-3, 5.0f), 0);
    EXPECT_EQ(RoundedTotal(1, std::numeric_limits<float>::quiet_NaN()), 0);
    // Far beyond 16 bits: every digit is kept, nothing wraps.
    EXPECT_EQ(RoundedTotal(1000, 70.0f), 70000);
    EXPECT_EQ(RoundedTotal(INT32_MAX, 3.0e38f), INT64_MAX);
}

TEST_F(Composer, OneRegularCardForBuying)
{
    Add(1, "Card A", 1, 5.0f, 5.0f, true, false);
    EXPECT_EQ(ComposeTradePost(rows, list), "{t}Buying{t}Card A for {5},");
}

TEST_F(Composer, QuantityThreeForSellingHasNoBlankAfterX)
{
    Add(1, "Card A", 3, 5.0f, 5.0f, false, true);
    EXPECT_EQ(ComposeTradePost(rows, list), "{t}Selling{t}3xCard A for {1}{5}{v}");
    // 3 x 4 = 12, which has its own letter token like 10 and 16.
    list.Set(1, [&] { auto e = list.Get(1); e.sell_value = 4.0f; return e; }());
    EXPECT_EQ(ComposeTradePost(rows, list), "{t}Selling{t}3xCard A for {c}{v}");
}

TEST_F(Composer, FoilItemsStartWithABlank)
{
    Add(card_key::Foil(1), "Card A", 1, 3.0f, 3.0f, true, false);
    Add(card_key::Foil(2), "Card B", 2, 3.0f, 3.0f, false, true);
    EXPECT_EQ(ComposeTradePost(rows, list),
              "{t}Buying{t} Foil Card A for {3},{t}Selling{t}2x Foil Card B for {6}{v}");
}

TEST_F(Composer, LaterRowsStandFirstInTheirGroupAndGroupsAscend)
{
    Add(1, "Card A", 1, 2.0f, 0.0f, true, false);
    Add(2, "Card B", 1, 5.0f, 0.0f, true, false);
    Add(3, "Card C", 1, 5.0f, 0.0f, true, false);
    EXPECT_EQ(ComposeTradePost(rows, list), "{t}Buying{t}Card A for {2},Card C,Card B for {5},");
}

TEST_F(Composer, DisplayOrderNotKeyOrderDecidesWithinAGroup)
{
    Add(3, "Card C", 1, 5.0f, 0.0f, true, false);
    Add(1, "Card A", 1, 5.0f, 0.0f, true, false);
    EXPECT_EQ(ComposeTradePost(rows, list), "{t}Buying{t}Card A,Card C for {5},");
}

TEST_F(Composer, LetterTokensForTenTwelveSixteen)
{
    Add(1, "A", 1, 10.0f, 0.0f, true, false);
    Add(2, "B", 1, 12.0f, 0.0f, true, false);
    Add(3, "C", 1, 16.0f, 0.0f, true, false);
    Add(4, "D", 1, 11.0f, 0.0f, true, false);
    EXPECT_EQ(ComposeTradePost(rows, list),
              "{t}Buying{t}A for {a},D for {1}{1},B for {c},C for {l},");
}

TEST_F(Composer, ARowTickedBothWaysIsInBothPartsBuyingFirst)
{
    Add(1, "Card A", 1, 2.0f, 3.0f, true, true);
    Add(2, "Card B", 0, 2.0f, 3.0f, false, true);
    EXPECT_EQ(ComposeTradePost(rows, list),
              "{t}Buying{t}Card A for {2},{t}Selling{t}Card B for {0}{v}Card A for {3}{v}");
}

TEST_F(Composer, NothingTickedGivesEmptyText)
{
    Add(1, "Card A", 1, 2.0f, 3.0f, false, false);
    EXPECT_EQ(ComposeTradePost(rows, list), "");
    EXPECT_EQ(ComposeTradePost({}, TradeList{}), "");
}

TEST_F(Composer, TotalsOutsideSixteenBitsStayInTheirPartWithTheirDigits)
{
    // 65536 + 3 would once have read as a selling group of price 3.
    Add(1, "Big", 65539, 1.0f, 0.0f, true, false);
    Add(2, "Neg", 1, -4.0f, 0.0f, true, false);
    Add(3, "Zero", 1, 0.0f, 0.0f, true, false);
    EXPECT_EQ(ComposeTradePost(rows, list),
              "{t}Buying{t}Zero,Neg for {0},65539xBig for {6}{5}{5}{3}{9},");
}

TEST_F(Composer, AuctionListInCapitalsWithQuantityPrefixes)
{
    Add(1, "Card A", 1, 0.0f, 0.0f, false, false);
    Add(card_key::Foil(2), "Card B", 2, 0.0f, 0.0f, false, false);
    EXPECT_EQ(ComposeAuctionList(rows, list, 0.0f, "obo"), "CARD A+ 2x  FOIL CARD B obo-NO MIN-");
}

TEST_F(Composer, AuctionMinimumRoundsPositivePricesOnly)
{
    EXPECT_EQ(AuctionMinimum(7.5f), "-8-");
    EXPECT_EQ(AuctionMinimum(0.2f), "-0-");
    EXPECT_EQ(AuctionMinimum(0.0f), "-NO MIN-");
    EXPECT_EQ(AuctionMinimum(-3.0f), "-NO MIN-");
    EXPECT_EQ(ComposeAuctionList({}, list, 7.5f, "hi "), "hi -8-");
}

TEST(AuctionCapitals, AsciiAndLatinSmallLettersOnly)
{
    EXPECT_EQ(ToAuctionCapitals("aether vial"), "AETHER VIAL");
    EXPECT_EQ(ToAuctionCapitals("J\xC3\xB6tun \xC3\xB7 \xE2\x82\xAC"),
              "J\xC3\x96TUN \xC3\xB7 \xE2\x82\xAC");
}
