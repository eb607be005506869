#pragma once

#include "decks/DeckLine.h"

#include <string>
#include <string_view>
#include <vector>

/// Reads the game client's collection export: a header row, then one row per version owned
/// (`Card Name,Quantity,ID #,Rarity,Set,Collector #,Premium`). Columns are found by their
/// header names in any order and letter case, since the set of columns varies between client
/// versions; only the name (or the ID) and the quantity are needed. Comma, semicolon or tab
/// separated, double-quoted fields with doubled quotes inside.
class CollectionCsvReader {
public:
    static DeckFile Read(std::string_view text);

    /// Whether the first line is a collection header (a name and a quantity column).
    static bool LooksLikeCollection(std::string_view text);

    /// The collection layout's header and one row per card, for exports.
    static const char* const kHeader;
    static std::string Row(const std::string& name, std::int32_t quantity, std::int64_t catId,
                           const std::string& rarity, const std::string& setCode,
                           const std::string& number, bool foil);
};
