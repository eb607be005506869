// Reading what a copied trade line offers: quantities, asked prices and the side.

#include "lookup/OfferReader.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Expected {
    const char* name;
    int quantity;
    std::optional<double> asked;
};

struct OfferCase {
    const char* text;
    std::vector<Expected> cards;
    Offer::Side side;
};

TEST(OfferReaderTest, ReadsQuantitiesPricesAndSideOnTableOfLines)
{
    using S = Offer::Side;
    const OfferCase cases[] = {
        {"WTS Psychatog 5 tix", {{"Psychatog", 1, 5.0}}, S::Sells},
        {"4x Wrath of God 2tix each", {{"Wrath of God", 4, 2.0}}, S::Unknown},
        {"Counterspell @ 0.5", {{"Counterspell", 1, 0.5}}, S::Unknown},
        {"WTB Psychatog, pay 5 each", {{"Psychatog", 1, 5.0}}, S::Buys},
        {"SELLING Lightning Bolt 4 for 3 tix", {{"Lightning Bolt", 4, 0.75}}, S::Sells},
        {"Remand x4 for 1.6", {{"Remand", 4, 0.4}}, S::Unknown},
        {"WTS Collected Company $6.50 each", {{"Collected Company", 1, 6.5}}, S::Sells},
        {"buying Fatal Push 6.50$", {{"Fatal Push", 1, 6.5}}, S::Buys},
        {"Torrential Gearhulk 5.5 usd", {{"Torrential Gearhulk", 1, 5.5}}, S::Unknown},
        {"4;Counterspell;7ED;0,35", {{"Counterspell", 4, 0.35}}, S::Unknown},
        {"Mana Leak;DDF;4;0.15", {{"Mana Leak", 4, 0.15}}, S::Unknown},
        {"2 MM3 Kitchen Finks", {{"Kitchen Finks", 2, std::nullopt}}, S::Unknown},
        {"playset of Spell Queller 2.2 each", {{"Spell Queller", 4, 2.2}}, S::Unknown},
        // A number before the next name counts it; a price after a list "each" covers it.
        {"WTS: 4x Wrath of God, 2 Counterspell 3tix",
         {{"Wrath of God", 4, std::nullopt}, {"Counterspell", 2, 3.0}},
         S::Sells},
        {"Coastal Tower, Salt Marsh 0.2 each",
         {{"Coastal Tower", 1, 0.2}, {"Salt Marsh", 1, 0.2}},
         S::Unknown},
        {"Kavu Titan 1.5, Blurred Mongoose 1",
         {{"Kavu Titan", 1, 1.5}, {"Blurred Mongoose", 1, 1.0}},
         S::Unknown},
        // Numbers that price nothing.
        {"Trading 2 Wrath of God for 1 Cunning Wish + 2 tix",
         {{"Wrath of God", 2, std::nullopt}, {"Cunning Wish", 1, std::nullopt}},
         S::Unknown},
        {"H: 40 tix W: Call of the Herd foils", {{"Call of the Herd", 1, std::nullopt}}, S::Sells},
        {"Went 4-1 at the daily with Path to Exile", {{"Path to Exile", 1, std::nullopt}},
         S::Unknown},
        {"BOT buying Splinter Twin 3 - selling at +10%", {{"Splinter Twin", 1, 3.0}}, S::Buys},
        // Names by a word filter's nickname, a typo and a short name.
        {"wtb wog x4", {{"Wrath of God", 4, std::nullopt}}, S::Buys},
        {"Serra Angle M14 0.05", {{"Serra Angel", 1, 0.05}}, S::Unknown},
        {"WTB Kiki 10 tix", {{"Kiki-Jiki, Mirror Breaker", 1, 10.0}}, S::Buys},
        {"H> Cryptic Command 9  W> tix", {{"Cryptic Command", 1, 9.0}}, S::Sells},
    };
    const FilterList filters = {{"wog", "wrath of god"}};
    for (const OfferCase& c : cases) {
        std::vector<std::string> names;
        for (const Expected& card : c.cards) {
            names.push_back(card.name);
        }
        const Offer offer = ReadOffer(c.text, names, filters);
        SCOPED_TRACE(c.text);
        EXPECT_EQ(offer.side, c.side);
        ASSERT_EQ(offer.items.size(), c.cards.size());
        for (std::size_t i = 0; i < c.cards.size(); ++i) {
            EXPECT_EQ(offer.items[i].name, c.cards[i].name);
            EXPECT_EQ(offer.items[i].quantity, c.cards[i].quantity) << c.cards[i].name;
            ASSERT_EQ(offer.items[i].asked.has_value(), c.cards[i].asked.has_value())
                << c.cards[i].name;
            if (c.cards[i].asked) {
                EXPECT_NEAR(*offer.items[i].asked, *c.cards[i].asked, 1e-9) << c.cards[i].name;
            }
        }
    }
}

}  // namespace
