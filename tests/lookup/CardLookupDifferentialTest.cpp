// The lookup against the plain reference of ReferenceLookup.h, written from the rules alone,
// on many random catalogues, texts and filter lists, typed and copied, at both match levels,
// with and without a pattern observer (which makes the lookup try every pattern in turn
// instead of skipping those that cannot find anything): both must add the same cards in the
// same order.

#include "ReferenceLookup.h"

#include "lookup/CardLookup.h"
#include "lookup/CardMatcher.h"
#include "lookup/ShownCardsTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>

namespace {

const std::vector<std::string> kWords = {"lightning",
                                         "Bolt",
                                         "bolt",
                                         "of",
                                         "God",
                                         "wrath",
                                         "Dûl",
                                         "lim-dûl's",
                                         "Æther",
                                         "rift",
                                         "a",
                                         "ab",
                                         "aab",
                                         "aaab",
                                         "tix",
                                         "foil",
                                         "wts:",
                                         "WTS:",
                                         "x",
                                         "b",
                                         "giant",
                                         "GROWTH",
                                         "ba",
                                         "aba",
                                         "ñ",
                                         "\xC3",
                                         "nu",
                                         "ll",
                                         std::string("nu\0ll", 5),
                                         "ü?"};

class Random {
public:
    explicit Random(unsigned seed) : m_engine(seed) {}
    std::size_t Below(std::size_t n)
    {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_engine);
    }
    bool Chance(int percent) { return Below(100) < static_cast<std::size_t>(percent); }
    const std::string& Word() { return kWords[Below(kWords.size() - 1)]; }

    std::string Name()
    {
        std::string name = Word();
        for (std::size_t n = Below(3); n > 0; --n) {
            name += (Chance(85) ? " " : "-") + Word();
        }
        return name;
    }

    std::string Text()
    {
        static const std::vector<std::string> kGlue = {" ",    " ",   " ",  ", ", "; ",   " 4x ",
                                                       " x2 ", " - ", "  ", ".",  "\t",   " 3tix ",
                                                       "/",    " ? ", "!!", "\n", "\xFF", "",
                                                       "\v"};
        static const std::vector<std::string> kSpaces = {" ", " ", " ", " ", "\n", " 2x "};
        std::string text;
        // Now and then a long run of words without a separator, as in copied chat.
        const bool longRun = Chance(10);
        for (std::size_t n = longRun ? 12 + Below(24) : 1 + Below(6); n > 0; --n) {
            text += Chance(8) ? kWords.back() : Word();
            text += longRun && Chance(95) ? kSpaces[Below(kSpaces.size())]
                                          : kGlue[Below(kGlue.size())];
        }
        return text;
    }

    FilterList Filters()
    {
        FilterList filters;
        for (std::size_t n = Below(4); n > 0; --n) {
            FilterEntry entry{reference::Lower(Word()), ""};
            switch (Below(4)) {
            case 0:
                entry.replacement = "*";
                break;
            case 1:
                entry.replacement = Name();
                break;
            case 2:
                entry.replacement = entry.word + " " + Word();
                break; // holds its own word
            default:
                entry.replacement = "?" + Word();
                break; // a leading joker
            }
            if (entry.word.find_first_of("*?,") == std::string::npos) {
                filters.push_back(entry);
            }
        }
        return filters;
    }

private:
    std::mt19937 m_engine;
};

std::vector<CardRecord> Catalogue(Random& random, std::size_t size)
{
    std::vector<CardRecord> cards;
    for (std::size_t i = 0; i < size; ++i) {
        CardRecord card;
        card.id = static_cast<std::int32_t>(random.Chance(5) ? random.Below(i + 1) + 1 : i + 1);
        card.name = random.Name();
        cards.push_back(card);
    }
    return cards;
}

TEST(CardMatcherDifferentialTest, SameNamesAsThePlainWildcardTest)
{
    Random random(7);
    const std::vector<std::string> extra = {"aaab", "xaab", "aab", "", "a", "AAAB", "ba?b"};
    for (int round = 0; round < 20; ++round) {
        auto cards = Catalogue(random, 200);
        for (const auto& name : extra) {
            cards.push_back(CardRecord{});
            cards.back().name = name;
        }
        CardMatcher matcher;
        matcher.Prepare(cards);
        for (int p = 0; p < 150; ++p) {
            std::string pattern;
            switch (random.Below(5)) {
            case 0:
                pattern = "*" + random.Word() + "*";
                break;
            case 1: {
                std::string word = random.Word();
                word[random.Below(word.size())] = '?';
                pattern = "*" + word + "*";
                break;
            }
            case 2:
                pattern = "*a?b*";
                break;
            case 3:
                pattern = random.Word() + "*" + random.Word();
                break;
            default:
                pattern = random.Chance(50) ? "?" : "*" + random.Name() + "*";
                break;
            }
            std::vector<std::uint32_t> expected;
            for (std::size_t i = 0; i < cards.size(); ++i) {
                if (reference::Match(cards[i].name, pattern)) {
                    expected.push_back(static_cast<std::uint32_t>(i));
                }
            }
            ASSERT_EQ(matcher.Matches(pattern), expected) << "pattern '" << pattern << "'";
            const std::size_t limit = 1 + random.Below(3);
            expected.resize(std::min(expected.size(), limit));
            ASSERT_EQ(matcher.Matches(pattern, limit), expected) << "pattern '" << pattern << "'";
        }
    }
}

