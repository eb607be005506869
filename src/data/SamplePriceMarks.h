#pragma once

#include <cstdint>
#include <vector>

struct sqlite3;

/// Which prices of the price database are still the made-up sample ones. A sample price is one
/// that no price import and no price correction has touched: both write the card's day into
/// the price history, and a correction marks the card as set by hand, so a card with neither
/// still has the value the sample database was made with. Nothing of the tables changes.
namespace sample_price_marks {

/// The tip of a sample value in the catalogue grid.
inline constexpr const char* kTip = "sample price, made up";
/// The main window's status line until the first price import.
inline constexpr const char* kStatusLine =
    "Sample prices: made up. Import or update prices to get real ones.";
/// The line under quorvel-lookup's output when it marked a value with "*".
inline constexpr const char* kFootnote =
    "* sample price, made up: get real ones with quorvel-import --update or File > Update "
    "Prices Now";

struct Marks {
    std::vector<std::int32_t> sampleIds; ///< cards with sample prices, by id
    bool imported = false;               ///< some card's price came from an import
};

/// Whether the open price database's history holds any day: without one, no price has been
/// imported or corrected, and every card not marked as set by hand has its sample price.
bool AnyHistory(sqlite3* db);

/// Reads the marks of the open price database (one search per card in the cards' latest history
/// rows). Throws CADOException when the database cannot be read.
Marks Read(sqlite3* db);

} // namespace sample_price_marks
