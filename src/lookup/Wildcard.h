#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Wildcard patterns: "*" stands for any run of characters (also none), "?" for exactly one
// character; every other character stands for itself. Characters are UTF-8 code points (see
// Utf8.h), so a "?" never splits a multi-byte character.

/// The pattern test of the lookup. Unless caseSensitive, ASCII letters are compared without
/// regard to case (no other characters are folded). An empty pattern matches only an empty
/// name; the last segment of a pattern that does not end in "*" must end the name.
bool WildcardMatch(std::string_view name, std::string_view pattern, bool caseSensitive);

/// Finds a segment that may hold "?" (but no "*") in text, from character index start, with a
/// Knuth-Morris-Pratt search in which "?" equals every character. Returns the character index
/// of the occurrence, or -1. Like the table it builds, the search can miss an occurrence that
/// overlaps a failed attempt: 'a?b' is not found in 'aaab'. Whatever it finds is a real
/// occurrence.
long WildcardFind(std::string_view text, std::string_view segment, long start);

namespace wildcard {

/// The same two operations on decoded characters; patterns and names are compared exactly as
/// given (fold them first for a case-blind test).
bool MatchChars(std::u32string_view name, std::u32string_view pattern);
long FindChars(std::u32string_view text, std::u32string_view segment, long start);

/// The search table of a segment, so that one segment can be looked for in many texts.
std::vector<long> FindTable(std::u32string_view segment);
long FindWithTable(std::u32string_view text, std::u32string_view segment,
                   const std::vector<long>& table, long start);

/// Folds ASCII letters (unless caseSensitive) and shrinks every run of "*" to one.
std::u32string PreparePattern(std::string_view pattern, bool caseSensitive);

}  // namespace wildcard
