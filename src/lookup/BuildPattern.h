#pragma once

#include <string>

/// Builds the next wildcard pattern of a token in a match mode:
/// - mode 0, whole token: "*token*", position -1;
/// - mode 1, leading words: the token without its last position + 1 words, which go into rest;
///   position -1 once only the first word is left;
/// - mode 2, one-letter wildcard: the character at position (a character, not a byte) becomes
///   "?" and the word holding it is the pattern; position moves one character on, -1 at the end.
/// The rest is emptied first. position is a byte offset at a character start; it starts at 0.
std::string BuildPattern(std::string token, int mode, long& position, std::string& rest);
