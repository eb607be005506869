#pragma once

#include "lookup/CardMatcher.h"
#include "lookup/FilterList.h"
#include "lookup/LookupOptions.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct CardRecord;
class ShownCardsSink;

/// The lookup: turns free text into the catalogue cards it names and hands them to a sink.
/// It keeps a pointer to the catalogue's card list: call Prepare (or Adopt) again after every
/// load.
class CardLookup {
public:
    CardLookup() = default;
    explicit CardLookup(const std::vector<CardRecord>& cards) { Prepare(cards); }

    /// Prepares the matcher for the card list (folded names, one buffer); the list must
    /// outlive the lookups made until the next Prepare. Without the name index (one lookup
    /// only) the same cards are found by passing over all names.
    void Prepare(const std::vector<CardRecord>& cards, bool buildIndex = true);
    /// Takes names prepared elsewhere (on a loading thread, say) for the same records in the
    /// same order as `cards`, which may be the list they were prepared for or the one it was
    /// moved into. The matcher hands back the names prepared before, to be freed by the caller.
    void Adopt(const std::vector<CardRecord>& cards, CardMatcher& prepared);

    void SetFilters(FilterList filters) { m_filters = std::move(filters); }
    const FilterList& Filters() const { return m_filters; }

    LookupOptions& Options() { return m_options; }
    const LookupOptions& Options() const { return m_options; }
    void SetClipboardLimits(const ClipboardLimits& limits) { m_limits = limits; }
    const ClipboardLimits& Limits() const { return m_limits; }

    /// Called with every pattern before it is tested (for tracing and tests). While it is set,
    /// every pattern the rules make is built and tested in turn, none skipped: the trace is the
    /// rules' own sequence, at the price of speed on long texts.
    void SetPatternObserver(std::function<void(const std::string&)> observer)
    {
        m_observer = std::move(observer);
    }

    /// Empties the sink, cleans the text, cuts it into tokens and matches each against every
    /// card name, relaxing the pattern step by step. A clipboard lookup (fromClipboard) adds
    /// nothing for patterns of four characters or less and stops once 100 cards are shown;
    /// it reads only the first ClipboardLimits::maxChars characters and stops when it has
    /// spent ClipboardLimits::budget of processor time (the stats tell whether it was cut).
    /// With Options().bestMatch, a clipboard lookup does not stop at 100 cards: it scores
    /// every card it finds against the text and hands the sink the 100 best at the end.
    LookupStats LookUp(std::string_view text, bool fromClipboard, ShownCardsSink& sink);

    /// Matches one cleaned token, then the rests its patterns leave over.
    LookupStats MatchToken(std::string token, bool fromClipboard, ShownCardsSink& sink);

private:
    struct Run;
    void MatchTokenIn(Run& run, std::string token) const;
    bool Settled(std::string_view token) const;
    void MatchWords(Run& run, std::string_view token, std::size_t firstMost) const;
    void OneLetterPatterns(Run& run, std::string_view word) const;
    bool Probe(Run& run, const std::string& pattern) const;
    bool TestPattern(Run& run, const std::string& pattern) const;
    void OfferToBest(Run& run, const std::vector<std::uint32_t>& matches) const;
    bool OutOfTime(Run& run) const;

    const std::vector<CardRecord>* m_cards = nullptr;
    CardMatcher m_matcher;
    FilterList m_filters;
    LookupOptions m_options;
    ClipboardLimits m_limits;
    std::function<void(const std::string&)> m_observer;
};