// A copied chat of thirty lines, each a long run of words that name nothing before a card:
// the clipboard lookup reads it all and adds what the rules add.
TEST(CardLookupChatTest, CopiedChatFindsWhatTheRulesFind)
{
    // Made-up names of two words, none inside another.
    std::vector<CardRecord> cards;
    const std::vector<std::string> syllables = {"bra", "kel", "mon", "tiv", "dru", "sha", "gor"};
    for (std::size_t i = 0; i < 49; ++i) {
        CardRecord card;
        card.id = static_cast<std::int32_t>(i + 1);
        card.name = syllables[i % 7] + syllables[(i / 7) % 7] + "x " + syllables[(i + 3) % 7] +
                    syllables[(i / 7 + 1) % 7] + "z";
        cards.push_back(card);
    }
    std::string chat;
    for (int line = 0; line < 30; ++line) {
        chat += "[14:" + std::to_string(10 + line) + "] trader: WTS";
        for (int word = 0; word < 30; ++word) {
            chat += " zq" + std::string(1, static_cast<char>('a' + (line + word) % 26)) + "vv";
        }
        chat += " " + cards[static_cast<std::size_t>(line)].name + " 2 tix each, pm me\n";
    }
    const FilterList filters;
    CardLookup lookup(cards);
    lookup.Options() = {false, 1};
    reference::Lookup plain{cards, filters, false, 1};
    ShownCardsTable fast;
    ShownCardsTable slow;
    const LookupStats stats = lookup.LookUp(chat, true, fast);
    plain.LookUp(chat, true, slow);
    EXPECT_EQ(fast.IdsInAddOrder(), slow.IdsInAddOrder());
    EXPECT_EQ(fast.Size(), 30u);
    EXPECT_FALSE(stats.textCut || stats.outOfTime || stats.stoppedAtLimit);
}

struct Case {
    bool fromClipboard;
    int level;
    bool filters;
    bool observed;
};

class CardLookupDifferentialTest : public ::testing::TestWithParam<Case> {};

TEST_P(CardLookupDifferentialTest, SameCardsInSameOrderAsTheReference)
{
    const Case c = GetParam();
    Random random(1000 + (c.fromClipboard ? 1 : 0) + c.level * 2 + (c.filters ? 4 : 0) +
                  (c.observed ? 8 : 0));
    int nonEmpty = 0;
    for (int round = 0; round < 12; ++round) {
        const auto cards = Catalogue(random, 60 + random.Below(200));
        CardLookup lookup(cards);
        lookup.SetClipboardLimits({65536, std::chrono::hours(1)});
        if (c.observed) {
            lookup.SetPatternObserver([](const std::string&) {});
        }
        for (int t = 0; t < 25; ++t) {
            const FilterList filters = random.Filters();
            const std::string text = random.Text();
            lookup.SetFilters(filters);
            lookup.Options() = {c.filters, c.level};
            reference::Lookup plain{cards, filters, c.filters, c.level};

            ShownCardsTable fast;
            ShownCardsTable slow;
            lookup.LookUp(text, c.fromClipboard, fast);
            plain.LookUp(text, c.fromClipboard, slow);
            ASSERT_EQ(fast.IdsInAddOrder(), slow.IdsInAddOrder()) << "text '" << text << "'";
            nonEmpty += fast.Empty() ? 0 : 1;
        }
    }
    EXPECT_GT(nonEmpty, 100); // the cases must find something to compare
}

std::vector<Case> AllCases()
{
    std::vector<Case> cases;
    for (const bool observed : {false, true}) {
        for (const bool filters : {false, true}) {
            for (const int level : {1, 2}) {
                for (const bool fromClipboard : {false, true}) {
                    cases.push_back({fromClipboard, level, filters, observed});
                }
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllOptions, CardLookupDifferentialTest,
                         ::testing::ValuesIn(AllCases()));

} // namespace
