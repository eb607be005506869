#pragma once

/// The four columns of the trade list grid, in their order on screen.
enum class TradeListColumn : int {
    Quantity,
    Name,
    Buy,
    Sell,
};

inline constexpr int kTradeListColumnCount = 4;

/// The column's number in the grid.
constexpr int ColumnIndex(TradeListColumn column)
{
    return static_cast<int>(column);
}

/// Header texts of the trade list grid, indexed by column.
inline constexpr const char* kTradeListHeaders[kTradeListColumnCount] = {"Quantity", "Cards Name",
                                                                         "Buy Value", "Sell Value"};
