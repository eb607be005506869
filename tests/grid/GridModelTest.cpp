// The grid's data model: shape operations, item descriptors, states, cell kinds, virtual mode.
#include "GridTestSupport.h"

#include "grid/CGridCell.h"
#include "grid/CGridCellCheck.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CGridURLCell.h"

#include <QFontMetrics>

using ModelTest = GridFixture;

TEST_F(ModelTest, NewGridIsEmptyWithDefaultsFromItsFont)
{
    EXPECT_EQ(m_grid->GetRowCount(), 0);
    EXPECT_EQ(m_grid->GetColumnCount(), 0);
    EXPECT_EQ(m_grid->GetFixedRowCount(), 0);
    EXPECT_EQ(m_grid->GetFixedColumnCount(), 0);
    EXPECT_FALSE(m_grid->GetFocusCell().IsValid());
    EXPECT_EQ(m_grid->GetSortColumn(), -1);
    EXPECT_FALSE(m_grid->GetListMode());
    EXPECT_FALSE(m_grid->GetSortOnClick());
    EXPECT_FALSE(m_grid->GetVirtualMode());

    const QFontMetrics metrics(m_grid->font());
    const CGridDefaultCell* defaults = m_grid->GetDefaultCell(false, false);
    EXPECT_EQ(defaults->GetMargin(), unsigned(metrics.horizontalAdvance(' ')));
    EXPECT_EQ(defaults->GetWidth(), metrics.horizontalAdvance(" XXXXXXXXXXXX "));
    EXPECT_EQ(defaults->GetHeight(), metrics.height() * 3 / 2);

    m_grid->SetColumns(2);
    m_grid->SetRows(2);
    EXPECT_EQ(m_grid->GetColumnWidth(1), defaults->GetWidth());
    EXPECT_EQ(m_grid->GetRowHeight(1), defaults->GetHeight());
    EXPECT_STREQ(m_grid->CellAt(1, 1)->GetRuntimeClassName(), "CGridCell");
    EXPECT_EQ(m_grid->CellAt(1, 1)->GetTextColour(), kGridColourUnset);
    EXPECT_EQ(m_grid->CellAt(1, 1)->GetBackColour(), kGridColourUnset);
}

TEST_F(ModelTest, SetRowsWithTheSameCountChangesNothing)
{
    Fill(3, 2);
    CGridCellBase* before = m_grid->CellAt(2, 1);
    EXPECT_TRUE(m_grid->SetRows(m_grid->GetRowCount()));
    EXPECT_EQ(m_grid->CellAt(2, 1), before);
    EXPECT_EQ(m_grid->GetCellText(2, 1), "r2c1");
    EXPECT_FALSE(m_grid->SetRows(-1));
    EXPECT_EQ(m_grid->GetRowCount(), 4);
}

TEST_F(ModelTest, SetRowsToOneLeavesOnlyTheHeader)
{
    Fill(5, 3);
    m_grid->SetFocusCell(4, 1);
    m_grid->SetCellState(4, 2, grid_state::kSelected);
    EXPECT_TRUE(m_grid->SetRows(1));
    EXPECT_EQ(m_grid->GetRowCount(), 1);
    EXPECT_EQ(m_grid->GetFixedRowCount(), 1);
    EXPECT_EQ(m_grid->GetCellText(0, 2), "H2");
    EXPECT_FALSE(m_grid->GetFocusCell().IsValid());
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);
    EXPECT_EQ(m_grid->CellAt(1, 0), nullptr);
}

TEST_F(ModelTest, ShrinkingColumnsDropsTheirSelectionFocusAndSortColumn)
{
    Fill(3, 4);
    m_grid->SortByColumn(3, true);
    m_grid->SetCellState(2, 3, grid_state::kSelected);
    m_grid->SetCellState(2, 0, grid_state::kSelected);
    m_grid->SetFocusCell(1, 3);
    EXPECT_TRUE(m_grid->SetColumns(2));
    EXPECT_EQ(m_grid->GetSortColumn(), -1);
    EXPECT_FALSE(m_grid->GetFocusCell().IsValid());
    EXPECT_EQ(m_grid->GetSelectedCount(), 1);
    EXPECT_TRUE(m_grid->IsCellSelected(2, 0));
    EXPECT_EQ(m_grid->CellAt(1, 2), nullptr);
}

