#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct sqlite3;

/// The game's own catalogue ids of each card version, kept by the price import in the table
/// `catalogue_ids` of the price database (`game_id`, `card_key`: the card id, plus 16777216 for
/// the foil version). A deck file's `CatID` finds its exact card through them.
class GameCatalogueIds {
public:
    /// Reads the table; a price database made before it existed gives no ids and true. False
    /// with *error for a database that cannot be read.
    bool Load(sqlite3* db, std::string* error = nullptr);

    void Add(std::int64_t gameId, std::int32_t cardKey);

    /// The card key of a game id; nothing when the id is not known.
    std::optional<std::int32_t> CardKeyOf(std::int64_t gameId) const;
    /// The game id of a card key; 0 when not known.
    std::int64_t GameIdOf(std::int32_t cardKey) const;

    std::size_t Size() const { return m_byGame.size(); }

private:
    void Sort() const;

    mutable std::vector<std::pair<std::int64_t, std::int32_t>> m_byGame;
    mutable std::vector<std::pair<std::int32_t, std::int64_t>> m_byKey;
    mutable bool m_sorted = true;
};
