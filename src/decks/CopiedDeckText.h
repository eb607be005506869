#pragma once

#include <string>
#include <string_view>

/// A copied piece of a deck file, a deck text (two card lines or more) or a collection export
/// is looked up by the names it holds: the `Name` attributes, the names after the quantities,
/// the name column. Quantities, catalogue ids, set codes and numbers are read as what they
/// are, so none of them is taken for part of a name.
namespace copied_deck {

/// The names of the cards such a text names, one after another with ";" between them; any
/// other text unchanged.
std::string LookupText(std::string_view text);

} // namespace copied_deck
