#pragma once

#include "lookup/OfferReader.h"

#include <string>
#include <vector>

struct CardRecord;

/// What "Best Match First" adds to the value report of a copied offer: a line under a card's
/// row, and the offer's total as the report's last line.
struct OfferAdditions {
    std::vector<std::string> underRows;  ///< one per reported card, empty for none
    std::string total;
};

/// The deal check of a card whose price the line asks: "asked 5.00, worth 3.20: +56 %" (the
/// asked price beside the regular value, and how far above or below it lies); without a value
/// to compare with, "asked 5.00, worth 0.00". Empty when no price is asked.
std::string DealCheckLine(const Offer::Item& item, const CardRecord& card);

/// "4 Wrath of God + 2 Fact or Fiction: 12.40 Tix": every card with the quantity the offer
/// states (1 when it states none) and the sum of quantity times regular value. The offer's
/// items stand for the cards in the same order. Empty without cards.
std::string OfferTotalLine(const std::vector<CardRecord>& cards, const Offer& offer);

/// Both, for the cards the report lists and the offer read for them (ReadOffer with their
/// names, in that order).
OfferAdditions MakeOfferAdditions(const std::vector<CardRecord>& reported, const Offer& offer);
