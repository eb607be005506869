#include "trade/TransactionLog.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CADOException.h"
#include "data/CADORecordset.h"
#include "data/SqlTexts.h"
#include "trade/CollectionText.h"
#include "trade/TradeError.h"

#include <algorithm>
#include <cstdint>

std::int32_t OwnedAfterDeal(std::int32_t owned, std::int32_t quantity, std::int32_t direction)
{
    const std::int64_t change = direction == kDealSold ? -std::int64_t{quantity} : quantity;
    const std::int64_t after = std::int64_t{owned} + change;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(after, 0, INT32_MAX));
}

void EnsureCollectionRow(CADODataBase& database, std::int32_t cardKey,
                         std::int32_t collectionNameId)
{
    CADORecordset recordset(database);
    if (!recordset.Open(sql::Format(sql::kSelectCollectionCard, cardKey, collectionNameId))) {
        throw CADOException(ado_error::kUnspecified, "EnsureCollectionRow",
                            recordset.GetLastErrorText());
    }
    if (recordset.IsEof()) {
        if (!recordset.AddNew() || !recordset.SetLong("card_id", cardKey) ||
            !recordset.SetLong("collectionName_id", collectionNameId) ||
            !recordset.SetLong("no_owned", 0) || !recordset.Update()) {
            throw CADOException(ado_error::kUnspecified, "EnsureCollectionRow",
                                "The collection row of card " + std::to_string(cardKey) +
                                    " could not be added.");
        }
    }
    recordset.Close();
}

DealResult LogDeal(CADODataBase& database, const DealRequest& request)
{
    DealResult result;
    const auto connection = database.GetActiveConnection();
    bool begun = false;
    try {
        if (!connection || !database.IsOpen()) {
            throw TradeError("The collection database is not open." +
                             (database.GetLastErrorText().empty()
                                  ? std::string()
                                  : "\n" + database.GetLastErrorText()));
        }
        // A negative quantity would turn a sale into a purchase and store a negative history.
        for (const DealLine& line : request.lines) {
            if (line.quantity < 0) {
                throw TradeError("Card " + std::to_string(line.cardKey) +
                                 " has a quantity below 0; no deal was logged.");
            }
        }
        connection->BeginTrans();
        begun = true;
        // The comment is quoted as a literal, so any text is stored exactly as typed and can
        // never change the statement.
        const std::string insertDeal =
            sql::Format(sql::kInsertDeal, DealDateText(request.when).c_str(), request.direction,
                        static_cast<double>(request.price),
                        sql::EscapeLiteral(request.comments).c_str());
        if (!database.Execute(insertDeal)) {
            throw TradeError(database.GetLastErrorText());
        }
        CADORecordset recordset(database);
        OpenOrFail(recordset, sql::kSelectNewestDealId);
        if (recordset.IsEof()) {
            throw TradeError("The new transaction could not be read back.");
        }
        recordset.GetLong("id", result.transactionId);
        recordset.Close();

        for (const DealLine& line : request.lines) {
            EnsureCollectionRow(database, line.cardKey, sql::kMainCollection);
            OpenOrFail(recordset,
                       sql::Format(sql::kSelectCollectionCard, line.cardKey, sql::kMainCollection));
            if (recordset.IsEof()) {
                throw TradeError("The collection row of card " + std::to_string(line.cardKey) +
                                 " could not be found.");
            }
            std::int32_t collectionId = 0;
            std::int32_t owned = 0;
            recordset.GetLong("id", collectionId);
            recordset.GetLong("no_owned", owned);
            recordset.Edit();
            recordset.SetLong("no_owned", OwnedAfterDeal(owned, line.quantity, request.direction));
            if (!recordset.Update()) {
                throw TradeError("The owned count of card " + std::to_string(line.cardKey) +
                                 " could not be saved.");
            }
            recordset.Close();
            if (!database.Execute(sql::Format(sql::kInsertHistory, collectionId, line.quantity,
                                              result.transactionId))) {
                throw TradeError(database.GetLastErrorText());
            }
        }
        connection->CommitTrans();
        begun = false;
        result.logged = true;
    } catch (const std::exception&) {
        // A `TradeError` ends the deal early, as any other failure: it is rolled back below.
        result.error = CaughtErrorText("CADODataBase Error");
    }
    if (!result.logged) {
        result.transactionId = 0;
        if (begun) {
            try {
                connection->RollbackTrans();
            } catch (const std::exception&) {
                // Closing the connection rolls back as well; nothing more can be done here.
            }
        }
    }
    return result;
}
