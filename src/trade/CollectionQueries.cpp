#include "trade/CollectionQueries.h"

#include "data/CADODataBase.h"
#include "data/CADORecordset.h"
#include "data/CardKey.h"
#include "data/DateTime.h"
#include "data/SqlTexts.h"
#include "trade/TradeError.h"

namespace {

// A failed open (`TradeError`) ends the fill with the recordset's last error.
void FillCollection(CADODataBase& database, std::int32_t cardId, bool all,
                    const CardTexts& texts, CollectionViewRows& out)
{
    CADORecordset recordset(database);
    OpenOrFail(recordset, all ? std::string(sql::kSelectCollections)
                              : sql::Format(sql::kSelectCollectionCardBoth, cardId,
                                            card_key::Foil(cardId), sql::kMainCollection));
    for (; !recordset.IsEof(); recordset.MoveNext()) {
        std::int32_t owned = 0;
        std::int32_t cardKey = 0;
        recordset.GetLong("no_owned", owned);
        recordset.GetLong("card_id", cardKey);
        if (const auto row = CollectionRow(owned, cardKey, texts.nameOf, texts.valueOf)) {
            const SetLabel set = CardKeySet(cardKey, texts.setOf);
            std::vector<std::string>& cells = out.rows.emplace_back(kCollectionColumnCount);
            cells[ColumnIndex(CollectionColumn::Quantity)] = row->quantity;
            cells[ColumnIndex(CollectionColumn::Name)] = row->name;
            cells[ColumnIndex(CollectionColumn::Set)] = set.code;
            cells[ColumnIndex(CollectionColumn::Value)] = row->value;
            out.setNames.push_back(set.name);
            if (row->worth) {
                out.worth += *row->worth;
                out.copies += owned;
            } else {
                out.unknownCopies += owned;
            }
        }
    }
    recordset.Close();
}

void FillTransactions(CADODataBase& database, std::int32_t cardId, bool all,
                      const CardTexts& texts, CollectionViewRows& out)
{
    CADORecordset deals(database);
    OpenOrFail(deals, all ? std::string(sql::kSelectDeals)
                          : sql::Format(sql::kSelectDealsOfCard, cardId, card_key::Foil(cardId),
                                        sql::kMainCollection));
    CADORecordset cards(database);
    for (; !deals.IsEof(); deals.MoveNext()) {
        std::int32_t id = 0;
        std::int32_t inOrOut = 0;
        float price = 0.0f;
        DateTime date = DateTime::Zero();
        std::string comments;
        deals.GetLong("id", id);
        if (!out.listedDeals.insert(id).second) {
            continue;
        }
        deals.GetDate("deal_date", date);
        deals.GetLong("in_or_out", inOrOut);
        deals.GetFloat("price", price);
        deals.GetText("comments", comments);
        std::vector<DealCard> moved;
        OpenOrFail(cards, sql::Format(sql::kSelectDealCards, id));
        for (; !cards.IsEof(); cards.MoveNext()) {
            DealCard card;
            cards.GetLongAt(0, card.cardKey);
            cards.GetLongAt(1, card.count);
            moved.push_back(card);
        }
        cards.Close();
        const std::optional<double> worth = DealWorth(moved, texts.valueOf);
        const SetLabel sets = DealSets(moved, texts.setOf);
        std::vector<std::string>& cells = out.rows.emplace_back(kDealLogColumnCount);
        cells[ColumnIndex(DealLogColumn::Date)] = DealDateText(date);
        cells[ColumnIndex(DealLogColumn::Details)] =
            DealDetails(inOrOut, moved, price, texts.nameOf);
        cells[ColumnIndex(DealLogColumn::Set)] = sets.code;
        cells[ColumnIndex(DealLogColumn::WorthToday)] = WorthText(worth);
        cells[ColumnIndex(DealLogColumn::Comments)] = comments;
        out.setNames.push_back(sets.name);
        (inOrOut != 0 ? out.soldFor : out.boughtFor) += price;
        (inOrOut != 0 ? out.soldWorth : out.boughtWorth) += worth.value_or(0.0);
    }
    deals.Close();
}

}  // namespace

void FillView(CADODataBase& database, CollectionViewMode mode, std::int32_t cardId, bool all,
              const CardTexts& texts, CollectionViewRows& out)
{
    if (!out.error.empty()) {
        return;  // an earlier fill failed; the view keeps what it has
    }
    try {
        if (mode == CollectionViewMode::Collection) {
            FillCollection(database, cardId, all, texts, out);
        } else {
            FillTransactions(database, cardId, all, texts, out);
        }
    } catch (const std::exception&) {
        out.error = CaughtErrorText("CADORecordset Error");
    }
}

CollectionViewRows RefreshViewRows(CADODataBase& database, CollectionViewMode mode,
                                   const std::vector<std::int32_t>& tickedCardIds,
                                   const CardTexts& texts)
{
    CollectionViewRows out;
    if (tickedCardIds.empty()) {
        FillView(database, mode, 0, true, texts, out);
    }
    for (const std::int32_t cardId : tickedCardIds) {
        FillView(database, mode, cardId, false, texts, out);
    }
    return out;
}

std::string WorthCaption(CollectionViewMode mode, const CollectionViewRows& rows)
{
    if (mode == CollectionViewMode::Collection) {
        return CollectionWorthCaption(rows.worth, rows.copies, rows.unknownCopies);
    }
    return DealWorthCaption(rows.boughtFor, rows.boughtWorth, rows.soldFor, rows.soldWorth);
}
