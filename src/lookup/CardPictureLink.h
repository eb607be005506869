#pragma once

#include <cstdint>
#include <string>

/// The public card page that the "Show Cards" column links to:
/// "https://scryfall.com/card/<set code in lower case>/<collection number>". The address holds
/// "https:" so that the grid's link cell recognises it as a link.
inline constexpr const char* kScryfallCardPage = "https://scryfall.com/card/";

/// Whether a card has a set-and-rarity image of its own: one of the nine sample sets (ids 10
/// to 90 in steps of 10) with rarity common, uncommon or rare.
bool HasSamplePicture(std::int32_t setId, std::int32_t rarity);

/// The link of the "Show Cards" column: the card's Scryfall page by today's code of its set
/// (`setCode` as the price database stores it; a sample code such as "7E" is read as today's
/// "7ED", and a sample set without a stored code is known by its id). Empty without a
/// collection number (0, or a negative number that no printed card carries) and for a set
/// without a usable code, rather than a link that leads nowhere.
std::string CardLink(std::int32_t setId, const std::string& setCode, std::int32_t collectionNo);
