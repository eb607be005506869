#pragma once

#include <QColor>
#include <QPixmap>

#include <cstdint>
#include <string>

/// Set-and-rarity symbols for cards beyond the nine sample sets, whose images were drawn for
/// those sets alone: the set code (up to three characters) on a badge in the rarity's colour.
namespace card_symbol {

/// The side of a symbol, as the grid's images.
constexpr int kSide = 16;

/// The rarity as its colour sees it: 10 common, 20 uncommon, 40 mythic, 30 for every other code
/// (special and bonus cards count as rare).
int RarityClass(std::int32_t rarity);

/// Black for common, silver for uncommon, gold for rare, orange-red for mythic.
QColor RarityColour(std::int32_t rarity);

/// The symbol of a set code and rarity; drawn once, then served from a cache.
QPixmap Symbol(const std::string& setCode, std::int32_t rarity);

} // namespace card_symbol
