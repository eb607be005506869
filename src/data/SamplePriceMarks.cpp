#include "data/SamplePriceMarks.h"

#include "data/DatabaseSchema.h"
#include "data/SqliteStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>

namespace sample_price_marks {

namespace {

// A card has a day in the history exactly when it has its latest row (kept by the database's
// trigger), a table of one row per card, far smaller to search than the days. Versions before
// the day table kept a row per card and day in price_history; a database with none of them has
// never had a price imported or corrected.
std::string HistoryTable(sqlite3* db)
{
    if (database_schema::HaveTable(db, "price_latest", "card_id")) {
        return "price_latest";
    }
    if (database_schema::HaveTable(db, "price_days", "card_id")) {
        return "price_days";
    }
    if (database_schema::HaveTable(db, "price_history", "card_id")) {
        return "price_history";
    }
    return {};
}

} // namespace

bool AnyHistory(sqlite3* db)
{
    const std::string history = HistoryTable(db);
    if (history.empty()) {
        return false;
    }
    SqliteStatement any(db, ("select 1 from " + history + " limit 1").c_str(),
                        SqliteStatement::ThrowEngineError);
    return any.Row();
}

Marks Read(sqlite3* db)
{
    Marks marks;
    const std::string history = HistoryTable(db);
    const std::string untouched = "ifnull(c.manual_modify, 0) = 0";
    std::string sample = "select c.id from cardslist c where " + untouched;
    if (!history.empty()) {
        // One seek per card in the history's card key, however long the history is.
        sample += " and not exists (select 1 from " + history + " h where h.card_id = c.id)";
        SqliteStatement imported(db,
                                 ("select 1 from " + history +
                                  " h join cardslist c on c.id = h.card_id where " + untouched +
                                  " limit 1")
                                     .c_str(),
                                 SqliteStatement::ThrowEngineError);
        marks.imported = imported.Row();
    }
    SqliteStatement ids(db, sample.c_str(), SqliteStatement::ThrowEngineError);
    while (ids.Row()) {
        marks.sampleIds.push_back(sqlite3_column_int(*ids, 0));
    }
    std::sort(marks.sampleIds.begin(), marks.sampleIds.end());
    return marks;
}

} // namespace sample_price_marks
