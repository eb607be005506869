#include "lookup/TextCleaning.h"

#include <gtest/gtest.h>

namespace {

std::string Clean(const std::string& text)
{
    return NormalisePunctuation(StripQuantities(text));
}

TEST(StripQuantitiesTest, QuantitiesVanishBeforeOrAfterTheName)
{
    EXPECT_EQ(Clean("4x Lightning Bolt"), "Lightning Bolt");
    EXPECT_EQ(Clean("Lightning Bolt x4"), "Lightning Bolt");
    EXPECT_EQ(Clean("4X Lightning Bolt"), "Lightning Bolt");
    EXPECT_EQ(StripQuantities("2-3"), "   ");
    EXPECT_EQ(StripQuantities("-1"), "  ");
}

TEST(StripQuantitiesTest, InnerHyphensStayLooseOnesGo)
{
    EXPECT_EQ(Clean("Jack-in-the-Box -"), "Jack-in-the-Box");
    EXPECT_EQ(StripQuantities("a - b"), "a   b");
    EXPECT_EQ(StripQuantities("a -- b"), "a    b");  // the second sees the first turned to a space
    EXPECT_EQ(StripQuantities("a--b"), "a--b");
    EXPECT_EQ(StripQuantities("end-"), "end ");
}

TEST(StripQuantitiesTest, ControlCharactersBecomeSpaces)
{
    EXPECT_EQ(StripQuantities("a\nb\tc\rd\ae"), "a b c d e");
}

TEST(StripQuantitiesTest, LettersNextToDigitsOtherThanXStay)
{
    EXPECT_EQ(StripQuantities("3tix"), " tix");
    EXPECT_EQ(StripQuantities("Fox9"), "Fo  ");  // 'x' before a digit is a quantity marker
}

TEST(StripQuantitiesTest, WorkedExample)
{
    EXPECT_EQ(StripQuantities("WTS: 4x Lightning Bolt, 2 Counterspell 3tix"),
              "WTS:    Lightning Bolt,   Counterspell  tix");
}

TEST(NormalisePunctuationTest, WorkedExample)
{
    EXPECT_EQ(NormalisePunctuation("WTS:    Lightning Bolt,   Counterspell  tix"),
              "WTS: Lightning Bolt,Counterspell tix");
}

TEST(NormalisePunctuationTest, PunctuationSeparatesNames)
{
    EXPECT_EQ(Clean("Bolt; Counterspell. Giant Growth"), "Bolt,Counterspell,Giant Growth");
    EXPECT_EQ(Clean("(Bolt)! Shock!!"), "Bolt,Shock");
    EXPECT_EQ(Clean("(Bolt) [Shock]"), "Bolt,,Shock");  // the blank between ") [" is a token
    EXPECT_EQ(Clean("Urza's Rage: 2-3 tix"), "Urza's Rage: tix");  // apostrophe, colon stay
}

TEST(NormalisePunctuationTest, EmptyPiecesBetweenSeparatorsRemain)
{
    EXPECT_EQ(NormalisePunctuation("a, ,b"), "a,,b");
    EXPECT_EQ(NormalisePunctuation(""), "");
    EXPECT_EQ(NormalisePunctuation(" ... "), "");
    EXPECT_EQ(NormalisePunctuation(","), "");
    EXPECT_EQ(NormalisePunctuation(",a,"), "a");
}

TEST(NormalisePunctuationTest, NonAsciiTextPassesThrough)
{
    EXPECT_EQ(Clean("2x Lim-Dûl's Cohort; Æther Rift"), "Lim-Dûl's Cohort,Æther Rift");
}

TEST(SplitAtTest, FirstAndLastSeparator)
{
    std::string text = "a,b,c";
    EXPECT_EQ(SplitAt(text, ",", false), "a");
    EXPECT_EQ(text, "b,c");
    text = "a b c";
    EXPECT_EQ(SplitAt(text, " ", true), "a b");
    EXPECT_EQ(text, "c");
}

TEST(SplitAtTest, WithoutSeparatorWholeTextAndEmptyRemainder)
{
    std::string text = "abc";
    EXPECT_EQ(SplitAt(text, ",", false), "abc");
    EXPECT_EQ(text, "");
    EXPECT_EQ(SplitAt(text, ",", false), "");
}

TEST(CleaningTest, LargeTextsAreHandledInLinearTime)
{
    // Quadratic cleaning would take minutes here; this finishes at once when linear.
    std::string text;
    for (int i = 0; i < 200000; ++i) {
        text += "4x -  ..  Bolt ";
    }
    std::string expected = "Bolt";
    for (int i = 1; i < 200000; ++i) {
        expected += ",Bolt";
    }
    EXPECT_EQ(Clean(text), expected);
}

}  // namespace
