#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Posting lists of the byte trigrams of a list of texts: for every sequence of three bytes,
/// the ascending indexes of the texts that hold it. Built once for a list of texts, it tells
/// which texts can hold some literal pieces without looking at every text.
class TrigramIndex {
public:
    /// Bytes of the index unit: pieces shorter than this tell the index nothing.
    static constexpr std::size_t kUnit = 3;

    /// Text i is bytes[starts[i], starts[i + 1] - 1): every text is followed by one separator
    /// byte that belongs to no text.
    void Build(std::string_view bytes, const std::vector<std::size_t>& starts);
    void Clear();

    /// The ascending indexes of the texts that hold every trigram of every piece: a superset of
    /// the texts that hold every piece. False, with out left empty, when no piece is kUnit bytes
    /// long, so that the index cannot narrow the texts down.
    bool Candidates(const std::vector<std::string>& pieces, std::vector<std::uint32_t>& out) const;

    std::size_t MemoryBytes() const;

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFFu;

    std::uint32_t Slot(std::uint32_t key) const;
    std::uint32_t ListOf(std::uint32_t key) const;
    std::uint32_t AddKey(std::uint32_t key);

    // Open addressing from trigram to list number; m_keys[slot] is kEmpty when unused.
    std::vector<std::uint32_t> m_keys;
    std::vector<std::uint32_t> m_lists;
    std::size_t m_listCount = 0;
    std::vector<std::uint32_t> m_offsets;  // list k is m_postings[m_offsets[k], m_offsets[k+1])
    std::vector<std::uint32_t> m_postings;
};
