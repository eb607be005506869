#include "lookup/CardMatcher.h"

#include "data/CardRecord.h"
#include "lookup/Utf8.h"
#include "lookup/Wildcard.h"

#include <algorithm>
#include <cstring>

void CardMatcher::Prepare(const std::vector<CardRecord>& cards, bool buildIndex)
{
    m_longest = 0;
    m_bytes.clear();
    m_chars.clear();
    m_starts.assign(1, 0);
    m_charStarts.assign(1, 0);
    m_starts.reserve(cards.size() + 1);
    m_charStarts.reserve(cards.size() + 1);
    for (const CardRecord& card : cards) {
        std::u32string chars = utf8::Decode(card.name);
        for (char32_t& c : chars) {
            c = utf8::FoldAscii(c);
        }
        m_bytes += utf8::EncodeCanonical(chars);
        m_bytes.push_back('\0');
        m_starts.push_back(m_bytes.size());
        m_chars += chars;
        m_charStarts.push_back(m_chars.size());
        m_longest = std::max(m_longest, chars.size());
    }
    if (buildIndex) {
        m_index.Build(m_bytes, m_starts);
    } else {
        m_index.Clear();
    }
}

std::size_t CardMatcher::MemoryBytes() const
{
    return m_bytes.capacity() + m_chars.capacity() * sizeof(char32_t) +
           (m_starts.capacity() + m_charStarts.capacity()) * sizeof(std::size_t) +
           m_index.MemoryBytes();
}

std::string_view CardMatcher::NameBytes(std::size_t index) const
{
    return std::string_view(m_bytes).substr(m_starts[index],
                                            m_starts[index + 1] - 1 - m_starts[index]);
}

std::u32string_view CardMatcher::NameChars(std::size_t index) const
{
    return std::u32string_view(m_chars).substr(m_charStarts[index],
                                               m_charStarts[index + 1] - m_charStarts[index]);
}

std::vector<std::uint32_t> CardMatcher::Matches(std::string_view patternText,
                                                std::size_t limit) const
{
    std::vector<std::uint32_t> out;
    if (limit == 0 || Size() == 0) {
        return out;
    }
    const std::u32string pattern = wildcard::PreparePattern(patternText, false);
    const bool enclosed = pattern.size() >= 2 && pattern.front() == U'*' &&
                          pattern.back() == U'*' && pattern.find(U'*', 1) == pattern.size() - 1;
    const auto fixed = static_cast<std::size_t>(
        pattern.size() - static_cast<std::size_t>(std::count(pattern.begin(), pattern.end(), U'*')));
    if (fixed > m_longest || FindIndexed(pattern, enclosed, limit, out)) {
        return out;
    }
    if (pattern == U"*") {
        for (std::size_t i = 0; i < Size() && out.size() < limit; ++i) {
            out.push_back(static_cast<std::uint32_t>(i));
        }
    } else if (!enclosed) {
        FindGeneral(pattern, limit, out);
    } else {
        // "*segment*" matches exactly the names in which the segment search succeeds.
        const std::u32string_view segment =
            std::u32string_view(pattern).substr(1, pattern.size() - 2);
        if (segment.find(U'?') == std::u32string_view::npos) {
            FindLiteral(utf8::EncodeCanonical(segment), limit, out);
        } else {
            FindWithJokers(segment, limit, out);
        }
    }
    return out;
}

void CardMatcher::FindLiteral(std::string_view needle, std::size_t limit,
                              std::vector<std::uint32_t>& out) const
{
    const char* base = m_bytes.data();
    std::size_t pos = 0;
    while (pos < m_bytes.size() && out.size() < limit) {
        const void* hit = memmem(base + pos, m_bytes.size() - pos, needle.data(), needle.size());
        if (hit == nullptr) {
            break;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        const std::size_t index =
            static_cast<std::size_t>(std::upper_bound(m_starts.begin(), m_starts.end(), at) -
                                     m_starts.begin()) -
            1;
        // A hit running over the end of a name (into the zero byte and the next name) is not
        // an occurrence; the search goes on one byte later.
        if (at + needle.size() <= m_starts[index + 1] - 1) {
            out.push_back(static_cast<std::uint32_t>(index));
            pos = m_starts[index + 1];
        } else {
            pos = at + 1;
        }
    }
}

void CardMatcher::FindWithJokers(std::u32string_view segment, std::size_t limit,
                                 std::vector<std::uint32_t>& out) const
{
    // Whatever the search finds is a real occurrence, so a name without the segment's longest
    // literal piece cannot match and needs no full test.
    std::u32string_view piece;
    std::size_t start = 0;
    while (start <= segment.size()) {
        std::size_t end = segment.find(U'?', start);
        if (end == std::u32string_view::npos) {
            end = segment.size();
        }
        if (end - start > piece.size()) {
            piece = segment.substr(start, end - start);
        }
        start = end + 1;
    }
    const std::vector<long> table = wildcard::FindTable(segment);
    const auto test = [&](std::size_t index) {
        if (wildcard::FindWithTable(NameChars(index), segment, table, 0) >= 0) {
            out.push_back(static_cast<std::uint32_t>(index));
        }
    };
    if (piece.empty()) {
        for (std::size_t i = 0; i < Size() && out.size() < limit; ++i) {
            test(i);
        }
        return;
    }
    const std::string needle = utf8::EncodeCanonical(piece);
    std::vector<std::uint32_t> candidates;
    FindLiteral(needle, SIZE_MAX, candidates);
    for (std::size_t i = 0; i < candidates.size() && out.size() < limit; ++i) {
        test(candidates[i]);
    }
}

void CardMatcher::FindGeneral(std::u32string_view pattern, std::size_t limit,
                              std::vector<std::uint32_t>& out) const
{
    for (std::size_t i = 0; i < Size() && out.size() < limit; ++i) {
        if (wildcard::MatchChars(NameChars(i), pattern)) {
            out.push_back(static_cast<std::uint32_t>(i));
        }
    }
}

bool CardMatcher::FindIndexed(std::u32string_view pattern, bool enclosed, std::size_t limit,
                              std::vector<std::uint32_t>& out) const
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < pattern.size()) {
        const std::size_t end = std::min(pattern.find(U'*', start), pattern.find(U'?', start));
        const std::size_t stop = end == std::u32string_view::npos ? pattern.size() : end;
        if (stop - start > 0) {
            pieces.push_back(utf8::EncodeCanonical(pattern.substr(start, stop - start)));
        }
        start = stop + 1;
    }
    std::vector<std::uint32_t> candidates;
    if (!m_index.Candidates(pieces, candidates)) {
        return false;
    }
    // The candidates hold every piece's trigrams; the exact test decides, in catalogue order.
    const std::u32string_view segment =
        enclosed ? pattern.substr(1, pattern.size() - 2) : std::u32string_view();
    const bool literal = enclosed && segment.find(U'?') == std::u32string_view::npos;
    const std::string needle = literal ? utf8::EncodeCanonical(segment) : std::string();
    const std::vector<long> table =
        enclosed && !literal ? wildcard::FindTable(segment) : std::vector<long>();
    for (std::size_t i = 0; i < candidates.size() && out.size() < limit; ++i) {
        const std::uint32_t index = candidates[i];
        const bool match =
            literal    ? NameBytes(index).find(needle) != std::string_view::npos
            : enclosed ? wildcard::FindWithTable(NameChars(index), segment, table, 0) >= 0
                       : wildcard::MatchChars(NameChars(index), pattern);
        if (match) {
            out.push_back(index);
        }
    }
    return true;
}
