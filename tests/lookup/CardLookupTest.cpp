#include "lookup/CardLookup.h"

#include "data/CardRecord.h"
#include "lookup/IniReader.h"
#include "lookup/ShownCardsTable.h"
#include "lookup/ValueReport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <set>

namespace {

class CardLookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name :
             {"Lightning Bolt", "Lightning Blast", "Counterspell", "Giant Growth", "Wrath of God",
              "Lim-Dûl's Cohort", "Æther Rift", "Boltwing", "Shock", "Jack-in-the-Box",
              "Cabal Ritual", "Fabled Hero", "Thunderbolt"}) {
            Add(name);
        }
        m_lookup.Prepare(m_cards);
        m_lookup.Options().userFilter = false;
        m_lookup.SetPatternObserver([this](const std::string& p) { m_patterns.push_back(p); });
    }

    void Add(const std::string& name)
    {
        CardRecord card;
        card.id = static_cast<std::int32_t>(m_cards.size() + 1);
        card.name = name;
        card.reg_value = static_cast<float>(m_cards.size());
        m_cards.push_back(card);
    }

    std::set<std::string> Find(const std::string& text, bool fromClipboard = false)
    {
        m_patterns.clear();
        m_stats = m_lookup.LookUp(text, fromClipboard, m_table);
        std::set<std::string> names;
        for (std::int32_t id : m_table.IdsInAddOrder()) {
            names.insert(m_table.Find(id)->name);
        }
        return names;
    }

    void Filters(const std::string& ini)
    {
        m_lookup.SetFilters(LoadFilters(IniReader::FromText("[filters]\n" + ini)).filters);
        m_lookup.Options().userFilter = true;
    }

    std::vector<CardRecord> m_cards;
    CardLookup m_lookup;
    ShownCardsTable m_table;
    std::vector<std::string> m_patterns;
    LookupStats m_stats;
};

using Names = std::set<std::string>;

TEST_F(CardLookupTest, WorkedExampleWithoutFilters)
{
    EXPECT_EQ(Find("WTS: 4x Lightning Bolt, 2 Counterspell 3tix"),
              (Names{"Lightning Bolt", "Counterspell"}));
    EXPECT_EQ(m_patterns,
              (std::vector<std::string>{"*WTS: Lightning Bolt*", "*WTS: Lightning*", "*WTS:*",
                                        "*WTS:*", "*Lightning Bolt*", "*Counterspell tix*",
                                        "*Counterspell*", "*tix*", "*tix*"}));
}

TEST_F(CardLookupTest, WorkedExampleWithFilters)
{
    Filters("f1=wts:\nf2=tix\n");
    EXPECT_EQ(Find("WTS: 4x Lightning Bolt, 2 Counterspell 3tix"),
              (Names{"Lightning Bolt", "Counterspell"}));
    EXPECT_EQ(m_patterns, (std::vector<std::string>{"*lightning bolt*", "*counterspell*"}));
}

TEST_F(CardLookupTest, LeadingWordsThenTheRest)
{
    EXPECT_EQ(Find("lightning bolt counterspell"), (Names{"Lightning Bolt", "Counterspell"}));
    EXPECT_EQ(Find("wts: lightning bolt"), (Names{"Lightning Bolt"}));
}

TEST_F(CardLookupTest, ShortPatternsAddOnlyForTypedSearches)
{
    EXPECT_EQ(Find("ab"), (Names{"Cabal Ritual", "Fabled Hero"}));
    EXPECT_EQ(Find("ab", true), Names{});
    EXPECT_EQ(m_patterns, std::vector<std::string>{"*ab*"}); // found, so nothing more
    EXPECT_EQ(Find("abl", true), (Names{"Fabled Hero"}));
}

TEST_F(CardLookupTest, EmptyTextListsEverythingOnlyWhenTyped)
{
    EXPECT_EQ(Find("").size(), m_cards.size());
    EXPECT_EQ(Find(" ; ").size(), m_cards.size());
    EXPECT_TRUE(Find("", true).empty());
    EXPECT_EQ(Find("shock,,", false).size(), 1u); // trailing separators leave no token
    EXPECT_EQ(Find("shock, ,counterspell").size(), m_cards.size()); // the blank token
}

TEST_F(CardLookupTest, TypoFoundOnlyAtMatchLevelTwo)
{
    EXPECT_EQ(Find("lightming bolt"), (Names{"Lightning Bolt", "Boltwing", "Thunderbolt"}));
    m_lookup.Options().matchLevel = 2;
    const Names found = Find("lightming bolt");
    EXPECT_TRUE(found.count("Lightning Blast"));
    EXPECT_TRUE(found.count("Lightning Bolt"));
    EXPECT_TRUE(std::find(m_patterns.begin(), m_patterns.end(), "*light?ing*") != m_patterns.end());
    EXPECT_TRUE(std::find(m_patterns.begin(), m_patterns.end(), "*?olt*") != m_patterns.end());
}

