#pragma once

#include <cstdint>
#include <optional>
#include <string>

class DateTime;

/// Rules of the catalogue grid that need no window: which image a cell shows, what its text
/// reads, the Rarity tip and the HOT toggle.
namespace card_grid {

constexpr int kRowHeight = 25;
/// The card images (bitmap 130): 27 set-and-rarity symbols, then the HOT markers.
constexpr int kImageCount = 29;
constexpr int kHotSetImage = 27;
constexpr int kHotClearImage = 28;

/// Image of the Rarity column: (set / 10) x 3 + rarity / 10 - 4 for the sets 10 to 90. A rarity
/// code other than 10 or 20 counts as rare; a set without symbols gives -1 (no image).
int RarityImageIndex(std::int32_t setId, std::int32_t rarity);

/// Image of the HOT column for a stored hot flag: any non-zero flag shows the HOT marker.
int HotImageIndex(std::int32_t hot);

/// The flag after a click on the HOT marker: 1 becomes 0, anything else becomes 1.
std::int32_t ToggledHot(std::int32_t hot);

/// A value cell's text: the value's PriceText, blanks in front up to four characters.
std::string ValueText(double value);

/// An "Update Date" cell's text, "%m-%d-%Y".
std::string DateText(const DateTime& date);

/// The Rarity tip: set name, "/", "Common", "Uncommon" or "Rare"; every backslash followed by
/// "n" becomes a line break.
std::string RarityTipText(const std::string& setName, std::int32_t rarity);

/// The background (0xRRGGBB) of a row under "Best Match First" from its card's match score:
/// pale green for a card the value report lists, pale yellow for one that shares some words
/// with the text, none otherwise.
std::optional<std::uint32_t> MatchTint(int score);

/// Replaces every two-character sequence backslash and "n" by a line feed.
std::string ExpandLineBreaks(const std::string& text);

} // namespace card_grid
