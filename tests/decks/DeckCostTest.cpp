#include "DecksFixture.h"

#include "decks/DeckFileReader.h"

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

class DeckCostTest : public DecksFixture {};

TEST_F(DeckCostTest, OwnedCopiesOfEveryVersionAreSharedMainDeckFirst)
{
    const OwnedCounts owned = {{card_key::Foil(kBoltM10), 1}, {kBolt7ED, 2}, {kCounterspell, 9}};
    const DeckCostCalculator calculator(*m_index, owned);
    DeckCost cost = calculator.Price(DeckFileReader::ReadBytes(
        "4 Lightning Bolt\n2 shock\n3 Counterspel\n1 Lightning\n3 Fire/Ice\n\n2 Lightning Bolt\n"));

    ASSERT_EQ(cost.rows.size(), 4u);
    const DeckCostRow& bolt = cost.rows[0];
    EXPECT_EQ(bolt.cardKey, kBolt7ED); // the cheapest version
    EXPECT_DOUBLE_EQ(bolt.unitValue, 0.8);
    EXPECT_EQ(bolt.owned, 3);
    EXPECT_EQ(bolt.missing, 1);
    EXPECT_EQ(bolt.versions.size(), 4u);
    EXPECT_EQ(cost.rows[1].name, "Shock");
    EXPECT_EQ(cost.rows[1].missing, 2);
    EXPECT_EQ(cost.rows[2].name, "Fire // Ice");
    EXPECT_TRUE(cost.rows[3].sideboard);
    EXPECT_EQ(cost.rows[3].missing, 2); // the three owned went to the main deck

    EXPECT_DOUBLE_EQ(cost.main.value, 4 * 0.8 + 2 * 0.05 + 3 * 0.5);
    EXPECT_DOUBLE_EQ(cost.main.missingCost, 0.8 + 2 * 0.05 + 3 * 0.5);
    EXPECT_DOUBLE_EQ(cost.side.value, 1.6);
    EXPECT_DOUBLE_EQ(cost.side.missingCost, 1.6);
    EXPECT_DOUBLE_EQ(cost.both.missingCost, cost.main.missingCost + 1.6);
    EXPECT_EQ(cost.both.cards, 11);
    EXPECT_EQ(cost.both.missing, 8);

    ASSERT_EQ(cost.unmatched.size(), 2u);
    EXPECT_EQ(cost.unmatched[0].line, 3);
    EXPECT_THAT(cost.unmatched[0].closest, ElementsAre("Counterspell"));
    EXPECT_EQ(cost.unmatched[1].line, 4);
    EXPECT_EQ(cost.unmatched[1].text, "\"Lightning\" is part of several card names");
    EXPECT_EQ(cost.unmatched[1].closest.size(), 3u);

    // Another version reprices its row and the totals.
    ASSERT_TRUE(calculator.ChooseVersion(cost, 0, card_key::Foil(kBoltM10)));
    EXPECT_DOUBLE_EQ(cost.main.value, 4 * 6.0 + 2 * 0.05 + 3 * 0.5);
    EXPECT_FALSE(calculator.ChooseVersion(cost, 0, kShock));
    EXPECT_EQ(MissingDeckText(cost), "1 Lightning Bolt\n2 Shock\n3 Fire // Ice\n\nSideboard\n"
                                     "2 Lightning Bolt\n");
}

TEST_F(DeckCostTest, CatalogueIdsPriceTheExactVersion)
{
    const OwnedCounts owned;
    const DeckCostCalculator calculator(*m_index, owned);
    const DeckCost cost = calculator.Price(DeckFileReader::ReadBytes(
        "<Deck><Cards CatID=\"62724\" Quantity=\"2\" Sideboard=\"false\" Name=\"Lightning Bolt\"/>"
        "<Cards CatID=\"3\" Quantity=\"1\" Sideboard=\"true\" Name=\"Shock\"/>"
        "<Cards CatID=\"99999\" Quantity=\"1\" Sideboard=\"false\" Name=\"Lightning Bolt\"/>"
        "<Cards CatID=\"99998\" Quantity=\"1\" Sideboard=\"false\" Name=\"Nope\"/></Deck>"));
    ASSERT_EQ(cost.rows.size(), 3u);
    EXPECT_EQ(cost.rows[0].cardKey, card_key::Foil(kBoltM10));
    EXPECT_TRUE(cost.rows[0].exact);
    EXPECT_DOUBLE_EQ(cost.rows[0].unitValue, 6.0);
    EXPECT_EQ(cost.rows[1].cardKey, kBolt7ED);
    EXPECT_EQ(cost.rows[1].note,
              "CatID 99999 is not in the price database; priced as the cheapest version");
    EXPECT_EQ(cost.rows[2].cardKey, kShock); // a card added by an import keeps the game's id
    EXPECT_TRUE(cost.rows[2].exact);
    ASSERT_EQ(cost.unmatched.size(), 1u);
    EXPECT_EQ(cost.unmatched[0].text, "no card named \"Nope\"");
}

} // namespace
