#include "support/CardBuilder.h"
#include "support/FakeCatalogueRows.h"
#include "support/TradeLineBuilder.h"

#include "data/CardKey.h"
#include "lookup/OfferReader.h"
#include "trade/TradeList.h"
#include "trade/TradeListFile.h"
#include "trade/TradeListRules.h"

#include <gtest/gtest.h>

#include <cstring>

#include <map>
#include <string>
#include <vector>

TEST(TradeListEntry, NameIsCutAtACharacterBoundaryAndZeroFilled)
{
    TradeListEntry entry;
    std::memset(entry.name, 'x', sizeof(entry.name));
    SetEntryName(entry, "Ash");
    EXPECT_EQ(EntryName(entry), "Ash");
    for (std::size_t i = 3; i < sizeof(entry.name); ++i) {
        ASSERT_EQ(entry.name[i], '\0') << i;
    }
    // 127 two-byte letters fill 254 bytes; one more would split across the 255-byte limit.
    std::string longName;
    for (int i = 0; i < 128; ++i) {
        longName += "\xC3\xA9";
    }
    SetEntryName(entry, longName);
    EXPECT_EQ(EntryName(entry).size(), 254u);
    // A full field without a zero is read up to its end, never beyond.
    std::memset(entry.name, 'y', sizeof(entry.name));
    EXPECT_EQ(EntryName(entry).size(), 256u);
}

TEST(TradeListEntry, DisplayNameAddsFoilOnlyForFoilOne)
{
    TradeListEntry entry = MakeTradeLine(5, "Card A", 1, 1, 1);
    EXPECT_EQ(EntryDisplayName(entry), "Card A");
    entry.foil = 1;
    EXPECT_EQ(EntryDisplayName(entry), "Foil Card A");
    entry.foil = 2; // only exactly 1 shows the word
    EXPECT_EQ(EntryDisplayName(entry), "Card A");
}

class TradeListRefresh : public ::testing::Test {
protected:
    TradeList list;
};

TEST_F(TradeListRefresh, EmptyListGivesNoRowsAndPaddedZeroTotals)
{
    list.SetTotals(3.0f, 4.0f);
    EXPECT_TRUE(RefreshTradeList(list).empty());
    EXPECT_EQ(TotalsLabel(list.BuyTotal(), list.SellTotal()), "Buy Value: 0.0; Sell Value: 0.0");
}

TEST_F(TradeListRefresh, TotalsPadToWidthFourAndWiden)
{
    EXPECT_EQ(TotalsLabel(5.0f, 12.5f), "Buy Value: 5.0; Sell Value:12.5");
    EXPECT_EQ(TotalsLabel(123.0f, 0.04f), "Buy Value:123.0; Sell Value:0.04");
}

TEST_F(TradeListRefresh, RowsInKeyOrderWithFoilAfterRegularAndTexts)
{
    list.Set(card_key::Foil(7), MakeTradeLine(7, "Card A", 1, 12.5f, 12.5f, true));
    list.Set(9, MakeTradeLine(9, "Card B", 3, 1.25f, 5.0f));
    list.Set(7, MakeTradeLine(7, "Card A", 2, 5.0f, 4.0f));
    const auto rows = RefreshTradeList(list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].key, 7);
    EXPECT_EQ(rows[1].key, 9);
    EXPECT_EQ(rows[2].key, card_key::Foil(7));
    EXPECT_EQ(rows[0].quantity, "2");
    EXPECT_EQ(rows[0].buy, "5.0");
    EXPECT_EQ(rows[1].buy, "1.25"); // the hundredths are shown when they count
    EXPECT_EQ(rows[2].name, "Foil Card A");
    EXPECT_EQ(rows[2].buy, "12.5");
    // 2 x 5 + 3 x 1.25 + 12.5 = 26.25; 2 x 4 + 3 x 5 + 12.5 = 35.5
    EXPECT_FLOAT_EQ(list.BuyTotal(), 26.25f);
    EXPECT_FLOAT_EQ(list.SellTotal(), 35.5f);
}

TEST_F(TradeListRefresh, MarksTickTheValueBoxes)
{
    TradeListEntry entry = MakeTradeLine(1, "Card A", 1, 1, 1);
    entry.selling_mark = 7;
    list.Set(1, entry);
    const auto rows = RefreshTradeList(list);
    EXPECT_FALSE(rows[0].buyTicked);
    EXPECT_TRUE(rows[0].sellTicked);
}

class TradeListEditing : public ::testing::Test {
protected:
    void SetUp() override { list.Set(3, MakeTradeLine(3, "Card A", 2, 1.0f, 2.0f)); }
    TradeList list;
};