TEST_F(ModelTest, FixedRowsAndColumnsCarryTheirStateBitsAndLoseTheirColours)
{
    m_grid->SetColumns(3);
    m_grid->SetRows(3);
    m_grid->SetCellBackColour(0, 1, 0x112233);
    m_grid->SetCellTextColour(1, 0, 0x445566);
    EXPECT_TRUE(m_grid->SetFixedRows(1));
    EXPECT_TRUE(m_grid->SetFixedColumns(1));
    EXPECT_EQ(m_grid->GetCellState(0, 1) & 0x70u, 0x30u);
    EXPECT_EQ(m_grid->GetCellState(1, 0) & 0x70u, 0x50u);
    EXPECT_EQ(m_grid->GetCellState(0, 0) & 0x70u, 0x70u);
    EXPECT_EQ(m_grid->GetCellState(1, 1) & 0x70u, 0u);
    EXPECT_EQ(m_grid->CellAt(0, 1)->GetBackColour(), kGridColourUnset);
    EXPECT_EQ(m_grid->CellAt(1, 0)->GetTextColour(), kGridColourUnset);

    EXPECT_TRUE(m_grid->SetFixedRows(5));
    EXPECT_EQ(m_grid->GetRowCount(), 5);
    EXPECT_TRUE(m_grid->SetFixedRows(0));
    EXPECT_EQ(m_grid->GetCellState(0, 1) & 0x70u, 0u);
    // State written by a caller cannot make a cell fixed, or unfix a fixed one.
    m_grid->SetCellState(2, 2, grid_state::kFixedRowBits | grid_state::kReadOnly);
    EXPECT_EQ(m_grid->GetCellState(2, 2), unsigned(grid_state::kReadOnly));
}

TEST_F(ModelTest, InsertRowAtAppendsRefusesAndShifts)
{
    Fill(2, 2);
    EXPECT_EQ(m_grid->InsertRowAt("x", 0), -1); // inside the fixed rows
    EXPECT_EQ(m_grid->InsertRowAt("x", 3), -1); // beyond the last row
    EXPECT_EQ(m_grid->InsertRowAt("x", 7), -1);
    EXPECT_EQ(m_grid->GetRowCount(), 3);

    m_grid->SetFocusCell(2, 1);
    m_grid->SetCellState(2, 0, grid_state::kSelected);
    EXPECT_EQ(m_grid->InsertRowAt("mid", 1), 1);
    EXPECT_EQ(ColumnTexts(0), QStringList({"mid", "r1c0", "r2c0"}));
    EXPECT_EQ(m_grid->GetFocusCell().row, 3);
    EXPECT_TRUE(m_grid->IsCellSelected(3, 0));
    EXPECT_FALSE(m_grid->IsCellSelected(2, 0));
    EXPECT_EQ(m_grid->CellAt(3, 1)->GetCoords(), (GridCellCoord{3, 1}));

    EXPECT_EQ(m_grid->InsertRowAt(QString(), -1), 4);
    EXPECT_EQ(m_grid->GetRowHeight(4), m_grid->GetDefaultCell(false, false)->GetHeight());
}

TEST_F(ModelTest, InsertRowIntoAGridWithoutColumnsMakesOneColumn)
{
    EXPECT_EQ(m_grid->InsertRowAt("first"), 0);
    EXPECT_EQ(m_grid->GetColumnCount(), 1);
    EXPECT_EQ(m_grid->GetCellText(0, 0), "first");
    EXPECT_EQ(m_grid->GetRowHeight(0), m_grid->CellAt(0, 0)->GetCellExtent().height());
}

TEST_F(ModelTest, DeletingRows)
{
    Fill(4, 2);
    EXPECT_FALSE(m_grid->DeleteRowAt(-1));
    EXPECT_FALSE(m_grid->DeleteRowAt(5));
    m_grid->SetFocusCell(4, 0);
    EXPECT_TRUE(m_grid->DeleteRowAt(2));
    EXPECT_EQ(ColumnTexts(1), QStringList({"r1c1", "r3c1", "r4c1"}));
    EXPECT_EQ(m_grid->GetFocusCell().row, 3);
    EXPECT_EQ(m_grid->CellAt(2, 0)->GetCoords().row, 2);

    EXPECT_TRUE(m_grid->DeleteNonFixedRows());
    EXPECT_EQ(m_grid->GetRowCount(), 1);
    EXPECT_EQ(m_grid->GetCellText(0, 0), "H0");
    EXPECT_FALSE(m_grid->GetFocusCell().IsValid());
}

