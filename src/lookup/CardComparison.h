#pragma once

#include "lookup/CardGridColumn.h"

#include <cstdint>

struct CardRecord;

/// The catalogue grid's sort order: -1, 0 or 1 for two cards in one column, by the column's sort
/// key or sort text (CardGridColumnInfo); equal keys fall back to the set tie-break (lower set
/// id first). A column with neither (HOT, "Show Cards") and any number outside the grid give 0.
int CompareCardsInColumn(CardGridColumn column, const CardRecord& a, const CardRecord& b);

/// Whether a column's order before the set tie-break is that of ColumnSortKey.
bool HasColumnSortKey(CardGridColumn column);

/// An integer whose order is the card order of such a column before the set tie-break; 0 for
/// any other column. Worked out once per card, it spares a sort reading every card again.
std::int64_t ColumnSortKey(CardGridColumn column, const CardRecord& card);

/// The set tie-break alone: -1 when a's set id is smaller, 1 when larger, 0 when equal.
int CompareSets(const CardRecord& a, const CardRecord& b);

