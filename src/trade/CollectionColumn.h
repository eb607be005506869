#pragma once

#include "data/GridColumn.h"

#include <iterator>

/// The columns of the My Collection grid in their order on screen, and their header texts.
enum class CollectionColumn : int { Quantity, Name, Set, Value };
inline constexpr const char* kCollectionHeaders[] = {"Quantity", "Cards Name", "Set", "Value"};
inline constexpr int kCollectionColumnCount = int(std::size(kCollectionHeaders));

/// The columns of the Transaction Log grid in their order on screen, and their header texts.
enum class DealLogColumn : int { Date, Details, Set, WorthToday, Comments };
inline constexpr const char* kDealLogHeaders[] = {"Date", "Details", "Set", "Worth Today",
                                                  "Comments"};
inline constexpr int kDealLogColumnCount = int(std::size(kDealLogHeaders));
