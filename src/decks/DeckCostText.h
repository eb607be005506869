#pragma once

#include <string>
#include <vector>

struct DeckCost;
struct DeckCostRow;
struct DeckTotals;
struct DeckUnmatched;

/// The texts of a deck's cost, shared by the Deck Cost window and quorvel-lookup --deck.
namespace deck_cost_text {

/// Column headers of the table: "Section", "Line", "Qty", "Card", "Set", "Version", "Unit",
/// "Owned", "Missing", "Missing Cost".
const std::vector<std::string>& Headers();

/// One row's cells in the order of `Headers()`.
std::vector<std::string> Cells(const DeckCostRow& row, const std::string& setCode);

/// "Main deck: 60 cards worth 123.5 Tix, 12 missing costing 20.25 Tix".
std::string TotalsLine(const char* what, const DeckTotals& totals);

/// "line 7: no card named "Lightnin Bolt" (closest: Lightning Bolt, ...)".
std::string UnmatchedLine(const DeckUnmatched& unmatched);

/// The whole table, its totals and the notes: columns padded for reading, or tab-separated
/// with a header row when `tsv`.
std::string Table(const DeckCost& cost, const std::vector<std::string>& setCodes, bool tsv);

} // namespace deck_cost_text
