#pragma once

#include "lookup/FilterList.h"
#include "lookup/LookupOptions.h"
#include "lookup/MatchRank.h"

#include <string>
#include <string_view>
#include <vector>

/// The match score of "Best Match First": how well a card name that a lookup found fits the
/// text it was found in, from 0 (no whole word of the name in the text) to 100 (the full name
/// as a phrase that makes up its whole token, or the replacement of a word filter that was
/// applied). The text is cleaned once, as the lookup cleans it; every name is then scored by
/// Score alone. See the user guide's "Best Match First" for the rule.
class MatchScorer {
public:
    /// Cards scoring at least this are listed in the value report.
    static constexpr int kReportThreshold = 55;

    /// Cleans text like a lookup with these filters, options and bounds (a clipboard lookup
    /// reads only its first limits.maxChars characters).
    MatchScorer(std::string_view text, const FilterList& filters, const LookupOptions& options,
                bool fromClipboard, const ClipboardLimits& limits = {});

    int Score(std::string_view cardName) const { return Rank(cardName).score; }
    /// The score with what parts equal scores.
    MatchRank Rank(std::string_view cardName) const;

    /// The words of a text as the score compares them: lower case, apostrophes dropped, split
    /// at every other character that is not a letter or a digit.
    static std::vector<std::string> Words(std::string_view text);

private:
    struct Word {
        std::string text;
        std::size_t token;
    };
    // The score of the run of name words starting at name word nameStart and text word
    // textStart, and in length the number of words it covers.
    double RunScore(const std::vector<std::string_view>& name, std::size_t nameLetters,
                    std::size_t nameStart, std::size_t textStart, std::size_t& length) const;

    struct TextWord {
        std::string text;
        std::vector<std::size_t> positions;  // indexes in m_words
    };
    std::vector<Word> m_words;
    std::vector<TextWord> m_distinct;  // each word of the text once, with where it stands
    std::vector<std::vector<std::size_t>> m_byLength;  // length -> indexes in m_distinct
    std::vector<std::size_t> m_tokenLetters;   // letters of each token's words
    std::vector<std::string> m_replacements;   // applied filter replacements, as joined words
};
