#pragma once

#include "lookup/FilterList.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

/// What a copied trade line offers: which side the writer is on and, for each card of the
/// line, the quantity it states and the price it asks for one copy.
struct Offer {
    enum class Side { Unknown, Sells, Buys };
    struct Item {
        std::string name;
        int quantity = 1; ///< 1 when the line states none
        bool quantityStated = false;
        std::optional<double> asked; ///< per copy, in Tix (a dollar counts as a ticket)
    };
    Side side = Side::Unknown;
    std::vector<Item> items; ///< one per name asked for, in that order
};

/// Reads the quantities and asked prices a line states for the given card names (the cards a
/// lookup found in it): "4x Wrath of God", "Wrath of God x4", "playset of", "2 tix each",
/// "$6.50", "6.50$", "@ 0.5", "pay 5 each", "4 for 8" (two each), price-list rows such as
/// "4;Counterspell;7ED;0,35". A name is found in the line by its words, a typo of a long word,
/// a word filter's word that stands for it ("wog") or its short name ("Jitte", "Kiki", the
/// part of a legend's name before the comma). Numbers that belong to nothing ("+ 2 tix" in a
/// trade, "24/7", "10 %") are no price.
Offer ReadOffer(std::string_view text, const std::vector<std::string>& names,
                const FilterList& filters = {});
