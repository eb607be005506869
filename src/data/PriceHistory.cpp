#include "data/PriceHistory.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/DatabaseSchema.h"
#include "data/PriceHistoryWriter.h"

#include <sqlite3.h>

#include <cmath>
#include <cstdio>

namespace price_history {
namespace {

void SetError(std::string* error, std::string text)
{
    if (error != nullptr) {
        *error = std::move(text);
    }
}

// Days from the civil calendar (proleptic Gregorian), as in Howard Hinnant's date algorithms.
int DaysFromCivil(int y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int>(doe) - 719468;
}

// The table, and the conversion of the older one: a value kept in thousandths when that is
// exact, the same test BindPrice makes.
constexpr const char* kCreate = R"sql(
CREATE TABLE IF NOT EXISTS price_days (
    card_id INTEGER NOT NULL,
    day INTEGER NOT NULL,
    reg,
    foil,
    buy,
    buy_foil,
    PRIMARY KEY (card_id, day)
) WITHOUT ROWID;
)sql";

constexpr const char* kAddBuylist = R"sql(
ALTER TABLE price_days ADD COLUMN buy;
ALTER TABLE price_days ADD COLUMN buy_foil;
)sql";

// Each card's latest row, filled once from the history (a bare column beside max() comes from
// the row holding the maximum). The trigger keeps it whoever writes the history, an older
// version of the program included.
constexpr const char* kCreateLatest = R"sql(
CREATE TABLE IF NOT EXISTS price_latest (
    card_id INTEGER PRIMARY KEY,
    day INTEGER NOT NULL,
    reg,
    foil,
    buy,
    buy_foil
);
INSERT OR REPLACE INTO price_latest (card_id, day, reg, foil, buy, buy_foil)
SELECT card_id, max(day), reg, foil, buy, buy_foil FROM price_days GROUP BY card_id;
)sql";

constexpr const char* kLatestTrigger = R"sql(
CREATE TRIGGER IF NOT EXISTS price_days_latest AFTER INSERT ON price_days
WHEN new.day >= ifnull((SELECT day FROM price_latest WHERE card_id = new.card_id), -2147483648)
BEGIN
    INSERT OR REPLACE INTO price_latest (card_id, day, reg, foil, buy, buy_foil)
    VALUES (new.card_id, new.day, new.reg, new.foil, new.buy, new.buy_foil);
END;
)sql";

constexpr const char* kConvert = R"sql(
INSERT OR REPLACE INTO price_days (card_id, day, reg, foil)
SELECT card_id, day,
       CASE WHEN round(reg_value * 1000) / 1000.0 = reg_value
            THEN CAST(round(reg_value * 1000) AS INTEGER) ELSE reg_value END,
       CASE WHEN round(foil_value * 1000) / 1000.0 = foil_value
            THEN CAST(round(foil_value * 1000) AS INTEGER) ELSE foil_value END
FROM (SELECT card_id, CAST(julianday(date) - 2440587.5 AS INTEGER) AS day,
             ifnull(reg_value, 0) AS reg_value, ifnull(foil_value, 0) AS foil_value,
             lag(ifnull(reg_value, 0)) OVER byDay AS lastReg,
             lag(ifnull(foil_value, 0)) OVER byDay AS lastFoil
      FROM price_history WHERE julianday(date) IS NOT NULL
      WINDOW byDay AS (PARTITION BY card_id ORDER BY date))
WHERE lastReg IS NULL OR lastReg != reg_value OR lastFoil != foil_value;
DROP TABLE price_history;
)sql";

} // namespace

int DayNumber(const std::string& date)
{
    unsigned y = 0, m = 0, d = 0;
    char end = 0;
    if (date.size() != 10 || std::sscanf(date.c_str(), "%4u-%2u-%2u%c", &y, &m, &d, &end) != 3 ||
        m < 1 || m > 12 || d < 1 || d > 31 || y < 1970) {
        return -1;
    }
    return DaysFromCivil(static_cast<int>(y), m, d);
}

std::string DateOfDay(int day)
{
    const int z = day + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    const int y = static_cast<int>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", y, m, d);
    return text;
}

void BindPrice(sqlite3_stmt* stmt, int index, double value)
{
    const double thousandths = std::round(value * 1000.0);
    if (std::fabs(thousandths) < 9e15 && thousandths / 1000.0 == value) {
        sqlite3_bind_int64(stmt, index, static_cast<sqlite3_int64>(thousandths));
    } else {
        sqlite3_bind_double(stmt, index, value);
    }
}

