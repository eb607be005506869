#include "decks/CollectionImport.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CardKey.h"
#include "data/CardRecord.h"
#include "data/SqlTexts.h"
#include "data/SqliteStatement.h"
#include "trade/CollectionText.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>

namespace {

struct ImportFailure {
    std::string what;
};

[[noreturn]] void Fail(sqlite3* db)
{
    throw ImportFailure{sqlite3_errmsg(db)};
}

std::string Listed(const CollectionChange& change, bool counts)
{
    std::string text = "  " + change.name;
    if (!change.setCode.empty()) {
        text += " (" + change.setCode + ")";
    }
    return counts
               ? text + ": " + std::to_string(change.before) + " -> " + std::to_string(change.after)
               : "  " + std::to_string(change.after) + text.substr(1);
}

template <typename Items, typename Line>
void Section(std::string& out, const char* title, const Items& items, std::size_t maxListed,
             Line line)
{
    if (items.empty()) {
        return;
    }
    out += std::string("\n") + title + "\n";
    for (std::size_t i = 0; i < items.size() && i < maxListed; ++i) {
        out += line(items[i]) + "\n";
    }
    if (items.size() > maxListed) {
        out += "  ... and " + std::to_string(items.size() - maxListed) + " more\n";
    }
}

} // namespace

bool LoadOwnedCounts(CADODataBase& collection, OwnedCounts& owned, std::string* error)
{
    owned.clear();
    const auto& connection = collection.GetActiveConnection();
    sqlite3* db = connection ? connection->Handle() : nullptr;
    try {
        if (!db) {
            throw ImportFailure{"The collection database is not open."};
        }
        SqliteStatement select(
            db, "select card_id, no_owned from collections where collectionName_id=0", Fail);
        while (select.Row()) {
            const auto key = static_cast<std::int32_t>(sqlite3_column_int64(*select, 0));
            const auto count = static_cast<std::int32_t>(sqlite3_column_int64(*select, 1));
            if (count > 0) {
                owned[key] += count;
            }
        }
    } catch (const ImportFailure& failure) {
        owned.clear();
        if (error) {
            *error = failure.what;
        }
        return false;
    }
    return true;
}

CollectionImportPlan CollectionImport::Plan(const DeckFile& file, const std::string& fileName,
                                            const DeckCatalogueIndex& index,
                                            const OwnedCounts& current)
{
    CollectionImportPlan plan;
    plan.fileName = fileName;
    plan.notes = file.notes;
    if (file.Failed()) {
        plan.error = file.error;
        return plan;
    }
    plan.notUnderstood = file.problems;
    std::map<std::int32_t, std::int64_t> wanted;
    for (const DeckLine& line : file.lines) {
        const auto match = index.Resolve(line);
        if (!match) {
            bool partOfSeveral = false;
            const auto closest = index.ClosestNames(line.name, 3, &partOfSeveral);
            std::string text = line.name.empty()
                                   ? "CatID " + std::to_string(line.catId) + " is not known"
                                   : "no card named \"" + line.name + "\"";
            if (!closest.empty()) {
                text += " (closest: ";
                for (std::size_t i = 0; i < closest.size(); ++i) {
                    text += (i ? ", " : "") + closest[i];
                }
                text += ")";
            }
            plan.notUnderstood.push_back({line.line, text});
            continue;
        }
        if (!match->note.empty()) {
            plan.notes.push_back("line " + std::to_string(line.line) + ": " + match->note +
                                 "; counted as " + index.Card(match->cardKey)->name);
        }
        wanted[match->cardKey] += line.quantity;
    }
    std::sort(plan.notUnderstood.begin(), plan.notUnderstood.end(),
              [](const DeckProblem& a, const DeckProblem& b) { return a.line < b.line; });
    if (wanted.empty() && !plan.notUnderstood.empty()) {
        plan.error = "no line of the file names a card of the price database";
        return plan;
    }
    std::map<std::int32_t, std::pair<std::int32_t, std::int32_t>> counts; // before, after
    for (const auto& [key, copies] : current) {
        if (copies > 0) {
            counts[key].first = copies;
            plan.basis.emplace(key, copies);
        }
    }
    for (const auto& [key, copies] : wanted) {
        counts[key].second = static_cast<std::int32_t>(std::min<std::int64_t>(copies, INT32_MAX));
    }
    for (const auto& [key, count] : counts) {
        if (count.first == count.second) {
            ++plan.unchanged;
            continue;
        }
        CollectionChange change{key, {}, index.SetCode(key), count.first, count.second};
        if (const CardRecord* card = index.Card(key)) {
            change.name = CardKeyName(key, [card](std::int32_t) { return card->name; });
        } else {
            change.name = "card " + std::to_string(card_key::CatalogueId(key)) +
                          (card_key::IsFoil(key) ? " (foil)" : "") + ", not in the price database";
        }
        (count.first == 0    ? plan.added
         : count.second == 0 ? plan.removed
                             : plan.changed)
            .push_back(std::move(change));
    }
    return plan;
}

