#include "CardsGridFixture.h"

#include "grid/CGridCellCheck.h"
#include "grid/CGridDefaultCell.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardGridColumn.h"
#include "prices/PriceCorrection.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <algorithm>

namespace {

constexpr int kCards = 100000;

// A whole catalogue listed: marks stay with their cards through sorts and scrolling, and the
// grid keeps only a bounded number of cell objects.
class CardsGridScaleTest : public CardsGridFixture {
protected:
    void SetUp() override
    {
        CardsGridFixture::SetUp();
        for (int id = 1; id <= kCards; ++id) {
            ASSERT_TRUE(m_grid->AddShownCard(
                Keep(MakeCard(id, "Card " + std::to_string((id * 7919) % kCards),
                              float(id % 997) / 10, float(id % 89), 10 * (1 + id % 9), id % 350,
                              10 * (1 + id % 3))),
                false));
        }
        m_grid->SortByValueAndFit();
    }
    void ClickBox(int row, int column)
    {
        m_grid->EnsureVisible(row, column);
        const QRect cell = m_grid->CellRect(row, column);
        const auto* box = dynamic_cast<const CGridCellCheck*>(m_grid->CellAt(row, column));
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          box->GetCheckPlacement(cell).center());
    }
    void TypeValue(int row, int column, const QString& text)
    {
        ASSERT_TRUE(m_grid->EditCell(row, column));
        auto* editor = m_grid->viewport()->findChild<QLineEdit*>("InPlaceEdit");
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    void PaintEverywhere()
    {
        QScrollBar* bar = m_grid->verticalScrollBar();
        for (int step = 0; step <= 50; ++step) {
            bar->setValue(bar->maximum() * step / 50);
            m_grid->viewport()->repaint();
        }
        bar->setValue(0);
    }
};

TEST_F(CardsGridScaleTest, TicksAndTypedValuesFollowTheirCardsThroughSortsWithFewCells)
{
    ASSERT_EQ(m_grid->DataRowCount(), kCards);
    for (int row = 2; row <= kCards; ++row) {
        ASSERT_GE(m_grid->CardOfRow(row - 1)->reg_value, m_grid->CardOfRow(row)->reg_value);
    }
    const int far = 61234;
    const std::int32_t tickedId = m_grid->CardOfRow(far)->id;
    ClickBox(far, ColumnIndex(CardGridColumn::Name));
    TypeValue(far, ColumnIndex(CardGridColumn::RegValue), "123.4");
    const std::int32_t boxOnlyId = m_grid->CardOfRow(7)->id;
    ClickBox(7, ColumnIndex(CardGridColumn::FoilValue));

    for (int column :
         {ColumnIndex(CardGridColumn::Name), ColumnIndex(CardGridColumn::Rarity),
          ColumnIndex(CardGridColumn::UpdateDate), ColumnIndex(CardGridColumn::RegValue)}) {
        m_grid->SortByColumn(column, true);
        PaintEverywhere();
        EXPECT_LE(m_grid->LiveCellCount(), CCardsGridCtrl::kCellLimit) << column;
    }
    const auto marked = m_grid->MarkedRows();
    ASSERT_EQ(marked.size(), 1u);
    EXPECT_EQ(marked[0].cardId, tickedId);
    EXPECT_EQ(marked[0].regText, "123.4");

    // Back on screen, the cells show the marks of their cards again.
    const int row = RowOf(tickedId);
    m_grid->EnsureVisible(row, ColumnIndex(CardGridColumn::Name));
    const auto* name =
        dynamic_cast<const CGridCellCheck*>(m_grid->CellAt(row, ColumnIndex(CardGridColumn::Name)));
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(name->GetCheck());
    EXPECT_EQ(m_grid->GetCellText(row, ColumnIndex(CardGridColumn::RegValue)), "123.4");
    const auto* foil = dynamic_cast<const CGridCellCheck*>(
        m_grid->CellAt(RowOf(boxOnlyId), ColumnIndex(CardGridColumn::FoilValue)));
    ASSERT_NE(foil, nullptr);
    EXPECT_TRUE(foil->GetCheck());
    EXPECT_LE(m_grid->LiveCellCount(), CCardsGridCtrl::kCellLimit);
}

TEST_F(CardsGridScaleTest, SelectAllCopiesEveryRowAndFittingCoversTheWidestName)
{
    m_grid->OnEditSelectAll();
    const QString text = m_grid->SelectedText();
    EXPECT_EQ(text.count('\n'), kCards);
    EXPECT_LE(m_grid->LiveCellCount(), CCardsGridCtrl::kCellLimit);
    const CGridDefaultCell* defaults = m_grid->GetDefaultCell(false, false);
    int widest = 0;
    for (int row = 1; row <= kCards; ++row) {
        widest = std::max(widest, defaults->TextWidth(
                                      m_grid->GetCellText(row, ColumnIndex(CardGridColumn::Name))));
    }
    EXPECT_GE(m_grid->GetColumnWidth(ColumnIndex(CardGridColumn::Name)), widest);
}

// Best Match First on a whole catalogue: rows best score first (equal scores most valuable
// first), and every painted row tinted from its card's score, cells built before the scores came
// included, however far down the list and whatever cells were dropped on the way.
TEST_F(CardsGridScaleTest, MatchScoresOrderAndTintEveryPaintedRow)
{
    const auto scoreOf = [](std::int32_t id) { return id % 3 == 0 ? 60 : id % 3 == 1 ? 20 : 0; };
    const auto tintOf = [](int score) -> GridColour {
        return score >= 55 ? 0xDCF0DC : score > 0 ? 0xFFF5D0 : kGridColourUnset;
    };
    std::vector<ScoredCard> scored;
    for (int row = 1; row <= kCards; ++row) {
        const CardRecord* card = m_grid->CardOfRow(row);
        scored.push_back({*card, scoreOf(card->id)});
    }
    m_grid->viewport()->repaint();
    m_grid->SetMatchScores(scored);
    const auto expectPaintedTints = [&](const char* where) {
        m_grid->viewport()->repaint();
        const int top = m_grid->GetTopRow();
        for (int row = top; row < top + m_grid->GetVisibleRowCount(); ++row) {
            const int score = scoreOf(m_grid->CardOfRow(row)->id);
            EXPECT_EQ(m_grid->MatchScoreOfRow(row), score) << where << row;
            for (int column = 0; column < kCardGridColumnCount; ++column) {
                EXPECT_EQ(m_grid->CellAt(row, column)->GetBackColour(), tintOf(score))
                    << where << row << "," << column;
            }
        }
    };
    expectPaintedTints("built before the scores ");
    m_grid->SortByMatch();
    for (int row = 2; row <= kCards; ++row) {
        const CardRecord* above = m_grid->CardOfRow(row - 1);
        const CardRecord* card = m_grid->CardOfRow(row);
        ASSERT_GE(scoreOf(above->id), scoreOf(card->id)) << row;
        if (scoreOf(above->id) == scoreOf(card->id)) {
            ASSERT_GE(above->reg_value, card->reg_value) << row;
        }
    }
    expectPaintedTints("top ");
    PaintEverywhere();
    m_grid->verticalScrollBar()->setValue(m_grid->verticalScrollBar()->maximum());
    expectPaintedTints("end ");
    EXPECT_LE(m_grid->LiveCellCount(), CCardsGridCtrl::kCellLimit);
    // A header click sorts by its column again; the tints stay with the cards.
    m_grid->SortByColumn(ColumnIndex(CardGridColumn::Name), true);
    expectPaintedTints("by name ");
}

} // namespace
