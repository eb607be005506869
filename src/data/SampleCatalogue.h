#pragma once

#include "data/CardRecord.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/// One card set of the price database.
struct CardSet {
    std::int32_t id = 0;
    std::string code; ///< short code, e.g. "7E"
    std::string name;
};

/// Sample and synthetic catalogues, and price database files written from them, for makedb,
/// tests and benchmarks.
namespace sample_catalogue {

/// The nine sets of the sample data (ids 10 to 90).
const std::vector<CardSet>& NineSets();

/// Reads the sample card list (tab-separated: set_id, set_code, set_name, collection_no,
/// rarity, name, with a header line). Cards get catalogue ids 1, 2, ... in file order and no
/// prices. On failure returns false with *error (if given) naming the file and line.
bool ReadSetsTsv(const std::string& path, std::vector<CardSet>& sets,
                 std::vector<CardRecord>& cards, std::string* error = nullptr);

/// Gives every card illustrative values, derived from its name and set alone so the same card
/// always gets the same values: rares above uncommons above commons, the foil value a whole
/// multiple (2 to 5) of the regular value, about one rare in twenty-five hot, and an update
/// date within the year before `today`.
void ApplyIllustrativePrices(std::vector<CardRecord>& cards, const DateTime& today);

/// `count` synthetic cards with ids 1..count, made-up names of one to four words (lengths and
/// word counts like real card names), the nine set ids, numbers within each set, rarities and
/// illustrative prices. The same seed always gives the same cards.
std::vector<CardRecord> MakeSyntheticCards(std::size_t count, std::uint64_t seed,
                                           const DateTime& today = DateTime(2026, 12, 1));

/// Writes a new price database file at `path` holding `sets` and `cards` (the file must not
/// exist). Nothing is left behind on failure.
bool WritePriceDatabase(const std::string& path, const std::vector<CardSet>& sets,
                        const std::vector<CardRecord>& cards, std::string* error = nullptr);

} // namespace sample_catalogue