void BindPrice(sqlite3_stmt* stmt, int index, const std::optional<double>& value)
{
    if (value) {
        BindPrice(stmt, index, *value);
    } else {
        sqlite3_bind_null(stmt, index);
    }
}

std::optional<double> ColumnOptionalPrice(sqlite3_stmt* stmt, int column)
{
    if (sqlite3_column_type(stmt, column) == SQLITE_NULL) {
        return std::nullopt;
    }
    return ColumnPrice(stmt, column);
}

double ColumnPrice(sqlite3_stmt* stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return static_cast<double>(sqlite3_column_int64(stmt, column)) / 1000.0;
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, column);
    default:
        return 0.0;
    }
}

bool Prepare(sqlite3* db, std::string* error)
{
    char* message = nullptr;
    int rc = sqlite3_exec(db, kCreate, nullptr, nullptr, &message);
    if (rc == SQLITE_OK && !database_schema::HaveTable(db, "price_days", "buy")) {
        rc = sqlite3_exec(db, kAddBuylist, nullptr, nullptr, &message);
    }
    if (rc == SQLITE_OK && database_schema::HaveTable(db, "price_history", "card_id")) {
        rc = sqlite3_exec(db, kConvert, nullptr, nullptr, &message);
    }
    if (rc == SQLITE_OK && !database_schema::HaveTable(db, "price_latest", "day")) {
        rc = sqlite3_exec(db, kCreateLatest, nullptr, nullptr, &message);
    }
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, kLatestTrigger, nullptr, nullptr, &message);
    }
    if (rc != SQLITE_OK) {
        SetError(error, std::string("The price history could not be prepared: ") +
                            (message != nullptr ? message : sqlite3_errmsg(db)));
        sqlite3_free(message);
        return false;
    }
    return true;
}

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
    // A database not yet converted keeps its older table until its next import.
    const bool compact = database_schema::HaveTable(db, "price_days", "day");
    if (!compact && !database_schema::HaveTable(db, "price_history", "card_id")) {
        return true;
    }
    const bool buylist = compact && database_schema::HaveTable(db, "price_days", "buy");
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db,
                                buylist   ? "select day, reg, foil, buy, buy_foil from price_days "
                                            "where card_id=? order by day"
                                : compact ? "select day, reg, foil from price_days where card_id=? "
                                            "order by day"
                                          : "select date, reg_value, foil_value from price_history "
                                            "where card_id=? order by date",
                                -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_int(stmt, 1, cardId);
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            PricePoint point;
            if (compact) {
                point.date = DateOfDay(sqlite3_column_int(stmt, 0));
                point.reg_value = ColumnPrice(stmt, 1);
                point.foil_value = ColumnPrice(stmt, 2);
                if (buylist) {
                    point.buy_value = ColumnOptionalPrice(stmt, 3);
                    point.buy_foil_value = ColumnOptionalPrice(stmt, 4);
                }
            } else {
                const unsigned char* date = sqlite3_column_text(stmt, 0);
                point.date = date != nullptr ? reinterpret_cast<const char*>(date) : "";
                point.reg_value = sqlite3_column_double(stmt, 1);
                point.foil_value = sqlite3_column_double(stmt, 2);
            }
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

bool ReadBuylists(sqlite3* db, std::unordered_map<std::int32_t, Buylist>& buylists,
                  std::string* error)
{
    buylists.clear();
    if (!database_schema::HaveTable(db, "price_latest", "buy")) {
        return true;
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db,
                                "select card_id, buy, buy_foil from price_latest where buy is not "
                                "null or buy_foil is not null",
                                -1, &stmt, nullptr);
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        if ((rc = sqlite3_step(stmt)) != SQLITE_ROW) {
            break;
        }
        buylists[sqlite3_column_int(stmt, 0)] = {ColumnOptionalPrice(stmt, 1),
                                                 ColumnOptionalPrice(stmt, 2)};
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) {
        buylists.clear();
        SetError(error, std::string("The buylist prices could not be read: ") + sqlite3_errmsg(db));
        return false;
    }
    return true;
}

bool Write(sqlite3* db, std::int32_t cardId, const PricePoint& point, std::string* error)
{
    if (!Prepare(db, error)) {
        return false;
    }
    PriceHistoryWriter writer(db);
    std::string why;
    if (!writer.Store(cardId, point, nullptr, &why)) {
        SetError(error, "The price history could not be written: " + why);
        return false;
    }
    return true;
}

} // namespace price_history
