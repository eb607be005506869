#pragma once

#include <cstdint>
#include <string>

/// The card-picture web page that the "Show Cards" column links to. The address must hold
/// "http:" so that the grid's link cell recognises it as a link.
inline constexpr const char* kCardPicturePage = "http://www.quorvel-cards.example/showcard.asp?id=";

/// The card code of a card on the picture site: set prefix, colour letter, rarity letter and
/// number (or the fixed code of a few split cards). Empty for a set the site does not know and
/// for a card without a collection number.
std::string CardPictureCode(std::int32_t setId, std::int32_t collectionNo, std::int32_t rarity);

/// The full card picture link: the picture page followed by the card code; empty for a card
/// without a collection number (0, or a negative number that no printed card carries).
std::string CardPictureLink(std::int32_t setId, std::int32_t collectionNo, std::int32_t rarity);

/// The public card page that links cards beyond the nine sample sets:
/// "https://scryfall.com/card/<set code in lower case>/<collection number>".
inline constexpr const char* kScryfallCardPage = "https://scryfall.com/card/";

/// Whether a card has a picture-site code and a set-and-rarity image of its own: one of the
/// nine sample sets (ids 10 to 90 in steps of 10) with rarity common, uncommon or rare.
bool HasSamplePicture(std::int32_t setId, std::int32_t rarity);

/// The link of the "Show Cards" column: the picture-site link for a card of the nine sample
/// sets, the Scryfall page for any other card whose set has a code. Empty without a collection
/// number; a card of another set without a code keeps the picture-site link.
std::string CardLink(std::int32_t setId, const std::string& setCode, std::int32_t collectionNo,
                     std::int32_t rarity);