CollectionImportResult CollectionImport::Apply(CADODataBase& collection,
                                               const CollectionImportPlan& plan,
                                               const DateTime& when)
{
    CollectionImportResult result;
    const auto& connection = collection.GetActiveConnection();
    sqlite3* db = connection && collection.IsOpen() ? connection->Handle() : nullptr;
    if (!db) {
        result.error = "The collection database is not open.";
        return result;
    }
    if (!plan.error.empty() || !plan.HasChanges()) {
        result.error =
            !plan.error.empty() ? plan.error : "Nothing to import: the counts are equal.";
        return result;
    }
    bool begun = false;
    try {
        connection->BeginTrans();
        begun = true;
        // Counts changed since the preview would no longer end equal to the file's.
        OwnedCounts now;
        std::string error;
        if (!LoadOwnedCounts(collection, now, &error)) {
            throw ImportFailure{error};
        }
        if (now != plan.basis) {
            throw ImportFailure{"My Collection changed since the preview; preview the import "
                                "again."};
        }
        const std::string insertDeal = sql::Format(sql::kInsertDeal, DealDateText(when).c_str(), 0,
                                                   0.0, sql::EscapeLiteral(plan.Comment()).c_str());
        if (sqlite3_exec(db, insertDeal.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            Fail(db);
        }
        const std::int64_t deal = sqlite3_last_insert_rowid(db);
        SqliteStatement select(
            db, "select id, no_owned from collections where card_id=? and collectionName_id=0",
            Fail);
        SqliteStatement insert(
            db, "insert into collections (card_id, collectionName_id, no_owned) values (?,0,?)",
            Fail);
        SqliteStatement update(db, "update collections set no_owned=? where id=?", Fail);
        SqliteStatement history(db,
                                "insert into history (collections_id, no_trade_cards, "
                                "transaction_id) values (?,?,?)",
                                Fail);
        for (const auto* list : {&plan.added, &plan.removed, &plan.changed}) {
            for (const CollectionChange& change : *list) {
                sqlite3_bind_int(*select, 1, change.cardKey);
                std::int64_t rowId = 0;
                std::int32_t owned = 0;
                if (select.Row()) {
                    rowId = sqlite3_column_int64(*select, 0);
                    owned = std::max(0, sqlite3_column_int(*select, 1));
                }
                sqlite3_reset(*select);
                if (owned != change.before) {
                    throw ImportFailure{"My Collection changed since the preview (" + change.name +
                                        "); preview the import again."};
                }
                if (rowId == 0) {
                    sqlite3_bind_int(*insert, 1, change.cardKey);
                    sqlite3_bind_int(*insert, 2, change.after);
                    insert.Run();
                    rowId = sqlite3_last_insert_rowid(db);
                } else {
                    sqlite3_bind_int(*update, 1, change.after);
                    sqlite3_bind_int64(*update, 2, rowId);
                    update.Run();
                }
                sqlite3_bind_int64(*history, 1, rowId);
                sqlite3_bind_int(*history, 2, change.after - change.before);
                sqlite3_bind_int64(*history, 3, deal);
                history.Run();
            }
        }
        connection->CommitTrans();
        begun = false;
        result.imported = true;
        result.transactionId = static_cast<std::int32_t>(deal);
    } catch (const ImportFailure& failure) {
        result.error = failure.what;
    } catch (const std::exception& error) {
        result.error = error.what();
    }
    if (begun) {
        try {
            connection->RollbackTrans();
        } catch (const std::exception&) {
            // Closing the connection rolls back as well.
        }
    }
    return result;
}

std::string CollectionImport::PreviewText(const CollectionImportPlan& plan, std::size_t maxListed)
{
    if (!plan.error.empty()) {
        return plan.fileName + " cannot be imported: " + plan.error + ".";
    }
    std::string out =
        "Import " + plan.fileName + " into My Collection: " + std::to_string(plan.added.size()) +
        " cards added, " + std::to_string(plan.removed.size()) + " removed, " +
        std::to_string(plan.changed.size()) + " counts changed, " + std::to_string(plan.unchanged) +
        " unchanged; " + std::to_string(plan.notUnderstood.size()) + " lines not understood.\n";
    Section(out, "Added:", plan.added, maxListed,
            [](const CollectionChange& c) { return Listed(c, false); });
    Section(out, "Removed:", plan.removed, maxListed,
            [](const CollectionChange& c) { return Listed(c, true); });
    Section(out, "Counts changed:", plan.changed, maxListed,
            [](const CollectionChange& c) { return Listed(c, true); });
    Section(out, "Lines not understood (left out; cards of these lines are not counted):",
            plan.notUnderstood, maxListed,
            [](const DeckProblem& p) { return "  " + ProblemText(p); });
    Section(out, "Notes:", plan.notes, maxListed, [](const std::string& n) { return "  " + n; });
    return out;
}
