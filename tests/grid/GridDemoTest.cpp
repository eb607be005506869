// A grid holding every cell kind, as a demonstration that they live and paint side by side.
#include "GridTestSupport.h"

#include "grid/CGridCellCheck.h"
#include "grid/CGridCellCombo.h"
#include "grid/CGridCellDateTime.h"
#include "grid/CGridURLCell.h"
#include "grid/GridCellFactory.h"

#include <QImage>

using DemoTest = GridFixture;

TEST_F(DemoTest, EveryCellKindInOneGrid)
{
    const QStringList kinds = {"CGridCell",      "CGridCellCheck",    "CTamrikGrideCellCheck",
                               "CGridCellCombo", "CGridCellDateTime", "CGridCellNumeric",
                               "CGridURLCell"};
    m_window->resize(1400, 400);
    m_grid->setGeometry(0, 0, 1400, 400);
    m_grid->SetColumns(int(kinds.size()));
    m_grid->SetFixedRows(1);
    m_grid->SetListMode(true);
    m_grid->SetSortOnClick(true);
    for (int c = 0; c < kinds.size(); ++c) {
        m_grid->SetCellText(0, c, kinds.at(c));
    }
    for (int i = 0; i < 3; ++i) {
        const int row = m_grid->InsertRowAt(QString());
        m_grid->SetRowHeightAt(row, 25);
        for (int c = 0; c < kinds.size(); ++c) {
            ASSERT_TRUE(m_grid->SetCellKind(row, c, kinds.at(c).toLatin1().constData()));
            m_grid->SetCellText(row, c, QString("%1 %2").arg(i).arg(c));
            m_grid->SetCellData(row, c, i);
        }
        m_grid->SetCellText(row, 6, QString("www.example.org/%1").arg(i));
        static_cast<CGridCellCheck*>(m_grid->CellAt(row, 1))->SetCheck(i % 2 == 0);
        static_cast<CGridCellCombo*>(m_grid->CellAt(row, 3))->SetOptions({"a", "b"});
    }
    m_grid->FitAllColumns();
    m_grid->SortByColumn(0, false);

    EXPECT_EQ(m_grid->GetCellText(1, 0), "2 0");
    for (int c = 0; c < kinds.size(); ++c) {
        EXPECT_EQ(kinds.at(c), m_grid->CellAt(1, c)->GetRuntimeClassName());
        EXPECT_GT(m_grid->GetColumnWidth(c), 0);
    }
    EXPECT_TRUE(static_cast<CGridCellCheck*>(m_grid->CellAt(1, 1))->GetCheck());
    EXPECT_FALSE(static_cast<CGridCellCheck*>(m_grid->CellAt(2, 1))->GetCheck());

    ASSERT_LT(m_grid->CellRect(2, 6).right(), m_grid->viewport()->width());
    // Each data cell paints something besides its background.
    const QImage shot = m_grid->viewport()->grab().toImage();
    for (int c = 0; c < kinds.size(); ++c) {
        const QRect cell = m_grid->CellRect(2, c).adjusted(1, 1, -2, -2);
        const QRgb background = shot.pixel(cell.topLeft());
        bool drawn = false;
        for (int y = cell.top(); y <= cell.bottom() && !drawn; ++y) {
            for (int x = cell.left(); x <= cell.right() && !drawn; ++x) {
                drawn = shot.pixel(x, y) != background;
            }
        }
        EXPECT_TRUE(drawn) << kinds.at(c).toStdString();
    }
}
