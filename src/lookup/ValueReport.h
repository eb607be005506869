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
/// the body. A note (LookupCutNote) is added as the report's last line. With `markSamples`,
/// made-up sample values are followed by "*" ("regValue = 0.4Tix*").
std::string BuildValueReport(std::size_t rowCount, const std::vector<CardRecord>& cards,
                             const SetNameLookup& setName, std::string_view note = {},
                             const OfferAdditions* additions = nullptr, bool markSamples = false);

/// What the user is told when a clipboard lookup did not read the whole text, had its word
/// filters cut or ran out of time: "(only the first 65,536 characters were looked up)",
/// "(the word filters were stopped after adding 1,024 characters to a name)", "(lookup
/// stopped after 250 ms)", each on a line of its own; empty for a whole lookup.
std::string LookupCutNote(const LookupStats& stats, const ClipboardLimits& limits);

/// Replaces every two-character sequence backslash, "n" by a line feed.
std::string ExpandLineBreaks(std::string_view text);

/// The cards a value report names at most.
inline constexpr std::size_t kReportedCards = 3;

/// The grid's text for a clipboard lookup that found nothing.
inline constexpr const char* kCardNotFound = "card not found!";
