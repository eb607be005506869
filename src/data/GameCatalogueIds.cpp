#include "data/GameCatalogueIds.h"

#include <sqlite3.h>

#include <algorithm>

bool GameCatalogueIds::Load(sqlite3* db, std::string* error)
{
    m_byGame.clear();
    m_byKey.clear();
    m_sorted = true;
    if (!db) {
        if (error) {
            *error = "The price database is not open.";
        }
        return false;
    }
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, "select game_id, card_key from catalogue_ids", -1, &statement,
                                nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(statement);
        const std::string message = sqlite3_errmsg(db);
        if (message.starts_with("no such table")) {
            return true;
        }
        if (error) {
            *error = "The catalogue ids could not be read: " + message;
        }
        return false;
    }
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Add(sqlite3_column_int64(statement, 0),
            static_cast<std::int32_t>(sqlite3_column_int64(statement, 1)));
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) {
        if (error) {
            *error = std::string("The catalogue ids could not be read: ") + sqlite3_errmsg(db);
        }
        return false;
    }
    return true;
}

void GameCatalogueIds::Add(std::int64_t gameId, std::int32_t cardKey)
{
    m_byGame.emplace_back(gameId, cardKey);
    m_byKey.emplace_back(cardKey, gameId);
    m_sorted = false;
}

void GameCatalogueIds::Sort() const
{
    if (!m_sorted) {
        std::sort(m_byGame.begin(), m_byGame.end());
        std::sort(m_byKey.begin(), m_byKey.end());
        m_sorted = true;
    }
}

std::optional<std::int32_t> GameCatalogueIds::CardKeyOf(std::int64_t gameId) const
{
    Sort();
    const auto it =
        std::lower_bound(m_byGame.begin(), m_byGame.end(), std::make_pair(gameId, INT32_MIN));
    if (it == m_byGame.end() || it->first != gameId) {
        return std::nullopt;
    }
    return it->second;
}

std::int64_t GameCatalogueIds::GameIdOf(std::int32_t cardKey) const
{
    Sort();
    const auto it = std::lower_bound(m_byKey.begin(), m_byKey.end(),
                                     std::make_pair(cardKey, std::int64_t{INT64_MIN}));
    return it != m_byKey.end() && it->first == cardKey ? it->second : 0;
}
