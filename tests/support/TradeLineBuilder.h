#pragma once

#include "trade/TradeListEntry.h"

#include <cstdint>
#include <string>

/// A line of a trade list as the trade list window keeps it.
TradeListEntry MakeTradeLine(std::int32_t id, const std::string& name, std::int32_t quantity,
                             float buy, float sell, bool foil = false, std::int32_t buyMark = 0,
                             std::int32_t sellMark = 0);
