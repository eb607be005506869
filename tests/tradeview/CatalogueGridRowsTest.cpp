#include "data/CardKey.h"
#include "grid/CGridCellCheck.h"
#include "grid/CGridCtrl.h"
#include "lookup/ShownCardsTable.h"
#include "trade/TradeList.h"
#include "trade/TradeListRules.h"
#include "trade/view/CatalogueGridRows.h"

#include <gtest/gtest.h>

#include <deque>

// The catalogue grid as the main window fills it: check cells in columns 1, 3 and 4, item
// tags column x 16777216 + card id.
TEST(CatalogueGridRowsTest, ReadsTicksTagsAndShownCardsOfTheCatalogueGrid)
{
    CGridCtrl grid;
    grid.SetColumns(7);
    grid.SetFixedRows(1);
    ShownCardsTable shown;
    std::deque<CardRecord> cards;  // the table lists records in place, as the catalogue's
    for (const std::int32_t id : {7, 9}) {
        CardRecord& card = cards.emplace_back();
        card.id = id;
        card.name = id == 7 ? "Shock" : "Counterspell";
        card.reg_value = 1.5f;
        card.foil_value = 4.0f;
        shown.Add(card, false);
        const int row = grid.InsertRowAt(QString());
        for (const int column : {1, 3, 4}) {
            grid.SetCellKind<CGridCellCheck>(row, column);
        }
        for (int column = 0; column < 7; ++column) {
            grid.SetCellData(row, column, column * card_key::kFoilOffset + id);
        }
    }
    dynamic_cast<CGridCellCheck*>(grid.CellAt(2, 1))->SetCheck(true);
    dynamic_cast<CGridCellCheck*>(grid.CellAt(2, 4))->SetCheck(true);
    dynamic_cast<CGridCellCheck*>(grid.CellAt(1, 3))->SetCheck(true);  // name not ticked

    const CatalogueGridRows rows(grid, shown);
    ASSERT_EQ(rows.RowCount(), 3);
    EXPECT_FALSE(rows.Row(0).nameTicked);
    EXPECT_FALSE(rows.Row(1).nameTicked);
    EXPECT_TRUE(rows.Row(1).regTicked);
    const CatalogueRow second = rows.Row(2);
    EXPECT_TRUE(second.nameTicked);
    EXPECT_FALSE(second.regTicked);
    EXPECT_TRUE(second.foilTicked);
    EXPECT_EQ(second.nameTag, card_key::Foil(9));
    ASSERT_NE(rows.ShownCard(9), nullptr);
    EXPECT_EQ(rows.ShownCard(9)->name, "Counterspell");
    EXPECT_EQ(rows.ShownCard(8), nullptr);

    TradeList list;
    EXPECT_EQ(PutIntoList(list, rows), 1);
    ASSERT_TRUE(list.Contains(card_key::Foil(9)));
    EXPECT_EQ(list.Get(card_key::Foil(9)).buy_value, 4.0f);
}
