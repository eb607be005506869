#include "lookup/BuildPattern.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Step {
    std::string pattern;
    std::string rest;
    long position;
};

std::vector<Step> AllPatterns(const std::string& token, int mode)
{
    std::vector<Step> steps;
    long position = 0;
    std::string rest = "left over";
    do {
        std::string pattern = BuildPattern(token, mode, position, rest);
        steps.push_back({pattern, rest, position});
    } while (position != -1 && steps.size() < 100);
    return steps;
}

TEST(BuildPatternTest, WholeToken)
{
    const auto steps = AllPatterns("Lightning Bolt", 0);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].pattern, "*Lightning Bolt*");
    EXPECT_EQ(steps[0].rest, "");
    EXPECT_EQ(AllPatterns("", 0)[0].pattern, "**");
}

TEST(BuildPatternTest, LeadingWordsDropOneWordMoreEachTime)
{
    const auto steps = AllPatterns("a b c", 1);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].pattern, "*a b*");
    EXPECT_EQ(steps[0].rest, "c");
    EXPECT_EQ(steps[0].position, 1);
    EXPECT_EQ(steps[1].pattern, "*a*");
    EXPECT_EQ(steps[1].rest, "b c");
    EXPECT_EQ(steps[2].pattern, "*a*");
    EXPECT_EQ(steps[2].rest, "b c");
    EXPECT_EQ(steps[2].position, -1);
}

TEST(BuildPatternTest, LeadingWordsOfTheWorkedExample)
{
    const auto steps = AllPatterns("WTS: Lightning Bolt", 1);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].pattern, "*WTS: Lightning*");
    EXPECT_EQ(steps[0].rest, "Bolt");
    EXPECT_EQ(steps[1].pattern, "*WTS:*");
    EXPECT_EQ(steps[1].rest, "Lightning Bolt");
    EXPECT_EQ(steps[2].pattern, "*WTS:*");
    EXPECT_EQ(steps[2].position, -1);
}

TEST(BuildPatternTest, LeadingWordsOfOneWord)
{
    const auto steps = AllPatterns("Counterspell", 1);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].pattern, "*Counterspell*");
    EXPECT_EQ(steps[0].rest, "");
}

TEST(BuildPatternTest, OneLetterWildcardOnePatternPerCharacter)
{
    const auto steps = AllPatterns("lightming", 2);
    ASSERT_EQ(steps.size(), 9u);
    EXPECT_EQ(steps.front().pattern, "*?ightming*");
    EXPECT_EQ(steps[5].pattern, "*light?ing*");
    EXPECT_EQ(steps.back().pattern, "*lightmin?*");
}

TEST(BuildPatternTest, OneLetterWildcardOnlyTheWordHoldingTheJoker)
{
    const auto steps = AllPatterns("ab cd", 2);
    ASSERT_EQ(steps.size(), 4u);  // the space is stepped over
    EXPECT_EQ(steps[0].pattern, "*?b*");
    EXPECT_EQ(steps[1].pattern, "*a?*");
    EXPECT_EQ(steps[2].pattern, "*?d*");
    EXPECT_EQ(steps[3].pattern, "*c?*");
    EXPECT_EQ(AllPatterns("", 2)[0].pattern, "?");
}

TEST(BuildPatternTest, OneLetterWildcardNeverSplitsACharacter)
{
    const auto steps = AllPatterns("dûl", 2);
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].pattern, "*?ûl*");
    EXPECT_EQ(steps[1].pattern, "*d?l*");
    EXPECT_EQ(steps[2].pattern, "*dû?*");
}

TEST(BuildPatternTest, PositionBeyondAShortenedTokenStaysInside)
{
    long position = 8;
    std::string rest;
    EXPECT_EQ(BuildPattern("bolt", 2, position, rest), "*bol?*");
    EXPECT_EQ(position, -1);
}

TEST(BuildPatternTest, UnknownModeGivesEmptyPattern)
{
    long position = 0;
    std::string rest = "x";
    EXPECT_EQ(BuildPattern("a", 3, position, rest), "");
    EXPECT_EQ(rest, "");
}

}  // namespace
