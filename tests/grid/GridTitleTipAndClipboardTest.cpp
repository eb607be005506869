// The title tip for cut-off texts and the clipboard commands.
#include "GridTestSupport.h"

#include "grid/CTitleTip.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

using TitleTipTest = GridFixture;

TEST_F(TitleTipTest, ShownOnlyForTextThatDoesNotFit)
{
    Fill(2, 2);
    m_grid->SetCellText(1, 0, "a text far too long to fit into one hundred pixels of column");
    CTitleTip* tip = m_grid->GetTitleTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->objectName(), "ZTitleTip");

    Hover(CellCentre(1, 1));
    EXPECT_FALSE(tip->isVisible()) << "r1c1 fits";
    Hover(CellCentre(1, 0));
    ASSERT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->Text(), m_grid->GetCellText(1, 0));
    const QRect cell(m_grid->viewport()->mapToGlobal(m_grid->CellRect(1, 0).topLeft()),
                     m_grid->CellRect(1, 0).size());
    EXPECT_EQ(tip->geometry().topLeft(), cell.topLeft());
    EXPECT_GT(tip->width(), cell.width());

    // Leaving its rectangle hides it.
    Hover(CellCentre(2, 1) + QPoint(0, 0));
    EXPECT_FALSE(tip->isVisible());
}

TEST_F(TitleTipTest, KeysAndClicksHideItAndStillReachTheGrid)
{
    Fill(2, 2);
    m_grid->SetCellText(1, 0, "a text far too long to fit into one hundred pixels of column");
    CTitleTip* tip = m_grid->GetTitleTip();
    m_grid->SetFocusCell(1, 1);
    Hover(CellCentre(1, 0));
    ASSERT_TRUE(tip->isVisible());
    QTest::keyClick(m_grid, Qt::Key_Down);
    EXPECT_FALSE(tip->isVisible());
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{2, 1}));

    Hover(CellCentre(2, 1));
    Hover(CellCentre(1, 0));
    ASSERT_TRUE(tip->isVisible());
    ClickCell(1, 0);
    EXPECT_FALSE(tip->isVisible());
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{1, 0}));
}

TEST_F(TitleTipTest, NotShownWithoutAnActiveWindowOrWhenSwitchedOff)
{
    Fill(1, 1);
    m_grid->SetCellText(1, 0, "a text far too long to fit into one hundred pixels of column");
    m_grid->SetTitleTips(false);
    Hover(CellCentre(1, 0));
    EXPECT_FALSE(m_grid->GetTitleTip()->isVisible());
    m_grid->SetTitleTips(true);
    QApplication::setActiveWindow(nullptr);
    Hover(CellCentre(1, 0));
    EXPECT_FALSE(m_grid->GetTitleTip()->isVisible());
}

class ClipboardTest : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        Fill(3, 3);
        QGuiApplication::clipboard()->clear();
    }
    QString Clipboard() const { return QGuiApplication::clipboard()->text(QClipboard::Clipboard); }
};

TEST_F(ClipboardTest, CopyWritesSelectedRowsAsTabSeparatedLines)
{
    m_grid->SetListMode(true);
    m_grid->SelectRange(1, 0, 2, 0);
    EXPECT_TRUE(m_grid->CanCopy());
    QTest::keyClick(m_grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "r1c0\tr1c1\tr1c2\nr2c0\tr2c1\tr2c2\n");
}

TEST_F(ClipboardTest, CopyKeepsTheShapeOfACellSelectionAndSkipsHiddenColumns)
{
    m_grid->SetCellState(1, 0, grid_state::kSelected);
    m_grid->SetCellState(3, 2, grid_state::kSelected);
    m_grid->OnEditCopy();
    EXPECT_EQ(Clipboard(), "r1c0\t\t\n\t\tr3c2\n");
    m_grid->SetColumnWidth(1, 0);
    m_grid->OnEditCopy();
    EXPECT_EQ(Clipboard(), "r1c0\t\n\tr3c2\n");
}

TEST_F(ClipboardTest, NothingSelectedCopiesNothing)
{
    QGuiApplication::clipboard()->setText("before");
    EXPECT_FALSE(m_grid->CanCopy());
    m_grid->OnEditCopy();
    EXPECT_EQ(Clipboard(), "before");
}

TEST_F(ClipboardTest, SelectAllSelectsEveryDataCell)
{
    QTest::keyClick(m_grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(m_grid->GetSelectedCount(), 9);
    EXPECT_FALSE(m_grid->IsCellSelected(0, 0));
}

TEST_F(ClipboardTest, PasteFillsEditableCellsFromTheFocusAndReportsEach)
{
    std::vector<std::pair<int, int>> ended;
    QObject::connect(m_grid, &CGridCtrl::editEnded, m_grid,
                     [&ended](int row, int column, const QString&, int, bool*) {
                         ended.push_back({row, column});
                     });
    m_grid->SetCellReadOnly(2, 2);
    m_grid->SetFocusCell(1, 1);
    QGuiApplication::clipboard()->setText("a\tb\tc\r\nd\te\n");
    EXPECT_TRUE(m_grid->CanPaste());
    QTest::keyClick(m_grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(m_grid->GetCellText(1, 1), "a");
    EXPECT_EQ(m_grid->GetCellText(1, 2), "b");
    EXPECT_EQ(m_grid->GetCellText(2, 1), "d");
    EXPECT_EQ(m_grid->GetCellText(2, 2), "r2c2") << "read-only";
    EXPECT_EQ(m_grid->GetColumnCount(), 3) << "c falls outside the grid";
    EXPECT_EQ(ended.size(), 3u);
    EXPECT_TRUE(m_grid->CellAt(1, 1)->IsModified());
}

TEST_F(ClipboardTest, CutCopiesAndEmptiesEditableCells)
{
    m_grid->SetCellReadOnly(1, 1);
    m_grid->SelectRange(1, 0, 1, 1);
    QTest::keyClick(m_grid, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Clipboard(), "r1c0\tr1c1\n");
    EXPECT_EQ(m_grid->GetCellText(1, 0), QString());
    EXPECT_EQ(m_grid->GetCellText(1, 1), "r1c1");
}