TEST_F(ModelTest, ItemDescriptorWithMaskOneChangesOnlyTheText)
{
    Fill(1, 2);
    m_grid->SetCellData(1, 1, 77);
    m_grid->SetCellImage(1, 1, 3);
    GridItem item;
    item.row = 1;
    item.column = 1;
    item.mask = grid_mask::kText;
    item.text = "new";
    item.data = 5;
    item.image = 9;
    item.state = grid_state::kReadOnly | grid_state::kSelected;
    item.backColour = 0x123456;
    EXPECT_TRUE(m_grid->ApplyItem(item));
    EXPECT_EQ(m_grid->GetCellText(1, 1), "new");
    EXPECT_EQ(m_grid->GetCellData(1, 1), 77);
    EXPECT_EQ(m_grid->GetCellImage(1, 1), 3);
    EXPECT_EQ(m_grid->GetCellState(1, 1), 0u);
    EXPECT_EQ(m_grid->CellAt(1, 1)->GetBackColour(), kGridColourUnset);
}

TEST_F(ModelTest, ItemDescriptorSetsAndReadsEveryField)
{
    Fill(1, 2);
    GridItem item;
    item.row = 1;
    item.column = 0;
    item.mask = 0x1FF;
    item.text = "all";
    item.data = 16777216 * 3 + 42;
    item.image = 2;
    item.state = grid_state::kSelected | grid_state::kReadOnly;
    item.format = grid_format::kRight | grid_format::kSingleLine;
    item.backColour = 0x0000FF;
    item.textColour = 0x00FF00;
    item.font = QFont("DejaVu Sans", 15);
    item.margin = 7;
    EXPECT_TRUE(m_grid->ApplyItem(item));
    EXPECT_TRUE(m_grid->IsCellSelected(1, 0));

    GridItem read;
    read.row = 1;
    read.column = 0;
    read.mask = 0x1FF;
    EXPECT_TRUE(m_grid->GetItem(read));
    EXPECT_EQ(read.text, "all");
    EXPECT_EQ(read.data, item.data);
    EXPECT_EQ(read.image, 2);
    EXPECT_EQ(read.state, item.state);
    EXPECT_EQ(read.format, item.format);
    EXPECT_EQ(read.backColour, 0x0000FFu);
    EXPECT_EQ(read.textColour, 0x00FF00u);
    EXPECT_EQ(read.font.pointSize(), 15);
    EXPECT_EQ(read.margin, 7u);

    item.row = 2;
    EXPECT_FALSE(m_grid->ApplyItem(item));
    item.row = 1;
    item.column = -1;
    EXPECT_FALSE(m_grid->ApplyItem(item));
}

TEST_F(ModelTest, SelectedStateBitKeepsTheSelectedSet)
{
    Fill(2, 2);
    EXPECT_TRUE(m_grid->SetCellState(2, 1, grid_state::kSelected | grid_state::kModified));
    EXPECT_TRUE(m_grid->IsCellSelected(2, 1));
    EXPECT_TRUE(m_grid->CellAt(2, 1)->IsSelected());
    EXPECT_TRUE(m_grid->CellAt(2, 1)->IsModified());
    EXPECT_TRUE(m_grid->SetCellState(2, 1, grid_state::kModified));
    EXPECT_FALSE(m_grid->IsCellSelected(2, 1));
    EXPECT_FALSE(m_grid->SetCellState(3, 0, grid_state::kSelected));
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);
}

TEST_F(ModelTest, SelectionKeepsRowsBeyond65536Apart)
{
    m_grid->SetColumns(1);
    m_grid->SetRows(70000);
    m_grid->SetCellState(69999, 0, grid_state::kSelected);
    EXPECT_TRUE(m_grid->IsCellSelected(69999, 0));
    EXPECT_FALSE(m_grid->IsCellSelected(69999 - 65536, 0));
    EXPECT_FALSE(m_grid->IsCellSelected(0, 0));
}

