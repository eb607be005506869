#include "prices/PriceCorrection.h"

#include <gtest/gtest.h>

namespace {

TEST(PriceCorrectionText, ReadsNumbersTheWayTheCLibraryDoes)
{
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText(" 12.5"), 12.5f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText("\t\n 3"), 3.0f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText("4.25tix"), 4.25f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText("+.5"), 0.5f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText("-2"), -2.0f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText("1e2"), 100.0f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText("7,5"), 7.0f);
}

// C's conversion reads "0x10" as 16: a slip that stored a price nobody typed.
TEST(PriceCorrectionText, HexadecimalAndInfinityFormsAreNotPrices)
{
    for (const char* text : {"0x10", " 0X1p4", "-0x10", "infinity", "+nan(1)"}) {
        EXPECT_EQ(PriceCorrection::ParsePriceText(text), 0.0) << text;
    }
    EXPECT_EQ(PriceCorrection::ParsePriceText("1x10"), 1.0); // the leading decimal counts
}

TEST(PriceCorrectionText, GivesZeroForTextsWithoutAPrice)
{
    EXPECT_EQ(PriceCorrection::ParsePriceText("abc"), 0.0f);
    EXPECT_EQ(PriceCorrection::ParsePriceText(""), 0.0f);
    EXPECT_EQ(PriceCorrection::ParsePriceText("   "), 0.0f);
    EXPECT_EQ(PriceCorrection::ParsePriceText("- 3"), 0.0f);
    // Not-a-number and overflowing texts would store a value no price can have.
    EXPECT_EQ(PriceCorrection::ParsePriceText("nan"), 0.0f);
    EXPECT_EQ(PriceCorrection::ParsePriceText("inf"), 0.0f);
    EXPECT_EQ(PriceCorrection::ParsePriceText("-infinity"), 0.0f);
    EXPECT_EQ(PriceCorrection::ParsePriceText("1e999"), 0.0f);
}

TEST(PriceCorrectionText, KeepsTheDecimalTypedWithoutSinglePrecisionNoise)
{
    EXPECT_EQ(PriceCorrection::ParsePriceText("0.05"), 0.05);
    EXPECT_EQ(PriceCorrection::ParsePriceText("51.4"), 51.4);
}

TEST(PriceCorrectionText, TellsTheUserWhatHappened)
{
    PriceCorrectionOutcome outcome;
    auto message = PriceCorrection::MessageFor(outcome);
    EXPECT_EQ(message.text, "No cards selected.");
    EXPECT_EQ(message.caption, "Warning");
    EXPECT_FALSE(message.isError);

    outcome.updated = 2;
    message = PriceCorrection::MessageFor(outcome);
    EXPECT_EQ(message.text, "2 cards have been updated");
    EXPECT_EQ(message.caption, "Warning");

    outcome = {};
    outcome.failed = true;
    outcome.error = "Query = select * from cardslist where id=5\nno such row";
    message = PriceCorrection::MessageFor(outcome);
    EXPECT_EQ(message.caption, "Error");
    EXPECT_TRUE(message.isError);
    EXPECT_NE(message.text.find("no card has been changed"), std::string::npos);
    EXPECT_NE(message.text.find(outcome.error), std::string::npos);
}

} // namespace
