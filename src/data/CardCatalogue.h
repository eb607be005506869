#pragma once

#include "data/CardRecord.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CADODataBase;

/// The in-memory copy of the price database: the set table, the card list in load order and
/// the card-name index. Every lookup runs against it, never against the database.
class CardCatalogue {
public:
    /// Empties and fills the set table, card list and card-name index. On failure (database
    /// not open, missing table or column) the catalogue is left empty, false is returned and
    /// *error (if given) gets a clear text including the database's last error.
    bool LoadCatalogue(CADODataBase& priceDatabase, std::string* error = nullptr);

    /// Every card row, duplicates included, by regular value (highest first), then set id
    /// (highest first).
    const std::vector<CardRecord>& Cards() const { return m_cards; }
    const std::map<std::int32_t, std::string>& SetTable() const { return m_sets; }
    const std::map<std::int32_t, std::string>& CardNames() const { return m_cardNames; }
    /// Set codes by set id ("7ED"): from the price database, or for a database made before set
    /// codes were kept, today's codes of the nine sample sets found by their names.
    const std::map<std::int32_t, std::string>& SetCodes() const { return m_setCodes; }

    /// The set's code, upper case ("7ED"); empty when the set has none.
    const std::string& SetCode(std::int32_t setId) const;

    /// The card with this catalogue id (the row read later for a repeated id), or null.
    const CardRecord* FindCard(std::int32_t catalogueId) const;
    /// What one copy of a card key (regular or foil, as the collection keys cards) is worth:
    /// the card's regular or foil value; nothing for a card the catalogue does not hold.
    std::optional<double> CopyValue(std::int32_t cardKey) const;

    /// The set's name; an unknown id gives an empty name and leaves an empty entry behind.
    const std::string& SetName(std::int32_t setId);
    /// The card's name by catalogue id; an unknown id gives an empty name and leaves an empty
    /// entry behind.
    const std::string& CardName(std::int32_t catalogueId);

    void Clear();

private:
    void FillCardNames();
    void LoadSetCodes(CADODataBase& priceDatabase);

    std::map<std::int32_t, std::string> m_sets;
    std::vector<CardRecord> m_cards;
    std::map<std::int32_t, std::string> m_cardNames;
    std::map<std::int32_t, std::string> m_setCodes;
    mutable std::unordered_map<std::int32_t, std::size_t> m_cardIndex;  // id -> place in m_cards
};
