#include "lookup/CardComparison.h"

#include "data/CardRecord.h"
#include "lookup/CardGridColumn.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// A value stored as NaN would make "less" inconsistent and let a quicksort run past its range;
// NaN therefore sorts below every number and equal to another NaN.
int CompareValues(double a, double b)
{
    const bool aNan = std::isnan(a);
    const bool bNan = std::isnan(b);
    if (aNan || bNan) {
        return bNan - aNan;
    }
    if (a < b) {
        return -1;
    }
    return a > b ? 1 : 0;
}

// The bits of a double put in the order of its value: non-negative values keep theirs, the
// magnitude bits of negative ones are turned round.
std::int64_t ValueKey(double value)
{
    if (std::isnan(value)) {
        return std::numeric_limits<std::int64_t>::min();
    }
    const auto bits = std::bit_cast<std::int64_t>(value == 0.0 ? 0.0 : value);
    return bits >= 0 ? bits : bits ^ std::numeric_limits<std::int64_t>::max();
}

} // namespace

int CompareSets(const CardRecord& a, const CardRecord& b)
{
    if (a.expansion < b.expansion) {
        return -1;
    }
    return a.expansion > b.expansion ? 1 : 0;
}

int CompareCardsInColumn(CardGridColumn column, const CardRecord& a, const CardRecord& b)
{
    int result = 0;
    switch (column) {
    case CardGridColumn::Name:
        result = Sign(std::strcmp(a.name.c_str(), b.name.c_str()));
        break;
    case CardGridColumn::Rarity:
        result = a.rarity < b.rarity ? -1 : a.rarity > b.rarity ? 1 : 0;
        break;
    case CardGridColumn::RegValue:
        result = CompareValues(a.reg_value, b.reg_value);
        break;
    case CardGridColumn::FoilValue:
        result = CompareValues(a.foil_value, b.foil_value);
        break;
    case CardGridColumn::UpdateDate:
        result = a.update_date < b.update_date ? -1 : b.update_date < a.update_date ? 1 : 0;
        break;
    default:
        return 0;
    }
    return result != 0 ? result : CompareSets(a, b);
}

bool HasColumnSortKey(CardGridColumn column)
{
    return column == CardGridColumn::Rarity || column == CardGridColumn::RegValue ||
           column == CardGridColumn::FoilValue || column == CardGridColumn::UpdateDate;
}

std::int64_t ColumnSortKey(CardGridColumn column, const CardRecord& card)
{
    switch (column) {
    case CardGridColumn::Rarity:
        return card.rarity;
    case CardGridColumn::RegValue:
        return ValueKey(card.reg_value);
    case CardGridColumn::FoilValue:
        return ValueKey(card.foil_value);
    case CardGridColumn::UpdateDate:
        return card.update_date.SecondsSinceZero();
    default:
        return 0;
    }
}

