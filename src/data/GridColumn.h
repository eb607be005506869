#pragma once

#include <type_traits>

/// A grid column's number from its name in the grid's scoped column enum (TradeListColumn,
/// CardGridColumn, ...), whose enumerators follow the columns' order on screen.
template <class Column>
    requires std::is_enum_v<Column>
constexpr int ColumnIndex(Column column)
{
    return static_cast<int>(column);
}
