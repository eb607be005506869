#pragma once

#include "data/AsciiText.h"

#include <string>
#include <string_view>

// The text steps of a lookup: cleaning copied text and cutting it into tokens. They work on
// bytes; every character they look at is ASCII, and no byte of a multi-byte UTF-8 character
// is ASCII, so other characters pass through untouched.

/// Turns quantities ('4x', 'x4', '2-3', '-1') and loose hyphens into spaces, and line feeds,
/// BEL, tabs and carriage returns into spaces.
std::string StripQuantities(std::string_view text);

/// Trims, collapses spaces, turns the name-separating punctuation into commas and returns a
/// comma-separated list of trimmed tokens (empty tokens between two commas are kept).
std::string NormalisePunctuation(std::string_view text);

/// Cuts text at the first separator (fromEnd false) or the last one (fromEnd true): returns the
/// part before it and leaves the part after it in text. Without a separator the whole text is
/// returned and text is left empty.
std::string SplitAt(std::string& text, std::string_view separator, bool fromEnd);

/// Replaces every run of the character by one of it ("two by one until none remain").
std::string CollapseRuns(std::string_view text, char c);
