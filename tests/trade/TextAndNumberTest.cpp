#include "support/GermanLocale.h"

#include "trade/NumberText.h"
#include "trade/TextCodec.h"

#include <gtest/gtest.h>

#include <optional>


TEST(TextCodec, Utf8Validation)
{
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("J\xC3\xB6tun \xE2\x82\xAC \xF0\x9F\x82\xA1"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));              // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\x93quoted\x94"));
}

TEST(TextCodec, Windows1252BothWays)
{
    const std::string all = [] {
        std::string bytes;
        for (int b = 1; b < 256; ++b) {
            bytes += static_cast<char>(b);
        }
        return bytes;
    }();
    const std::string utf8 = Cp1252ToUtf8(all);
    EXPECT_TRUE(IsValidUtf8(utf8));
    ASSERT_TRUE(Utf8ToCp1252(utf8));
    EXPECT_EQ(*Utf8ToCp1252(utf8), all);
    EXPECT_EQ(Cp1252ToUtf8("\x80\xF6"), "\xE2\x82\xAC\xC3\xB6");
    EXPECT_FALSE(Utf8ToCp1252("\xE7\x81\xAB"));
}

TEST(TextCodec, FileNamesPreferWindows1252UnlessItWouldBeMisread)
{
    EXPECT_EQ(EncodeFileName("J\xC3\xB6tun"), "J\xF6tun");
    EXPECT_EQ(EncodeFileName("\xC3\x83\xC2\xA9"), "\xC3\x83\xC2\xA9");
    EXPECT_EQ(EncodeFileName("\xE7\x81\xAB"), "\xE7\x81\xAB");
    EXPECT_EQ(DecodeFileName("J\xF6tun"), "J\xC3\xB6tun");
    EXPECT_EQ(DecodeFileName("J\xC3\xB6tun"), "J\xC3\xB6tun");
    EXPECT_EQ(TruncateUtf8("a\xE2\x82\xAC", 3), "a");
    EXPECT_EQ(TruncateUtf8("a\xE2\x82\xAC", 4), "a\xE2\x82\xAC");
}

TEST(NumberText, CLibraryParsing)
{
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt("abc"), 0);
    EXPECT_EQ(ParseLeadingInt(" \t-12x"), -12);
    EXPECT_EQ(ParseLeadingInt("-99999999999"), INT32_MIN);
    EXPECT_FLOAT_EQ(ParseLeadingFloat(" 2.5e1zz"), 25.0f);
    EXPECT_FLOAT_EQ(ParseLeadingFloat(".5"), 0.5f);
    EXPECT_EQ(ParseLeadingFloat("inf"), 0.0f);
    EXPECT_EQ(ParseLeadingFloat("4,5"), 4.0f);
}

TEST(NumberText, DecimalNumbersForThePriceBox)
{
    for (const char* good : {"12", "12.5", " -3.5 ", ".5", "5.", "2e3", "+1"}) {
        EXPECT_TRUE(IsDecimalNumber(good)) << good;
    }
    for (const char* bad : {"", " ", "abc", "12abc", "1,5", ".", "-", "1e", "nan", "inf", "1e99",
                            "0x10", "1 2"}) {
        EXPECT_FALSE(IsDecimalNumber(bad)) << bad;
    }
}

// The user's locale may write decimal commas; the program's texts never do.
TEST(NumberText, TextsDoNotFollowTheUserLocale)
{
    std::optional<GermanLocale> german(std::in_place);
    const bool switched = german->Active();
    if (switched) {
        EXPECT_EQ(GermanLocale::WrittenNumber(), "4,5");  // the locale really writes commas
    }
    EXPECT_EQ(FormatDouble("%4.1f", 5.0), " 5.0");
    EXPECT_EQ(FormatDouble("for %0.1f", 12.5), "for 12.5");
    EXPECT_FLOAT_EQ(ParseLeadingFloat("4.5"), 4.5f);
    EXPECT_TRUE(IsDecimalNumber("4.5"));
    EXPECT_EQ(FormatInt(" %dx ", 3), " 3x ");
    EXPECT_EQ(FormatInt("-%d-", 9000000000LL), "-9000000000-");
    german.reset();
    if (!switched) {
        GTEST_SKIP() << "no other locale installed; checked in the C locale only";
    }
}

TEST(NumberText, ShortestFloatTextReadsBackExactly)
{
    EXPECT_EQ(ShortestFloatText(26.25f), "26.25");
    EXPECT_EQ(ShortestFloatText(0.1f), "0.1");
    EXPECT_EQ(ShortestFloatText(0.0f), "0");
    EXPECT_EQ(ShortestFloatText(-3.5f), "-3.5");
    // Plain decimals, never an exponent: a buy total of 30 is "30", not "3e+01".
    EXPECT_EQ(ShortestFloatText(30.0f), "30");
    EXPECT_EQ(ShortestFloatText(120.0f), "120");
    EXPECT_EQ(ShortestFloatText(5.71f), "5.71");
    for (const float value : {1234567.5f, 3.0e38f, 1.17549435e-38f, 16777217.0f}) {
        const std::string text = ShortestFloatText(value);
        EXPECT_TRUE(IsDecimalNumber(text)) << text;
        EXPECT_EQ(ParseLeadingFloat(text), value) << text;
    }
}
