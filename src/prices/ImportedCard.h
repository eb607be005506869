#pragma once

#include "prices/PriceError.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/// One day's price of a card as a file gives it; a side the file does not give is empty.
struct DatedPrice {
    std::string date; ///< "YYYY-MM-DD"
    std::optional<double> regular;
    std::optional<double> foil;
    std::optional<double> buy;     ///< what the store's bots pay (the buylist), regular
    std::optional<double> buyFoil; ///< the same for the foil version
};

/// One card as a price file describes it, before it is matched to the catalogue.
struct ImportedCard {
    std::string setCode;        ///< as given ("7ED", "7ed"); may be empty
    std::string setName;        ///< may be empty
    std::string number;         ///< collector number as given ("57", "57a"); may be empty
    std::string name;
    std::int32_t rarity = 0;    ///< 10, 20, 30, 40; 0 when not given
    std::int64_t gameId = 0;    ///< the game's catalogue id of the regular version, 0 if none
    std::int64_t gameFoilId = 0; ///< the game's catalogue id of the foil version, 0 if none
    std::vector<DatedPrice> prices;
    std::string where;          ///< "file line 4" or "file byte 1234", for messages
};

/// Where readers deliver what they read.
class ImportSink {
public:
    virtual ~ImportSink() = default;
    virtual void Card(ImportedCard&& card) = 0;
    /// A row that cannot be used: counted, and the first few shown with `why`.
    virtual void Skip(const std::string& where, const std::string& why) = 0;
    /// A card without a game id or game price: counted only.
    virtual void NotOnGame() = 0;
    /// `done` of this file's `total` bytes read; throws `PriceError` when cancelled.
    virtual void Progress(std::uint64_t done, std::uint64_t total) = 0;
    /// The date for prices the file gives none.
    virtual const std::string& DefaultDate() const = 0;
};
