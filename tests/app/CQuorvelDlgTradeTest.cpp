#include "app/CQuorvelDlg.h"

#include "AppTestSupport.h"
#include "MainWindowParts.h"
#include "grid/CGridCellCheck.h"
#include "grid/CGridCtrl.h"
#include "lookup/CardGridColumn.h"
#include "lookup/view/CCardsGridCtrl.h"
#include "support/TempDir.h"
#include "toolkit/CTipPopup.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"
#include "trade/TradeListColumn.h"
#include "trade/view/CDlgCollection.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The main window together with the trade list and the collection views.
class CQuorvelDlgTradeTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Window();
    }
    static void Tick(CGridCtrl& grid, int row, int column)
    {
        auto* box = dynamic_cast<CGridCellCheck*>(grid.CellAt(row, column));
        ASSERT_NE(box, nullptr) << "no check box at " << row << "," << column;
        box->SetCheck(true);
    }
    CCardsGridCtrl& Grid() { return main_window::Grid(*m_window); }
    CDlgCardsList& TradeList() { return main_window::TradeList(); }
};

TEST_F(CQuorvelDlgTradeTest, PutIntoListFilesTheTickedValuesAndShowsTheTradeList)
{
    Search("Wrath");
    ASSERT_EQ(Grid().GetRowCount(), 4);
    // Row 2 is Wrath of God (6.5): its regular and foil copies; row 3 only named, no value.
    Tick(Grid(), 2, ColumnIndex(CardGridColumn::Name));
    Tick(Grid(), 2, ColumnIndex(CardGridColumn::RegValue));
    Tick(Grid(), 2, ColumnIndex(CardGridColumn::FoilValue));
    Tick(Grid(), 3, ColumnIndex(CardGridColumn::Name));
    QTest::mouseClick(m_window->findChild<QPushButton*>("putIntoListButton"), Qt::LeftButton);
    EXPECT_TRUE(TradeList().isVisible());
    EXPECT_TRUE(m_window->IsChecked(MainCommand::TradingList, MenuKind::MenuBar));
    EXPECT_EQ(TradeList().List().Count(), 2u);
    EXPECT_TRUE(TradeList().List().Contains(3));
    EXPECT_TRUE(TradeList().List().Contains(3 + 16777216));
    EXPECT_EQ(TradeList().Grid()->GetCellText(2, 1), "Foil Wrath of God");
}

TEST_F(CQuorvelDlgTradeTest, TheAdvertisementIsNotLookedUpButTheNextCopyIs)
{
    Search("Wrath of God");
    Tick(Grid(), 1, ColumnIndex(CardGridColumn::Name));
    Tick(Grid(), 1, ColumnIndex(CardGridColumn::RegValue));
    m_window->OnCommand(MainCommand::PutIntoList);
    ASSERT_EQ(TradeList().Grid()->GetRowCount(), 2);
    Tick(*TradeList().Grid(), 1, ColumnIndex(TradeListColumn::Sell));
    MessageBox::setNextAnswer(MessageBox::Answer::No); // the trade post text
    TradeList().OnAdvertise();
    ASSERT_TRUE(m_clipboard.text().has_value());
    EXPECT_TRUE(m_clipboard.text()->startsWith("{t}Selling{t}Wrath of God for "))
        << m_clipboard.text()->toStdString();
    EXPECT_EQ(Caption(), "1 cards in list ") << "the advertisement was looked up";
    EXPECT_FALSE(main_window::ReportPopup(*m_window).isOpen());

    m_clipboard.simulateCopy("Shock");
    EXPECT_EQ(Caption(), "2 cards in list ");
    EXPECT_TRUE(main_window::ReportPopup(*m_window).isOpen());
}

