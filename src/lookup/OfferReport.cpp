#include "lookup/OfferReport.h"

#include "data/CardRecord.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Amount(double value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

}  // namespace

std::string DealCheckLine(const Offer::Item& item, const CardRecord& card)
{
    if (!item.asked) {
        return {};
    }
    std::string line = "asked " + Amount(*item.asked) + ", worth " + Amount(card.reg_value);
    if (card.reg_value > 0.0) {
        const long percent = std::lround((*item.asked - card.reg_value) / card.reg_value * 100.0);
        line += ": " + std::string(percent > 0 ? "+" : "") + std::to_string(percent) + " %";
    }
    return line;
}

std::string OfferTotalLine(const std::vector<CardRecord>& cards, const Offer& offer)
{
    std::string line;
    double total = 0.0;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const int quantity = i < offer.items.size() ? offer.items[i].quantity : 1;
        line += (line.empty() ? "" : " + ") + std::to_string(quantity) + " " + cards[i].name;
        total += quantity * cards[i].reg_value;
    }
    return line.empty() ? line : line + ": " + Amount(total) + " Tix";
}

OfferAdditions MakeOfferAdditions(const std::vector<CardRecord>& reported, const Offer& offer)
{
    OfferAdditions additions;
    for (std::size_t i = 0; i < reported.size(); ++i) {
        additions.underRows.push_back(
            i < offer.items.size() ? DealCheckLine(offer.items[i], reported[i]) : std::string());
    }
    additions.total = OfferTotalLine(reported, offer);
    return additions;
}
