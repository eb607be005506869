#include "lookup/MatchScorer.h"

#include "data/CardRecord.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/ValueReport.h"

#include <gtest/gtest.h>

namespace {

const FilterList kFilters = {{"wts:", "*"}, {"tix", "*"}, {"wog", "wrath of god"}};

int Score(const std::string& text, const std::string& name, bool filters = true)
{
    LookupOptions options;
    options.userFilter = filters;
    return MatchScorer(text, kFilters, options, true).Score(name);
}

struct ScoreCase {
    const char* text;
    const char* name;
    int low;
    int high;
};

TEST(MatchScorerTest, ScoresOnTableOfCases)
{
    constexpr int passes = MatchScorer::kReportThreshold;
    const ScoreCase cases[] = {
        {"Psychatog", "Psychatog", 100, 100},
        {"WTS: 4x Psychatog 3 tix", "Psychatog", 100, 100},          // filters and quantities go
        {"Fire/Ice 1 tix", "Fire // Ice", 100, 100},                 // across a separator
        {"urzas rage", "Urza's Rage", 100, 100},                     // apostrophes do not count
        {"wog", "Wrath of God", 100, 100},                           // a filter's replacement
        {"Wrath of God, Counterspell", "Counterspell", 100, 100},    // each token on its own
        {"I've been running Psychatog in my deck", "Psychatog", passes, 80},
        {"wts psychatgo", "Psychatog", passes, 80},                  // one typo
        {"wts sychatog", "Psychatog", passes, 80},                   // ... at either end
        {"wts spychatog", "Psychatog", passes, 80},
        {"wts psychatoh", "Psychatog", passes, 80},
        {"wts xsychatoh", "Psychatog", 0, 0},                        // two are too many
        {"lightning bolt and giant growth", "Lightning Rift", 0, passes - 1},  // half a name
        {"birds", "Birds of Paradise", 0, passes - 1},
        {"the forest was quiet", "Forest", 0, passes - 1},           // a lone common word
        {"forest", "Forest", 100, 100},
        {"sandstorm", "Sand Golem", 0, 0},                           // no whole word
        {"of", "Wrath of God", 1, 30},
        {"", "Psychatog", 0, 0},
        {"Psychatog", "", 0, 0},
    };
    for (const ScoreCase& c : cases) {
        const int score = Score(c.text, c.name);
        EXPECT_GE(score, c.low) << c.text << " / " << c.name;
        EXPECT_LE(score, c.high) << c.text << " / " << c.name;
    }
    // The nickname counts only while the filters are on.
    EXPECT_EQ(Score("wog", "Wrath of God", false), 0);
    // The whole name outscores a part of it, and a name alone outscores one in a sentence.
    EXPECT_GT(Score("wrath of god", "Wrath of God"), Score("wrath of god", "Wrath"));
    EXPECT_GT(Score("psychatog 3 tix", "Psychatog"), Score("is psychatog good", "Psychatog"));
}

// Of equal scores the name covering more words of the text goes first; names covering as many,
// however long, or matching nothing, are left in their order.
TEST(MatchScorerTest, EqualScoresRankTheNameCoveringMoreOfTheText)
{
    struct RankCase {
        const char* text;
        const char* first;
        const char* second;
        bool firstAbove;
    };
    const RankCase cases[] = {
        {"Fire/Ice 1 tix", "Fire // Ice", "Fire", true},
        {"Fireblast, Fire/Ice", "Fire // Ice", "Fireblast", true},  // more words, shorter name
        {"Duress, Gravedigger", "Gravedigger", "Duress", false},
        {"Shock", "Shock", "Shock", false},
        {"counterspell", "Lightning Bolt", "Shock", false},
    };
    for (const RankCase& c : cases) {
        const MatchScorer scorer(c.text, kFilters, LookupOptions(), true);
        const MatchRank first = scorer.Rank(c.first);
        const MatchRank second = scorer.Rank(c.second);
        EXPECT_EQ(first.score, second.score) << c.text << " / " << c.first;
        EXPECT_EQ(RanksAbove(first, second), c.firstAbove) << c.text << " / " << c.first;
        EXPECT_FALSE(RanksAbove(second, first)) << c.text << " / " << c.first;
    }
}

TEST(MatchScorerTest, ClipboardTextIsReadUpToItsLimit)
{
    ClipboardLimits limits;
    limits.maxChars = 10;
    const std::string text = "zzzzzzzzzz Psychatog";
    EXPECT_EQ(MatchScorer(text, {}, LookupOptions(), true, limits).Score("Psychatog"), 0);
    EXPECT_GT(MatchScorer(text, {}, LookupOptions(), false, limits).Score("Psychatog"), 0);
}

class BestMatchReportTest : public ::testing::Test {
protected:
    // In the grid's value order: the most valuable first.
    std::vector<CardRecord> Cards(std::initializer_list<const char*> names)
    {
        std::vector<CardRecord> cards;
        float value = 10.0f;
        for (const char* name : names) {
            CardRecord card;
            card.id = static_cast<std::int32_t>(cards.size() + 1);
            card.name = name;
            card.reg_value = value--;
            cards.push_back(card);
        }
        return cards;
    }
    static std::vector<std::string> Names(const std::vector<CardRecord>& cards)
    {
        std::vector<std::string> names;
        for (const CardRecord& card : cards) {
            names.push_back(card.name);
        }
        return names;
    }
};

TEST_F(BestMatchReportTest, BestFirstTiesByValueAndOnlyPassingCardsReported)
{
    const MatchScorer scorer("wts shock and counterspell", {}, LookupOptions(), true);
    const std::vector<ScoredCard> ordered =
        OrderByMatch(Cards({"Shockwave", "Counterspell", "Shock", "Counterspell"}), scorer);
    ASSERT_EQ(ordered.size(), 4u);
    EXPECT_EQ(ordered[0].card.id, 2);  // the more valuable of two equal scores
    EXPECT_EQ(ordered[1].card.id, 4);
    EXPECT_EQ(ordered[3].card.name, "Shockwave");  // a piece of a word: kept, never reported
    EXPECT_LT(ordered[3].rank.score, MatchScorer::kReportThreshold);
    // Two printings of one name are reported once, the more valuable.
    const std::vector<CardRecord> reported = ReportedCards(ordered);
    ASSERT_EQ(Names(reported), (std::vector<std::string>{"Counterspell"}));
    EXPECT_EQ(reported[0].id, 2);
}

TEST_F(BestMatchReportTest, ChatterReportsNoCard)
{
    const MatchScorer scorer("anyone going to the prerelease this weekend", {}, LookupOptions(),
                             true);
    const std::vector<CardRecord> reported =
        ReportedCards(OrderByMatch(Cards({"Goblin Game", "Weekend Warrior", "Thermal Glider"}),
                                   scorer));
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(BuildValueReport(reported.size(), reported, {}), "0 cards found!\n---\n");
}

}  // namespace
