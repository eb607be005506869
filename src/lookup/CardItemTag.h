#pragma once

#include <cstdint>

/// The item tag of a catalogue grid cell: the column number in the top 8 bits and the card id
/// in the low 24 bits. Header cells keep the tag 0. (A different encoding from the card key.)
namespace card_item_tag {

constexpr std::uint32_t kColumnUnit = 0x1000000; // 16777216
constexpr std::uint32_t kIdMask = 0xFFFFFF;

constexpr std::uint32_t Make(int column, std::int32_t cardId)
{
    return static_cast<std::uint32_t>(column) * kColumnUnit +
           (static_cast<std::uint32_t>(cardId) & kIdMask);
}
constexpr int Column(std::uint32_t tag)
{
    return static_cast<int>(tag >> 24);
}
constexpr std::int32_t CardId(std::uint32_t tag)
{
    return static_cast<std::int32_t>(tag & kIdMask);
}

} // namespace card_item_tag
