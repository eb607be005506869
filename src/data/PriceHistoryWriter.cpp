#include "data/PriceHistoryWriter.h"

#include "data/DatabaseSchema.h"

#include <sqlite3.h>

namespace {

// The four values from column `first` on.
template <class Values> void ReadValues(sqlite3_stmt* stmt, int first, Values& values)
{
    values.reg = price_history::ColumnPrice(stmt, first);
    values.foil = price_history::ColumnPrice(stmt, first + 1);
    values.buy = price_history::ColumnOptionalPrice(stmt, first + 2);
    values.buyFoil = price_history::ColumnOptionalPrice(stmt, first + 3);
}

} // namespace

PriceHistoryWriter::PriceHistoryWriter(sqlite3* db) : m_db(db)
{
    // A history not yet converted (no buylist columns) is only read, by a dry run.
    const bool buylist = database_schema::HaveTable(db, "price_days", "buy");
    m_ok = sqlite3_prepare_v2(db,
                              buylist ? "select day, reg, foil, buy, buy_foil from price_days "
                                        "where card_id=? and day<=? order by day desc limit 1"
                                      : "select day, reg, foil, null, null from price_days "
                                        "where card_id=? and day<=? order by day desc limit 1",
                              -1, &m_before, nullptr) == SQLITE_OK &&
           sqlite3_prepare_v2(db,
                              "select day from price_days where card_id=? and day>? order by day "
                              "limit 1",
                              -1, &m_after, nullptr) == SQLITE_OK;
    if (m_ok && database_schema::HaveTable(db, "price_latest", "day")) {
        m_ok = sqlite3_prepare_v2(db,
                                  "select day, reg, foil, buy, buy_foil from price_latest where "
                                  "card_id=?",
                                  -1, &m_latest, nullptr) == SQLITE_OK;
    }
}

PriceHistoryWriter::~PriceHistoryWriter()
{
    sqlite3_finalize(m_before);
    sqlite3_finalize(m_after);
    sqlite3_finalize(m_put);
    sqlite3_finalize(m_latest);
}

bool PriceHistoryWriter::LoadLatest()
{
    if (!m_ok || m_latest == nullptr) {
        return m_ok;
    }
    sqlite3_stmt* all = nullptr;
    int rc = sqlite3_prepare_v2(
        m_db, "select card_id, day, reg, foil, buy, buy_foil from price_latest", -1, &all, nullptr);
    std::unordered_map<std::int32_t, Row> rows;
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        if ((rc = sqlite3_step(all)) != SQLITE_ROW) {
            break;
        }
        Row& row = rows[sqlite3_column_int(all, 0)];
        row.found = true;
        row.day = sqlite3_column_int(all, 1);
        ReadValues(all, 2, row.values);
    }
    sqlite3_finalize(all);
    if (rc != SQLITE_DONE) {
        return false;
    }
    m_latestRows = std::move(rows);
    m_loaded = true;
    return true;
}

PriceHistoryWriter::Row PriceHistoryWriter::Latest(std::int32_t cardId)
{
    if (m_loaded) {
        const auto found = m_latestRows.find(cardId);
        return found != m_latestRows.end() ? found->second : Row();
    }
    Row row;
    if (m_latest == nullptr) {
        return row;
    }
    sqlite3_bind_int(m_latest, 1, cardId);
    if (sqlite3_step(m_latest) == SQLITE_ROW) {
        row.found = true;
        row.day = sqlite3_column_int(m_latest, 0);
        ReadValues(m_latest, 1, row.values);
    }
    sqlite3_reset(m_latest);
    return row;
}

PriceHistoryWriter::Row PriceHistoryWriter::Before(std::int32_t cardId, int day)
{
    Row row;
    if (!m_ok) {
        return row;
    }
    sqlite3_bind_int(m_before, 1, cardId);
    sqlite3_bind_int(m_before, 2, day);
    if (sqlite3_step(m_before) == SQLITE_ROW) {
        row.found = true;
        row.day = sqlite3_column_int(m_before, 0);
        ReadValues(m_before, 1, row.values);
    }
    sqlite3_reset(m_before);
    return row;
}

