#include "support/GermanLocale.h"

#include "lookup/CardGridRules.h"
#include "prices/PriceCorrection.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(GermanLocaleTest, ValueCellsAndCorrectionsKeepTheDecimalPoint)
{
    const GermanLocale german;
    if (!german.Active()) {
        GTEST_SKIP() << "no German locale can be made on this machine";
    }
    ASSERT_EQ(GermanLocale::WrittenNumber(), "4,5"); // the locale really writes commas
    EXPECT_EQ(card_grid::ValueText(2.5f), " 2.5");
    EXPECT_EQ(card_grid::ValueText(1234.5f), "1234.5");
    // What a value cell shows reads back as the same number.
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText(card_grid::ValueText(12.5f)), 12.5f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText(" 12.5"), 12.5f);
    EXPECT_FLOAT_EQ(PriceCorrection::ParsePriceText("7,5"), 7.0f);
}

} // namespace
