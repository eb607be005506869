#pragma once

#include "data/CardRecord.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CADODataBase;
class CADORecordset;

/// The in-memory copy of the price database: the set table, the card list in load order and
/// the index of the cards by id. Every lookup runs against it, never against the database.
class CardCatalogue {
public:
    /// Empties and fills the set table, card list and id index in one pass over the cards. On
    /// failure (database not open, missing table or column) the catalogue is left empty, false
    /// is returned and *error (if given) gets a clear text including the database's last error.
    /// With `forLookupOnly` a card's HOT mark, number in its set and update date are left at
    /// their defaults, no set codes are read and cards are not indexed by id (FindCard, CardName
    /// and CopyValue find nothing): a lookup on its own needs none of them. `stopRequested`,
    /// when given, is asked every few thousand engine steps; once it says true the load stops,
    /// leaving the catalogue empty, and false is returned. A load that takes more processor
    /// time than a file of its size can need (a card table that never ends) is stopped too,
    /// with an error naming the file.
    bool LoadCatalogue(CADODataBase& priceDatabase, std::string* error = nullptr,
                       bool forLookupOnly = false,
                       const std::function<bool()>& stopRequested = {});
    /// The number of card rows, to tell before a long load; -1 when it cannot be read, took
    /// too long or was stopped (`stopRequested`, as for LoadCatalogue).
    static std::int64_t CountCards(CADODataBase& priceDatabase,
                                   const std::function<bool()>& stopRequested = {});

    /// Every card row, duplicates included, by regular value (highest first), then set id
    /// (highest first).
    const std::vector<CardRecord>& Cards() const { return m_cards; }
    const std::map<std::int32_t, std::string>& SetTable() const { return m_sets; }
    /// Set codes by set id ("7ED"): from the price database, or for a database made before set
    /// codes were kept, today's codes of the nine sample sets found by their names.
    const std::map<std::int32_t, std::string>& SetCodes() const { return m_setCodes; }

    /// Whether a price import has set any card's price; until then every price not corrected
    /// by hand is a made-up sample one.
    bool HasImportedPrices() const { return m_pricesImported; }

    /// The set's code, upper case ("7ED"); empty when the set has none.
    const std::string& SetCode(std::int32_t setId) const;

    /// The card with this catalogue id (the row read later for a repeated id), or null.
    const CardRecord* FindCard(std::int32_t catalogueId) const;
    /// What one copy of a card key (regular or foil, as the collection keys cards) is worth:
    /// the card's regular or foil value; nothing for a card the catalogue does not hold.
    std::optional<double> CopyValue(std::int32_t cardKey) const;

    /// The set's name; an unknown id gives an empty name and leaves an empty entry behind.
    const std::string& SetName(std::int32_t setId);
    /// The card's name by catalogue id (the row read later for a repeated id); an unknown id
    /// gives an empty name.
    const std::string& CardName(std::int32_t catalogueId) const;

    void Clear();

private:
    struct SortKey;
    bool ReadCatalogue(CADODataBase& priceDatabase, std::string* error, bool forLookupOnly,
                       const std::function<bool()>& stopRequested);
    bool ReadCardsSorted(CADODataBase& priceDatabase, bool forLookupOnly,
                         const std::function<bool()>& stopRequested);
    /// Reads every row into the list; with `keys`, also each card's place in value order, and
    /// false for a value that only the engine can place.
    bool ReadCards(CADORecordset& recordset, bool forLookupOnly, std::vector<SortKey>* keys,
                   const std::function<bool()>& stopRequested);
    void IndexIds();
    void LoadSetCodes(CADODataBase& priceDatabase);
    void MarkSamplePrices(CADODataBase& priceDatabase);

    std::map<std::int32_t, std::string> m_sets;
    std::vector<CardRecord> m_cards;
    std::map<std::int32_t, std::string> m_setCodes;
    // (id, place in m_cards), sorted: a binary search instead of a node per card.
    std::vector<std::pair<std::int32_t, std::uint32_t>> m_byId;
    bool m_pricesImported = false;
};
