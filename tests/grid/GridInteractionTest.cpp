// Mouse, keyboard, scrolling and painting of the grid.
#include "GridTestSupport.h"

#include "grid/CGridCell.h"
#include "grid/GridCellFactory.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {

int g_drawCount = 0;

// Counts how many cells are painted.
class CountingCell : public CGridCell {
public:
    const char* GetRuntimeClassName() const override { return "CountingCell"; }
    bool Draw(QPainter& painter, int row, int column, const QRect& rect, bool erase) override
    {
        ++g_drawCount;
        return CGridCell::Draw(painter, row, column, rect, erase);
    }
};

} // namespace

using InteractionTest = GridFixture;

TEST_F(InteractionTest, ListModeClickSelectsTheWholeRowAndNotifies)
{
    Fill(4, 3);
    m_grid->SetListMode(true);
    NotifyLog log(m_grid);
    ClickCell(2, 1);
    for (int c = 0; c < 3; ++c) {
        EXPECT_TRUE(m_grid->IsCellSelected(2, c));
    }
    EXPECT_EQ(m_grid->GetSelectedCount(), 3);
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{2, 1}));
    EXPECT_EQ(log.Count(grid_notify::kSelectionChanging), 1);
    EXPECT_EQ(log.Count(grid_notify::kSelectionChanged), 1);
    ASSERT_EQ(log.Count(grid_notify::kClick), 1);
    EXPECT_EQ(log.entries.back().code, grid_notify::kClick);
    EXPECT_EQ(log.entries.back().row, 2);
    EXPECT_EQ(log.entries.back().column, 1);

    ClickCell(4, 0);
    EXPECT_FALSE(m_grid->IsCellSelected(2, 0));
    EXPECT_TRUE(m_grid->IsCellSelected(4, 2));
    Click(CellCentre(1, 0), Qt::ShiftModifier);
    EXPECT_EQ(m_grid->GetSelectedCount(), 12);
}

TEST_F(InteractionTest, CellModeSelectsCellsAndControlAddsToTheSelection)
{
    Fill(4, 3);
    ClickCell(1, 1);
    EXPECT_EQ(m_grid->GetSelectedCount(), 1);
    Click(CellCentre(3, 2), Qt::ShiftModifier);
    EXPECT_EQ(m_grid->GetSelectedCount(), 6);
    EXPECT_FALSE(m_grid->IsCellSelected(2, 0));
    Click(CellCentre(4, 0), Qt::ControlModifier);
    EXPECT_EQ(m_grid->GetSelectedCount(), 7);
}

TEST_F(InteractionTest, DraggingExtendsTheSelectionAndEveryReleaseSignals)
{
    Fill(5, 3);
    NotifyLog log(m_grid);
    QSignalSpy released(m_grid, &CGridCtrl::released);
    QTest::mousePress(m_grid->viewport(), Qt::LeftButton, {}, CellCentre(1, 0));
    QMouseEvent move(QEvent::MouseMove, CellCentre(3, 1),
                     m_grid->viewport()->mapToGlobal(CellCentre(3, 1)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_grid->viewport(), &move);
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, {}, CellCentre(3, 1));
    EXPECT_EQ(m_grid->GetSelectedCount(), 6);
    EXPECT_EQ(log.Count(grid_notify::kSelectionChanged), 1);
    EXPECT_TRUE(released.wait(1000));
    EXPECT_EQ(m_grid->GetMouseMode(), CGridCtrl::MouseMode::Nothing);
}

TEST_F(InteractionTest, DraggingBelowTheViewScrollsEvery25Milliseconds)
{
    Fill(200, 2);
    ASSERT_GT(m_grid->verticalScrollBar()->maximum(), 0);
    QTest::mousePress(m_grid->viewport(), Qt::LeftButton, {}, CellCentre(2, 0));
    const QPoint below(50, m_grid->viewport()->height() + 30);
    QMouseEvent move(QEvent::MouseMove, below, m_grid->viewport()->mapToGlobal(below), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_grid->viewport(), &move);
    QTest::qWait(300);
    const int top = m_grid->GetTopRow();
    EXPECT_GT(top, 3);
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, {}, below);
    EXPECT_GT(m_grid->GetSelectedCount(), 2 * 10);
    QTest::qWait(100);
    EXPECT_EQ(m_grid->GetTopRow(), top) << "scrolling stops with the release";
}

TEST_F(InteractionTest, FixedColumnClickSelectsTheRow)
{
    Fill(3, 3);
    m_grid->SetFixedColumns(1);
    ClickCell(2, 0);
    EXPECT_TRUE(m_grid->IsCellSelected(2, 1));
    EXPECT_TRUE(m_grid->IsCellSelected(2, 2));
    EXPECT_FALSE(m_grid->IsCellSelected(2, 0));
    ClickCell(0, 0);
    EXPECT_EQ(m_grid->GetSelectedCount(), 6);
}

