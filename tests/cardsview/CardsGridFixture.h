#pragma once

#include "support/CardBuilder.h"

#include "lookup/view/CCardsGridCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <memory>
#include <string>

// A set-up catalogue grid, shown offscreen so that it lays out and takes mouse events.
class CardsGridFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_grid = std::make_unique<CCardsGridCtrl>();
        m_grid->SetUpColumns();
        m_grid->SetSetNameLookup([this](std::int32_t id) { return m_sets[id]; });
        m_grid->resize(900, 500);
        m_grid->show();
        QApplication::processEvents();
    }

    // The grid lists records in place, as it lists the catalogue's: they live with the test.
    const CardRecord& Keep(CardRecord card) { return m_kept.emplace_back(std::move(card)); }

    // The row of a listed card, or -1.
    int RowOf(int cardId) const
    {
        for (int row = 1; row < m_grid->GetRowCount(); ++row) {
            const CardRecord* card = m_grid->CardOfRow(row);
            if (card != nullptr && card->id == cardId) {
                return row;
            }
        }
        return -1;
    }
    QPoint CentreOf(int row, int column)
    {
        m_grid->EnsureVisible(row, column);
        const QRect rect = m_grid->CellRect(row, column);
        EXPECT_FALSE(rect.isEmpty()) << row << "," << column;
        return rect.center();
    }
    void MoveTo(const QPoint& point)
    {
        QMouseEvent move(QEvent::MouseMove, point, m_grid->viewport()->mapToGlobal(point),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m_grid->viewport(), &move);
    }

    std::map<std::int32_t, std::string> m_sets = {
        {10, "Seventh Edition"}, {20, "Invasion"}, {50, "Odyssey"}, {70, "Judgment"}};
    std::deque<CardRecord> m_kept;
    std::unique_ptr<CCardsGridCtrl> m_grid;
};
