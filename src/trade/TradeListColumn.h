#pragma once

#include "data/GridColumn.h"

#include <iterator>

/// The columns of the trade list grid in their order on screen, and their header texts.
enum class TradeListColumn : int { Quantity, Name, Set, Buy, Sell };
inline constexpr const char* kTradeListHeaders[] = {"Quantity", "Cards Name", "Set", "Buy Value",
                                                    "Sell Value"};
inline constexpr int kTradeListColumnCount = int(std::size(kTradeListHeaders));
