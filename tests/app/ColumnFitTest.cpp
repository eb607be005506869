#include "MainWindowParts.h"

#include "grid/CGridCellBase.h"
#include "grid/CGridCellCheck.h"
#include "lookup/CardGridColumn.h"

#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

namespace {

// The largest values a user meets and a long card name: every text fits its column, at the
// scale factor the test runs under (ctest runs it at 1 and at 2). On a 1366x768 screen at scale
// 1, every window opens wide enough to show all its columns.
class ColumnFitTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        const DateTime updated(2026, 12, 31, 10, 0, 0);
        std::string error;
        QFile::remove(QString::fromStdString(PricePath()));
        ASSERT_TRUE(sample_catalogue::WritePriceDatabase(
            PricePath(), sample_catalogue::NineSets(),
            {MakeCard(1, "Akroma, Angel of Wrath", 99999.99, 120.75, 90, 1, 30, 0, updated),
             MakeCard(2, "Wrath of God", 8888.88, 99999.99, 10, 57, 30, 0, updated),
             MakeCard(3, "Kirtar's Wrath", 0.1, 0.05, 50, 28, 30, 0, updated)},
            &error))
            << error;
        OpenDatabases();
        m_previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
        Window();
    }
    static bool FullSizeScreen()
    {
        return QGuiApplication::primaryScreen()->size() == QSize(1366, 768) &&
               qFuzzyCompare(QGuiApplication::primaryScreen()->devicePixelRatio(), 1.0);
    }
    // Every text is drawn whole: the grid would end a cut one with an ellipsis.
    static void ExpectTextsFit(CGridCtrl& grid, const char* what, int givingColumn = -1)
    {
        ASSERT_GT(grid.GetRowCount(), 1) << what;
        for (int row = 0; row < grid.GetRowCount(); ++row) {
            for (int column = 0; column < grid.GetColumnCount(); ++column) {
                if (row > 0 && column == givingColumn) {
                    continue;
                }
                CGridCellBase* cell = grid.CellAt(row, column);
                // As painted: the grid lines take the cell's right and bottom pixel.
                QRect rect(0, 0, grid.GetColumnWidth(column) - 1, grid.GetRowHeight(row) - 1);
                cell->GetTextRect(rect);
                const QFontMetrics metrics(cell->GetFontObject());
                EXPECT_EQ(
                    metrics.elidedText(cell->GetText(), Qt::ElideRight, rect.width()).toStdString(),
                    cell->GetText().toStdString())
                    << what << " row " << row << " column " << column;
            }
        }
    }
    // At its first size the window shows every column without scrolling sideways.
    static void ExpectAllColumnsShown(QWidget& window, CGridCtrl& grid, const char* what)
    {
        if (!FullSizeScreen()) {
            return;
        }
        QApplication::processEvents();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_LE(window.frameGeometry().width(), screen.width()) << what;
        EXPECT_LE(window.frameGeometry().height(), screen.height()) << what;
        int total = 0;
        for (int column = 0; column < grid.GetColumnCount(); ++column) {
            total += grid.GetColumnWidth(column);
        }
        EXPECT_LE(total, grid.viewport()->width()) << what;
        EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0) << what;
    }
    static void Tick(CGridCtrl& grid, int row, int column)
    {
        auto* box = dynamic_cast<CGridCellCheck*>(grid.CellAt(row, column));
        ASSERT_NE(box, nullptr);
        box->SetCheck(true);
    }
};

TEST_F(ColumnFitTest, ValuesUpTo99999FitEveryGridAndEveryWindowShowsAllItsColumns)
{
    // Cheap cards leave room for a dear value typed in.
    Search("Kirtar's Wrath");
    ASSERT_EQ(main_window::Grid(*m_window).GetRowCount(), 2);
    for (CardGridColumn column : {CardGridColumn::RegValue, CardGridColumn::FoilValue}) {
        main_window::Grid(*m_window).CellAt(1, ColumnIndex(column))->SetText("99999.99");
    }
    ExpectTextsFit(main_window::Grid(*m_window), "typed values");

    Search("Wrath");
    CCardsGridCtrl& grid = main_window::Grid(*m_window);
    ASSERT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetCellText(1, ColumnIndex(CardGridColumn::FoilValue)), "120.75");
    ExpectTextsFit(grid, "catalogue");
    ExpectAllColumnsShown(*m_window, grid, "catalogue");

    for (int row = 1; row <= 2; ++row) {
        for (CardGridColumn column :
             {CardGridColumn::Name, CardGridColumn::RegValue, CardGridColumn::FoilValue}) {
            Tick(grid, row, ColumnIndex(column));
        }
    }
    m_window->OnCommand(MainCommand::PutIntoList);
    CDlgCardsList& trade = main_window::TradeList();
    ExpectTextsFit(*trade.Grid(), "trade list");
    ExpectAllColumnsShown(trade, *trade.Grid(), "trade list");

    trade.SetPriceAsker([](float) {
        return std::optional<CDlgCardsList::PriceInput>({99999.99f, "paid in full, thank you"});
    });
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    trade.OnBought();
    m_window->OnCommand(MainCommand::MyCollection);
    m_window->OnCommand(MainCommand::TransactionLog);
    for (CDlgCollection* view : {&main_window::Collection(), &main_window::TransactionLog()}) {
        const QByteArray what = view->objectName().toUtf8();
        // The log's long details give way to the columns beside them (the title tip shows them).
        ExpectTextsFit(*view->Grid(), what.constData(),
                       view == &main_window::TransactionLog() ? 1 : -1);
        ExpectAllColumnsShown(*view, *view->Grid(), what.constData());
    }
}

} // namespace