TEST_F(TradeListEditing, QuantityTakesTheLeadingIntegerLikeAtoi)
{
    EXPECT_TRUE(ApplyCellEdit(list, 3, kQuantityColumn, "  +7 copies"));
    EXPECT_EQ(list.Get(3).quantity, 7);
    ApplyCellEdit(list, 3, kQuantityColumn, "-2");
    EXPECT_EQ(list.Get(3).quantity, -2);
}

// Values no trade holds are refused as they are typed and as a file brings them, and the
// totals of whatever the list holds are numbers, never "inf" or "nan".
TEST_F(TradeListEditing, ValuesNoTradeHoldsAreRefusedAndTotalsStayNumbers)
{
    for (const auto& [column, text] :
         std::vector<std::pair<int, const char*>>{{kQuantityColumn, "99999999999"},
                                                  {kQuantityColumn, "1000001"},
                                                  {kBuyColumn, "3e38"},
                                                  {kSellColumn, "1000000.5"},
                                                  {kSellColumn, "-2e6"}}) {
        EXPECT_FALSE(RefusedEdit(column, text).empty()) << text;
        EXPECT_FALSE(ApplyCellEdit(list, 3, column, text)) << text;
    }
    EXPECT_EQ(list.Get(3), MakeTradeLine(3, "Card A", 2, 1.0f, 2.0f));
    EXPECT_TRUE(ApplyCellEdit(list, 3, kQuantityColumn, "1000000"));

    TradeList extreme;
    extreme.Set(1, MakeTradeLine(1, "Card A", INT32_MAX, 3.4e38f, 3.4e38f));
    extreme.Set(2, MakeTradeLine(2, "Card B", INT32_MAX, 3.4e38f, -3.4e38f));
    EXPECT_EQ(ParseTradeList(SerializeTradeList(extreme)).status, TradeListFileStatus::Refused);
    RefreshTradeList(extreme);
    const std::string label = TotalsLabel(extreme.BuyTotal(), extreme.SellTotal());
    EXPECT_EQ(label.find("inf"), std::string::npos) << label;
    EXPECT_EQ(label.find("nan"), std::string::npos) << label;
}

TEST_F(TradeListEditing, EmptyQuantityKeepsTheRowAndAddsNothing)
{
    ApplyCellEdit(list, 3, kQuantityColumn, "");
    const auto rows = RefreshTradeList(list);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].quantity, "0");
    EXPECT_EQ(list.BuyTotal(), 0.0f);
}

TEST_F(TradeListEditing, PricesTakeTheLeadingNumberAndZeroForText)
{
    ApplyCellEdit(list, 3, kBuyColumn, " 12.5 tix");
    ApplyCellEdit(list, 3, kSellColumn, "cheap");
    EXPECT_FLOAT_EQ(list.Get(3).buy_value, 12.5f);
    EXPECT_EQ(list.Get(3).sell_value, 0.0f);
    ApplyCellEdit(list, 3, kBuyColumn, "nan");
    EXPECT_EQ(list.Get(3).buy_value, 0.0f);
    ApplyCellEdit(list, 3, kSellColumn, "1e99");
    EXPECT_EQ(list.Get(3).sell_value, 0.0f);
}

TEST_F(TradeListEditing, NameColumnAndUnknownKeysChangeNothing)
{
    const TradeListEntry before = list.Get(3);
    EXPECT_FALSE(ApplyCellEdit(list, 3, kNameColumn, "5"));
    EXPECT_FALSE(ApplyCellEdit(list, 4, kQuantityColumn, "5"));
    EXPECT_EQ(list.Get(3), before);
    EXPECT_FALSE(list.Contains(4));
}

TEST_F(TradeListEditing, ATickedSellBoxSurvivesAQuantityEdit)
{
    SetTradeListMark(list, 3, kSellColumn, true);
    ApplyCellEdit(list, 3, kQuantityColumn, "4");
    const auto rows = RefreshTradeList(list);
    EXPECT_TRUE(rows[0].sellTicked);
    EXPECT_FALSE(rows[0].buyTicked);
    SetTradeListMark(list, 3, kSellColumn, false);
    SetTradeListMark(list, 3, kNameColumn, true); // the name box is not stored
    EXPECT_EQ(list.Get(3).selling_mark, 0);
    EXPECT_EQ(list.Get(3).buying_mark, 0);
}

class PutIntoListTest : public ::testing::Test {
protected:
    FakeCatalogueRows catalogue;
    TradeList list;
};

