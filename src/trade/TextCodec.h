#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The program keeps text in UTF-8; trade list files hold 8-bit names that move between this
// program and Windows, written in Windows-1252 where every character fits.

/// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or values past
/// U+10FFFF).
bool IsValidUtf8(std::string_view text);

/// The longest prefix of at most maxBytes bytes that does not split a UTF-8 sequence.
std::string TruncateUtf8(std::string_view text, std::size_t maxBytes);

/// Windows-1252 bytes as UTF-8. The five bytes Windows-1252 leaves undefined become the C1
/// control characters of the same value, as Windows itself maps them, so nothing is lost.
std::string Cp1252ToUtf8(std::string_view bytes);

/// UTF-8 text as Windows-1252, or nothing when a character has no Windows-1252 byte.
std::optional<std::string> Utf8ToCp1252(std::string_view text);

/// The bytes of a name for the name field of a trade list file: Windows-1252 when every
/// character fits and the bytes cannot be mistaken for UTF-8 when read back, else UTF-8.
std::string EncodeFileName(std::string_view utf8Name);

/// A name read from a file: UTF-8 when the bytes are valid UTF-8, else Windows-1252.
std::string DecodeFileName(std::string_view bytes);
