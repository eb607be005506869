// The fast lookup against the plain reference of ReferenceLookup.h, on many random
// catalogues, texts and filter lists: both must add the same cards in the same order.

#include "ReferenceLookup.h"

#include "lookup/CardLookup.h"
#include "lookup/CardMatcher.h"
#include "lookup/ShownCardsTable.h"

#include <gtest/gtest.h>

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
                                                       "/",    " ? ", "!!", "\n", "\xFF", ""};
        std::string text;
        for (std::size_t n = 1 + Below(6); n > 0; --n) {
            text += Chance(8) ? kWords.back() : Word();
            text += kGlue[Below(kGlue.size())];
        }
        return text;
    }

    FilterList Filters()
    {
        FilterList filters;
        for (std::size_t n = Below(4); n > 0; --n) {
            FilterEntry entry{AsciiLower(Word()), ""};
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
        }
    }
}

struct Case {
    bool fromClipboard;
    int level;
    bool filters;
};

class CardLookupDifferentialTest : public ::testing::TestWithParam<Case> {};

TEST_P(CardLookupDifferentialTest, SameCardsInSameOrderAsTheReference)
{
    const Case c = GetParam();
    Random random(1000 + (c.fromClipboard ? 1 : 0) + c.level * 2 + (c.filters ? 4 : 0));
    int nonEmpty = 0;
    for (int round = 0; round < 12; ++round) {
        const auto cards = Catalogue(random, 60 + random.Below(200));
        CardLookup lookup(cards);
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

INSTANTIATE_TEST_SUITE_P(AllOptions, CardLookupDifferentialTest,
                         ::testing::Values(Case{false, 1, false}, Case{true, 1, false},
                                           Case{false, 2, false}, Case{true, 2, false},
                                           Case{false, 1, true}, Case{true, 1, true},
                                           Case{false, 2, true}, Case{true, 2, true}));

} // namespace
