// The order of the catalogue grid's rows: sorting the listed cards by a column or by match
// score, and the match scores that tint the rows.
#include "lookup/view/CCardsGridCtrl.h"

#include "data/CardRecord.h"
#include "grid/CGridCellBase.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardComparison.h"
#include "lookup/CardGridColumn.h"
#include "lookup/CardGridRules.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// SortByColumn's user value that asks for the order by match score.
constexpr std::intptr_t kByMatchScore = 1;

// A row while it is sorted, with what it sorts by taken from its card once: a sort that read
// the cards for every comparison spent most of its time waiting for memory.
struct SortRow {
    std::int64_t key = 0;        // the column's sort key, or the MatchOrderKey
    double value = 0;            // the regular value, not-a-number lowest (match order)
    const char* name = nullptr;  // the card's name (name order)
    std::int32_t set = 0;
    std::uint32_t place = 0;
};

int Sign(std::int64_t a, std::int64_t b)
{
    return (a > b) - (a < b);
}

// The grid's quicksort, step for step, so that cards that compare equal end in the order they
// always did. compare gives -1, 0 or 1.
template <typename Compare>
void QuickSortRows(std::vector<SortRow>& rows, int low, int high, bool ascending,
                   const Compare& compare)
{
    const int sign = ascending ? 1 : -1;
    while (low < high) {
        const SortRow pivot = rows[std::size_t((low + high) / 2)];
        int lo = low;
        int hi = high;
        while (lo <= hi) {
            while (lo < high && sign * compare(rows[std::size_t(lo)], pivot) < 0) {
                ++lo;
            }
            while (hi > low && sign * compare(rows[std::size_t(hi)], pivot) > 0) {
                --hi;
            }
            if (lo <= hi) {
                if (lo != hi && compare(rows[std::size_t(lo)], rows[std::size_t(hi)]) != 0) {
                    std::swap(rows[std::size_t(lo)], rows[std::size_t(hi)]);
                }
                ++lo;
                --hi;
            }
        }
        if (hi - low < high - lo) {
            QuickSortRows(rows, low, hi, ascending, compare);
            low = lo;
        } else {
            QuickSortRows(rows, lo, high, ascending, compare);
            high = hi;
        }
    }
}

} // namespace

void CCardsGridCtrl::SortProvidedRows(int column, bool ascending, std::intptr_t user)
{
    const bool byMatch = user == kByMatchScore;
    const CardGridColumnInfo* info = CardGridColumnOf(column);
    const bool byKey = !byMatch && info != nullptr && info->sortKey != nullptr;
    const bool byText = !byMatch && info != nullptr && info->sortText != nullptr;
    // A column with neither (HOT, Show Cards) compares every two cards equal: the rows stay.
    if (!byMatch && !byKey && !byText) {
        return;
    }
    std::vector<SortRow> rows(m_rows.size());
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        SortRow& row = rows[i];
        row.place = m_rows[i];
        if (row.place == kNoCard) {
            continue;
        }
        const CardRecord& card = m_shown.At(row.place);
        row.set = card.expansion;
        if (byMatch) {
            row.key = row.place < m_ranks.size() ? MatchOrderKey(m_ranks[row.place]) : 0;
            row.value = std::isnan(card.reg_value) ? -std::numeric_limits<double>::infinity()
                                                   : card.reg_value;
        } else if (byKey) {
            row.key = info->sortKey(card);
        } else {
            row.name = info->sortText(card);
        }
    }
    if (byMatch) {
        // Best rank first, then the lookup's value order (most valuable, then the higher set
        // id first, then in the order added); the "card not found!" row last.
        std::sort(rows.begin(), rows.end(), [](const SortRow& a, const SortRow& b) {
            if ((a.place == kNoCard) != (b.place == kNoCard)) {
                return b.place == kNoCard;
            }
            if (a.key != b.key) {
                return a.key > b.key;
            }
            if (a.value != b.value) {
                return a.value > b.value;
            }
            return a.set != b.set ? a.set > b.set : a.place < b.place;
        });
    } else {
        // As CompareCardsInColumn: the column, then the lower set id first.
        QuickSortRows(rows, 0, int(rows.size()) - 1, ascending,
                      [byKey](const SortRow& a, const SortRow& b) {
                          if (a.place == kNoCard || b.place == kNoCard) {
                              return 0;
                          }
                          const int order = byKey ? Sign(a.key, b.key)
                                                  : Sign(std::strcmp(a.name, b.name), 0);
                          return order != 0 ? order : Sign(a.set, b.set);
                      });
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        m_rows[i] = rows[i].place;
    }
    for (auto& [key, cached] : m_cells) {
        cached.cell->SetCoords(-1, -1); // placed again when next asked for
    }
}

void CCardsGridCtrl::SetMatchScores(const std::vector<ScoredCard>& scored)
{
    m_ranks.assign(scored.empty() ? 0 : m_shown.Size(), MatchRank{});
    for (const ScoredCard& card : scored) {
        if (const std::size_t place = m_shown.PlaceOf(card.card.id);
            place != ShownCardsTable::kNotListed) {
            m_ranks[place] = card.rank;
        }
    }
    // Cells built before the scores came take their tint now; the rest when they are built.
    for (auto& [key, cached] : m_cells) {
        cached.cell->SetBackColour(TintOf(Listed(CellKeyCardId(key))));
    }
    viewport()->update();
}

void CCardsGridCtrl::SortByMatch()
{
    // Through the grid's sort, so the header's sort state reads "Reg Value, highest first".
    SortByColumn(ColumnIndex(CardGridColumn::RegValue), false, kByMatchScore);
}

int CCardsGridCtrl::MatchScoreOfRow(int row) const
{
    const CardRecord* card = CardOfRow(row);
    if (card == nullptr) {
        return 0;
    }
    const std::size_t place = m_shown.PlaceOf(card->id);
    return place < m_ranks.size() ? m_ranks[place].score : 0;
}

GridColour CCardsGridCtrl::TintOf(const CardRecord* card) const
{
    if (card == nullptr || m_ranks.empty()) {
        return kGridColourUnset;
    }
    const std::size_t place = m_shown.PlaceOf(card->id);
    const int score = place < m_ranks.size() ? m_ranks[place].score : 0;
    return card_grid::MatchTint(score).value_or(kGridColourUnset);
}