TEST_F(InteractionTest, DraggingAHeaderDividerResizesTheColumnButNotBelowOnePixel)
{
    Fill(2, 3);
    const QPoint divider(100 + 2, 10); // within 3 pixels of column 0's right edge
    QTest::mousePress(m_grid->viewport(), Qt::LeftButton, {}, divider);
    EXPECT_EQ(m_grid->GetMouseMode(), CGridCtrl::MouseMode::SizingColumn);
    QMouseEvent move(QEvent::MouseMove, QPoint(160, 10),
                     m_grid->viewport()->mapToGlobal(QPoint(160, 10)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(m_grid->viewport(), &move);
    EXPECT_EQ(m_grid->GetColumnWidth(0), 160);
    QMouseEvent shrink(QEvent::MouseMove, QPoint(-40, 10),
                       m_grid->viewport()->mapToGlobal(QPoint(-40, 10)), Qt::NoButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_grid->viewport(), &shrink);
    EXPECT_EQ(m_grid->GetColumnWidth(0), 1);
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, {}, QPoint(-40, 10));
    EXPECT_EQ(m_grid->GetColumnWidth(1), 100);
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);

    // Five pixels away is an ordinary header press.
    QTest::mousePress(m_grid->viewport(), Qt::LeftButton, {}, QPoint(100 + 6, 10));
    EXPECT_NE(m_grid->GetMouseMode(), CGridCtrl::MouseMode::SizingColumn);
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, {}, QPoint(100 + 6, 10));
}

TEST_F(InteractionTest, KeysMoveTheFocus)
{
    Fill(30, 4);
    m_grid->SetFocusCell(1, 0);
    QTest::keyClick(m_grid, Qt::Key_Right);
    QTest::keyClick(m_grid, Qt::Key_Down);
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{2, 1}));
    EXPECT_TRUE(m_grid->IsCellSelected(2, 1));
    QTest::keyClick(m_grid, Qt::Key_Up);
    QTest::keyClick(m_grid, Qt::Key_Up);
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{1, 1})) << "the header row is not entered";
    QTest::keyClick(m_grid, Qt::Key_End);
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{1, 3}));
    QTest::keyClick(m_grid, Qt::Key_Tab);
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{2, 0})) << "Tab wraps to the next row";
    QTest::keyClick(m_grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{30, 3}));
    EXPECT_EQ(m_grid->CellRect(30, 3).isEmpty(), false) << "the focus is scrolled into view";
    QTest::keyClick(m_grid, Qt::Key_PageUp);
    EXPECT_LT(m_grid->GetFocusCell().row, 30);
    EXPECT_GT(m_grid->GetFocusCell().row, 1);
    QTest::keyClick(m_grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{1, 0}));
    EXPECT_EQ(m_grid->GetTopRow(), 1);
}

TEST_F(InteractionTest, WheelScrollsRows)
{
    Fill(100, 2);
    QWheelEvent wheel(QPointF(50, 50), m_grid->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_grid->viewport(), &wheel);
    EXPECT_EQ(m_grid->GetTopRow(), 1 + QApplication::wheelScrollLines());
}

TEST_F(InteractionTest, RightClickNotifiesWithTheCellOrMinusOne)
{
    Fill(2, 2);
    NotifyLog log(m_grid);
    QTest::mouseClick(m_grid->viewport(), Qt::RightButton, {}, CellCentre(2, 1));
    ASSERT_EQ(log.Count(grid_notify::kRightClick), 1);
    EXPECT_EQ(log.entries.back().row, 2);
    QTest::mouseClick(m_grid->viewport(), Qt::RightButton, {}, QPoint(500, 300));
    EXPECT_EQ(log.entries.back().code, grid_notify::kRightClick);
    EXPECT_EQ(log.entries.back().row, -1);
    EXPECT_EQ(log.entries.back().column, -1);
}

TEST_F(InteractionTest, PaintingAndScrollingALargeGridDrawOnlyVisibleCells)
{
    GridCellFactory::Register("CountingCell", [] { return std::make_unique<CountingCell>(); });
    ASSERT_TRUE(m_grid->SetDefaultCellKind("CountingCell"));
    m_grid->SetColumns(7);
    m_grid->SetRows(100001);
    m_grid->SetFixedRows(1);
    for (int r = 0; r < m_grid->GetRowCount(); ++r) {
        m_grid->SetRowHeightAt(r, 25);
    }
    const int visibleRows = m_grid->GetVisibleRowCount() + 1; // and the header
    ASSERT_LT(visibleRows, 20);
    g_drawCount = 0;
    m_grid->viewport()->repaint();
    EXPECT_GT(g_drawCount, 0);
    EXPECT_LE(g_drawCount, visibleRows * 7);

    g_drawCount = 0;
    m_grid->verticalScrollBar()->setValue(50000);
    m_grid->viewport()->repaint();
    EXPECT_EQ(m_grid->GetTopRow(), 50001);
    EXPECT_GT(g_drawCount, 0);
    EXPECT_LE(g_drawCount, visibleRows * 7);
    EXPECT_EQ(m_grid->CellFromPoint(QPoint(5, 30)).row, 50001);
}
