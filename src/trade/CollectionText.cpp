#include "trade/CollectionText.h"

#include "data/CardCatalogue.h"
#include "data/CardKey.h"
#include "data/DateTime.h"
#include "data/PriceText.h"
#include "trade/NumberText.h"

#include <set>

std::string CardKeyName(std::int32_t cardKey, const CardNameOf& nameOf)
{
    std::string name = card_key::IsFoil(cardKey) ? "Foil " : "";
    if (nameOf) {
        name += nameOf(card_key::CatalogueId(cardKey));
    }
    return name;
}

SetLabel CardKeySet(std::int32_t cardKey, const CardSetOf& setOf)
{
    return setOf ? setOf(card_key::CatalogueId(cardKey)) : SetLabel{};
}

SetLabel CatalogueCardSet(const CardCatalogue& catalogue, std::int32_t catalogueId)
{
    SetLabel set;
    if (const CardRecord* card = catalogue.FindCard(catalogueId)) {
        set.code = catalogue.SetCode(card->expansion);
        const auto found = catalogue.SetTable().find(card->expansion);
        if (found != catalogue.SetTable().end()) {
            set.name = found->second;
        }
    }
    return set;
}

SetLabel DealSets(const std::vector<DealCard>& cards, const CardSetOf& setOf)
{
    SetLabel sets;
    std::set<std::string> seen;
    for (const DealCard& card : cards) {
        const SetLabel set = CardKeySet(card.cardKey, setOf);
        if (set.code.empty() || !seen.insert(set.code).second) {
            continue;
        }
        const char* separator = sets.code.empty() ? "" : ", ";
        sets.code += separator + set.code;
        sets.name += separator + set.name;
    }
    return sets;
}

std::optional<CollectionRowText> CollectionRow(std::int32_t noOwned, std::int32_t cardKey,
                                               const CardNameOf& nameOf,
                                               const CardValueOf& valueOf)
{
    if (noOwned == 0) {
        return std::nullopt;
    }
    CollectionRowText row{FormatInt("%d", noOwned), CardKeyName(cardKey, nameOf), {}, {}};
    if (valueOf) {
        if (const std::optional<double> each = valueOf(cardKey)) {
            row.worth = *each * noOwned;
        }
    }
    row.value = WorthText(row.worth);
    return row;
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

std::optional<double> DealWorth(const std::vector<DealCard>& cards, const CardValueOf& valueOf)
{
    std::optional<double> worth;
    if (!valueOf) {
        return worth;
    }
    for (const DealCard& card : cards) {
        if (const std::optional<double> each = valueOf(card.cardKey)) {
            worth = worth.value_or(0.0) + *each * card.count;
        }
    }
    return worth;
}

std::string WorthText(std::optional<double> worth)
{
    return worth ? PriceText(*worth) : std::string();
}

std::string CollectionWorthCaption(double worth, long long copies, long long unknownCopies)
{
    std::string caption = "Total worth: " + PriceText(worth) + " Tix" +
                          FormatInt(copies == 1 ? " (%lld card" : " (%lld cards", copies);
    if (unknownCopies > 0) {
        caption += FormatInt("; %lld without a price", unknownCopies);
    }
    return caption + ")";
}

std::string DealWorthCaption(double boughtFor, double boughtWorth, double soldFor,
                             double soldWorth)
{
    return "Bought for " + PriceText(boughtFor) + " Tix, worth " + PriceText(boughtWorth) +
           " today; sold for " + PriceText(soldFor) + " Tix, worth " + PriceText(soldWorth) +
           " today";
}

std::string DealDateText(const DateTime& date)
{
    return date.Format("%B %d %Y %H:%M:%S");
}