PriceHistoryWriter::Row PriceHistoryWriter::At(std::int32_t cardId, int day, bool& afterAll)
{
    afterAll = false;
    if (m_latest != nullptr) {
        const Row latest = Latest(cardId);
        // Without a latest row the card has no history at all.
        afterAll = !latest.found || day >= latest.day;
        if (afterAll) {
            return latest;
        }
    }
    return Before(cardId, day);
}

bool PriceHistoryWriter::Put(std::int32_t cardId, int day, const Values& values)
{
    if (m_put == nullptr &&
        sqlite3_prepare_v2(m_db,
                           "insert or replace into price_days (card_id, day, reg, foil, buy, "
                           "buy_foil) values (?, ?, ?, ?, ?, ?)",
                           -1, &m_put, nullptr) != SQLITE_OK) {
        return false;
    }
    sqlite3_bind_int(m_put, 1, cardId);
    sqlite3_bind_int(m_put, 2, day);
    price_history::BindPrice(m_put, 3, values.reg);
    price_history::BindPrice(m_put, 4, values.foil);
    price_history::BindPrice(m_put, 5, values.buy);
    price_history::BindPrice(m_put, 6, values.buyFoil);
    const bool done = sqlite3_step(m_put) == SQLITE_DONE;
    sqlite3_reset(m_put);
    if (done && m_loaded) {
        // The database's trigger keeps `price_latest` the same way.
        Row& latest = m_latestRows[cardId];
        if (!latest.found || day >= latest.day) {
            latest = {true, day, values};
        }
    }
    return done;
}

PriceHistoryWriter::Values PriceHistoryWriter::Merged(const PricePoint& point, const Row& before)
{
    Values values{point.reg_value, point.foil_value, point.buy_value, point.buy_foil_value};
    if (before.found) {
        values.buy = values.buy ? values.buy : before.values.buy;
        values.buyFoil = values.buyFoil ? values.buyFoil : before.values.buyFoil;
    }
    return values;
}

bool PriceHistoryWriter::Implies(std::int32_t cardId, const PricePoint& point)
{
    bool afterAll = false;
    const Row before = At(cardId, price_history::DayNumber(point.date), afterAll);
    return before.found && before.values == Merged(point, before);
}

bool PriceHistoryWriter::Store(std::int32_t cardId, const PricePoint& point, bool* written,
                               std::string* error)
{
    if (written != nullptr) {
        *written = false;
    }
    const int day = price_history::DayNumber(point.date);
    if (!m_ok || day < 0) {
        if (error != nullptr) {
            *error = !m_ok ? sqlite3_errmsg(m_db) : "\"" + point.date + "\" is not a day";
        }
        return false;
    }
    bool afterAll = false;
    const Row before = At(cardId, day, afterAll);
    const Values values = Merged(point, before);
    if (before.found && before.values == values) {
        return true;
    }
    if (before.found && !afterAll) {
        // A day put between stored ones: the days after it keep the values they had.
        sqlite3_bind_int(m_after, 1, cardId);
        sqlite3_bind_int(m_after, 2, day);
        const bool later = sqlite3_step(m_after) == SQLITE_ROW;
        const int next = later ? sqlite3_column_int(m_after, 0) : 0;
        sqlite3_reset(m_after);
        if (later && next > day + 1 && !Put(cardId, day + 1, before.values)) {
            if (error != nullptr) {
                *error = sqlite3_errmsg(m_db);
            }
            return false;
        }
    }
    if (!Put(cardId, day, values)) {
        if (error != nullptr) {
            *error = sqlite3_errmsg(m_db);
        }
        return false;
    }
    if (written != nullptr) {
        *written = true;
    }
    return true;
}
