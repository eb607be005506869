#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct CardRecord;
struct ClipboardLimits;
struct LookupStats;
struct OfferAdditions;

/// Name of a set id; the catalogue's lookup that inserts an empty name when the id is missing.
using SetNameLookup = std::function<std::string(std::int32_t setId)>;

/// The value report text of a clipboard lookup: "%d cards found!" over the hyphens, then the
/// first three of the listed cards (in grid order, the most valuable first) with their name,
/// values, set and rarity, each followed by the hyphen line, and "..." when more were found.
/// rowCount is the number of cards listed; cards holds at least the first min(rowCount, 3).
/// Every backslash followed by "n" becomes a line break. With additions (Best Match First on
/// a copied offer), a card's added line follows its "Rarity" line and the offer's total ends
/// the body. A note (LookupCutNote) is added as the report's last line.
std::string BuildValueReport(std::size_t rowCount, const std::vector<CardRecord>& cards,
                             const SetNameLookup& setName, std::string_view note = {},
                             const OfferAdditions* additions = nullptr);

/// What the user is told when a clipboard lookup did not read the whole text or ran out of
/// time: "(only the first 65,536 characters were looked up)", "(lookup stopped after
/// 250 ms)", both on lines of their own when both happened; empty for a whole lookup.
std::string LookupCutNote(const LookupStats& stats, const ClipboardLimits& limits);

/// Replaces every two-character sequence backslash, "n" by a line feed.
std::string ExpandLineBreaks(std::string_view text);

/// The grid's text for a clipboard lookup that found nothing.
inline constexpr const char* kCardNotFound = "card not found!";
