#pragma once

#include "decks/DeckLine.h"

#include <string_view>

/// Reads a deck text: one card per line, `4 Lightning Bolt` or `4x Lightning Bolt`, maybe with
/// a set and number (`4 Lightning Bolt (M10) 146`). The sideboard follows a line `Sideboard`
/// or the first blank line after the main deck's cards; lines `Deck` or `Main deck` and lines
/// starting with `//` or `#` are headings and comments.
class DeckTextReader {
public:
    static DeckFile Read(std::string_view text);

    /// One line's card, or false (a heading, a blank line or not a card line). Used to tell a
    /// copied deck text from other copied text.
    static bool ParseCardLine(std::string_view line, DeckLine& card, std::string* why);
};