TEST_F(ModelTest, SetCellKindKeepsAttributesAndRefusesUnknownKinds)
{
    Fill(1, 2);
    m_grid->SetCellData(1, 1, 123);
    m_grid->SetCellReadOnly(1, 1);
    m_grid->SetCellTextColour(1, 1, 0x010203);
    EXPECT_TRUE(m_grid->SetCellKind(1, 1, "CGridCellCheck"));
    auto* check = dynamic_cast<CGridCellCheck*>(m_grid->CellAt(1, 1));
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->GetText(), "r1c1");
    EXPECT_EQ(check->GetData(), 123);
    EXPECT_TRUE(check->IsReadOnly());
    EXPECT_EQ(check->GetTextColour(), 0x010203u);
    EXPECT_EQ(check->GetOwner(), m_grid);
    EXPECT_EQ(check->GetCoords(), (GridCellCoord{1, 1}));

    EXPECT_FALSE(m_grid->SetCellKind(1, 1, "CGridCtrl"));
    EXPECT_FALSE(m_grid->SetCellKind(1, 1, "CGridCellBase"));
    EXPECT_FALSE(m_grid->SetCellKind(1, 1, "NoSuchCell"));
    EXPECT_FALSE(m_grid->SetCellKind(2, 1, "CGridCell"));
    EXPECT_TRUE(m_grid->SetCellKind<CGridURLCell>(1, 0));
    EXPECT_STREQ(m_grid->CellAt(1, 0)->GetRuntimeClassName(), "CGridURLCell");
}

TEST_F(ModelTest, OperationsOutsideTheGridAreRefused)
{
    Fill(1, 1);
    EXPECT_EQ(m_grid->CellAt(2, 0), nullptr);
    EXPECT_EQ(m_grid->CellAt(0, 1), nullptr);
    EXPECT_EQ(m_grid->CellAt(-1, -1), nullptr);
    EXPECT_FALSE(m_grid->SetCellText(0, 5, "x"));
    EXPECT_EQ(m_grid->GetCellText(9, 9), QString());
    EXPECT_FALSE(m_grid->SetRowHeightAt(4, 10));
    EXPECT_FALSE(m_grid->SetColumnWidth(4, 10));
    EXPECT_FALSE(m_grid->SortByColumn(3, true));
    EXPECT_FALSE(m_grid->IsCellSelected(5, 5));
}

TEST_F(ModelTest, CellFromPointFindsCellsAndRefusesOutside)
{
    Fill(3, 3);
    EXPECT_EQ(m_grid->CellFromPoint(QPoint(150, 30)), (GridCellCoord{1, 1}));
    EXPECT_EQ(m_grid->CellFromPoint(QPoint(250, 99)), (GridCellCoord{3, 2}));
    EXPECT_EQ(m_grid->CellFromPoint(QPoint(10, 10)), (GridCellCoord{0, 0}));
    EXPECT_FALSE(m_grid->CellFromPoint(QPoint(10, 10), false).IsValid());
    EXPECT_FALSE(m_grid->CellFromPoint(QPoint(350, 30)).IsValid());
    EXPECT_FALSE(m_grid->CellFromPoint(QPoint(50, 101)).IsValid());
    EXPECT_FALSE(m_grid->CellFromPoint(QPoint(-1, 5)).IsValid());
    m_grid->SetColumnWidth(1, 0);
    EXPECT_EQ(m_grid->CellFromPoint(QPoint(150, 30)), (GridCellCoord{1, 2}));
}

TEST_F(ModelTest, FitAllColumnsFitsVisibleColumnsAndLeavesHiddenOnes)
{
    Fill(3, 3);
    m_grid->SetCellText(2, 0, "a much longer text than the others");
    m_grid->SetColumnWidth(1, 0);
    m_grid->FitAllColumns();
    const int line = 1; // the grid line takes the column's last pixel, outside the cell
    EXPECT_EQ(m_grid->GetColumnWidth(1), 0);
    EXPECT_EQ(m_grid->GetColumnWidth(0), m_grid->CellAt(2, 0)->GetCellExtent().width() + line);
    EXPECT_EQ(m_grid->GetColumnWidth(2), m_grid->CellAt(1, 2)->GetCellExtent().width() + line);

    m_grid->SetCellText(0, 2, "a very long header text");
    m_grid->FitAllColumns(CGridCtrl::FitStyle::Data);
    EXPECT_EQ(m_grid->GetColumnWidth(2), m_grid->CellAt(1, 2)->GetCellExtent().width() + line);
    m_grid->FitAllColumns(CGridCtrl::FitStyle::Header);
    EXPECT_EQ(m_grid->GetColumnWidth(2), m_grid->CellAt(0, 2)->GetCellExtent().width() + line);
}

