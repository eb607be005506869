#pragma once

#include <cstdint>

struct CardRecord;

/// What the trade windows read of one row of the main window's catalogue grid.
struct CatalogueRow {
    bool nameTicked = false;   ///< column 1 ("Cards Name") is a check cell and is ticked
    std::int32_t nameTag = 0;  ///< that cell's item tag: card id + 16777216
    bool regTicked = false;    ///< column 3 ("Reg Value") is a check cell and is ticked
    bool foilTicked = false;   ///< column 4 ("Foil Value") is a check cell and is ticked
};

/// The catalogue grid's rows as the trade list and the collection views see them: rows in
/// display order, header row included (it is never ticked), and the shown-cards table.
/// The main window implements it over its grid; tests implement it over plain data.
class CatalogueRows {
public:
    virtual ~CatalogueRows() = default;
    /// Number of rows, the header row included.
    virtual int RowCount() const = 0;
    virtual CatalogueRow Row(int row) const = 0;
    /// The shown card with this catalogue id, or null.
    virtual const CardRecord* ShownCard(std::int32_t cardId) const = 0;
};
