#pragma once

#include "decks/DeckCost.h"
#include "decks/DekWriter.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class DeckCatalogueIndex;
class TradeList;

/// What a deck's cost and the trader's own lists give to other places: the trading list, deck
/// files and collection exports.
namespace deck_exports {

/// Files every missing card of the deck in the trade list as a buy: quantity the copies
/// missing (rows of one version added up), both prices the unit value, the "Buy Value" box
/// ticked. As with "Put into list", a line already filed under the version's key is replaced,
/// and a regular version whose foil line is listed is left alone. Returns the lines filed.
int AddMissingToTradeList(TradeList& list, const DeckCost& cost, const DeckCatalogueIndex& index);

/// The deck's card lines, or only the missing copies, for a deck file.
std::vector<DekCard> DeckCards(const DeckCost& cost, bool missingOnly,
                               const DeckCatalogueIndex& index);

/// Card keys and copies (My Collection's counts, or the trade list's lines) as a deck file.
std::vector<DekCard> KeyedCards(const std::vector<std::pair<std::int32_t, std::int32_t>>& copies,
                                const DeckCatalogueIndex& index);

/// Card keys and copies in the collection export's layout, with its header row.
std::string CollectionCsv(const std::vector<std::pair<std::int32_t, std::int32_t>>& copies,
                          const DeckCatalogueIndex& index);

/// The trade list's lines as (card key, quantity), quantities below 1 left out.
std::vector<std::pair<std::int32_t, std::int32_t>> TradeListCopies(const TradeList& list);

/// Writes `bytes` to a new file beside `path` and renames it over `path`, so an existing file
/// is never left half-written. False with *error saying why.
bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string* error);

} // namespace deck_exports
