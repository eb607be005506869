#include "lookup/ValueReport.h"

#include "support/CardBuilder.h"

#include "data/CardRecord.h"
#include "lookup/LookupOptions.h"
#include "lookup/OfferReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace {

class ValueReportTest : public ::testing::Test {
protected:
    CardRecord Card(const std::string& name, double reg, double foil, std::int32_t set,
                    std::int32_t rarity)
    {
        return MakeCard(m_next++, name, reg, foil, set, 0, rarity, 0, DateTime());
    }
    // Like the catalogue's set table: a missing id reads as an empty name and is added.
    SetNameLookup Sets()
    {
        return [this](std::int32_t id) { return m_sets[id]; };
    }

    std::map<std::int32_t, std::string> m_sets = {{10, "Seventh Edition"}, {80, "Onslaught"}};
    int m_next = 1;
};

TEST_F(ValueReportTest, OneCardLineByLine)
{
    const std::string report =
        BuildValueReport(1, {Card("Lightning Bolt", 0.03, 12.0, 10, 10)}, Sets());
    EXPECT_EQ(report, "1 cards found!\n---\nCard Name: Lightning Bolt\nregValue = 0.03Tix\n"
                      "FoilValue = 12.0Tix\nSet = Seventh Edition\nRarity = common\n"
                      "-----------\n");
}

TEST_F(ValueReportTest, ThreeCardsWithoutEllipsis)
{
    const std::string report = BuildValueReport(
        3, {Card("A", 3, 6, 10, 30), Card("B", 2, 4, 80, 20), Card("C", 1, 2, 80, 99)}, Sets());
    EXPECT_NE(report.find("Card Name: A\nregValue = 3.0Tix"), std::string::npos);
    EXPECT_NE(report.find("Set = Onslaught\nRarity = uncommon"), std::string::npos);
    EXPECT_NE(report.find("Card Name: C\nregValue = 1.0Tix\nFoilValue = 2.0Tix\nSet = "
                          "Onslaught\nRarity = rare\n-----------\n"),
              std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 13), "\n-----------\n");
    EXPECT_EQ(report.find("..."), std::string::npos);
}

TEST_F(ValueReportTest, FiveCardsShowThreeAndEllipsis)
{
    std::vector<CardRecord> cards;
    for (int i = 5; i >= 1; --i) {
        cards.push_back(Card("Card" + std::to_string(i), static_cast<float>(i), 0, 10, 10));
    }
    const std::string report = BuildValueReport(5, cards, Sets());
    EXPECT_EQ(report.rfind("5 cards found!\n---\n", 0), 0u);
    EXPECT_NE(report.find("Card5"), std::string::npos);
    EXPECT_NE(report.find("Card3"), std::string::npos);
    EXPECT_EQ(report.find("Card2"), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - 16), "\n-----------\n...");
}

TEST_F(ValueReportTest, NothingFound)
{
    EXPECT_EQ(BuildValueReport(0, {}, Sets()), "0 cards found!\n---\n");
}

TEST_F(ValueReportTest, BackslashNBecomesALineBreak)
{
    const std::string report = BuildValueReport(1, {Card("Odd\\nName", 1, 1, 10, 10)}, Sets());
    EXPECT_NE(report.find("Card Name: Odd\nName\n"), std::string::npos);
    EXPECT_EQ(ExpandLineBreaks("a\\nb\\\\n\\"), "a\nb\\\n\\");
}

TEST_F(ValueReportTest, MissingSetShowsEmptyAndIsAdded)
{
    const std::string report = BuildValueReport(1, {Card("X", 1, 1, 55, 10)}, Sets());
    EXPECT_NE(report.find("\nSet = \nRarity"), std::string::npos);
    EXPECT_EQ(m_sets.count(55), 1u);
}

TEST_F(ValueReportTest, CutLookupEndsWithItsNote)
{
    struct Row {
        bool textCut;
        bool outOfTime;
        std::size_t rows;
        std::string end;
    };
    const ClipboardLimits limits;
    for (const Row& row : std::vector<Row>{
             {false, false, 5, "-----------\n..."},
             {true, false, 5, "...\n(only the first 65,536 characters were looked up)"},
             {false, true, 0, "0 cards found!\n---\n(lookup stopped after 250 ms)"},
             {true, true, 1,
              "-----------\n(only the first 65,536 characters were looked up)\n"
              "(lookup stopped after 250 ms)"},
         }) {
        LookupStats stats;
        stats.textCut = row.textCut;
        stats.outOfTime = row.outOfTime;
        std::vector<CardRecord> cards;
        for (std::size_t i = 0; i < std::min<std::size_t>(row.rows, 3); ++i) {
            cards.push_back(Card("Card", 1, 1, 10, 10));
        }
        const std::string report =
            BuildValueReport(row.rows, cards, Sets(), LookupCutNote(stats, limits));
        ASSERT_GE(report.size(), row.end.size());
        EXPECT_EQ(report.substr(report.size() - row.end.size()), row.end);
    }
}

// Best Match First on a copied offer: the deal check under the card's row, the total last.
TEST_F(ValueReportTest, OfferAddsTheDealCheckUnderARowAndTheTotalLast)
{
    const std::vector<CardRecord> cards = {Card("Psychatog", 3.2, 9.0, 80, 30),
                                           Card("Wrath of God", 1.3, 6.5, 10, 30)};
    const Offer offer =
        ReadOffer("WTS 2x Psychatog 5 tix each, Wrath of God", {"Psychatog", "Wrath of God"});
    const OfferAdditions additions = MakeOfferAdditions(cards, offer);
    EXPECT_EQ(BuildValueReport(2, cards, Sets(), "(lookup stopped after 250 ms)", &additions),
              "2 cards found!\n---\nCard Name: Psychatog\nregValue = 3.2Tix\nFoilValue = 9.0Tix\n"
              "Set = Onslaught\nRarity = rare\nasked 5.00, worth 3.20: +56 %\n-----------\n"
              "Card Name: Wrath of God\nregValue = 1.3Tix\nFoilValue = 6.5Tix\n"
              "Set = Seventh Edition\nRarity = rare\n-----------\n"
              "2 Psychatog + 1 Wrath of God: 7.70 Tix\n(lookup stopped after 250 ms)");
    // Below the value, and nothing to compare with.
    Offer cheap;
    cheap.items.push_back({"Wrath of God", 1, false, 1.04});
    EXPECT_EQ(DealCheckLine(cheap.items[0], cards[1]), "asked 1.04, worth 1.30: -20 %");
    EXPECT_EQ(DealCheckLine(cheap.items[0], Card("Free", 0.0, 0.0, 10, 10)),
              "asked 1.04, worth 0.00");
}

} // namespace
