#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// Makes the bytes of a deck or collection file into UTF-8 text, or says why it cannot: too
/// large, binary, or UTF-16 without a byte-order mark. UTF-16 with a byte-order mark is
/// converted; bytes that are not UTF-8 are read as Windows-1252 (Latin-1) and a note names the
/// first such line; a UTF-8 byte-order mark is dropped.
struct DeckInputText {
    std::string text;
    std::string error; ///< the file is refused when not empty
    std::string note;  ///< how the text was read, when not plain UTF-8

    /// Far above any deck or collection export (20,000 versions take about 1 MB).
    static constexpr std::size_t kMaxBytes = 16u * 1024u * 1024u;

    static DeckInputText FromBytes(std::string_view bytes);
    /// Reads a file whole (up to kMaxBytes + 1 bytes); a missing or unreadable file gives an
    /// error naming it.
    static DeckInputText FromFile(const std::string& path);
};
