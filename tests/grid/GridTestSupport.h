#pragma once

#include "grid/CGridCellBase.h"
#include "grid/CGridCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// A grid in a shown, active window, with fixed sizes so tests can aim at cells.
class GridFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(640, 400);
        m_grid = new CGridCtrl(m_window.get());
        m_grid->setObjectName("grid");
        m_grid->setGeometry(0, 0, 640, 400);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        m_grid->setFocus();
    }

    void TearDown() override { m_window.reset(); }

    // A list grid like the program's: one header row, `rows` data rows of `columns` texts
    // "r<row>c<column>", rows 25 pixels high, columns 100 pixels wide.
    void Fill(int rows, int columns)
    {
        m_grid->SetColumns(columns);
        m_grid->SetFixedRows(1);
        for (int c = 0; c < columns; ++c) {
            m_grid->SetCellText(0, c, QString("H%1").arg(c));
            m_grid->SetColumnWidth(c, 100);
        }
        m_grid->SetRowHeightAt(0, 25);
        for (int r = 1; r <= rows; ++r) {
            const int row = m_grid->InsertRowAt(QString());
            for (int c = 0; c < columns; ++c) {
                m_grid->SetCellText(row, c, QString("r%1c%2").arg(row).arg(c));
            }
            m_grid->SetRowHeightAt(row, 25);
        }
    }

    QPoint CellCentre(int row, int column) const { return m_grid->CellRect(row, column).center(); }

    void Click(const QPoint& point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, modifiers, point);
    }

    void ClickCell(int row, int column) { Click(CellCentre(row, column)); }

    // Moves the pointer over the grid with no button held.
    void Hover(const QPoint& point)
    {
        QMouseEvent move(QEvent::MouseMove, point, m_grid->viewport()->mapToGlobal(point),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m_grid->viewport(), &move);
    }

    QStringList ColumnTexts(int column) const
    {
        QStringList texts;
        for (int r = m_grid->GetFixedRowCount(); r < m_grid->GetRowCount(); ++r) {
            texts << m_grid->GetCellText(r, column);
        }
        return texts;
    }

    std::unique_ptr<QWidget> m_window;
    CGridCtrl* m_grid = nullptr;
};

// Records every notification the grid sends.
struct NotifyLog {
    struct Entry {
        int code;
        int row;
        int column;
    };
    explicit NotifyLog(CGridCtrl* grid)
    {
        QObject::connect(grid, &CGridCtrl::notify, grid, [this](int code, int row, int column) {
            entries.push_back({code, row, column});
        });
    }
    int Count(int code) const
    {
        int n = 0;
        for (const Entry& e : entries) {
            n += e.code == code;
        }
        return n;
    }
    std::vector<Entry> entries;
};
