#include "lookup/BestMatchOrder.h"

#include "lookup/MatchScorer.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace {

// A short name stands for at most this many names among the cards found ("Goyf": Tarmogoyf
// and Lhurgoyf); a word more names share is no name of its own.
constexpr std::size_t kShortNameNames = 2;
// Lower-case names count only where the names found cover at least this share of the letters
// of their piece of text (in prose: of the whole text).
constexpr double kProseCoverage = 0.5;
// A line this short is a question about a name ("Goyf price?"), even with a capital first word.
constexpr std::size_t kShortLineWords = 4;

// Marks the text words a rank's run covers (none for a name a word filter put in).
void Mark(std::vector<bool>& words, const MatchRank& rank)
{
    for (int w = 0; rank.firstWord >= 0 && w < rank.textWords; ++w) {
        const auto at = static_cast<std::size_t>(rank.firstWord + w);
        if (at < words.size()) {
            words[at] = true;
        }
    }
}

// True when the text word stands for the name word as a short name: the same word, or the
// front or back of a longer word ("goyf" of "tarmogoyf").
bool ShortNamePart(std::string_view nameWord, std::string_view word)
{
    if (nameWord == word) {
        return true;
    }
    return nameWord.size() >= word.size() + 2 &&
           (nameWord.compare(0, word.size(), word) == 0 ||
            nameWord.compare(nameWord.size() - word.size(), word.size(), word) == 0);
}

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

// Small words inside a name written in title case: "Delver of Secrets".
constexpr std::array<std::string_view, 6> kConnectors = {"of", "the", "to", "in", "a", "an"};
// Words that may stand beside a short name in a lower-case request: "need 4 wurmcoil".
constexpr std::array<std::string_view, 20> kGlueWords = {
    "need", "needs", "want",  "wanted", "any", "anyone", "pc",   "price", "my",      "a",
    "for",  "sale",  "trade", "and",    "or",  "got",    "have", "of",    "playset", "playsets"};

bool WrittenCapital(const MatchScorer& scorer, std::size_t word)
{
    return scorer.Capitalised(word) || scorer.StartsSentence(word);
}

// True when a capitalised word is part of a longer capitalised name in the text ("Noble" in
// "Noble Hierarch"), which that other name explains.
bool InTitlePhrase(const MatchScorer& scorer, std::size_t word)
{
    for (const int step : {-1, 1}) {
        for (auto k = static_cast<long>(word) + step;
             k >= 0 && static_cast<std::size_t>(k) < scorer.WordCount() &&
             scorer.TokenOf(static_cast<std::size_t>(k)) == scorer.TokenOf(word);
             k += step) {
            const auto at = static_cast<std::size_t>(k);
            if (!OneOf(kConnectors, scorer.WordAt(at))) {
                if (WrittenCapital(scorer, at)) {
                    return true;
                }
                break;
            }
        }
    }
    return false;
}

// True when every other word of the word's piece of text is a glue word.
bool StandsNearlyAlone(const MatchScorer& scorer, std::size_t word)
{
    for (std::size_t k = 0; k < scorer.WordCount(); ++k) {
        if (k != word && scorer.TokenOf(k) == scorer.TokenOf(word) &&
            !OneOf(kGlueWords, scorer.WordAt(k))) {
            return false;
        }
    }
    return true;
}

// True when a word of the text may be a short name: long enough, not common, and standing out
// as names do: capitalised on its own (not inside a longer capitalised name; at the start of
// a sentence only in a line of a few words, "Goyf price?"), or, in lower case, nearly alone in
// its piece of text ("need 4 wurmcoil").
bool MayBeShortName(const MatchScorer& scorer, std::size_t word)
{
    const std::string& text = scorer.WordAt(word);
    if (text.size() < 4 || MatchScorer::IsCommonWord(text)) {
        return false;
    }
    const bool capital = scorer.Capitalised(word) ||
                         (scorer.StartsSentence(word) && scorer.WordCount() <= kShortLineWords);
    return capital ? !InTitlePhrase(scorer, word) : StandsNearlyAlone(scorer, word);
}

