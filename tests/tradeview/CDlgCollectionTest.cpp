#include "TradeViewFixture.h"

#include "grid/CGridCtrl.h"
#include "toolkit/MessageBox.h"
#include "trade/TransactionLog.h"
#include "trade/view/CDlgCollection.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

class CollectionWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MessageBox::setTestMode(false);
        MessageBox::setTestMode(true);
        for (CDlgCollection* window : {&collectionWindow, &logWindow}) {
            window->SetCollectionDatabase(&store.Database());
            window->SetCatalogueRows(&catalogue);
            window->SetCardNames([](std::int32_t id) {
                return id == 1 ? std::string("Card A") : id == 2 ? std::string("Card B") : "";
            });
            // Card A is worth 2 (foil 8); Card B is not in the catalogue.
            window->SetCardValues([](std::int32_t key) -> std::optional<double> {
                if (card_key::CatalogueId(key) != 1)
                    return std::nullopt;
                return card_key::IsFoil(key) ? 8.0 : 2.0;
            });
        }
        Log(kDealBought, {{1, 3}});
        Log(kDealBought, {{1, 2}, {card_key::Foil(1), 1}, {2, 1}});
        Log(kDealSold, {{2, 1}});
    }
    void Log(std::int32_t direction, std::vector<DealLine> lines)
    {
        DealRequest deal;
        deal.direction = direction;
        deal.price = 12.5f;
        deal.comments = "c";
        deal.when = DateTime(2026, 12, 6, 23, 15, 2);
        deal.lines = std::move(lines);
        ASSERT_TRUE(LogDeal(store.Database(), deal).logged);
    }
    static QStringList Rows(CDlgCollection& window)
    {
        QStringList rows;
        CGridCtrl& grid = *window.Grid();
        for (int row = 1; row < grid.GetRowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < grid.GetColumnCount(); ++column) {
                cells << grid.GetCellText(row, column);
                EXPECT_TRUE(grid.IsCellReadOnly(row, column));
            }
            rows << cells.join(" | ");
        }
        return rows;
    }

    TempCollection store;
    FakeCatalogueRows catalogue;
    CDlgCollection collectionWindow{CollectionViewMode::Collection};
    CDlgCollection logWindow{CollectionViewMode::TransactionLog};
};

} // namespace

TEST_F(CollectionWindowTest, TwoModesOfOneWindow)
{
    EXPECT_EQ(collectionWindow.windowTitle(), "Collection");
    EXPECT_EQ(logWindow.windowTitle(), "Transaction Log");
    EXPECT_EQ(collectionWindow.Grid()->GetCellText(0, 1), "Cards Name");
    EXPECT_EQ(logWindow.Grid()->GetColumnCount(), 5);
    EXPECT_EQ(logWindow.Grid()->GetCellText(0, 3), "Worth Today");
    EXPECT_EQ(collectionWindow.Grid()->GetCellText(0, 3), "Value");
    EXPECT_EQ(logWindow.Grid()->GetCellText(0, 1), "Details");
    EXPECT_EQ(collectionWindow.placementSection(), "CDlgCollection");
    EXPECT_EQ(logWindow.placementSection(), "CDlgTransaction");
    EXPECT_EQ(collectionWindow.Grid()->GetRowCount(), 1);
}

TEST_F(CollectionWindowTest, EverythingWhenNothingIsTicked)
{
    collectionWindow.findChild<QPushButton*>("refreshButton")->click();
    EXPECT_EQ(Rows(collectionWindow), (QStringList{"5 | Card A |  | 10.0", "1 | Foil Card A |  | 8.0"}));
    EXPECT_EQ(collectionWindow.WorthCaption(), "Total worth: 18.0 Tix (6 cards)");
    logWindow.RefreshView();
    EXPECT_EQ(Rows(logWindow),
              (QStringList{"December 06 2026 23:15:02 | Bought:3xCard A for 12.5 |  | 6.0 | c",
                           "December 06 2026 23:15:02 | Bought:2xCard A 1xFoil Card A 1xCard B "
                           "for 12.5 |  | 12.0 | c",
                           "December 06 2026 23:15:02 | Sold:1xCard B for 12.5 |  |  | c"}));
    EXPECT_EQ(logWindow.WorthCaption(),
              "Bought for 25.0 Tix, worth 18.0 today; sold for 12.5 Tix, worth 0.0 today");
    EXPECT_EQ(logWindow.Grid()->GetRowHeight(1), 25);
    EXPECT_TRUE(MessageBox::asked().empty());
}

TEST_F(CollectionWindowTest, TickedCardsOnlyAndEachDealOnce)
{
    catalogue.Add(MakeCard(2, "Card B", 1, 1), true, false, false);
    catalogue.Add(MakeCard(1, "Card A", 1, 1), true, false, false);
    collectionWindow.RefreshView();
    EXPECT_EQ(Rows(collectionWindow), (QStringList{"5 | Card A |  | 10.0", "1 | Foil Card A |  | 8.0"}));
    logWindow.RefreshView();
    const QStringList rows = Rows(logWindow);
    ASSERT_EQ(rows.size(), 3); // Card B: deals 2 and 3; Card A: deal 1 (deal 2 is listed)
    EXPECT_TRUE(rows[0].contains("2xCard A") && rows[0].contains("1xCard B"));
    EXPECT_TRUE(rows[1].contains("Sold:1xCard B"));
    EXPECT_TRUE(rows[2].contains("Bought:3xCard A"));
}

TEST_F(CollectionWindowTest, AFailingQueryShowsAMessageAndNoCrash)
{
    store.Exec("drop table trans_detail");
    logWindow.RefreshView();
    EXPECT_EQ(logWindow.Grid()->GetRowCount(), 1);
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_EQ(MessageBox::asked()[0].caption, MessageBox::kError);
    EXPECT_TRUE(MessageBox::asked()[0].text.contains("trans_detail"));
}
