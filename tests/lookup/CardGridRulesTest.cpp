#include "lookup/CardGridRules.h"
#include "data/DateTime.h"
#include "data/PriceText.h"
#include "lookup/CardGridColumn.h"
#include "lookup/CardItemTag.h"
#include "lookup/CardPictureLink.h"
#include "support/CardBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <set>
#include <utility>

namespace {

using namespace card_grid;

TEST(CardItemTag, PutsTheColumnInTheTopByteAndTheCardInTheLow24Bits)
{
    EXPECT_EQ(card_item_tag::Make(ColumnIndex(CardGridColumn::Hot), 1234), 1234u);
    EXPECT_EQ(card_item_tag::Make(ColumnIndex(CardGridColumn::Name), 1234), 16777216u + 1234u);
    EXPECT_EQ(card_item_tag::Make(ColumnIndex(CardGridColumn::UpdateDate), 0xFFFFFF),
              6u * 16777216u + 0xFFFFFFu);
    for (int column = 0; column < kCardGridColumnCount; ++column) {
        const auto tag = card_item_tag::Make(column, 777);
        EXPECT_EQ(card_item_tag::Column(tag), column);
        EXPECT_EQ(card_item_tag::CardId(tag), 777);
    }
    // An id that does not fit 24 bits must not spill into the column.
    EXPECT_EQ(
        card_item_tag::Column(card_item_tag::Make(ColumnIndex(CardGridColumn::Rarity), 0x1000005)),
        ColumnIndex(CardGridColumn::Rarity));
}

TEST(CardGridColumns, HaveTheirHeaderTextsAndCellTexts)
{
    const char* const headers[] = {"HOT",        "Cards Name", "Rarity",     "Reg Value",
                                   "Foil Value", "Show Cards", "Update Date"};
    ASSERT_EQ(std::size(headers), std::size_t(kCardGridColumnCount));
    for (int column = 0; column < kCardGridColumnCount; ++column) {
        ASSERT_NE(CardGridColumnOf(column), nullptr);
        EXPECT_EQ(ColumnIndex(CardGridColumnOf(column)->column), column);
        EXPECT_STREQ(CardGridColumnOf(column)->header, headers[column]);
    }
    EXPECT_EQ(CardGridColumnOf(-1), nullptr);
    EXPECT_EQ(CardGridColumnOf(kCardGridColumnCount), nullptr);
    // The image columns show no text.
    EXPECT_EQ(CardGridColumnOf(CardGridColumn::Hot).text, nullptr);
    EXPECT_EQ(CardGridColumnOf(CardGridColumn::Rarity).text, nullptr);
    const CardRecord card = MakeCard(1, "Wrath of God", 2.5, 12.0, 10, 57, 30);
    EXPECT_EQ(CardGridColumnOf(CardGridColumn::Name).text(card, {}), "Wrath of God");
    EXPECT_EQ(CardGridColumnOf(CardGridColumn::FoilValue).text(card, {}), "12.0");
    EXPECT_EQ(CardGridColumnOf(CardGridColumn::ShowCards).text(card, {}), CardLink(10, "", 57));
}

TEST(RarityImage, MapsTheTwentySevenSetsAndRaritiesOntoDistinctImages)
{
    EXPECT_EQ(RarityImageIndex(10, 10), 0);
    EXPECT_EQ(RarityImageIndex(10, 30), 2);
    EXPECT_EQ(RarityImageIndex(20, 10), 3);
    EXPECT_EQ(RarityImageIndex(50, 20), 13);
    EXPECT_EQ(RarityImageIndex(90, 30), 26);
    std::set<int> seen;
    for (int set = 10; set <= 90; set += 10) {
        for (int rarity = 10; rarity <= 30; rarity += 10) {
            const int image = RarityImageIndex(set, rarity);
            EXPECT_GE(image, 0);
            EXPECT_LT(image, kHotSetImage);
            seen.insert(image);
        }
    }
    EXPECT_EQ(seen.size(), 27u);
}

TEST(RarityImage, TreatsOtherRaritiesAsRareAndUnknownSetsAsNoImage)
{
    EXPECT_EQ(RarityImageIndex(10, 40), RarityImageIndex(10, 30));
    EXPECT_EQ(RarityImageIndex(30, 0), RarityImageIndex(30, 30));
    EXPECT_EQ(RarityImageIndex(0, 10), -1);
    EXPECT_EQ(RarityImageIndex(100, 10), -1);
    EXPECT_EQ(RarityImageIndex(15, 10), -1);
    EXPECT_EQ(RarityImageIndex(-10, 10), -1);
}

TEST(HotMarker, ShowsTheSetMarkerForAnyNonZeroFlag)
{
    EXPECT_EQ(HotImageIndex(0), kHotClearImage);
    EXPECT_EQ(HotImageIndex(1), kHotSetImage);
    EXPECT_EQ(HotImageIndex(5), kHotSetImage);
    EXPECT_EQ(HotImageIndex(-1), kHotSetImage);
}

TEST(HotMarker, ToggleReturnsToTheFirstStateAfterTwoClicks)
{
    EXPECT_EQ(ToggledHot(1), 0);
    EXPECT_EQ(ToggledHot(0), 1);
    EXPECT_EQ(ToggledHot(ToggledHot(0)), 0);
    EXPECT_EQ(ToggledHot(ToggledHot(1)), 1);
    // A stored flag other than 0 or 1 first becomes 1 (the marker keeps showing HOT), then 0.
    EXPECT_EQ(ToggledHot(7), 1);
    EXPECT_EQ(HotImageIndex(ToggledHot(7)), HotImageIndex(7));
    EXPECT_EQ(ToggledHot(ToggledHot(7)), 0);
}

TEST(CellTexts, FormatValuesWithTwoDecimalsWhenTheHundredthsCountInAFieldOfFour)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, " 0.0"},    {2.5, " 2.5"},     {0.03, "0.03"},     {0.51, "0.51"},
        {12.25, "12.25"}, {1.3, " 1.3"},     {1.2999, " 1.3"},   {0.004, " 0.0"},
        {-1.0, "-1.0"},   {1234.5, "1234.5"}, {123.45, "123.45"}, {std::nan(""), " nan"}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ValueText(value), text) << value;
        // The cell text without its padding is the text every other view shows.
        EXPECT_EQ(PriceText(value), std::string(text).substr(text[0] == ' ' ? 1 : 0)) << value;
    }
}

