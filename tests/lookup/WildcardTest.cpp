#include "lookup/Utf8.h"
#include "lookup/Wildcard.h"

#include <gtest/gtest.h>

namespace {

TEST(WildcardMatchTest, LastSegmentMustEndTheName)
{
    EXPECT_TRUE(WildcardMatch("Lightning Bolt", "*BOLT", false));
    EXPECT_FALSE(WildcardMatch("Lightning Bolt", "*ligh", false));
    EXPECT_TRUE(WildcardMatch("Lightning Bolt", "*ligh*", false));
    EXPECT_TRUE(WildcardMatch("", "*", false));
    EXPECT_TRUE(WildcardMatch("", "**", false));
    EXPECT_TRUE(WildcardMatch("", "", false));
    EXPECT_FALSE(WildcardMatch("a", "", false));
}

TEST(WildcardMatchTest, LiteralsAndJokersFromTheStart)
{
    EXPECT_TRUE(WildcardMatch("Shock", "shock", false));
    EXPECT_FALSE(WildcardMatch("Shocks", "shock", false));
    EXPECT_FALSE(WildcardMatch("Shoc", "shock", false));
    EXPECT_TRUE(WildcardMatch("Shock", "sh?ck", false));
    EXPECT_TRUE(WildcardMatch("Shock", "s*k", false));
    EXPECT_TRUE(WildcardMatch("Shock", "?", false) == false);
    EXPECT_TRUE(WildcardMatch("S", "?", false));
    EXPECT_TRUE(WildcardMatch("Lightning Bolt", "*ning*olt", false));
    EXPECT_FALSE(WildcardMatch("Lightning Bolt", "*bolt*ning*", false));
}

TEST(WildcardMatchTest, CaseFoldingIsAsciiOnlyAndOptional)
{
    EXPECT_FALSE(WildcardMatch("Lightning Bolt", "*BOLT", true));
    EXPECT_TRUE(WildcardMatch("Lightning Bolt", "*Bolt", true));
    EXPECT_TRUE(WildcardMatch("Æther Rift", "*Æther RIFT*", false));
    EXPECT_FALSE(WildcardMatch("æther", "*Æther*", false));  // Æ/æ are not ASCII letters
}

TEST(WildcardMatchTest, JokerStandsForOneCharacterNotOneByte)
{
    EXPECT_TRUE(WildcardMatch("Lim-Dûl's Cohort", "*lim-d?l's*", false));
    EXPECT_FALSE(WildcardMatch("Lim-Dûl's Cohort", "*lim-d??l's*", false));
    EXPECT_TRUE(WildcardMatch("Lim-Dûl's Cohort", "*Lim-Dûl's Cohort*", false));
    EXPECT_TRUE(WildcardMatch("Æ", "?", false));
    EXPECT_TRUE(WildcardMatch("xÆ", "*?", false));
}

TEST(WildcardMatchTest, InvalidUtf8IsMatchedByteForByteNeverAcrossACharacter)
{
    const std::string broken = "Bo\xC3lt";  // a lone lead byte
    EXPECT_TRUE(WildcardMatch(broken, "*o?l*", false));
    EXPECT_TRUE(WildcardMatch(broken, "*\xC3*", false));
    // A lone lead byte in the pattern does not match the start of a valid character.
    EXPECT_FALSE(WildcardMatch("D\xC3\xBBl", "*\xC3*", false));
}

TEST(WildcardFindTest, KmpWithJokersAndItsDocumentedMiss)
{
    EXPECT_EQ(WildcardFind("lightning", "ning", 0), 5);
    EXPECT_EQ(WildcardFind("lightning", "n?ng", 0), 5);
    EXPECT_EQ(WildcardFind("aaab", "a?b", 0), -1);  // the table's "?" rule misses index 1
    EXPECT_EQ(WildcardFind("xaab", "a?b", 0), 1);
    EXPECT_EQ(WildcardFind("abcabd", "abd", 0), 3);
    EXPECT_EQ(WildcardFind("abc", "", 1), 1);
    EXPECT_EQ(WildcardFind("abc", "bc", 2), -1);  // start + length beyond the text
    EXPECT_EQ(WildcardFind("abc", "a", -1), -1);
    EXPECT_EQ(WildcardFind("abcab", "ab", 1), 3);
}

TEST(WildcardFindTest, IndexesCountCharacters)
{
    EXPECT_EQ(WildcardFind("Dûl Dûl", "d?l", 0), -1);  // case-sensitive
    EXPECT_EQ(WildcardFind("Dûl Dûl", "D?l", 1), 4);
}

TEST(WildcardFindTest, WhatItFindsIsARealOccurrence)
{
    // Every hit of the search must be an occurrence, even where the table's joker rule makes
    // it miss others: the fast matcher relies on this. Checked over all short texts and
    // segments on a small alphabet.
    const std::u32string alphabet = U"ab?";
    std::vector<std::u32string> words = {U""};
    for (int length = 1; length <= 5; ++length) {
        const std::size_t before = words.size();
        for (std::size_t i = 0; i < before; ++i) {
            if (words[i].size() == static_cast<std::size_t>(length - 1)) {
                for (char32_t c : alphabet) {
                    words.push_back(words[i] + c);
                }
            }
        }
    }
    int hits = 0;
    for (const auto& segment : words) {
        for (const auto& text : words) {
            if (text.find(U'?') != std::u32string::npos) {
                continue;
            }
            const long at = wildcard::FindChars(text, segment, 0);
            if (at < 0) {
                continue;
            }
            ++hits;
            for (std::size_t k = 0; k < segment.size(); ++k) {
                ASSERT_TRUE(segment[k] == U'?' || segment[k] == text[at + k])
                    << "false hit at " << at;
            }
        }
    }
    EXPECT_GT(hits, 1000);
}

TEST(Utf8Test, DecodeKeepsEveryByteAndNeverConfusesTexts)
{
    EXPECT_EQ(utf8::Decode("Dû"), std::u32string(U"D\u00FB"));
    EXPECT_EQ(utf8::Decode("\xC3"), std::u32string(1, 0xDCC3));
    EXPECT_EQ(utf8::Decode("\xED\xA0\x80").size(), 3u);  // encoded surrogate: three bad bytes
    EXPECT_EQ(utf8::Decode("\xC0\xAF").size(), 2u);      // overlong form
    EXPECT_EQ(utf8::CountChars("Æther"), 5u);
    EXPECT_EQ(utf8::FirstChars("ÆÆÆ", 2), "ÆÆ");
    EXPECT_EQ(utf8::EncodeCanonical(utf8::Decode("Lim-Dûl")), "Lim-Dûl");
}

}  // namespace