TEST_F(PutIntoListTest, FilesRegularAndFoilLinesOfTickedRows)
{
    catalogue.Add(MakeCard(10, "Card A", 2.0f, 9.0f), true, true, true);
    catalogue.Add(MakeCard(11, "Card B", 3.0f, 4.0f), false, true, true);  // name not ticked
    catalogue.Add(MakeCard(12, "Card C", 1.0f, 1.0f), true, false, false); // no value ticked
    EXPECT_EQ(PutIntoList(list, catalogue), 2);
    ASSERT_EQ(list.Count(), 2u);
    const TradeListEntry regular = list.Get(10);
    EXPECT_EQ(regular.card_id, 10);
    EXPECT_EQ(regular.quantity, 1);
    EXPECT_EQ(regular.foil, 0);
    EXPECT_EQ(regular.buy_value, 2.0f);
    EXPECT_EQ(regular.sell_value, 2.0f);
    EXPECT_EQ(EntryName(regular), "Card A");
    const TradeListEntry foil = list.Get(card_key::Foil(10));
    EXPECT_EQ(foil.card_id, 10);
    EXPECT_EQ(foil.foil, 1);
    EXPECT_EQ(foil.buy_value, 9.0f);
    EXPECT_EQ(foil.buying_mark, 0);
}

TEST_F(PutIntoListTest, TwiceLeavesOneLineWithQuantityOneEvenAfterAnEdit)
{
    catalogue.Add(MakeCard(10, "Card A", 2.0f, 9.0f), true, true, false);
    PutIntoList(list, catalogue);
    ApplyCellEdit(list, 10, kQuantityColumn, "5");
    PutIntoList(list, catalogue);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Get(10).quantity, 1);
}

TEST_F(PutIntoListTest, ACardWhoseFoilLineIsListedAddsNothing)
{
    catalogue.Add(MakeCard(10, "Card A", 2.0f, 9.0f), true, true, true);
    TradeListEntry foil = MakeTradeLine(10, "Card A", 4, 8.0f, 8.0f, true);
    list.Set(card_key::Foil(10), foil);
    EXPECT_EQ(PutIntoList(list, catalogue), 0);
    EXPECT_FALSE(list.Contains(10));
    EXPECT_EQ(list.Get(card_key::Foil(10)).quantity, 4);
}

// After a copied offer (Best Match First), the cards it names get its quantity and, on the
// user's side of the deal, its asked price: a seller's price is what the user would buy at.
TEST_F(PutIntoListTest, AnOfferGivesItsQuantitiesAndAskedPrices)
{
    catalogue.Add(MakeCard(10, "Card A", 2.0f, 9.0f), true, true, true);
    catalogue.Add(MakeCard(11, "Card B", 3.0f, 4.0f), true, true, false);
    Offer offer;
    offer.side = Offer::Side::Sells;
    offer.items = {{"Card A", 4, true, 1.5}, {"Card B", 1, false, std::nullopt}};
    EXPECT_EQ(PutIntoList(list, catalogue, &offer), 3);
    EXPECT_EQ(list.Get(10).quantity, 4);
    EXPECT_EQ(list.Get(10).buy_value, 1.5f);
    EXPECT_EQ(list.Get(10).sell_value, 2.0f);
    EXPECT_EQ(list.Get(card_key::Foil(10)).quantity, 4);
    EXPECT_EQ(list.Get(11).quantity, 1);
    EXPECT_EQ(list.Get(11).buy_value, 3.0f);
    offer.side = Offer::Side::Buys;  // a buyer's price is what the user would sell at
    list.Clear();
    PutIntoList(list, catalogue, &offer);
    EXPECT_EQ(list.Get(10).buy_value, 2.0f);
    EXPECT_EQ(list.Get(10).sell_value, 1.5f);
}

TEST(TradeListRemoval, RemoveTickedAndRemoveAll)
{
    TradeList list;
    list.Set(1, MakeTradeLine(1, "A", 1, 1, 1));
    list.Set(card_key::Foil(1), MakeTradeLine(1, "A", 1, 1, 1, true));
    list.Set(2, MakeTradeLine(2, "B", 1, 1, 1));
    EXPECT_EQ(RemoveTicked(list, {}), 0u);
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(RemoveTicked(list, {card_key::Foil(1), 2}), 2u);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_TRUE(list.Contains(1));
    RefreshTradeList(list);
    EXPECT_NE(list.BuyTotal(), 0.0f);
    RemoveAll(list);
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.BuyTotal(), 0.0f);
    EXPECT_EQ(list.SellTotal(), 0.0f);
}
