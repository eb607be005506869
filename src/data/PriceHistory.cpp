#include "data/PriceHistory.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/DatabaseSchema.h"

#include <sqlite3.h>

namespace price_history {
namespace {

void SetError(std::string* error, std::string text)
{
    if (error != nullptr) {
        *error = std::move(text);
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
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db,
                                "select date, reg_value, foil_value from price_history "
                                "where card_id=? order by date",
                                -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_int(stmt, 1, cardId);
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            PricePoint point;
            const unsigned char* date = sqlite3_column_text(stmt, 0);
            point.date = date != nullptr ? reinterpret_cast<const char*>(date) : "";
            point.reg_value = sqlite3_column_double(stmt, 1);
            point.foil_value = sqlite3_column_double(stmt, 2);
            points.push_back(std::move(point));
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        points.clear();
        SetError(error, std::string("The price history could not be read: ") + sqlite3_errmsg(db));
        return false;
    }
    return true;
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
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db,
                                "insert or replace into price_history "
                                "(card_id, date, reg_value, foil_value) values (?, ?, ?, ?)",
                                -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_int(stmt, 1, cardId);
        sqlite3_bind_text(stmt, 2, point.date.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(stmt, 3, point.reg_value);
        sqlite3_bind_double(stmt, 4, point.foil_value);
        rc = sqlite3_step(stmt);
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        SetError(error, std::string("The price history could not be written: ") +
                            sqlite3_errmsg(db));
        return false;
    }
    return true;
}

} // namespace price_history
