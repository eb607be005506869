#include "TradeViewFixture.h"

#include "grid/CGridCtrl.h"
#include "trade/CollectionColumn.h"
#include "trade/TradeListColumn.h"
#include "trade/TransactionLog.h"
#include "trade/view/CDlgCardsList.h"
#include "trade/view/CDlgCollection.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

// Two "Lightning Bolt" rows of different sets tell their version by the Set column: the set's
// code in the cell, its name in the cell's tooltip, in all three grids that list cards.
TEST(SetColumnTest, TradeListCollectionAndLogShowEachCardsSet)
{
    const CardSetOf setOf = [](std::int32_t id) {
        return id == 1 ? SetLabel{"7ED", "Seventh Edition"} : SetLabel{"M10", "Magic 2010"};
    };
    const CardNameOf nameOf = [](std::int32_t) { return std::string("Lightning Bolt"); };
    TempCollection store;
    DealRequest deal;
    deal.when = DateTime(2026, 12, 6, 23, 15, 2);
    deal.lines = {{1, 2}, {card_key::Foil(2), 1}};
    ASSERT_TRUE(LogDeal(store.Database(), deal).logged);

    FakeCatalogueRows catalogue;
    catalogue.Add(MakeCard(1, "Lightning Bolt", 1.0, 0.0, 10), true, true, false);
    catalogue.Add(MakeCard(2, "Lightning Bolt", 1.0, 5.0, 40), true, false, true);
    CDlgCardsList tradeList;
    tradeList.SetCardSets(setOf);
    tradeList.PutIntoList(catalogue);
    CDlgCollection collection(CollectionViewMode::Collection);
    CDlgCollection log(CollectionViewMode::TransactionLog);
    for (CDlgCollection* view : {&collection, &log}) {
        view->SetCollectionDatabase(&store.Database());
        view->SetCardNames(nameOf);
        view->SetCardSets(setOf);
        view->show();
        view->RefreshView();
    }

    struct Case {
        CGridCtrl* grid;
        int column;
        QStringList codes;  // the Set cells from the first data row down
        QStringList tips;
    };
    const Case cases[] = {
        {tradeList.Grid(), ColumnIndex(TradeListColumn::Set), {"7ED", "M10"},
         {"Seventh Edition", "Magic 2010"}},
        {collection.Grid(), ColumnIndex(CollectionColumn::Set), {"7ED", "M10"},
         {"Seventh Edition", "Magic 2010"}},
        {log.Grid(), ColumnIndex(DealLogColumn::Set), {"7ED, M10"},
         {"Seventh Edition, Magic 2010"}},
    };
    for (const Case& grid : cases) {
        const std::string name = grid.grid->window()->objectName().toStdString();
        EXPECT_EQ(grid.grid->GetCellText(0, grid.column), "Set") << name;
        EXPECT_EQ(grid.grid->CellTip(0, grid.column), "") << name;
        ASSERT_EQ(grid.grid->GetRowCount(), 1 + grid.codes.size()) << name;
        for (int row = 1; row < grid.grid->GetRowCount(); ++row) {
            EXPECT_EQ(grid.grid->GetCellText(row, grid.column), grid.codes[row - 1]) << name;
            EXPECT_TRUE(grid.grid->IsCellReadOnly(row, grid.column)) << name;
            EXPECT_EQ(grid.grid->CellTip(row, grid.column), grid.tips[row - 1]) << name;
            EXPECT_EQ(grid.grid->CellTip(row, grid.column - 1), "") << name;
        }
        // The pointer resting on the cell shows the tip.
        grid.grid->window()->show();
        grid.grid->EnsureVisible(1, grid.column);
        const QPoint at = grid.grid->CellRect(1, grid.column).center();
        QHelpEvent help(QEvent::ToolTip, at, grid.grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(grid.grid->viewport(), &help);
        EXPECT_EQ(QToolTip::text(), grid.tips[0]) << name;
        QToolTip::hideText();
    }
}

} // namespace
