#include "decks/DeckCostText.h"

#include "data/CardKey.h"
#include "data/PriceText.h"
#include "decks/DeckCost.h"

#include <algorithm>

namespace deck_cost_text {

const std::vector<std::string>& Headers()
{
    static const std::vector<std::string> headers = {"Section", "Line",        "Qty",  "Card",
                                                     "Set",     "Version",     "Unit", "Owned",
                                                     "Missing", "Missing Cost"};
    return headers;
}

std::vector<std::string> Cells(const DeckCostRow& row, const std::string& setCode)
{
    return {row.sideboard ? "Sideboard" : "Main",
            std::to_string(row.line),
            std::to_string(row.quantity),
            row.name,
            setCode,
            std::string(card_key::IsFoil(row.cardKey) ? "Foil" : "Regular") +
                (row.exact ? " (CatID)" : ""),
            PriceText(row.unitValue),
            std::to_string(row.owned),
            std::to_string(row.missing),
            PriceText(row.missingCost)};
}

std::string TotalsLine(const char* what, const DeckTotals& totals)
{
    return std::string(what) + ": " + std::to_string(totals.cards) + " cards worth " +
           PriceText(totals.value) + " Tix, " + std::to_string(totals.missing) +
           " missing costing " + PriceText(totals.missingCost) + " Tix";
}

std::string UnmatchedLine(const DeckUnmatched& unmatched)
{
    std::string text = "line " + std::to_string(unmatched.line) + ": " + unmatched.text;
    if (!unmatched.closest.empty()) {
        text += " (closest: ";
        for (std::size_t i = 0; i < unmatched.closest.size(); ++i) {
            text += (i ? ", " : "") + unmatched.closest[i];
        }
        text += ")";
    }
    return text;
}

std::string Table(const DeckCost& cost, const std::vector<std::string>& setCodes, bool tsv)
{
    std::vector<std::vector<std::string>> rows = {Headers()};
    for (std::size_t i = 0; i < cost.rows.size(); ++i) {
        rows.push_back(Cells(cost.rows[i], i < setCodes.size() ? setCodes[i] : std::string()));
    }
    std::vector<std::size_t> widths(Headers().size(), 0);
    for (const auto& cells : rows) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            widths[c] = std::max(widths[c], cells[c].size());
        }
    }
    std::string out;
    for (const auto& cells : rows) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            std::string cell = cells[c];
            if (tsv) {
                std::replace(cell.begin(), cell.end(), '\t', ' ');
                out += cell + (c + 1 < cells.size() ? "\t" : "");
            } else {
                out += cell + (c + 1 < cells.size() ? std::string(widths[c] - cell.size() + 2, ' ')
                                                    : std::string());
            }
        }
        out += "\n";
    }
    const char* prefix = tsv ? "# " : "";
    out += std::string(tsv ? "" : "\n") + prefix + TotalsLine("Main deck", cost.main) + "\n" +
           prefix + TotalsLine("Sideboard", cost.side) + "\n" + prefix +
           TotalsLine("Both", cost.both) + "\n";
    for (const DeckCostRow& row : cost.rows) {
        if (!row.note.empty()) {
            out += prefix + ("line " + std::to_string(row.line) + ": " + row.note) + "\n";
        }
    }
    for (const std::string& note : cost.notes) {
        out += prefix + note + "\n";
    }
    return out;
}

} // namespace deck_cost_text
