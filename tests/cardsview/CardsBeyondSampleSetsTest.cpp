#include "CardsGridFixture.h"

#include "lookup/CardGridColumn.h"
#include "lookup/view/CardSymbol.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>

namespace {

// Sets of a price import: ids past the nine sample sets, rarities past rare.
class CardsBeyondSampleSetsTest : public CardsGridFixture {
protected:
    void SetUp() override
    {
        CardsGridFixture::SetUp();
        m_sets[100] = "Modern Horizons 2";
        m_grid->SetSetCodeLookup([this](std::int32_t id) { return m_codes[id]; });
    }
    int Image(int cardId)
    {
        return m_grid->GetCellImage(RowOf(cardId), ColumnIndex(CardGridColumn::Rarity));
    }

    std::map<std::int32_t, std::string> m_codes = {{10, "7ED"}, {100, "MH2"}};
};

TEST_F(CardsBeyondSampleSetsTest, DrawsASymbolPerSetAndRarityAndLinksScryfall)
{
    m_grid->AddShownCard(Keep(MakeCard(1, "Sample rare", 1, 1, 10, 12, 30)), false);
    m_grid->AddShownCard(Keep(MakeCard(2, "Ragavan", 60, 90, 100, 138, 40)), false);
    m_grid->AddShownCard(Keep(MakeCard(3, "Mythic twin", 1, 1, 100, 139, 40)), false);
    m_grid->AddShownCard(Keep(MakeCard(4, "Common", 1, 1, 100, 20, 10)), false);
    m_grid->AddShownCard(Keep(MakeCard(5, "No code", 1, 1, 250, 3, 30)), false);
    m_grid->AddShownCard(Keep(MakeCard(6, "Sample mythic", 1, 1, 10, 13, 40)), false);

    // The sample sets keep their images; every other card gets a drawn symbol past them, one
    // per set and rarity, inside the image list.
    EXPECT_EQ(Image(1), 2);
    const int images = int(m_grid->GetImageList().size());
    for (int id = 2; id <= 6; ++id) {
        EXPECT_GE(Image(id), 29) << id;
        EXPECT_LT(Image(id), images) << id;
    }
    EXPECT_EQ(Image(2), Image(3));
    EXPECT_NE(Image(2), Image(4));
    EXPECT_NE(Image(6), Image(2));
    EXPECT_EQ(images, 29 + 4);
    EXPECT_NE(m_grid->GetImageList()[Image(2)].toImage(), m_grid->GetImageList()[Image(4)].toImage());

    EXPECT_EQ(m_grid->GetCellText(RowOf(2), ColumnIndex(CardGridColumn::ShowCards)),
              "https://scryfall.com/card/mh2/138");
    EXPECT_EQ(m_grid->GetCellText(RowOf(6), ColumnIndex(CardGridColumn::ShowCards)),
              "https://scryfall.com/card/7ed/13");
    EXPECT_EQ(m_grid->RarityTipTextAt(RowOf(4), ColumnIndex(CardGridColumn::Rarity)),
              "Modern Horizons 2/Common");

    // Painting every row, drawn symbols included, must neither crash nor read past the list.
    QPixmap canvas(m_grid->size());
    m_grid->render(&canvas);
    EXPECT_FALSE(canvas.isNull());
}

TEST_F(CardsBeyondSampleSetsTest, NameDoubleClickAndContextMenuAskForTheHistory)
{
    m_grid->AddShownCard(Keep(MakeCard(7, "Opt", 1, 1, 100, 5, 10)), false);
    QSignalSpy asked(m_grid.get(), &CCardsGridCtrl::priceHistoryRequested);
    const int row = RowOf(7);
    const QRect name = m_grid->CellRect(row, ColumnIndex(CardGridColumn::Name));
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                       QPoint(name.right() - 4, name.center().y()));
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.takeFirst().at(0).toInt(), 7);
    // Elsewhere in the row it asks nothing.
    QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                       CentreOf(row, ColumnIndex(CardGridColumn::UpdateDate)));
    EXPECT_EQ(asked.count(), 0);

    std::unique_ptr<QMenu> menu(m_grid->CreateCardMenu(row, nullptr));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Price history...");
    menu->actions()[0]->trigger();
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked.takeFirst().at(0).toInt(), 7);
    EXPECT_EQ(m_grid->CreateCardMenu(0, nullptr), nullptr);  // the header names no card
}

TEST(CardSymbol, RarityColoursAndClasses)
{
    EXPECT_EQ(card_symbol::RarityClass(40), 40);
    EXPECT_EQ(card_symbol::RarityClass(35), 30);  // special and bonus count as rare
    EXPECT_NE(card_symbol::RarityColour(40), card_symbol::RarityColour(30));
    EXPECT_EQ(card_symbol::RarityColour(0), card_symbol::RarityColour(30));
    EXPECT_EQ(card_symbol::Symbol("MH2", 40).size(), QSize(16, 16));
}

} // namespace