// Raises the cards a lone word of the text calls by a short name, where that word is held by
// one or two of the names found and no well-matching name explains it already. Raised cards
// are marked in `raised`.
void RaiseShortNames(std::vector<ScoredCard>& scored, const MatchScorer& scorer,
                     std::vector<bool>& raised)
{
    std::vector<bool> explained(scorer.WordCount(), false);
    for (const ScoredCard& card : scored) {
        if (card.rank.score >= MatchScorer::kReportThreshold) {
            Mark(explained, card.rank);
        }
    }
    std::vector<std::size_t> candidates;
    for (std::size_t w = 0; w < scorer.WordCount(); ++w) {
        if (!explained[w] && MayBeShortName(scorer, w)) {
            candidates.push_back(w);
        }
    }
    if (candidates.empty()) {
        return;
    }
    // Which names hold each candidate word as a short name.
    std::vector<std::unordered_set<std::string>> holders(candidates.size());
    std::vector<std::vector<std::size_t>> cards(candidates.size());
    for (std::size_t c = 0; c < scored.size(); ++c) {
        const std::vector<std::string> words = MatchScorer::Words(scored[c].card.name);
        for (std::size_t k = 0; k < candidates.size(); ++k) {
            const std::string& word = scorer.WordAt(candidates[k]);
            if (std::any_of(words.begin(), words.end(),
                            [&word](const std::string& n) { return ShortNamePart(n, word); })) {
                holders[k].insert(scored[c].card.name);
                cards[k].push_back(c);
            }
        }
    }
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        if (holders[k].empty() || holders[k].size() > kShortNameNames) {
            continue;
        }
        const MatchRank rank{scorer.ShortNameScore(candidates[k]), 1,
                             static_cast<int>(candidates[k])};
        for (const std::size_t c : cards[k]) {
            if (RanksAbove(rank, scored[c].rank)) {
                scored[c].rank = rank;
                raised[c] = true;
            }
        }
    }
}

// Names written in lower case report nothing where the names found make up less than half of
// their piece of text, or, in prose, of the whole text (trade words left out): "rest in peace to my
// old account", "hold the line, the bot is restocking". A capital ("running Psychatog"), a word
// filter's nickname or a short name is reason enough.
void QuietLowerCase(std::vector<ScoredCard>& scored, const MatchScorer& scorer,
                    const std::vector<bool>& raised)
{
    const std::size_t words = scorer.WordCount();
    if (words == 0) {
        return;
    }
    std::vector<bool> covered(words, false);
    for (const ScoredCard& card : scored) {
        if (card.rank.score >= MatchScorer::kReportThreshold) {
            Mark(covered, card.rank);
        }
    }
    const auto share = [&](std::size_t from, std::size_t to) { // tokens from..to
        std::size_t letters = 0;
        std::size_t coveredLetters = 0;
        for (std::size_t w = 0; w < words; ++w) {
            if (scorer.TokenOf(w) >= from && scorer.TokenOf(w) <= to &&
                !MatchScorer::IsTradeWord(scorer.WordAt(w))) {
                letters += scorer.WordAt(w).size();
                coveredLetters += covered[w] ? scorer.WordAt(w).size() : 0;
            }
        }
        return letters == 0 ? 1.0
                            : static_cast<double>(coveredLetters) / static_cast<double>(letters);
    };
    const bool proseQuiet =
        !scorer.TradeTalk() && share(0, scorer.TokenOf(words - 1)) < kProseCoverage;
    for (std::size_t c = 0; c < scored.size(); ++c) {
        MatchRank& rank = scored[c].rank;
        if (rank.score < MatchScorer::kReportThreshold || rank.firstWord < 0 || raised[c]) {
            continue;
        }
        const auto first = static_cast<std::size_t>(rank.firstWord);
        const std::size_t last =
            std::min(words, first + static_cast<std::size_t>(rank.textWords)) - 1;
        bool capital = false;
        for (std::size_t w = first; w <= last; ++w) {
            capital = capital || scorer.Capitalised(w);
        }
        if (!capital &&
            (proseQuiet || share(scorer.TokenOf(first), scorer.TokenOf(last)) < kProseCoverage)) {
            rank.score = MatchScorer::kReportThreshold - 1;
        }
    }
}

} // namespace

std::vector<ScoredCard> OrderByMatch(const std::vector<CardRecord>& cardsInValueOrder,
                                     const MatchScorer& scorer)
{
    std::vector<ScoredCard> ordered;
    ordered.reserve(cardsInValueOrder.size());
    for (const CardRecord& card : cardsInValueOrder) {
        ordered.push_back(ScoredCard{card, scorer.Rank(card.name)});
    }
    std::vector<bool> raised(ordered.size(), false);
    RaiseShortNames(ordered, scorer, raised);
    QuietLowerCase(ordered, scorer, raised);
    std::stable_sort(ordered.begin(), ordered.end(), [](const ScoredCard& a, const ScoredCard& b) {
        return RanksAbove(a.rank, b.rank);
    });
    return ordered;
}

std::vector<CardRecord> ReportedCards(const std::vector<ScoredCard>& ordered)
{
    std::vector<CardRecord> reported;
    std::unordered_set<std::string> names;
    for (const ScoredCard& scored : ordered) {
        if (scored.rank.score >= MatchScorer::kReportThreshold &&
            names.insert(scored.card.name).second) {
            reported.push_back(scored.card);
        }
    }
    return reported;
}
