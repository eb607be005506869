#pragma once

/// The seven columns of the catalogue grid, in their order on screen.
enum class CardGridColumn : int {
    Hot,
    Name,
    Rarity,
    RegValue,
    FoilValue,
    ShowCards,
    UpdateDate,
};

inline constexpr int kCardGridColumnCount = 7;

/// The column's number in the grid.
constexpr int ColumnIndex(CardGridColumn column)
{
    return static_cast<int>(column);
}

/// Header texts of the catalogue grid, indexed by column.
inline constexpr const char* kCardGridHeaders[kCardGridColumnCount] = {
    "HOT", "Cards Name", "Rarity", "Reg Value", "Foil Value", "Show Cards", "Update Date"};
