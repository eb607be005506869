#include "prices/PriceCorrection.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CADOException.h"
#include "data/CADORecordset.h"
#include "data/CardRecord.h"
#include "data/DateTime.h"
#include "data/PriceHistory.h"
#include "data/PriceText.h"
#include "lookup/ShownCardsTable.h"
#include "prices/PriceError.h"

#include <cmath>
#include <cstdio>

namespace {

std::string ConnectionError(const CADODataBase& database, const CADOException& error)
{
    std::string text = "Connection String = " + database.GetConnectionString() + "\n" +
                       FormatEngineError("CADODataBase Error", error);
    // Why the database is not open is what the user needs to know; opening kept it.
    if (!database.GetLastErrorText().empty()) {
        text += "\n" + database.GetLastErrorText();
    }
    return text;
}

} // namespace

PriceCorrection::PriceCorrection(CADODataBase& priceDatabase, ShownCardsTable& shownCards)
    : m_database(priceDatabase), m_shownCards(shownCards)
{
}

PriceCorrectionOutcome PriceCorrection::Apply(const std::vector<MarkedPriceRow>& rows,
                                              const DateTime& now)
{
    PriceCorrectionOutcome outcome;
    if (rows.empty()) {
        return outcome;
    }
    const std::shared_ptr<CADOConnection> connection = m_database.GetActiveConnection();
    CADORecordset recordset(m_database);
    std::vector<CardRecord> corrected;
    corrected.reserve(rows.size());
    bool began = false;
    try {
        try {
            if (connection == nullptr) {
                throw CADOException(ado_error::kPointer, "Quorvel", "No price database.");
            }
            connection->BeginTrans();
            began = true;
        } catch (const CADOException& error) {
            throw PriceError::Database(ConnectionError(m_database, error));
        }
        for (const MarkedPriceRow& row : rows) {
            const CardRecord* shown = m_shownCards.Find(row.cardId);
            if (shown == nullptr) {
                throw PriceError::Database("Card " + std::to_string(row.cardId) +
                                           " is no longer listed.");
            }
            CardRecord card = *shown;
            card.update_date = now;
            char query[64];
            std::snprintf(query, sizeof query, kSelectQuery, static_cast<int>(card.id));
            if (!recordset.Open(query, CADORecordset::openUnknown)) {
                throw PriceError::Database(recordset.GetLastErrorText());
            }
            if (recordset.IsEof()) {
                throw PriceError::Database("Query = " + recordset.GetQuery() +
                                           "\nThe price database holds no card with id " +
                                           std::to_string(card.id) + ".");
            }
            // An untouched value keeps what the database holds, to the last digit.
            recordset.GetDouble("reg_value", card.reg_value);
            recordset.GetDouble("foil_value", card.foil_value);
            if (row.regEdited) {
                card.reg_value = ParsePriceText(row.regText);
            }
            if (row.foilEdited) {
                card.foil_value = ParsePriceText(row.foilText);
            }
            recordset.Edit();
            recordset.SetDouble("reg_value", card.reg_value);
            recordset.SetDouble("foil_value", card.foil_value);
            recordset.SetLong("hot", card.hot);
            recordset.SetDate("update_date", card.update_date);
            recordset.SetLong("manual_modify", 1);
            card.sample_price = false;
            if (!recordset.Update()) {
                throw PriceError::Database("Query = " + recordset.GetQuery() +
                                           "\nThe price database refused to store card " +
                                           std::to_string(card.id) + ".");
            }
            recordset.Close();
            // The corrected values are also the card's history for the day.
            std::string historyError;
            if (!price_history::Write(connection->Handle(), card.id,
                                      {card.update_date.Format("%Y-%m-%d"), card.reg_value,
                                       card.foil_value},
                                      &historyError)) {
                throw PriceError::Database(historyError);
            }
            corrected.push_back(card);
        }
        try {
            connection->CommitTrans();
        } catch (const CADOException& error) {
            throw PriceError::Database(ConnectionError(m_database, error));
        }
    } catch (const PriceError& failure) {
        // A failure that stops the correction, carrying the text the user is shown.
        outcome.failed = true;
        outcome.error = failure.what();
    } catch (const CADOException& error) {
        outcome.failed = true;
        outcome.error = "Query = " + recordset.GetQuery() + "\n" +
                        FormatEngineError("CADORecordset Error", error);
    }
    if (outcome.failed) {
        recordset.Close();
        if (began && connection->InTransaction()) {
            try {
                connection->RollbackTrans();
            } catch (const CADOException&) {
                // Closing the connection is the engine's last resort: it discards the
                // transaction, so no half-written correction can be committed later.
                connection->Close();
            }
        }
        return outcome;
    }
    for (const CardRecord& card : corrected) {
        m_shownCards.Replace(card);
    }
    outcome.updated = static_cast<int>(corrected.size());
    return outcome;
}

double PriceCorrection::ParsePriceText(const std::string& text)
{
    const double value = ParseLeadingDecimal(text);
    return std::isfinite(value) ? value : 0.0;
}

PriceCorrectionMessage PriceCorrection::MessageFor(const PriceCorrectionOutcome& outcome)
{
    if (outcome.failed) {
        return {"The prices could not be stored; no card has been changed.\n\n" + outcome.error,
                "Error", true};
    }
    if (outcome.updated == 0) {
        return {"No cards selected.", "Warning", false};
    }
    char text[64];
    std::snprintf(text, sizeof text, "%d cards have been updated", outcome.updated);
    return {text, "Warning", false};
}
