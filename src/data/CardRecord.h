#pragma once

#include "data/DateTime.h"

#include <cstdint>
#include <string>

/// One card of the catalogue, copied by value wherever it goes.
struct CardRecord {
    std::int32_t id = 0;         ///< catalogue id (cardslist.id), below 16777216
    std::string name;            ///< UTF-8
    double reg_value = 0.0;      ///< value of a regular copy, in Tix, exactly as stored
    double foil_value = 0.0;     ///< value of a foil copy, in Tix, exactly as stored
    std::int32_t expansion = 0;  ///< set id, 10 to 90 in steps of 10
    std::int32_t collection_no = 0;
    std::int32_t rarity = 0;     ///< 10 common, 20 uncommon, 40 mythic, anything else rare
    std::string link;            ///< card picture link; empty in the catalogue
    std::int32_t hot = 0;        ///< non-zero marks a hot card
    DateTime update_date;        ///< last value update; the zero date when unknown
    bool sample_price = false;   ///< the values are the made-up sample ones (sample_price_marks)
};

/// Rarity words: the grid's hover tip uses the capitalised form, the value report the lower one.
inline const char* RarityName(std::int32_t rarity)
{
    return rarity == 10 ? "Common" : rarity == 20 ? "Uncommon" : rarity == 40 ? "Mythic" : "Rare";
}
inline const char* RarityWord(std::int32_t rarity)
{
    return rarity == 10 ? "common" : rarity == 20 ? "uncommon" : rarity == 40 ? "mythic" : "rare";
}
