#pragma once

#include "lookup/TrigramIndex.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CardRecord;

/// Tests a wildcard pattern against every card name of the catalogue, case-blind for ASCII
/// letters, with exactly the results of WildcardMatch(name, pattern, false) card by card. What
/// does not change between patterns is done once per catalogue load: the names are folded,
/// kept in one contiguous buffer, and indexed by their byte trigrams. A pattern with a literal
/// piece (the text between "*" and "?") of three bytes or more runs the full test only on the
/// names that hold every trigram of its pieces; other patterns are one pass over all names.
class CardMatcher {
public:
    /// Prepares the names of the catalogue; call again after every catalogue load. Without
    /// the index every pattern is a pass over all names, as before the index was built (kept
    /// to measure the index against).
    void Prepare(const std::vector<CardRecord>& cards, bool buildIndex = true);

    std::size_t Size() const { return m_starts.empty() ? 0 : m_starts.size() - 1; }
    /// Characters of the longest name: no pattern with more characters besides "*" matches.
    std::size_t LongestName() const { return m_longest; }
    /// The name of the card at a catalogue index as it is matched: ASCII letters in lower
    /// case, other characters as they are (a broken UTF-8 sequence as U+FFFD).
    std::string_view FoldedName(std::size_t index) const { return NameBytes(index); }
    /// Bytes held for the prepared names and their index.
    std::size_t MemoryBytes() const;

    /// Catalogue indexes of the matching names in catalogue order, at most limit of them.
    std::vector<std::uint32_t> Matches(std::string_view pattern,
                                       std::size_t limit = SIZE_MAX) const;

private:
    bool FindIndexed(std::u32string_view pattern, bool enclosed, std::size_t limit,
                     std::vector<std::uint32_t>& out) const;
    std::string_view NameBytes(std::size_t index) const;
    std::u32string_view NameChars(std::size_t index) const;

    void FindLiteral(std::string_view needle, std::size_t limit,
                     std::vector<std::uint32_t>& out) const;
    void FindWithJokers(std::u32string_view segment, std::size_t limit,
                        std::vector<std::uint32_t>& out) const;
    void FindGeneral(std::u32string_view pattern, std::size_t limit,
                     std::vector<std::uint32_t>& out) const;

    std::string m_bytes;               // folded names, each followed by a zero byte
    std::vector<std::size_t> m_starts; // name i is m_bytes[m_starts[i], m_starts[i+1]-1)
    std::u32string m_chars;            // folded names as characters, back to back
    std::vector<std::size_t> m_charStarts;
    std::size_t m_longest = 0;
    bool m_indexed = false;
    TrigramIndex m_index;
};
