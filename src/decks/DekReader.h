#pragma once

#include "decks/DeckLine.h"

#include <string_view>

/// Reads the game client's deck files (`.dek`): XML with a root `<Deck>` and one
/// `<Cards CatID=".." Quantity=".." Sideboard="true|false" Name=".." />` per card line. The
/// XML is read by a real parser; a document type declaration is refused, so no entity (and no
/// external file) is ever expanded.
class DekReader {
public:
    /// A whole file (UTF-8 text). Malformed XML, or another root element, fails the file with
    /// the line and column; a bad card line becomes a problem.
    static DeckFile Read(std::string_view text);

    /// A piece of a deck file, as copied from an editor: every line is read on its own and
    /// lines that are not a whole `<Cards .../>` element are passed over.
    static DeckFile ReadPiece(std::string_view text);
};
