#pragma once

#include <string>
#include <string_view>

// The program's one case folding and trimming. They work on bytes and look only at ASCII, so
// they give the same result under every locale and pass the bytes of other UTF-8 characters
// through untouched.

/// ASCII A-Z to a-z; other bytes unchanged.
std::string AsciiLower(std::string_view text);
/// ASCII a-z to A-Z; other bytes unchanged.
std::string AsciiUpper(std::string_view text);
/// True when the two texts are equal but for the case of ASCII letters.
bool EqualsNoCase(std::string_view a, std::string_view b);

/// The text without blanks (space, tab, line feed, vertical tab, form feed, carriage return)
/// at either end.
std::string_view TrimBlanks(std::string_view text);
/// The text without blanks at its start.
std::string_view TrimBlanksLeft(std::string_view text);
