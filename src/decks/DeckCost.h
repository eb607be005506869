#pragma once

#include "decks/DeckCatalogueIndex.h"
#include "decks/DeckLine.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

/// Copies owned per card key (My Collection).
using OwnedCounts = std::unordered_map<std::int32_t, std::int32_t>;

/// One priced line of a deck.
struct DeckCostRow {
    int line = 0;
    bool sideboard = false;
    std::int32_t quantity = 0;
    std::string name;                  ///< the catalogue's name
    std::int32_t cardKey = 0;          ///< the version priced
    bool exact = false;                ///< the version the file's CatID names
    std::vector<DeckVersion> versions; ///< every version of the name, cheapest first
    double unitValue = 0.0;
    std::int32_t owned = 0;   ///< copies of the name owned, every version counted
    std::int32_t missing = 0; ///< copies still to get, the owned ones shared out over the
                              ///< main deck first, then the sideboard
    double missingCost = 0.0;
    std::string note;
};

/// A line that names no card, or only part of several names.
struct DeckUnmatched {
    int line = 0;
    std::string text;                 ///< the name as the file gives it, or why it is not a
                                      ///< card line
    std::vector<std::string> closest; ///< catalogue names to choose from
};

struct DeckTotals {
    std::int64_t cards = 0;
    std::int64_t missing = 0;
    double value = 0.0;
    double missingCost = 0.0;
};

/// What a deck costs, given what is owned.
struct DeckCost {
    std::vector<DeckCostRow> rows;        ///< main deck, then sideboard, each in file order
    std::vector<DeckUnmatched> unmatched; ///< in line order
    std::vector<std::string> notes;
    DeckTotals main, side, both;
};

/// Prices deck lines against the catalogue and counts them against the collection.
class DeckCostCalculator {
public:
    DeckCostCalculator(const DeckCatalogueIndex& index, const OwnedCounts& owned);

    DeckCost Price(const DeckFile& file) const;
    /// Prices a row at another version (one of its `versions`) and counts everything again.
    bool ChooseVersion(DeckCost& cost, std::size_t row, std::int32_t cardKey) const;

private:
    void Count(DeckCost& cost) const;

    const DeckCatalogueIndex& m_index;
    const OwnedCounts& m_owned;
};

/// The missing cards as a deck text ("4 Lightning Bolt", then "Sideboard" and its lines).
std::string MissingDeckText(const DeckCost& cost);
