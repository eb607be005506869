#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CardCatalogue;
class DateTime;

/// The catalogue's card name of a catalogue id (empty when the catalogue does not hold it).
using CardNameOf = std::function<std::string(std::int32_t catalogueId)>;

/// What one copy of a card key is worth today: the catalogue's regular value for a regular key,
/// its foil value for a foil key; nothing when the catalogue does not hold the card.
using CardValueOf = std::function<std::optional<double>(std::int32_t cardKey)>;

/// A card key's name as the views show it: "Foil " in front for a foil key.
std::string CardKeyName(std::int32_t cardKey, const CardNameOf& nameOf);

/// A card's set as the views show it: the code in the cell ("7ED"), the name in its tip; both
/// empty when the catalogue does not hold the card.
struct SetLabel {
    std::string code;
    std::string name;
};

/// The set of a catalogue id.
using CardSetOf = std::function<SetLabel(std::int32_t catalogueId)>;

/// The set of a card key (regular or foil); empty without a lookup.
SetLabel CardKeySet(std::int32_t cardKey, const CardSetOf& setOf);

/// The set of a catalogue id as the catalogue knows it (the set table is not added to).
SetLabel CatalogueCardSet(const CardCatalogue& catalogue, std::int32_t catalogueId);

/// One row of the collection view.
struct CollectionRowText {
    std::string quantity;  ///< "%d"
    std::string name;
    std::string value;     ///< count x value of one copy, PriceText; empty when unknown
    std::optional<double> worth;  ///< the same as a number
};

/// The row for a collections record; nothing for a card no longer owned (count 0).
std::optional<CollectionRowText> CollectionRow(std::int32_t noOwned, std::int32_t cardKey,
                                               const CardNameOf& nameOf,
                                               const CardValueOf& valueOf = {});

/// One card line of a logged deal.
struct DealCard {
    std::int32_t cardKey = 0;
    std::int32_t count = 0;
};

/// "Bought:" or "Sold:", "%dx%s " per card, then "for " and the price's PriceText.
std::string DealDetails(std::int32_t inOrOut, const std::vector<DealCard>& cards, float price,
                        const CardNameOf& nameOf);

/// The sets of a deal's cards in the order its details first name them, each set once: the
/// codes and the names, each joined by ", ". A card of a set without a code adds nothing.
SetLabel DealSets(const std::vector<DealCard>& cards, const CardSetOf& setOf);

/// What the cards of a deal are worth today; nothing when the catalogue holds none of them.
std::optional<double> DealWorth(const std::vector<DealCard>& cards, const CardValueOf& valueOf);

/// A worth cell: PriceText, empty for an unknown worth.
std::string WorthText(std::optional<double> worth);

/// The collection view's worth line: "Total worth: %s Tix (%d cards)" with the worth's
/// PriceText, and how many cards it leaves out because the catalogue does not hold them.
std::string CollectionWorthCaption(double worth, long long copies, long long unknownCopies);

/// The transaction log's worth line: what the deals shown were bought and sold for, and what
/// their cards are worth today.
std::string DealWorthCaption(double boughtFor, double boughtWorth, double soldFor,
                             double soldWorth);

/// The date of a deal as stored in statements and shown in the log: "%B %d %Y %H:%M:%S".
std::string DealDateText(const DateTime& date);
