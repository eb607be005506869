#pragma once

#include <cstdint>

// A card key names one version of a card: the catalogue id for the regular copy, the catalogue
// id + 16777216 for the foil copy. It keys the trade list, trade list files and the collection.
namespace card_key {

constexpr std::int32_t kFoilOffset = 0x1000000;  // 16777216
constexpr std::int32_t kIdMask = 0xFFFFFF;

constexpr bool IsFoil(std::int32_t key)
{
    return key >= kFoilOffset && key < 2 * kFoilOffset;
}
constexpr std::int32_t CatalogueId(std::int32_t key)
{
    return key & kIdMask;
}
constexpr std::int32_t Regular(std::int32_t catalogueId)
{
    return catalogueId;
}
constexpr std::int32_t Foil(std::int32_t catalogueId)
{
    return catalogueId + kFoilOffset;
}

}  // namespace card_key
