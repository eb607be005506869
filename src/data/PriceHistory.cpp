#include "data/PriceHistory.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CADOException.h"
#include "data/DatabaseSchema.h"
#include "data/SqliteStatement.h"

#include <sqlite3.h>

namespace price_history {
namespace {

void SetError(std::string* error, std::string text)
{
    if (error != nullptr) {
        *error = std::move(text);
    }
}

// Runs `work`, which throws `CADOException` for an engine error; after one, `error` gets
// `failed` and the engine's message, and the result is false.
template <class Work> bool Attempt(std::string* error, const char* failed, const Work& work)
{
    try {
        work();
        return true;
    } catch (const CADOException& failure) {
        SetError(error, failed + failure.Description());
        return false;
    }
}

} // namespace

bool Read(CADODataBase& priceDatabase, std::int32_t cardId, std::vector<PricePoint>& points,
          std::string* error)
{
    const std::shared_ptr<CADOConnection>& connection = priceDatabase.GetActiveConnection();
    if (connection == nullptr || connection->Handle() == nullptr) {
        points.clear();
        SetError(error, "The price database is not open.");
        return false;
    }
    return Read(connection->Handle(), cardId, points, error);
}

bool Read(sqlite3* db, std::int32_t cardId, std::vector<PricePoint>& points, std::string* error)
{
    points.clear();
    if (!database_schema::HaveTable(db, "price_history", "card_id")) {
        return true;
    }
    const bool read = Attempt(error, "The price history could not be read: ", [&] {
        SqliteStatement select(db,
                               "select date, reg_value, foil_value from price_history "
                               "where card_id=? order by date",
                               SqliteStatement::ThrowEngineError);
        sqlite3_bind_int(*select, 1, cardId);
        while (select.Row()) {
            PricePoint point;
            point.date = select.Text(0);
            point.reg_value = sqlite3_column_double(*select, 1);
            point.foil_value = sqlite3_column_double(*select, 2);
            points.push_back(std::move(point));
        }
    });
    if (!read) {
        points.clear();
    }
    return read;
}

bool Write(sqlite3* db, std::int32_t cardId, const PricePoint& point, std::string* error)
{
    char* message = nullptr;
    if (sqlite3_exec(db, database_schema::kPriceAdditions, nullptr, nullptr, &message) !=
        SQLITE_OK) {
        SetError(error, std::string("The price history could not be created: ") +
                            (message != nullptr ? message : sqlite3_errmsg(db)));
        sqlite3_free(message);
        return false;
    }
    return Attempt(error, "The price history could not be written: ", [&] {
        SqliteStatement insert(db,
                               "insert or replace into price_history "
                               "(card_id, date, reg_value, foil_value) values (?, ?, ?, ?)",
                               SqliteStatement::ThrowEngineError);
        sqlite3_bind_int(*insert, 1, cardId);
        sqlite3_bind_text(*insert, 2, point.date.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(*insert, 3, point.reg_value);
        sqlite3_bind_double(*insert, 4, point.foil_value);
        insert.Row();
    });
}

} // namespace price_history
