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
    /// True when a word of the text stands for a word of a name: the same word, or one typo
    /// away from a word long enough to stay recognisable.
    static bool StandsFor(std::string_view nameWord, std::string_view textWord);

    /// The text's words as they are scored (after cleaning and filters), in order.
    std::size_t WordCount() const { return m_words.size(); }
    const std::string& WordAt(std::size_t word) const { return m_words[word].text; }
    /// True when the word is written with a capital inside a sentence ("running Psychatog"),
    /// as names are and ordinary words are not.
    bool Capitalised(std::size_t word) const { return m_words[word].capital; }
    /// True when the word starts a sentence with a capital, as every word there does.
    bool StartsSentence(std::size_t word) const { return m_words[word].initial; }
    /// The piece of text (between separators) a word stands in.
    std::size_t TokenOf(std::size_t word) const { return m_words[word].token; }
    /// True when the text reads like trade talk: numbers, prices, "wts", "H:", "tix", ...;
    /// elsewhere it is prose, where a card name must stand out to count.
    bool TradeTalk() const { return m_tradeTalk; }
    /// The score of a name that the word alone stands for, as a short name does ("Jitte",
    /// "Kiki", "Goyf", the part of a legend's name before the comma).
    int ShortNameScore(std::size_t word) const;
    /// True when a word is common in chat and in card names: alone it is not much of a name.
    static bool IsCommonWord(std::string_view word);
    /// True for the words of trade talk: "wts", "selling", "tix", "playset", ...
    static bool IsTradeWord(std::string_view word);

private:
    struct Word {
        std::string text;
        std::size_t token;
        bool capital = false;
        bool initial = false;
    };
    // The score of the run of name words starting at name word nameStart and text word
    // textStart, and in length the number of words it covers.
    MatchRank PieceRank(const std::vector<std::string_view>& name) const;
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
    std::vector<std::size_t> m_pieceWords;  // indexes in m_distinct that may be short names
    bool m_tradeTalk = false;
};