TEST_F(ModelTest, ListModeClearsSelectionAndSortColumn)
{
    Fill(3, 2);
    m_grid->SortByColumn(1, false);
    m_grid->SetCellState(2, 1, grid_state::kSelected);
    m_grid->SetListMode(true);
    EXPECT_TRUE(m_grid->GetListMode());
    EXPECT_EQ(m_grid->GetSortColumn(), -1);
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);
    m_grid->SelectRange(2, 1, 3, 1);
    EXPECT_TRUE(m_grid->IsCellSelected(2, 0));
    EXPECT_TRUE(m_grid->IsCellSelected(3, 1));
    EXPECT_EQ(m_grid->GetSelectedCount(), 4);
}

TEST_F(ModelTest, VirtualModeAsksTheCallbackOrTheParent)
{
    m_grid->SetVirtualMode(true);
    m_grid->SetColumns(3);
    m_grid->SetRows(100000);
    m_grid->SetFixedRows(1);
    m_grid->SetCellState(5, 2, grid_state::kSelected);
    m_grid->SetDisplayCallback(
        [](GridItem& item, std::intptr_t user) {
            item.text = QString("%1:%2:%3").arg(item.row).arg(item.column).arg(user);
            item.data = item.row * 10 + item.column;
            return true;
        },
        9);
    const CGridCellBase* cell = m_grid->CellAt(99999, 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->GetText(), "99999:1:9");
    EXPECT_EQ(m_grid->GetCellData(7, 2), 72);
    EXPECT_EQ(m_grid->GetCellState(0, 1) & 0x30u, 0x30u);
    EXPECT_TRUE(m_grid->CellAt(5, 2)->IsSelected());
    GridItem item;
    item.row = 3;
    item.column = 1;
    item.mask = grid_mask::kText;
    EXPECT_FALSE(m_grid->ApplyItem(item));
    EXPECT_FALSE(m_grid->SetCellKind(3, 1, "CGridCellCheck"));

    m_grid->SetDisplayCallback(nullptr);
    NotifyLog log(m_grid);
    QObject::connect(m_grid, &CGridCtrl::displayRequest, m_grid,
                     [](GridItem* asked) { asked->text = "from parent"; });
    EXPECT_EQ(m_grid->GetCellText(4, 0), "from parent");
    ASSERT_EQ(log.Count(grid_notify::kDisplayRequest), 1);
    EXPECT_EQ(log.entries.back().row, 4);
}

TEST_F(ModelTest, QuickTextWidthNeverCutsAFittedText)
{
    const CGridDefaultCell* defaults = m_grid->GetDefaultCell(false, false);
    const QFontMetrics metrics(defaults->GetFontObject());
    for (const QString& text :
         {QString("Lightning Bolt"), QString("AVAWAY Ta To"), QString(" 12.5"),
          QString("12-07-2026"), QString("Æther Vial"), QString("Jötun Grunt"),
          QString("http://example.org/showcard.asp?id=7EWR12"), QString("WWWWWWWWWWWWWWWWWW"),
          QString("iiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiiii"),
          QString::fromUtf8("\xe5\xa4\xa9\xe4\xbd\xbf")}) {
        const int exact = metrics.horizontalAdvance(text);
        const int quick = defaults->TextWidth(text);
        EXPECT_GE(quick, exact) << text.toStdString();
        // Whole-pixel advances may add up to a pixel a character, and kerning (a few percent
        // in a text such as "AVAWAY") is not counted.
        EXPECT_LE(quick, exact + 2 + int(text.size()) + exact / 10) << text.toStdString();
    }
    EXPECT_EQ(defaults->TextWidth(QString()), 0);
}
