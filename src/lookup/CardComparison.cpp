#include "lookup/CardComparison.h"

#include "data/CardRecord.h"
#include "lookup/CardGridColumn.h"

#include <cstring>

namespace {

template <class T> int Sign(T a, T b)
{
    return (a > b) - (a < b);
}

} // namespace

int CompareSets(const CardRecord& a, const CardRecord& b)
{
    return Sign(a.expansion, b.expansion);
}

int CompareCardsInColumn(CardGridColumn column, const CardRecord& a, const CardRecord& b)
{
    const CardGridColumnInfo* info = CardGridColumnOf(ColumnIndex(column));
    int result = 0;
    if (info != nullptr && info->sortKey != nullptr) {
        result = Sign(info->sortKey(a), info->sortKey(b));
    } else if (info != nullptr && info->sortText != nullptr) {
        result = Sign(std::strcmp(info->sortText(a), info->sortText(b)), 0);
    } else {
        return 0;
    }
    return result != 0 ? result : CompareSets(a, b);
}

bool HasColumnSortKey(CardGridColumn column)
{
    const CardGridColumnInfo* info = CardGridColumnOf(ColumnIndex(column));
    return info != nullptr && info->sortKey != nullptr;
}

std::int64_t ColumnSortKey(CardGridColumn column, const CardRecord& card)
{
    const CardGridColumnInfo* info = CardGridColumnOf(ColumnIndex(column));
    return info != nullptr && info->sortKey != nullptr ? info->sortKey(card) : 0;
}