TEST_F(CardLookupTest, LevelTwoTriesOnePatternPerCharacter)
{
    m_lookup.Options().matchLevel = 2;
    Find("lightming");
    // mode 0, mode 1 (one word: one pattern), then nine one-letter patterns
    ASSERT_EQ(m_patterns.size(), 11u);
    EXPECT_EQ(m_patterns[2], "*?ightming*");
    EXPECT_EQ(m_patterns[10], "*lightmin?*");
}

TEST_F(CardLookupTest, NamesWithOtherLettersAsSpelled)
{
    EXPECT_EQ(Find("2x Lim-Dûl's Cohort"), Names{"Lim-Dûl's Cohort"});
    EXPECT_EQ(Find("æther rift"), Names{"Æther Rift"});
    EXPECT_EQ(Find("aether"), Names{});
    m_lookup.Options().matchLevel = 2;
    EXPECT_EQ(Find("Lim-Dul's"), Names{"Lim-Dûl's Cohort"}); // "?" stands for "û"
}

TEST_F(CardLookupTest, FiltersDeleteAndExpandWholeWords)
{
    Filters("f1=foil,*\nf2=tix\nf3=wog,wrath of god\n");
    EXPECT_EQ(Find("foil wog 3 tix"), Names{"Wrath of God"});
    EXPECT_EQ(m_patterns.front(), "*wrath of god*");
    EXPECT_EQ(Find("foils"), Names{});
}

TEST_F(CardLookupTest, FiltersAreIgnoredWhenTheOptionIsOff)
{
    Filters("f1=wog,wrath of god\n");
    m_lookup.Options().userFilter = false;
    EXPECT_EQ(Find("wog"), Names{});
}

TEST_F(CardLookupTest, SelfFeedingFiltersEnd)
{
    for (const char* ini : {"f1=bolt,lightning bolt\n", "f1=bolt,bolt bolt\n", "f1=b,a a b\n",
                            "f1=bolt,thunderbolt\nf2=thunderbolt,bolt\n"}) {
        for (int level : {1, 2}) {
            Filters(ini);
            m_lookup.Options().matchLevel = level;
            const Names found = Find("bolt b shock");
            EXPECT_TRUE(found.count("Shock")) << ini << " level " << level;
            EXPECT_LT(m_stats.patterns, 500u) << ini << " level " << level;
        }
    }
    Filters("f1=bolt,lightning bolt\n");
    EXPECT_EQ(Find("bolt"), Names{"Lightning Bolt"});
}

// Filters that feed each other ("a" made "a a" sixteen times over, or a letter made sixteen of
// it five times over) stop at their bound, typed and copied, and a copied text's report says
// they were cut.
TEST_F(CardLookupTest, FeedingFiltersStopAtTheirBoundAndSaySo)
{
    m_lookup.SetPatternObserver(nullptr);
    m_lookup.SetClipboardLimits({65536, std::chrono::hours(1)});
    std::string sixteen = "a";
    for (int i = 1; i < 16; ++i) {
        sixteen += " a";
    }
    std::string doubling;
    std::string sixteenfold;
    for (int n = 1; n <= 16; ++n) {
        doubling += "f" + std::to_string(n) + "=a,a a\n";
        sixteenfold += n <= 5 ? "f" + std::to_string(n) + "=a," + sixteen + "\n" : "";
    }
    for (const std::string& ini : {doubling, sixteenfold}) {
        for (const bool clipboard : {false, true}) {
            Filters(ini);
            EXPECT_TRUE(Find("a shock", clipboard).count("Shock")) << ini;
            EXPECT_TRUE(m_stats.filtersCut);
            EXPECT_LT(m_stats.patterns, 5000u);
        }
    }
    EXPECT_NE(LookupCutNote(m_stats, m_lookup.Limits())
                  .find("(the word filters were stopped after adding 1,024 characters"),
              std::string::npos);
}

class ClipboardLimitTest : public CardLookupTest {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 150; ++i) {
            Add("Goblin " + std::to_string(i));
        }
        // Found before the split card that scores as high, as a copied "Fire/Ice" finds them.
        for (int i = 0; i < 120; ++i) {
            Add("Fire");
        }
        Add("Fire // Ice");
        CardLookupTest::SetUp();
        m_lookup.SetPatternObserver(nullptr);
    }
};

TEST_F(ClipboardLimitTest, ClipboardListsOneHundredTypedAll)
{
    EXPECT_EQ(Find("goblin", true).size(), 100u);
    EXPECT_TRUE(m_stats.stoppedAtLimit);
    // The first hundred in catalogue order are the ones listed.
    EXPECT_EQ(m_table.IdsInAddOrder().front(), m_cards[0].id);
    EXPECT_EQ(m_table.IdsInAddOrder().back(), m_cards[99].id);
    EXPECT_EQ(Find("goblin", false).size(), 150u);
    EXPECT_FALSE(m_stats.stoppedAtLimit);
}

