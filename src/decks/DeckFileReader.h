#pragma once

#include "decks/DeckLine.h"

#include <string>
#include <string_view>

/// The kinds of file a deck or a collection comes in.
enum class DeckFileKind { Dek, DeckText, CollectionCsv };

/// Reads a deck or collection from a file or pasted text, telling the kind from the content:
/// XML is a `.dek`, a first line naming a name and a quantity column is a collection export,
/// anything else a deck text. Size, binary data and the encoding are checked first.
class DeckFileReader {
public:
    static DeckFile ReadFile(const std::string& path);
    static DeckFile ReadBytes(std::string_view bytes);

    static DeckFileKind KindOf(std::string_view text);
};
