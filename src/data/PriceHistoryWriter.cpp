#include "data/PriceHistoryWriter.h"

#include <sqlite3.h>

PriceHistoryWriter::PriceHistoryWriter(sqlite3* db) : m_db(db)
{
    m_ok = sqlite3_prepare_v2(db,
                              "select day, reg, foil from price_days where card_id=? and day<=? "
                              "order by day desc limit 1",
                              -1, &m_before, nullptr) == SQLITE_OK &&
           sqlite3_prepare_v2(db,
                              "select day from price_days where card_id=? and day>? order by day "
                              "limit 1",
                              -1, &m_after, nullptr) == SQLITE_OK &&
           sqlite3_prepare_v2(db,
                              "insert or replace into price_days (card_id, day, reg, foil) "
                              "values (?, ?, ?, ?)",
                              -1, &m_put, nullptr) == SQLITE_OK;
}

PriceHistoryWriter::~PriceHistoryWriter()
{
    sqlite3_finalize(m_before);
    sqlite3_finalize(m_after);
    sqlite3_finalize(m_put);
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
        row.reg = price_history::ColumnPrice(m_before, 1);
        row.foil = price_history::ColumnPrice(m_before, 2);
    }
    sqlite3_reset(m_before);
    return row;
}

bool PriceHistoryWriter::Put(std::int32_t cardId, int day, double reg, double foil)
{
    sqlite3_bind_int(m_put, 1, cardId);
    sqlite3_bind_int(m_put, 2, day);
    price_history::BindPrice(m_put, 3, reg);
    price_history::BindPrice(m_put, 4, foil);
    const bool done = sqlite3_step(m_put) == SQLITE_DONE;
    sqlite3_reset(m_put);
    return done;
}

bool PriceHistoryWriter::Implies(std::int32_t cardId, const PricePoint& point)
{
    const Row before = Before(cardId, price_history::DayNumber(point.date));
    return before.found && before.reg == point.reg_value && before.foil == point.foil_value;
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
    const Row before = Before(cardId, day);
    if (before.found && before.reg == point.reg_value && before.foil == point.foil_value) {
        return true;
    }
    if (before.found) {
        // A day put between stored ones: the days after it keep the values they had.
        sqlite3_bind_int(m_after, 1, cardId);
        sqlite3_bind_int(m_after, 2, day);
        const bool later = sqlite3_step(m_after) == SQLITE_ROW;
        const int next = later ? sqlite3_column_int(m_after, 0) : 0;
        sqlite3_reset(m_after);
        if (later && next > day + 1 && !Put(cardId, day + 1, before.reg, before.foil)) {
            if (error != nullptr) {
                *error = sqlite3_errmsg(m_db);
            }
            return false;
        }
    }
    if (!Put(cardId, day, point.reg_value, point.foil_value)) {
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
