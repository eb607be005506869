#include "lookup/CardLookup.h"

#include "data/CardRecord.h"
#include "lookup/BuildPattern.h"
#include "lookup/ShownCardsSink.h"
#include "lookup/ShownCardsTable.h"
#include "lookup/TextCleaning.h"
#include "lookup/Utf8.h"

#include <unordered_map>

namespace {

// Results kept for patterns that come back within one lookup (the last mode-1 pattern is
// always tried twice, and rests repeat); bounded so that a huge typed search cannot hoard.
constexpr std::size_t kCacheBudget = 1 << 20;

// Patterns of this many characters or fewer find cards without adding them in a clipboard
// lookup ("*ab*": two letters are not a name).
constexpr std::size_t kShortPattern = 4;

} // namespace

struct CardLookup::Run {
    Run(ShownCardsSink& s, bool clipboard) : sink(s), fromClipboard(clipboard) {}
    ShownCardsSink& sink;
    bool fromClipboard;
    LookupStats stats;
    bool stop = false;
    std::unordered_map<std::string, std::vector<std::uint32_t>> cache;
    std::size_t cached = 0;
};

void CardLookup::Prepare(const std::vector<CardRecord>& cards)
{
    m_cards = &cards;
    m_matcher.Prepare(cards);
}

LookupStats CardLookup::LookUp(std::string_view text, bool fromClipboard, ShownCardsSink& sink)
{
    sink.ClearShownCards();
    Run run(sink, fromClipboard);
    if (fromClipboard) {
        const std::string_view head = utf8::FirstChars(text, m_limits.maxChars);
        run.stats.textCut = head.size() < text.size();
        text = head;
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
    return run.stats;
}

LookupStats CardLookup::MatchToken(std::string token, bool fromClipboard, ShownCardsSink& sink)
{
    Run run(sink, fromClipboard);
    MatchTokenIn(run, std::move(token));
    return run.stats;
}

bool CardLookup::TestPattern(Run& run, const std::string& pattern) const
{
    if (run.fromClipboard && run.stats.patterns >= m_limits.maxPatterns) {
        run.stop = true;
        run.stats.stoppedAtLimit = true;
        return false;
    }
    ++run.stats.patterns;
    if (m_observer) {
        m_observer(pattern);
    }
    if (m_cards == nullptr) {
        return false;
    }
    const bool adds = !run.fromClipboard || utf8::CountChars(pattern) > kShortPattern;
    auto cachedHit = run.cache.find(pattern);
    if (!adds) {
        return cachedHit != run.cache.end() ? !cachedHit->second.empty()
                                            : !m_matcher.Matches(pattern, 1).empty();
    }
    std::vector<std::uint32_t> fresh;
    if (cachedHit == run.cache.end()) {
        fresh = m_matcher.Matches(pattern);
        if (run.cached + fresh.size() + 1 <= kCacheBudget) {
            run.cached += fresh.size() + 1;
            cachedHit = run.cache.emplace(pattern, std::move(fresh)).first;
        }
    }
    const std::vector<std::uint32_t>& matches =
        cachedHit != run.cache.end() ? cachedHit->second : fresh;
    for (const std::uint32_t index : matches) {
        if (run.sink.AddShownCard((*m_cards)[index], run.fromClipboard)) {
            ++run.stats.cardsAdded;
            // Nothing found later can change what a full clipboard lookup shows.
            if (run.fromClipboard && run.stats.cardsAdded >= ShownCardsTable::kClipboardLimit) {
                run.stop = true;
                run.stats.stoppedAtLimit = true;
                break;
            }
        }
    }
    return !matches.empty();
}

// The matching of one token, with the matching of a rest nested inside a pattern step as a
// frame on an explicit stack, so that a token of many thousand words cannot exhaust the
// call stack.
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
