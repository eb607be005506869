#pragma once

/// The seven columns of the catalogue grid, in their order on screen.
enum CardGridColumn : int {
    kHotColumn = 0,
    kNameColumn = 1,
    kRarityColumn = 2,
    kRegValueColumn = 3,
    kFoilValueColumn = 4,
    kShowCardsColumn = 5,
    kUpdateDateColumn = 6,
    kCardGridColumnCount = 7,
};

/// Header texts of the catalogue grid, indexed by column.
inline constexpr const char* kCardGridHeaders[kCardGridColumnCount] = {
    "HOT", "Cards Name", "Rarity", "Reg Value", "Foil Value", "Show Cards", "Update Date"};
