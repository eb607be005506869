#include "decks/DeckCost.h"

#include "data/CardRecord.h"

#include <algorithm>

DeckCostCalculator::DeckCostCalculator(const DeckCatalogueIndex& index, const OwnedCounts& owned)
    : m_index(index), m_owned(owned)
{
}

DeckCost DeckCostCalculator::Price(const DeckFile& file) const
{
    DeckCost cost;
    cost.notes = file.notes;
    for (const DeckProblem& problem : file.problems) {
        cost.unmatched.push_back({problem.line, problem.text, {}});
    }
    for (const DeckLine& line : file.lines) {
        const auto match = m_index.Resolve(line);
        if (!match) {
            DeckUnmatched unmatched{line.line, {}, {}};
            bool partOfSeveral = false;
            unmatched.closest = m_index.ClosestNames(line.name, 3, &partOfSeveral);
            const std::string named =
                line.name.empty() ? "CatID " + std::to_string(line.catId) : "\"" + line.name + "\"";
            unmatched.text =
                partOfSeveral ? named + " is part of several card names" : "no card named " + named;
            cost.unmatched.push_back(std::move(unmatched));
            continue;
        }
        DeckCostRow row;
        row.line = line.line;
        row.sideboard = line.sideboard;
        row.quantity = line.quantity;
        row.cardKey = match->cardKey;
        row.exact = match->exact;
        row.name = m_index.Card(match->cardKey)->name;
        row.versions = m_index.VersionsOf(match->cardKey);
        row.unitValue = m_index.UnitValue(match->cardKey);
        if (!match->note.empty()) {
            row.note = match->note + "; priced as the cheapest version";
        }
        cost.rows.push_back(std::move(row));
    }
    std::stable_sort(
        cost.rows.begin(), cost.rows.end(),
        [](const DeckCostRow& a, const DeckCostRow& b) { return !a.sideboard && b.sideboard; });
    std::stable_sort(
        cost.unmatched.begin(), cost.unmatched.end(),
        [](const DeckUnmatched& a, const DeckUnmatched& b) { return a.line < b.line; });
    Count(cost);
    return cost;
}

bool DeckCostCalculator::ChooseVersion(DeckCost& cost, std::size_t index,
                                       std::int32_t cardKey) const
{
    if (index >= cost.rows.size()) {
        return false;
    }
    DeckCostRow& row = cost.rows[index];
    const auto it = std::find_if(row.versions.begin(), row.versions.end(),
                                 [cardKey](const DeckVersion& v) { return v.cardKey == cardKey; });
    if (it == row.versions.end()) {
        return false;
    }
    row.cardKey = cardKey;
    row.unitValue = it->value;
    row.exact = false;
    Count(cost);
    return true;
}

void DeckCostCalculator::Count(DeckCost& cost) const
{
    // Copies owned of each name, shared out over the rows in order (main deck first).
    std::unordered_map<std::string, std::int64_t> left;
    cost.main = cost.side = cost.both = DeckTotals{};
    for (DeckCostRow& row : cost.rows) {
        auto [it, added] = left.try_emplace(DeckCatalogueIndex::NameKey(row.name), 0);
        std::int64_t owned = 0;
        for (const DeckVersion& version : row.versions) {
            const auto found = m_owned.find(version.cardKey);
            owned += found == m_owned.end() ? 0 : std::max(found->second, 0);
        }
        if (added) {
            it->second = owned;
        }
        row.owned = static_cast<std::int32_t>(std::min<std::int64_t>(owned, INT32_MAX));
        const std::int64_t used = std::min<std::int64_t>(it->second, row.quantity);
        it->second -= used;
        row.missing = static_cast<std::int32_t>(row.quantity - used);
        row.missingCost = row.missing * row.unitValue;
        for (DeckTotals* totals : {row.sideboard ? &cost.side : &cost.main, &cost.both}) {
            totals->cards += row.quantity;
            totals->missing += row.missing;
            totals->value += row.quantity * row.unitValue;
            totals->missingCost += row.missingCost;
        }
    }
}

std::string MissingDeckText(const DeckCost& cost)
{
    std::string main;
    std::string side;
    for (const DeckCostRow& row : cost.rows) {
        if (row.missing > 0) {
            (row.sideboard ? side : main) += std::to_string(row.missing) + " " + row.name + "\n";
        }
    }
    return side.empty() ? main : main + "\nSideboard\n" + side;
}
