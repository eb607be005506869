#include "lookup/CardLookup.h"

#include "data/CardRecord.h"
#include "lookup/BestCandidates.h"
#include "lookup/BuildPattern.h"
#include "lookup/MatchScorer.h"
#include "lookup/ShownCardsSink.h"
#include "lookup/ShownCardsTable.h"
#include "lookup/TextCleaning.h"
#include "lookup/Utf8.h"

#include <algorithm>
#include <ctime>
#include <optional>
#include <unordered_map>
#include <utility>

namespace {

// Patterns of this many characters or fewer find cards without adding them in a clipboard
// lookup ("*ab*": two letters are not a name).
constexpr std::size_t kShortPattern = 4;

// What a lookup remembers of the patterns it tested; longer patterns are not remembered, so
// that a huge typed search cannot hoard.
constexpr std::size_t kRememberedLength = 256;
constexpr std::size_t kRememberedPatterns = 1 << 20;
enum Known : unsigned char { kFound = 1, kOffered = 2 };

// The clock is read at every so many patterns: reading it costs more than most patterns.
constexpr std::size_t kClockEvery = 8;
// ... and, while the found cards of one pattern are scored, at every so many of them.
constexpr std::size_t kScoredPerClock = 64;

std::int64_t ThreadCpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

bool IsBlankOtherThanSpace(char c)
{
    return c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

struct CardLookup::Run {
    Run(ShownCardsSink& s, bool clipboard) : sink(s), fromClipboard(clipboard) {}
    ShownCardsSink& sink;
    bool fromClipboard;
    LookupStats stats;
    bool stop = false;
    std::int64_t deadline = 0;
    std::size_t clockCount = 0;
    // Within one lookup the shown cards only grow, so a pattern whose cards were offered once
    // can offer nothing new: it is not tested again.
    std::unordered_map<std::string, unsigned char> known;
    // Best Match First on a copied text: what is found goes here, scored, not to the sink.
    const MatchScorer* scorer = nullptr;
    BestCandidates* best = nullptr;
};

void CardLookup::Prepare(const std::vector<CardRecord>& cards, bool buildIndex)
{
    m_cards = &cards;
    m_matcher.Prepare(cards, buildIndex);
}

void CardLookup::Adopt(const std::vector<CardRecord>& cards, CardMatcher& prepared)
{
    // The matcher keeps folded copies of the names and catalogue indexes, nothing that points
    // into the card list: only the list the lookup reads changes.
    m_cards = &cards;
    std::swap(m_matcher, prepared);
}

LookupStats CardLookup::LookUp(std::string_view text, bool fromClipboard, ShownCardsSink& sink)
{
    sink.ClearShownCards();
    Run run(sink, fromClipboard);
    if (fromClipboard) {
        run.deadline = ThreadCpuNanoseconds() +
                       std::chrono::duration_cast<std::chrono::nanoseconds>(m_limits.budget).count();
        const std::string_view head = utf8::FirstChars(text, m_limits.maxChars);
        run.stats.textCut = head.size() < text.size();
        text = head;
    }
    std::optional<MatchScorer> scorer;
    std::optional<BestCandidates> best;
    if (fromClipboard && m_options.bestMatch && m_cards != nullptr) {
        scorer.emplace(text, m_filters, m_options, true, m_limits);
        best.emplace(m_cards->size(), ShownCardsTable::kClipboardLimit);
        run.scorer = &*scorer;
        run.best = &*best;
    }
    std::string quoted;
    if (best) {
        // The fields of a copied price list may stand in double quotes ("Kitchen Finks","SHM"):
        // they separate names as commas do.
        quoted.assign(text);
        std::replace(quoted.begin(), quoted.end(), '"', ',');
        text = quoted;
    }
    const std::string cleaned = NormalisePunctuation(StripQuantities(text));
    // Tokens are taken off the front at each comma; walking an index gives the same tokens
    // without moving the rest of a long text for every one.
    std::size_t start = 0;
    do {
        const std::size_t comma = cleaned.find(',', start);
        const std::size_t end = comma == std::string::npos ? cleaned.size() : comma;
        MatchTokenIn(run, cleaned.substr(start, end - start));
        start = comma == std::string::npos ? cleaned.size() : comma + 1;
    } while (start < cleaned.size() && !run.stop);
    if (best) {
        for (const std::uint32_t index : best->InFoundOrder()) {
            run.stats.cardsAdded += sink.AddShownCard((*m_cards)[index], true) ? 1 : 0;
        }
        run.stats.stoppedAtLimit = best->Overflowed();
    }
    return run.stats;
}

LookupStats CardLookup::MatchToken(std::string token, bool fromClipboard, ShownCardsSink& sink)
{
    Run run(sink, fromClipboard);
    if (fromClipboard) {
        run.deadline = ThreadCpuNanoseconds() +
                       std::chrono::duration_cast<std::chrono::nanoseconds>(m_limits.budget).count();
    }
    MatchTokenIn(run, std::move(token));
    return run.stats;
}

bool CardLookup::OutOfTime(Run& run) const
{
    if (run.fromClipboard && run.clockCount++ % kClockEvery == 0 &&
        ThreadCpuNanoseconds() >= run.deadline) {
        run.stop = true;
        run.stats.outOfTime = true;
    }
    return run.stop;
}

bool CardLookup::Probe(Run& run, const std::string& pattern) const
{
    if (OutOfTime(run) || m_cards == nullptr) {
        return false;
    }
    const auto known = run.known.find(pattern);
    if (known != run.known.end()) {
        return (known->second & kFound) != 0;
    }
    ++run.stats.patterns;
    const bool found = !m_matcher.Matches(pattern, 1).empty();
    if (pattern.size() <= kRememberedLength && run.known.size() < kRememberedPatterns) {
        run.known.emplace(pattern, found ? kFound : 0);
    }
    return found;
}

bool CardLookup::TestPattern(Run& run, const std::string& pattern) const
{
    if (m_observer) {
        m_observer(pattern);
    }
    if (OutOfTime(run) || m_cards == nullptr) {
        return false;
    }
    const bool adds = !run.fromClipboard || utf8::CountChars(pattern) > kShortPattern;
    auto known = run.known.find(pattern);
    if (known != run.known.end() &&
        ((known->second & kOffered) != 0 || (known->second & kFound) == 0 || !adds)) {
        return (known->second & kFound) != 0;
    }
    ++run.stats.patterns;
    // A clipboard lookup asks only for as many names as it can still list; more are asked for
    // when some of them were refused (already listed).
    std::size_t limit = !adds ? 1
                        : run.fromClipboard && run.best == nullptr
                            ? ShownCardsTable::kClipboardLimit - run.stats.cardsAdded
                            : SIZE_MAX;
    std::vector<std::uint32_t> matches = m_matcher.Matches(pattern, limit);
    const unsigned char knowledge = (matches.empty() ? 0 : kFound) | (adds ? kOffered : 0);
    if (known != run.known.end()) {
        known->second = knowledge;
    } else if (pattern.size() <= kRememberedLength && run.known.size() < kRememberedPatterns) {
        run.known.emplace(pattern, knowledge);
    }
    if (!adds) {
        return !matches.empty();
    }
    if (run.best != nullptr) {
        OfferToBest(run, matches);
        return (knowledge & kFound) != 0;
    }
    for (std::size_t offered = 0; offered < matches.size();) {
        if (run.sink.AddShownCard((*m_cards)[matches[offered++]], run.fromClipboard)) {
            ++run.stats.cardsAdded;
            // Nothing found later can change what a full clipboard lookup shows.
            if (run.fromClipboard && run.stats.cardsAdded >= ShownCardsTable::kClipboardLimit) {
                run.stop = true;
                run.stats.stoppedAtLimit = true;
                break;
            }
        }
        if (offered == matches.size() && matches.size() == limit) {
            limit *= 2;
            matches = m_matcher.Matches(pattern, limit);
        }
    }
    return (knowledge & kFound) != 0;
}

// Every card a pattern found is scored once, the first time it is found; the clock is read
// meanwhile, since a pattern may find most of a large catalogue.
void CardLookup::OfferToBest(Run& run, const std::vector<std::uint32_t>& matches) const
{
    for (std::size_t i = 0; i < matches.size(); ++i) {
        if (i % kScoredPerClock == kScoredPerClock - 1 && ThreadCpuNanoseconds() >= run.deadline) {
            run.stop = true;
            run.stats.outOfTime = true;
            return;
        }
        if (run.best->FirstSight(matches[i])) {
            // The matcher's copy of the name was just read; the card records lie far apart.
            run.best->Offer(matches[i], run.scorer->Rank(m_matcher.FoldedName(matches[i])));
        }
    }
}

// True when filtering cannot change the token nor any rest cut from it: it is in lower case
// (when filters are on), holds no filter word that would be rewritten as a whole word, and its
// words stand between single spaces. A rest starts after a space, so each of its whole words
// is one of the token's.
bool CardLookup::Settled(std::string_view token) const
{
    if (token.empty() || token.front() == ' ' || token.back() == ' ' ||
        token.find("  ") != std::string_view::npos) {
        return false;
    }
    for (const char c : token) {
        if (IsBlankOtherThanSpace(c) || (m_options.userFilter && c >= 'A' && c <= 'Z')) {
            return false;
        }
    }
    if (!m_options.userFilter) {
        return true;
    }
    for (const FilterEntry& filter : m_filters) {
        const std::size_t inserted =
            !filter.replacement.empty() && filter.replacement.front() == '*'
                ? 1
                : filter.replacement.size();
        // Filtering again never lengthens a token: longer replacements are not applied.
        if (filter.word.empty() || inserted > filter.word.size()) {
            continue;
        }
        for (std::size_t at = token.find(filter.word); at != std::string_view::npos;
             at = token.find(filter.word, at + 1)) {
            if (IsWholeWordAt(token, filter.word, at)) {
                return false;
            }
        }
    }
    return true;
}

// The rules for a settled token, without building the patterns that cannot find anything.
// A run of leading words that some name holds is also held with its last words left off (the
// search of "*a b*" passes through a complete match of "*a*"), so of the rules' patterns
// "*w1 .. wn*", "*w1 .. wn-1*", ... "*w1*" the first to find a card is the one with the most
// leading words that still find one; runs longer than the longest name find nothing. That run
// is found by trying one, two, ... leading words. When it is empty, the rest after the first
// word is matched and then, at match level 2, the one-letter patterns of all words follow;
// each rest is matched inside the token before it, so those come last, innermost first.
// firstMost caps the leading words of the first run (a token that was settled only in the
// middle of its leading-word patterns).
void CardLookup::MatchWords(Run& run, std::string_view token, std::size_t firstMost) const
{
    std::vector<std::string_view> words;
    std::vector<std::size_t> chars;
    for (std::size_t start = 0; start <= token.size();) {
        std::size_t space = token.find(' ', start);
        space = space == std::string_view::npos ? token.size() : space;
        words.push_back(token.substr(start, space - start));
        chars.push_back(utf8::CountChars(words.back()));
        start = space + 1;
    }
    const auto leading = [&](std::size_t first, std::size_t count) {
        const char* begin = words[first].data();
        const char* end = words[first + count - 1].data() + words[first + count - 1].size();
        std::string pattern;
        pattern.reserve(static_cast<std::size_t>(end - begin) + 2);
        pattern += '*';
        pattern.append(begin, end);
        pattern += '*';
        return pattern;
    };
    const std::size_t longest = m_matcher.LongestName();
    std::vector<std::size_t> withoutMatch;
    std::size_t first = 0;
    std::size_t most = firstMost;
    while (first < words.size() && !run.stop) {
        std::size_t found = 0;
        std::size_t width = 0;
        for (std::size_t count = 1; count <= most && !run.stop; ++count) {
            width += chars[first + count - 1] + (count > 1 ? 1 : 0);
            if (width > longest || !Probe(run, leading(first, count))) {
                break;
            }
            found = count;
        }
        if (run.stop) {
            return;
        }
        if (found > 0) {
            TestPattern(run, leading(first, found));
        } else if (m_options.matchLevel >= 2) {
            withoutMatch.push_back(first);
        }
        first += found > 0 ? found : 1;
        most = words.size() - first;
    }
    // The one-letter patterns of a word depend on the word alone: each word's are tried once,
    // later tries would find nothing new (and in this mode what they find changes nothing).
    std::size_t done = words.size();
    while (!withoutMatch.empty() && !run.stop) {
        const std::size_t from = withoutMatch.back();
        withoutMatch.pop_back();
        for (std::size_t w = from; w < done && !run.stop; ++w) {
            OneLetterPatterns(run, words[w]);
        }
        done = from;
    }
}

void CardLookup::OneLetterPatterns(Run& run, std::string_view word) const
{
    for (std::size_t at = 0; at < word.size() && !run.stop;) {
        const std::size_t length = utf8::CharLength(word, at);
        std::string pattern = "*";
        pattern.append(word.substr(0, at));
        pattern += '?';
        pattern.append(word.substr(at + length));
        pattern += '*';
        TestPattern(run, pattern);
        at += length;
    }
}

// The matching of one token, with the matching of a rest nested inside a pattern step as a
// frame on an explicit stack, so that a token of many thousand words cannot exhaust the
// call stack. Once filtering leaves a frame's token settled at the start of a mode 0 or 1
// pattern, the rest of the frame is matched word by word (MatchWords).
void CardLookup::MatchTokenIn(Run& run, std::string token) const
{
    enum class Next { Pattern, AfterFound, AfterMiss };
    struct Frame {
        std::string token;
        bool firstFiltering;
        int mode = 0;
        long position = 0;
        Next next = Next::Pattern;
    };
    std::vector<Frame> stack;
    stack.push_back(Frame{std::move(token), true});
    while (!stack.empty() && !run.stop) {
        Frame& frame = stack.back();
        if (frame.next == Next::AfterFound) {
            if (frame.mode != 2 || frame.position == -1) {
                stack.pop_back();
            } else {
                frame.next = Next::Pattern;
            }
            continue;
        }
        if (frame.next == Next::AfterMiss) {
            frame.mode += 1;
            frame.position = 0;
            frame.next = Next::Pattern;
            if (frame.mode > m_options.matchLevel) {
                stack.pop_back();
            }
            continue;
        }
        if (m_options.userFilter) {
            // Filters run before every pattern; only the first run on a token may lengthen it.
            ApplyFilters(frame.token, m_filters, frame.firstFiltering);
            frame.firstFiltering = false;
        }
        if (!m_observer && frame.mode < 2 && Settled(frame.token)) {
            std::size_t words = 1;
            for (const char c : frame.token) {
                words += c == ' ' ? 1 : 0;
            }
            // Mode 1 at a position cuts position + 1 words off: at least the first word stays.
            const std::size_t most =
                frame.mode == 0
                    ? words
                    : std::max<std::size_t>(
                          1, words > static_cast<std::size_t>(frame.position) + 1
                                 ? words - static_cast<std::size_t>(frame.position) - 1
                                 : 1);
            const std::string settled = std::move(frame.token);
            stack.pop_back();
            MatchWords(run, settled, most);
            continue;
        }
        std::string rest;
        const std::string pattern = BuildPattern(frame.token, frame.mode, frame.position, rest);
        const bool found = TestPattern(run, pattern);
        if (run.stop) {
            return;
        }
        if (!found && frame.position != -1) {
            continue;
        }
        frame.next = found ? Next::AfterFound : Next::AfterMiss;
        if (!rest.empty()) {
            stack.push_back(Frame{std::move(rest), false});
        }
    }
}