TEST(CellTexts, FormatTheUpdateDateMonthFirst)
{
    EXPECT_EQ(DateText(DateTime(2026, 12, 6, 23, 5, 24)), "12-06-2026");
    EXPECT_EQ(DateText(DateTime()), "12-30-1899");
}

TEST(RarityTip, NamesTheSetAndTheRarity)
{
    EXPECT_EQ(RarityTipText("Invasion", 10), "Invasion/Common");
    EXPECT_EQ(RarityTipText("Invasion", 20), "Invasion/Uncommon");
    EXPECT_EQ(RarityTipText("Invasion", 30), "Invasion/Rare");
    EXPECT_EQ(RarityTipText("Invasion", 45), "Invasion/Rare");
    EXPECT_EQ(RarityTipText("", 10), "/Common");
}

TEST(RarityTip, TurnsBackslashNIntoLineBreaks)
{
    EXPECT_EQ(RarityTipText("Seventh\\nEdition", 10), "Seventh\nEdition/Common");
    EXPECT_EQ(ExpandLineBreaks("a\\n\\nb\\"), "a\n\nb\\");
    EXPECT_EQ(ExpandLineBreaks("\\\\n"), "\\\n");
    EXPECT_EQ(ExpandLineBreaks("no break"), "no break");
}

} // namespace