// The bounds of a copied text are 65,536 characters and the time budget; ordinary texts meet
// neither, however many words and patterns they hold.
TEST_F(ClipboardLimitTest, LongTextsAreReadWholeUpToTheirBound)
{
    m_lookup.SetClipboardLimits({65536, std::chrono::hours(1)});
    // 33 words without a separator: every run of leading words is tried, the last word too.
    std::string line;
    for (int i = 0; i < 32; ++i) {
        line += "qwz" + std::to_string(i % 7) + "lorem ";
    }
    EXPECT_EQ(Find(line + "Counterspell", true), Names{"Counterspell"});
    EXPECT_FALSE(m_stats.textCut || m_stats.outOfTime);

    // A whole 64 KiB text ends, typed and copied, at both levels, and its last word counts.
    std::string words;
    while (words.size() < 65536 - 6) {
        words += "qwz lorem ipsum dolor ";
    }
    words.resize(65536 - 6);
    words += " shock";
    for (const int level : {1, 2}) {
        m_lookup.Options().matchLevel = level;
        EXPECT_TRUE(Find(words, false).count("Shock")) << level;
        EXPECT_TRUE(Find(words, true).count("Shock")) << level;
        EXPECT_FALSE(m_stats.textCut || m_stats.outOfTime) << level;
    }

    const std::string longer = std::string(65536, ' ') + "shock";
    EXPECT_EQ(Find(longer, false), Names{"Shock"});
    EXPECT_EQ(Find(longer, true), Names{});
    EXPECT_TRUE(m_stats.textCut);

    Find(std::string(1 << 20, ';'), true);
    EXPECT_EQ(m_stats.patterns, 1u);
    EXPECT_TRUE(m_table.Empty());
}

TEST_F(ClipboardLimitTest, SpentBudgetStopsOnlyClipboardLookups)
{
    m_lookup.SetClipboardLimits({65536, std::chrono::milliseconds(0)});
    for (const bool best : {false, true}) {
        m_lookup.Options().bestMatch = best;
        EXPECT_EQ(Find("shock", true), Names{}) << best;
        EXPECT_TRUE(m_stats.outOfTime) << best;
        EXPECT_EQ(Find("shock", false), Names{"Shock"}) << best;
        EXPECT_FALSE(m_stats.outOfTime) << best;
    }
}

// Best Match First: a copied text is read to its end and the 100 cards matching it best are
// listed, so 150 goblins cannot crowd out a name after them; without it, or typed, nothing
// changes.
TEST_F(ClipboardLimitTest, BestMatchKeepsTheBestHundredOfTheWholeText)
{
    struct Case {
        const char* text;
        bool clipboard;
        bool best;
        std::size_t listed;
        const char* card;
        bool cardListed;
        bool stopped;
    };
    const Case cases[] = {
        {"goblin, counterspell", true, false, 100, "Counterspell", false, true},
        {"goblin, counterspell", true, true, 100, "Counterspell", true, true},
        {"goblin and counterspell", true, true, 100, "Counterspell", true, true},
        {"counterspell", true, true, 1, "Counterspell", true, false},
        {"goblin, counterspell", false, true, 151, "Counterspell", true, false},
        // 120 "Fire" score 100 like the split card: the name covering both words stays.
        {"Fire/Ice", true, false, 100, "Fire // Ice", false, true},
        {"Fire/Ice", true, true, 100, "Fire // Ice", true, true},
    };
    for (const Case& c : cases) {
        m_lookup.Options().bestMatch = c.best;
        const Names found = Find(c.text, c.clipboard);
        EXPECT_EQ(m_table.IdsInAddOrder().size(), c.listed) << c.text << " best " << c.best;
        EXPECT_EQ(found.count(c.card) == 1, c.cardListed) << c.text << " best " << c.best;
        EXPECT_EQ(m_stats.stoppedAtLimit, c.stopped) << c.text << " best " << c.best;
        EXPECT_EQ(m_stats.cardsAdded, c.listed) << c.text << " best " << c.best;
    }
    // Counterspell (100) and the goblins of one digit (86) outscore those of two (75), which
    // outscore those of three; of equal scores the first found stay, and cards are listed in
    // the order they were found.
    m_lookup.Options().bestMatch = true;
    const Names found = Find("goblin, counterspell", true);
    EXPECT_TRUE(found.count("Goblin 98") && !found.count("Goblin 99") && !found.count("Goblin 100"));
    EXPECT_EQ(m_table.IdsInAddOrder().front(), m_cards[0].id);
    EXPECT_EQ(m_table.Find(m_table.IdsInAddOrder().back())->name, "Counterspell");
}

} // namespace
