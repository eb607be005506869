#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// UTF-8 helpers for the lookup. A "character" is one code point of valid UTF-8; every byte
/// that is not part of a valid sequence counts as one character of its own, so binary junk and
/// broken text are still handled character by character and never lost.
namespace utf8 {

/// Byte length of the character starting at text[pos] (1 for an invalid byte); pos < size.
std::size_t CharLength(std::string_view text, std::size_t pos);

/// Decodes to one char32_t per character. An invalid byte b becomes 0xDC00 + b, a value that
/// valid UTF-8 never yields, so different texts never decode to the same characters.
std::u32string Decode(std::string_view text);

/// Encodes decoded characters as plain UTF-8 bytes (0xDC80..0xDCFF as three bytes each). Two
/// encoded texts contain each other as bytes exactly when they do as characters.
std::string EncodeCanonical(std::u32string_view chars);

/// Number of characters of the text.
std::size_t CountChars(std::string_view text);

/// The longest prefix of at most maxChars characters, never splitting a character.
std::string_view FirstChars(std::string_view text, std::size_t maxChars);

/// The text as it may be printed to a terminal or a tab-separated file: every control
/// character (C0 but the line break when `keepLineBreaks`, DEL, C1) and every byte that is not
/// valid UTF-8 becomes the visible replacement character U+FFFD, so a name from a price file
/// can never move the cursor, retitle the window or end a field.
std::string Printable(std::string_view text, bool keepLineBreaks);

/// ASCII A-Z to a-z; every other character is kept as it is.
inline char32_t FoldAscii(char32_t c)
{
    return c >= U'A' && c <= U'Z' ? c + (U'a' - U'A') : c;
}
inline char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

}  // namespace utf8
