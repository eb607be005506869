#pragma once

#include "decks/DeckLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

/// Checks shared by the deck and collection readers.
namespace deck_checks {

/// A quantity text: digits, optional blanks around them; 1 to kMaxDeckQuantity. Otherwise
/// empty, and *why says what is wrong ("quantity 0", "quantity -2", ...).
std::optional<std::int32_t> Quantity(std::string_view text, std::string* why);

/// A catalogue id text: digits only, below 2^31. Empty for anything else.
std::optional<std::int64_t> CatalogueId(std::string_view text);

} // namespace deck_checks
