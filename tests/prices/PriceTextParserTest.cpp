#include "prices/PriceTextParser.h"
#include "data/CardRecord.h"

#include <gtest/gtest.h>

#include <utility>

TEST(PriceTextParserTest, RaritiesNumbersAndDates)
{
    const std::pair<const char*, std::int32_t> rarities[] = {
        {"common", 10}, {"Uncommon", 20}, {"rare", 30}, {"special", 30}, {"bonus", 30},
        {"mythic", 40}, {"M", 40},        {"land", 0},  {"", 0}};
    for (const auto& [word, code] : rarities) {
        EXPECT_EQ(price_text_parser::RarityCode(word), code) << word;
    }
    EXPECT_STREQ(RarityWord(40), "mythic");
    EXPECT_STREQ(RarityName(40), "Mythic");
    EXPECT_STREQ(RarityName(30), "Rare");

    EXPECT_EQ(price_text_parser::ParseNumber(" 2.35 "), 2.35);
    EXPECT_EQ(price_text_parser::ParseNumber("2,35", true), 2.35);
    EXPECT_EQ(price_text_parser::ParseNumber("2,35"), std::nullopt);
    EXPECT_EQ(price_text_parser::ParseNumber("1.234,5", true), std::nullopt);
    for (const char* bad : {"", "abc", "nan", "inf", "0x10", "1.5x"}) {
        EXPECT_EQ(price_text_parser::ParseNumber(bad), std::nullopt) << bad;
    }
    // Numbers beyond a price are numbers still: the price rule refuses them.
    EXPECT_EQ(price_text_parser::ParseNumber("1e308"), 1e308);
    EXPECT_FALSE(price_text_parser::IsPlausiblePrice(*price_text_parser::ParseNumber("1e999")));
    EXPECT_TRUE(price_text_parser::IsDate("2024-02-29"));
    EXPECT_FALSE(price_text_parser::IsDate("2026-02-29"));
    EXPECT_FALSE(price_text_parser::IsDate("2026-1-01"));
}
