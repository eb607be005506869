#pragma once

#include "data/GridColumn.h"

#include <cstdint>
#include <functional>
#include <string>

struct CardRecord;

/// The seven columns of the catalogue grid, in their order on screen.
enum class CardGridColumn : int { Hot, Name, Rarity, RegValue, FoilValue, ShowCards, UpdateDate };
inline constexpr int kCardGridColumnCount = 7;

/// The code of a set id ("7ED"; empty when the set has none), for texts that name the set.
using SetCodeOf = std::function<std::string(std::int32_t setId)>;

/// One column of the catalogue grid as its table describes it. The grid takes its headers, its
/// cells' texts, its column fitting and its sort order from the table (CardGridColumns), and
/// the sort order of CompareCardsInColumn too; a new column is one entry there plus the card
/// data it shows. Tick boxes, images and editable cells are behaviours of the grid itself.
struct CardGridColumnInfo {
    CardGridColumn column;
    const char* header;
    /// The text of a card's cell; null for a column that shows an image alone.
    std::string (*text)(const CardRecord& card, const SetCodeOf& setCode);
    /// An integer whose order is the column's card order (before the set tie-break). Null when
    /// the column sorts otherwise or not.
    std::int64_t (*sortKey)(const CardRecord& card);
    /// A text whose byte-wise order is the column's card order; null when it sorts otherwise.
    /// A column with neither key nor text keeps the rows as they are.
    const char* (*sortText)(const CardRecord& card);
    /// Cards of equal keys show the same text, so fitting the column measures one of them;
    /// null: every card's text is measured.
    std::int64_t (*sameText)(const CardRecord& card);
};

/// The table entry of a column; null for a number outside the grid.
const CardGridColumnInfo* CardGridColumnOf(int column);

/// The table entry of a column.
inline const CardGridColumnInfo& CardGridColumnOf(CardGridColumn column)
{
    return *CardGridColumnOf(ColumnIndex(column));
}