TEST_F(CQuorvelDlgTradeTest, ARefusedAdvertisementSkipsNoLaterCopy)
{
    Search("Wrath of God");
    Tick(Grid(), 1, ColumnIndex(CardGridColumn::Name));
    Tick(Grid(), 1, ColumnIndex(CardGridColumn::RegValue));
    m_window->OnCommand(MainCommand::PutIntoList);
    Tick(*TradeList().Grid(), 1, ColumnIndex(TradeListColumn::Buy));
    m_clipboard.setRefuseWrites(true);
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    TradeList().OnAdvertise();
    m_clipboard.simulateCopy("Shock");
    EXPECT_EQ(Caption(), "2 cards in list ");
}

// Quitting with a trade list never saved asks once: Cancel (or a cancelled save) keeps the
// program running, a save that worked quits, and a saved list quits without a word.
TEST_F(CQuorvelDlgTradeTest, AnEmptyTradeListQuitsWithoutAQuestion)
{
    m_window->OnCommand(MainCommand::Exit);
    EXPECT_TRUE(m_window->ExitRequested()) << "an empty list needs no question";
    EXPECT_TRUE(MessageBox::asked().empty());
}

TEST_F(CQuorvelDlgTradeTest, QuittingWithChangesAsksAndOnlyASaveOrNoQuits)
{
    Search("Wrath of God");
    Tick(Grid(), 1, ColumnIndex(CardGridColumn::Name));
    Tick(Grid(), 1, ColumnIndex(CardGridColumn::RegValue));
    m_window->OnCommand(MainCommand::PutIntoList);
    ASSERT_EQ(TradeList().List().Count(), 1u);
    TempDir folder;
    FileDialog::setTestMode(true);

    MessageBox::setNextAnswer(MessageBox::Answer::Cancel);
    m_window->OnCommand(MainCommand::Exit);
    EXPECT_FALSE(m_window->ExitRequested());
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_EQ(MessageBox::asked()[0].text, "Save the trade list before quitting?");
    EXPECT_EQ(MessageBox::asked()[0].buttons, MessageBox::Buttons::YesNoCancel);

    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    FileDialog::setNextFileName(std::nullopt); // the save dialog cancelled
    m_window->OnCommand(MainCommand::Exit);
    EXPECT_FALSE(m_window->ExitRequested());

    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    FileDialog::setNextFileName(QString::fromStdString(folder.File("list.ryn")));
    m_window->OnCommand(MainCommand::Exit);
    EXPECT_TRUE(m_window->ExitRequested());
    EXPECT_TRUE(std::filesystem::exists(folder.File("list.ryn")));
    EXPECT_FALSE(TradeList().HasUnsavedChanges());
    FileDialog::setTestMode(false);
}

TEST_F(CQuorvelDlgTradeTest, MyCollectionReloadsEachTimeItIsShown)
{
    Search("Counterspell");
    Tick(Grid(), 1, ColumnIndex(CardGridColumn::Name));
    Tick(Grid(), 1, ColumnIndex(CardGridColumn::RegValue));
    m_window->OnCommand(MainCommand::PutIntoList);
    m_window->OnCommand(MainCommand::MyCollection);
    CDlgCollection& collection = main_window::Collection();
    ASSERT_TRUE(collection.isVisible());
    const int before = collection.Grid()->GetRowCount();

    TradeList().SetPriceAsker([](float preset) {
        return std::optional<CDlgCardsList::PriceInput>({preset, "first deal"});
    });
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    TradeList().OnBought();
    EXPECT_EQ(collection.Grid()->GetRowCount(), before) << "logging does not refresh the view";

    m_window->OnCommand(MainCommand::MyCollection); // hide
    m_window->OnCommand(MainCommand::MyCollection); // show and reload
    ASSERT_EQ(collection.Grid()->GetRowCount(), before + 1);
    bool listed = false;
    for (int column = 0; column < collection.Grid()->GetColumnCount(); ++column)
        listed = listed || collection.Grid()->GetCellText(before, column).contains("Counterspell");
    EXPECT_TRUE(listed);

    m_window->OnCommand(MainCommand::TransactionLog);
    CDlgCollection& log = main_window::TransactionLog();
    ASSERT_TRUE(log.isVisible());
    EXPECT_GE(log.Grid()->GetRowCount(), 2);
}

} // namespace
