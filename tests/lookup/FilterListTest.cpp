#include "lookup/FilterList.h"
#include "lookup/IniReader.h"

#include <gtest/gtest.h>

namespace {

FilterLoadResult Load(const std::string& text)
{
    return LoadFilters(IniReader::FromText(text));
}

TEST(LoadFiltersTest, WordAndReplacementAreSplitAtTheFirstComma)
{
    const auto result = Load("[filters]\nf1=  WTS: \nf2=wog, Wrath of God \nf3=a,b,c\n");
    // A comma after the first character of a replacement is refused like "*" and "?".
    ASSERT_EQ(result.errors, std::vector<std::string>{"filter f3 contain invalidate char!"});
    ASSERT_EQ(result.filters.size(), 2u);
    EXPECT_EQ(result.filters[0].word, "wts:");
    EXPECT_EQ(result.filters[0].replacement, "*");
    EXPECT_EQ(result.filters[1].word, "wog");
    EXPECT_EQ(result.filters[1].replacement, "Wrath of God");
}

TEST(LoadFiltersTest, ForbiddenCharactersAreReportedPerKey)
{
    const auto result = Load("[filters]\nf1=a*b,c\nf2=x,*y\nf3=x,y*\nf4=q?\n");
    ASSERT_EQ(result.errors.size(), 3u);
    EXPECT_EQ(result.errors[0], "filter f1 contain invalidate char!");
    EXPECT_EQ(result.errors[1], "filter f3 contain invalidate char!");
    EXPECT_EQ(result.errors[2], "filter f4 contain invalidate char!");
    ASSERT_EQ(result.filters.size(), 1u);
    EXPECT_EQ(result.filters[0].word, "x");
    EXPECT_EQ(result.filters[0].replacement, "*y");
}

TEST(LoadFiltersTest, KeysAreReadWithoutGaps)
{
    EXPECT_EQ(Load("[filters]\nf1=a\nf2=b\nf4=d\n").filters.size(), 2u);
    EXPECT_TRUE(Load("[filters]\nf2=b\n").filters.empty());
    EXPECT_TRUE(Load("").filters.empty());
    EXPECT_TRUE(Load("").errors.empty());
    EXPECT_TRUE(LoadFilters("/nonexistent/quorvel/filter.ini").filters.empty());
}

TEST(LoadFiltersTest, BlankReplacementDeletesWithoutASpace)
{
    const auto result = Load("[filters]\nf1=\"foil,   \"\n");
    ASSERT_EQ(result.filters.size(), 1u);
    EXPECT_EQ(result.filters[0].replacement, "");
}

TEST(LoadFiltersTest, LongValuesAreCutTo127Characters)
{
    const auto result = Load("[filters]\nf1=w," + std::string(200, 'r') + "\n");
    ASSERT_EQ(result.filters.size(), 1u);
    EXPECT_EQ(result.filters[0].replacement, std::string(125, 'r'));  // "w," + 125 = 127
}

class ApplyFiltersTest : public ::testing::Test {
protected:
    std::string Apply(std::string token, const FilterList& filters, bool allowGrowth = true)
    {
        ApplyFilters(token, filters, allowGrowth);
        return token;
    }
};

TEST_F(ApplyFiltersTest, DeletesWholeWordsOnly)
{
    const FilterList filters = {{"foil", "*"}, {"tix", "*"}};
    EXPECT_EQ(Apply("Foil Lightning Bolt tix", filters), "lightning bolt");
    EXPECT_EQ(Apply("foils", filters), "foils");
    EXPECT_EQ(Apply("bolt foil shock", filters), "bolt shock");
}

TEST_F(ApplyFiltersTest, WholeWordMeansSpacesAround)
{
    EXPECT_EQ(Apply("wts: lightning bolt", {{"wts", "*"}}), "wts: lightning bolt");
    EXPECT_EQ(Apply("wts: lightning bolt", {{"wts:", "*"}}), "lightning bolt");
}

TEST_F(ApplyFiltersTest, ExpandsAbbreviations)
{
    EXPECT_EQ(Apply("wog", {{"wog", "wrath of god"}}), "wrath of god");
    EXPECT_EQ(Apply("wog wog", {{"wog", "wrath of god"}}), "wrath of god wrath of god");
}

TEST_F(ApplyFiltersTest, SecondOfTwoNeighbouringDeletionsWaitsForTheNextPass)
{
    // The search goes on one character after a deleted word, where the next one now starts.
    const FilterList filters = {{"wts:", "*"}};
    EXPECT_EQ(Apply("wts: wts: bolt", filters), "wts: bolt");
    EXPECT_EQ(Apply(Apply("wts: wts: bolt", filters), filters), "bolt");
}

TEST_F(ApplyFiltersTest, EmptyReplacementLeavesNoSpace)
{
    EXPECT_EQ(Apply("a foil b", {{"foil", ""}}), "a b");
    EXPECT_EQ(Apply("foil", {{"foil", ""}}), "");
}

TEST_F(ApplyFiltersTest, ReplacementHoldingItsOwnWordEnds)
{
    EXPECT_EQ(Apply("bolt", {{"bolt", "lightning bolt"}}), "lightning bolt");
    EXPECT_EQ(Apply("bolt bolt", {{"bolt", "bolt bolt"}}), "bolt bolt bolt bolt");
}

TEST_F(ApplyFiltersTest, WithoutGrowthOnlyShorteningFiltersApply)
{
    const FilterList filters = {{"bolt", "lightning bolt"}, {"tix", "*"}};
    EXPECT_EQ(Apply("bolt tix", filters, false), "bolt");
    EXPECT_EQ(Apply("lightning bolt", filters, true), "lightning lightning bolt");
}

TEST_F(ApplyFiltersTest, EmptyFilterWordIsIgnored)
{
    EXPECT_EQ(Apply("Abc", {{"", "x"}}), "abc");
}

TEST(WholeWordTest, OccurrenceBoundaries)
{
    EXPECT_TRUE(IsWholeWordAt("a bolt b", "bolt", 2));
    EXPECT_TRUE(IsWholeWordAt("bolt", "bolt", 0));
    EXPECT_FALSE(IsWholeWordAt("bolts", "bolt", 0));
    EXPECT_FALSE(IsWholeWordAt("abolt", "bolt", 1));
    EXPECT_FALSE(IsWholeWordAt("bolt", "bolt", 3));
    std::string token = "a bolt b";
    ReplaceAt(token, 2, 4, "shock");
    EXPECT_EQ(token, "a shock b");
}

}  // namespace
