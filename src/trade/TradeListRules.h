#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CatalogueRows;
class TradeList;
struct Offer;

/// Columns of the trade list grid.
enum TradeListColumn { kQuantityColumn = 0, kNameColumn = 1, kBuyColumn = 2, kSellColumn = 3 };

/// The texts and ticks of one grid row after a refresh.
struct TradeListRow {
    std::int32_t key = 0;
    std::string quantity;  ///< "%d"
    std::string name;      ///< "Foil " + name for foil lines
    std::string buy;       ///< PriceText
    std::string sell;      ///< PriceText
    bool buyTicked = false;
    bool sellTicked = false;
};

/// Recomputes both totals (sums in key order) and gives the rows in key order.
std::vector<TradeListRow> RefreshTradeList(TradeList& list);

/// "Buy Value:%s; Sell Value:%s" with each total's PriceText, blanks in front up to four
/// characters.
std::string TotalsLabel(double buyTotal, double sellTotal);

/// The end of an edit of the cell in the given column of the line under key: the quantity
/// takes the text's leading integer, a price its leading number (0 when there is none); other
/// columns change nothing, nor does a value RefusedEdit refuses. Returns whether the line
/// exists, the column is editable and the value was taken.
bool ApplyCellEdit(TradeList& list, std::int32_t key, int column, std::string_view text);

/// The message for an edit whose value no trade holds (more than a million copies, a price
/// beyond a million Tix); empty when the value may be taken.
std::string RefusedEdit(int column, std::string_view text);

/// Stores the state of a "Buy Value" or "Sell Value" box in the line's mark (1 ticked, 0 not).
/// Any other column, or a key with no line, changes nothing.
void SetTradeListMark(TradeList& list, std::int32_t key, int column, bool ticked);

/// Files a line for every ticked value of every ticked catalogue row ("Put into list").
/// A row whose card already has its foil line in the list adds nothing. Returns the number
/// of lines filed. With the offer of a copied line (Best Match First), a card it names gets
/// the quantity it states, and the price it asks as the buy value when the line sells or as
/// the sell value when it buys.
int PutIntoList(TradeList& list, const CatalogueRows& rows, const Offer* offer = nullptr);

/// Erases the lines whose "Cards Name" box is ticked; returns how many were erased.
std::size_t RemoveTicked(TradeList& list, const std::vector<std::int32_t>& tickedKeys);

/// Empties the list and sets both totals to 0.
void RemoveAll(TradeList& list);
