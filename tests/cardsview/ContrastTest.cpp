#include "CardsGridFixture.h"
#include "support/ColourSchemes.h"

#include "grid/CGridCellBase.h"
#include "grid/GridPalette.h"
#include "lookup/BestMatchOrder.h"
#include "lookup/CardGridColumn.h"
#include "lookup/view/CPriceHistoryDlg.h"
#include "lookup/view/CardSymbol.h"
#include "toolkit/CHyperLink.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTest>

namespace {

// Every text the program draws itself reaches 4.5:1 against its background, in Fusion's light
// scheme and in a dark one: measured on the drawn pixels, as a reader's eye meets them.
class ContrastTest : public CardsGridFixture, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        m_saved = QApplication::palette();
        QApplication::setPalette(ColourScheme(GetParam()));
        CardsGridFixture::SetUp();
        m_grid->SetSetCodeLookup([](std::int32_t id) { return id == 100 ? "MH2" : ""; });
    }
    void TearDown() override
    {
        m_grid.reset();
        QApplication::setPalette(m_saved);
    }
    // The strongest contrast of any pixel in `area` against `background`: the text's own
    // colour where a glyph covers a whole pixel.
    static double TextContrast(const QImage& image, const QRect& area, const QColor& background)
    {
        double best = 1.0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                best = std::max(best, grid_palette::Contrast(image.pixelColor(x, y), background));
            }
        }
        return best;
    }
    // The text of a grid cell against the cell's background, read beside the text.
    double CellContrast(const QImage& shot, int row, int column)
    {
        const QRect cell = m_grid->CellRect(row, column);
        const QColor background = shot.pixelColor(cell.right() - 2, cell.top() + 2);
        QRect text = cell.adjusted(0, 3, -2, -3);
        m_grid->CellAt(row, column)->GetTextRect(text);
        return TextContrast(shot, text, background);
    }

    QPalette m_saved;
};

TEST_P(ContrastTest, LinksTintedRowsBadgesChartLinesAndFocusFrameStandOut)
{
    const CardRecord& best = Keep(MakeCard(1, "Wrath of God", 6.5, 30, 10, 57, 30));
    const CardRecord& part = Keep(MakeCard(2, "Ragavan", 60, 90, 100, 138, 40));
    const CardRecord& plain = Keep(MakeCard(3, "Common Ground", 0.1, 0.5, 100, 20, 10));
    for (const CardRecord* card : {&best, &part, &plain}) {
        ASSERT_TRUE(m_grid->AddShownCard(*card, false));
    }
    m_grid->viewport()->repaint(); // cells built before the scores come take their tint too
    m_grid->SetMatchScores({{best, {60, 3, 0}}, {part, {20, 1, 0}}, {plain, {0, 0, -1}}});
    m_grid->SortByMatch();
    m_grid->FitAllColumns();
    m_grid->SetFocusCell(1, 0);
    const QImage shot = m_grid->viewport()->grab().toImage();
    const QPalette palette = QApplication::palette();

    // The tints differ from the base and from each other, and every text on them reads.
    const QColor tinted = shot.pixelColor(m_grid->CellRect(1, 2).topRight() + QPoint(-2, 2));
    EXPECT_NE(tinted, palette.color(QPalette::Base));
    EXPECT_NE(tinted, shot.pixelColor(m_grid->CellRect(2, 2).topRight() + QPoint(-2, 2)));
    for (int row = 1; row <= 3; ++row) {
        for (CardGridColumn column : {CardGridColumn::Name, CardGridColumn::RegValue,
                                      CardGridColumn::ShowCards, CardGridColumn::UpdateDate}) {
            EXPECT_GE(CellContrast(shot, row, ColumnIndex(column)), 4.5)
                << "row " << row << " column " << ColumnIndex(column);
        }
    }
    // Links take the palette's link colour (kept readable): bluish, not the text colour.
    const QColor link = grid_palette::LinkColour(palette, palette.color(QPalette::Base));
    EXPECT_GT(link.blue(), link.red());

    // The drawn set badges: letters against the badge.
    for (int row = 2; row <= 3; ++row) {
        const CardRecord* card = m_grid->CardOfRow(row);
        const QImage badge =
            m_grid->GetImageList()[m_grid->GetCellImage(row, ColumnIndex(CardGridColumn::Rarity))]
                .toImage();
        EXPECT_GE(TextContrast(badge, badge.rect().adjusted(3, 3, -3, -3),
                               card_symbol::RarityColour(card->rarity)),
                  4.5)
            << card->name;
    }

    // The focused cell: a frame in the highlight colour.
    const QRect focused = m_grid->CellRect(1, 0);
    EXPECT_EQ(shot.pixelColor(focused.left() + 1, focused.center().y()),
              palette.color(QPalette::Highlight));

    // The hyperlink label against its window.
    QWidget window;
    window.setAutoFillBackground(true);
    auto* label = new CHyperLink(QStringLiteral("Contact Author"), &window);
    label->adjustSize();
    window.resize(label->size() + QSize(8, 8));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage linkShot = window.grab().toImage();
    EXPECT_GE(TextContrast(linkShot, label->geometry(), palette.color(QPalette::Window)), 4.5);

    // The price history chart: both lines and the labels against the chart's background.
    PriceChartPlan plan;
    plan.points = {{"2026-11-01", 1.0, 3.0}, {"2026-11-08", 1.5, 2.0}};
    CPriceHistoryDlg chart(QStringLiteral("Wrath of God"), plan);
    QChart* drawn = chart.RegularSeries()->chart();
    const QColor back = drawn->backgroundBrush().color();
    EXPECT_EQ(back, palette.color(QPalette::Base));
    for (QLineSeries* series : {chart.RegularSeries(), chart.FoilSeries()}) {
        EXPECT_GE(grid_palette::Contrast(series->pen().color(), back), 4.5)
            << series->name().toStdString();
    }
    EXPECT_NE(chart.RegularSeries()->pen().color(), chart.FoilSeries()->pen().color());
    for (QAbstractAxis* axis : drawn->axes()) {
        EXPECT_GE(grid_palette::Contrast(axis->labelsBrush().color(), back), 4.5);
    }
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, ContrastTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Dark" : "Light"; });

} // namespace
