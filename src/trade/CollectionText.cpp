#include "trade/CollectionText.h"

#include "data/CardKey.h"
#include "data/DateTime.h"
#include "data/PriceText.h"
#include "trade/NumberText.h"

std::string CardKeyName(std::int32_t cardKey, const CardNameOf& nameOf)
{
    std::string name = card_key::IsFoil(cardKey) ? "Foil " : "";
    if (nameOf) {
        name += nameOf(card_key::CatalogueId(cardKey));
    }
    return name;
}

std::optional<CollectionRowText> CollectionRow(std::int32_t noOwned, std::int32_t cardKey,
                                               const CardNameOf& nameOf)
{
    if (noOwned == 0) {
        return std::nullopt;
    }
    return CollectionRowText{FormatInt("%d", noOwned), CardKeyName(cardKey, nameOf)};
}

std::string DealDetails(std::int32_t inOrOut, const std::vector<DealCard>& cards, float price,
                        const CardNameOf& nameOf)
{
    std::string details = inOrOut != 0 ? "Sold:" : "Bought:";
    for (const DealCard& card : cards) {
        details += FormatInt("%dx", card.count) + CardKeyName(card.cardKey, nameOf) + " ";
    }
    details += "for " + PriceText(price);
    return details;
}

std::string DealDateText(const DateTime& date)
{
    return date.Format("%B %d %Y %H:%M:%S");
}
