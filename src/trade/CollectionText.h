#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class DateTime;

/// The catalogue's card name of a catalogue id (empty when the catalogue does not hold it).
using CardNameOf = std::function<std::string(std::int32_t catalogueId)>;

/// A card key's name as the views show it: "Foil " in front for a foil key.
std::string CardKeyName(std::int32_t cardKey, const CardNameOf& nameOf);

/// One row of the collection view.
struct CollectionRowText {
    std::string quantity;  ///< "%d"
    std::string name;
};

/// The row for a collections record; nothing for a card no longer owned (count 0).
std::optional<CollectionRowText> CollectionRow(std::int32_t noOwned, std::int32_t cardKey,
                                               const CardNameOf& nameOf);

/// One card line of a logged deal.
struct DealCard {
    std::int32_t cardKey = 0;
    std::int32_t count = 0;
};

/// "Bought:" or "Sold:", "%dx%s " per card, then "for " and the price's PriceText.
std::string DealDetails(std::int32_t inOrOut, const std::vector<DealCard>& cards, float price,
                        const CardNameOf& nameOf);

/// The date of a deal as stored in statements and shown in the log: "%B %d %Y %H:%M:%S".
std::string DealDateText(const DateTime& date);
