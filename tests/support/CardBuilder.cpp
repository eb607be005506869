#include "CardBuilder.h"

#include <gtest/gtest.h>

CardRecord MakeCard(int id, const std::string& name, double reg, double foil, int set, int number,
                    int rarity, int hot, DateTime date)
{
    CardRecord card;
    card.id = id;
    card.name = name;
    card.reg_value = reg;
    card.foil_value = foil;
    card.expansion = set;
    card.collection_no = number;
    card.rarity = rarity;
    card.hot = hot;
    card.update_date = date;
    return card;
}

void ExpectSameCard(const CardRecord& actual, const CardRecord& expected)
{
    const std::string card = "card " + std::to_string(expected.id) + " " + expected.name;
    EXPECT_EQ(actual.id, expected.id) << card;
    EXPECT_EQ(actual.name, expected.name) << card;
    EXPECT_EQ(actual.reg_value, expected.reg_value) << card;
    EXPECT_EQ(actual.foil_value, expected.foil_value) << card;
    EXPECT_EQ(actual.expansion, expected.expansion) << card;
    EXPECT_EQ(actual.collection_no, expected.collection_no) << card;
    EXPECT_EQ(actual.rarity, expected.rarity) << card;
    EXPECT_EQ(actual.link, expected.link) << card;
    EXPECT_EQ(actual.hot, expected.hot) << card;
    EXPECT_EQ(actual.update_date, expected.update_date) << card;
}
