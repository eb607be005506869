#include "CardsGridFixture.h"

#include "grid/CGridCellCheck.h"
#include "grid/CGridURLCell.h"
#include "grid/GridTypes.h"
#include "lookup/CardGridColumn.h"
#include "lookup/CardItemTag.h"
#include "lookup/CardPictureLink.h"
#include "prices/PriceCorrection.h"
#include "toolkit/CTipPopup.h"

#include <QTest>

namespace {

const QString kPage = QString::fromLatin1(kScryfallCardPage);

TEST_F(CardsGridFixture, StartsWithTheSevenHeadersAndNoDataRow)
{
    EXPECT_EQ(m_grid->GetColumnCount(), 7);
    EXPECT_EQ(m_grid->GetRowCount(), 1);
    EXPECT_EQ(m_grid->GetFixedRowCount(), 1);
    EXPECT_EQ(m_grid->DataRowCount(), 0);
    EXPECT_TRUE(m_grid->GetListMode());
    EXPECT_TRUE(m_grid->GetSortOnClick());
    EXPECT_EQ(m_grid->GetImageList().size(), 29);
    const QStringList headers = {"HOT",        "Cards Name", "Rarity",     "Reg Value",
                                 "Foil Value", "Show Cards", "Update Date"};
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(m_grid->GetCellText(0, column), headers[column]);
        EXPECT_EQ(m_grid->GetCellData(0, column), 0);
    }
}

TEST_F(CardsGridFixture, ListsACardWithItsCellsKindsAndTags)
{
    ASSERT_TRUE(m_grid->AddShownCard(
        Keep(MakeCard(1234, "Shivan Dragon", 12.5f, 40.0f, 10, 12, 30, 1)), false));
    ASSERT_EQ(m_grid->GetRowCount(), 2);
    EXPECT_EQ(m_grid->GetCellImage(1, ColumnIndex(CardGridColumn::Hot)), 27);
    EXPECT_EQ(m_grid->GetCellText(1, ColumnIndex(CardGridColumn::Hot)), "");
    EXPECT_EQ(m_grid->GetCellText(1, ColumnIndex(CardGridColumn::Name)), "Shivan Dragon");
    EXPECT_EQ(m_grid->GetCellImage(1, ColumnIndex(CardGridColumn::Rarity)), 2);
    EXPECT_EQ(m_grid->GetCellText(1, ColumnIndex(CardGridColumn::Rarity)), "");
    EXPECT_EQ(m_grid->GetCellText(1, ColumnIndex(CardGridColumn::RegValue)), "12.5");
    EXPECT_EQ(m_grid->GetCellText(1, ColumnIndex(CardGridColumn::FoilValue)), "40.0");
    EXPECT_EQ(m_grid->GetCellText(1, ColumnIndex(CardGridColumn::ShowCards)), kPage + "7ed/12");
    EXPECT_EQ(m_grid->GetCellText(1, ColumnIndex(CardGridColumn::UpdateDate)), "11-05-2026");
    EXPECT_EQ(m_grid->GetRowHeight(1), 25);

    for (int column : {ColumnIndex(CardGridColumn::Name), ColumnIndex(CardGridColumn::RegValue),
                       ColumnIndex(CardGridColumn::FoilValue)}) {
        const auto* box = dynamic_cast<const CGridCellCheck*>(m_grid->CellAt(1, column));
        ASSERT_NE(box, nullptr) << column;
        EXPECT_FALSE(box->GetCheck());
    }
    EXPECT_NE(dynamic_cast<const CGridURLCell*>(
                  m_grid->CellAt(1, ColumnIndex(CardGridColumn::ShowCards))),
              nullptr);
    EXPECT_TRUE(
        CGridURLCell::HasUrl(m_grid->GetCellText(1, ColumnIndex(CardGridColumn::ShowCards))));
    for (int column : {ColumnIndex(CardGridColumn::Hot), ColumnIndex(CardGridColumn::Rarity),
                       ColumnIndex(CardGridColumn::UpdateDate)}) {
        EXPECT_EQ(dynamic_cast<const CGridCellCheck*>(m_grid->CellAt(1, column)), nullptr);
        EXPECT_EQ(dynamic_cast<const CGridURLCell*>(m_grid->CellAt(1, column)), nullptr);
    }

    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(static_cast<std::uint32_t>(m_grid->GetCellData(1, column)),
                  static_cast<std::uint32_t>(column) * 16777216u + 1234u)
            << column;
        const bool editable = column == ColumnIndex(CardGridColumn::RegValue) ||
                              column == ColumnIndex(CardGridColumn::FoilValue);
        EXPECT_EQ(m_grid->IsCellReadOnly(1, column), !editable) << column;
    }
    // The link belongs to the cell; the listed record keeps the catalogue's empty link.
    ASSERT_NE(m_grid->ShownCards().Find(1234), nullptr);
    EXPECT_EQ(m_grid->ShownCards().Find(1234)->link, "");
}

TEST_F(CardsGridFixture, OnlyTheValueCellsOfACardAreEditable)
{
    m_grid->AddShownCard(Keep(MakeCard(1, "Opt", 1, 1, 10, 1, 10)), false);
    for (int column = 0; column < 7; ++column) {
        const bool editable = column == ColumnIndex(CardGridColumn::RegValue) ||
                              column == ColumnIndex(CardGridColumn::FoilValue);
        EXPECT_EQ(m_grid->IsCellEditable(1, column), editable) << column;
        EXPECT_FALSE(m_grid->IsCellEditable(0, column)) << column;
    }
}

TEST_F(CardsGridFixture, TheNotFoundRowNamesNoCard)
{
    m_grid->AddShownCard(Keep(MakeCard(0, "Card zero", 1, 1, 10, 1, 10, 1)), false);
    m_grid->ClearShownCards();
    m_grid->AddNotFoundRow();
    ASSERT_EQ(m_grid->GetRowCount(), 2);
    EXPECT_EQ(m_grid->GetCellText(1, ColumnIndex(CardGridColumn::Name)), "card not found!");
    EXPECT_EQ(m_grid->CardOfRow(1), nullptr);
    EXPECT_TRUE(m_grid->MarkedRows().empty());
    EXPECT_FALSE(m_grid->ToggleHotAt(1, ColumnIndex(CardGridColumn::Hot)));
    EXPECT_EQ(m_grid->RarityTipTextAt(1, ColumnIndex(CardGridColumn::Rarity)), "");
    EXPECT_FALSE(m_grid->IsCellEditable(1, ColumnIndex(CardGridColumn::RegValue)));
    // The next lookup replaces it.
    m_grid->ClearShownCards();
    m_grid->AddShownCard(Keep(MakeCard(5, "Opt", 1, 1, 10, 1, 10)), false);
    EXPECT_EQ(m_grid->DataRowCount(), 1);
    EXPECT_EQ(m_grid->CardOfRow(1)->id, 5);
}

TEST_F(CardsGridFixture, ShowsTheLinksOfTheExamples)
{
    m_grid->AddShownCard(Keep(MakeCard(1, "a", 1, 1, 50, 7, 20)), false);
    m_grid->AddShownCard(Keep(MakeCard(2, "b", 1, 1, 70, 1, 10)), false);
    m_grid->AddShownCard(Keep(MakeCard(3, "c", 1, 1, 20, 294, 30)), false);
    m_grid->AddShownCard(Keep(MakeCard(4, "d", 1, 1, 40, 131, 10)), false);
    m_grid->AddShownCard(Keep(MakeCard(5, "e", 1, 1, 10, 0, 30)), false);
    m_grid->AddShownCard(Keep(MakeCard(6, "f", 1, 1, 30, 5, 99)), false);
    EXPECT_EQ(m_grid->GetCellText(RowOf(1), ColumnIndex(CardGridColumn::ShowCards)),
              kPage + "ody/7");
    EXPECT_EQ(m_grid->GetCellText(RowOf(2), ColumnIndex(CardGridColumn::ShowCards)),
              kPage + "jud/1");
    EXPECT_EQ(m_grid->GetCellText(RowOf(3), ColumnIndex(CardGridColumn::ShowCards)),
              kPage + "inv/294");
    EXPECT_EQ(m_grid->GetCellText(RowOf(4), ColumnIndex(CardGridColumn::ShowCards)),
              kPage + "apc/131");
    EXPECT_EQ(m_grid->GetCellText(RowOf(5), ColumnIndex(CardGridColumn::ShowCards)), "");
    EXPECT_EQ(m_grid->GetCellText(RowOf(6), ColumnIndex(CardGridColumn::ShowCards)),
              kPage + "pls/5");
}

TEST_F(CardsGridFixture, ListsEachCardOnceAndCapsAClipboardLookupAtOneHundred)
{
    EXPECT_TRUE(m_grid->AddShownCard(Keep(MakeCard(7, "Opt", 1, 1, 10, 1, 10)), false));
    EXPECT_FALSE(m_grid->AddShownCard(Keep(MakeCard(7, "Opt", 1, 1, 10, 1, 10)), false));
    EXPECT_EQ(m_grid->DataRowCount(), 1);

    m_grid->ClearShownCards();
    EXPECT_EQ(m_grid->GetRowCount(), 1);
    EXPECT_TRUE(m_grid->ShownCards().Empty());
    for (int id = 1; id <= 100; ++id) {
        EXPECT_TRUE(m_grid->AddShownCard(Keep(MakeCard(id, "card", 1, 1, 10, id, 10)), true));
    }
    EXPECT_FALSE(m_grid->AddShownCard(Keep(MakeCard(101, "card", 1, 1, 10, 1, 10)), true));
    EXPECT_EQ(m_grid->DataRowCount(), 100);
    EXPECT_EQ(m_grid->ShownCards().Size(), 100u);

    // A typed search has no bound.
    m_grid->ClearShownCards();
    for (int id = 1; id <= 150; ++id) {
        ASSERT_TRUE(m_grid->AddShownCard(Keep(MakeCard(id, "card", 1, 1, 10, id, 10)), false));
    }
    EXPECT_EQ(m_grid->DataRowCount(), 150);
}

class CardsGridSortTest : public CardsGridFixture {
protected:
    void SetUp() override
    {
        CardsGridFixture::SetUp();
        m_grid->AddShownCard(Keep(MakeCard(1, "Bolt", 2.0f, 5.0f, 50, 1, 10)), false);
        m_grid->AddShownCard(Keep(MakeCard(2, "Armadillo", 9.0f, 1.0f, 20, 1, 30)), false);
        m_grid->AddShownCard(Keep(MakeCard(3, "Bolt", 2.0f, 6.0f, 10, 1, 20)), false);
        m_grid->AddShownCard(Keep(MakeCard(4, "Counter", 0.5f, 3.0f, 90, 1, 10)), false);
        m_grid->AddShownCard(Keep(MakeCard(5, "Dragon", 2.0f, 7.0f, 30, 1, 30)), false);
    }
    std::vector<int> Order() const
    {
        std::vector<int> ids;
        for (int row = 1; row < m_grid->GetRowCount(); ++row) {
            ids.push_back(m_grid->CardOfRow(row)->id);
        }
        return ids;
    }
    void ClickHeader(int column)
    {
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier, CentreOf(0, column));
    }
};

TEST_F(CardsGridSortTest, ALookupSortsByValueHighestFirst)
{
    m_grid->SortByValueAndFit();
    // Equal values: sorted descending, so the higher set comes first.
    EXPECT_EQ(Order(), (std::vector<int>{2, 1, 5, 3, 4}));
}

TEST_F(CardsGridSortTest, HeaderClicksSortAscendingThenDescendingWithTheSetTieBreak)
{
    ClickHeader(ColumnIndex(CardGridColumn::RegValue));
    EXPECT_EQ(Order(), (std::vector<int>{4, 3, 5, 1, 2}));
    ClickHeader(ColumnIndex(CardGridColumn::RegValue));
    EXPECT_EQ(Order(), (std::vector<int>{2, 1, 5, 3, 4}));
    ClickHeader(ColumnIndex(CardGridColumn::Name));
    EXPECT_EQ(Order(), (std::vector<int>{2, 3, 1, 4, 5}));
    ClickHeader(ColumnIndex(CardGridColumn::Rarity));
    EXPECT_EQ(Order(), (std::vector<int>{1, 4, 3, 2, 5}));
    ClickHeader(ColumnIndex(CardGridColumn::FoilValue));
    EXPECT_EQ(Order(), (std::vector<int>{2, 4, 1, 3, 5}));
}

TEST_F(CardsGridSortTest, CellsOfOneRowMoveTogether)
{
    ClickHeader(ColumnIndex(CardGridColumn::Name));
    for (int row = 1; row < m_grid->GetRowCount(); ++row) {
        const std::int32_t id = m_grid->CardOfRow(row)->id;
        for (int column = 0; column < 7; ++column) {
            EXPECT_EQ(
                card_item_tag::CardId(static_cast<std::uint32_t>(m_grid->GetCellData(row, column))),
                id);
        }
        EXPECT_EQ(m_grid->GetCellText(row, ColumnIndex(CardGridColumn::Name)),
                  QString::fromStdString(m_grid->CardOfRow(row)->name));
    }
}

class CardsGridPointerTest : public CardsGridFixture {
protected:
    void SetUp() override
    {
        CardsGridFixture::SetUp();
        m_grid->SetReportPopup(&m_popup);
        m_grid->AddShownCard(Keep(MakeCard(1, "Opt", 1, 1, 20, 5, 30, 0)), false);
        m_grid->AddShownCard(Keep(MakeCard(2, "Duress", 1, 1, 50, 5, 10, 1)), false);
        m_grid->AddShownCard(Keep(MakeCard(3, "Odd", 1, 1, 60, 5, 40, 5)), false);
        m_grid->AddShownCard(Keep(MakeCard(4, "Twin", 1, 1, 10, 5, 20, 0)), false);
    }
    void TearDown() override { m_popup.closePopup(); }
    void Click(int row, int column)
    {
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          CentreOf(row, column));
    }
    int Hot(int id) const { return m_grid->ShownCards().Find(id)->hot; }
    // The hot flag a card holds and the image its hot cell in `row` shows.
    void ExpectHot(int id, int row, int flag, int image)
    {
        EXPECT_EQ(Hot(id), flag) << "card " << id;
        EXPECT_EQ(m_grid->GetCellImage(row, ColumnIndex(CardGridColumn::Hot)), image) << "card " << id;
    }

    CTipPopup m_popup;
};

TEST_F(CardsGridPointerTest, RarityTipNamesSetAndRarity)
{
    EXPECT_EQ(m_grid->RarityTipTextAt(RowOf(1), ColumnIndex(CardGridColumn::Rarity)),
              "Invasion/Rare");
    EXPECT_EQ(m_grid->RarityTipTextAt(RowOf(2), ColumnIndex(CardGridColumn::Rarity)),
              "Odyssey/Common");
    EXPECT_EQ(m_grid->RarityTipTextAt(RowOf(4), ColumnIndex(CardGridColumn::Rarity)),
              "Seventh Edition/Uncommon");
    // A set missing from the set table gives an empty name; rarity 40 is a mythic rare.
    EXPECT_EQ(m_grid->RarityTipTextAt(RowOf(3), ColumnIndex(CardGridColumn::Rarity)), "/Mythic");
    EXPECT_EQ(m_grid->RarityTipTextAt(RowOf(1), ColumnIndex(CardGridColumn::Name)), "");
    EXPECT_EQ(m_grid->RarityTipTextAt(0, ColumnIndex(CardGridColumn::Rarity)), "");
    m_sets[20] = "Inva\\nsion";
    EXPECT_EQ(m_grid->RarityTipTextAt(RowOf(1), ColumnIndex(CardGridColumn::Rarity)),
              "Inva\nsion/Rare");
}

TEST_F(CardsGridPointerTest, PointerOverARarityCellShowsTheTipOnceForThatCell)
{
    const QPoint rarity = CentreOf(RowOf(1), ColumnIndex(CardGridColumn::Rarity));
    MoveTo(rarity);
    ASSERT_TRUE(m_popup.isOpen());
    EXPECT_EQ(m_popup.title(), "");
    EXPECT_EQ(m_popup.lines(), QStringList{"Invasion/Rare"});
    const QPoint expected = m_grid->viewport()->mapToGlobal(rarity) + QPoint(5, 25);
    EXPECT_EQ(m_popup.pos(), expected);

    // Moving inside the same cell does not show it again.
    m_popup.closePopup();
    MoveTo(rarity + QPoint(1, 0));
    EXPECT_FALSE(m_popup.isOpen());

    // Another column shows nothing but is remembered, so coming back shows the tip again.
    MoveTo(CentreOf(RowOf(1), ColumnIndex(CardGridColumn::Name)));
    EXPECT_FALSE(m_popup.isOpen());
    MoveTo(rarity);
    EXPECT_TRUE(m_popup.isOpen());

    // A value report on screen gives way to the tip of another card.
    m_popup.showTip("", "3 cards found!", QPoint(0, 0), 10000);
    MoveTo(CentreOf(RowOf(2), ColumnIndex(CardGridColumn::Rarity)));
    EXPECT_EQ(m_popup.lines(), QStringList{"Odyssey/Common"});
}

TEST_F(CardsGridPointerTest, ClickingAHotMarkerTwiceRestoresFlagAndImage)
{
    const int row = RowOf(1);
    Click(row, ColumnIndex(CardGridColumn::Hot));
    ExpectHot(1, row, 1, 27);
    Click(row, ColumnIndex(CardGridColumn::Hot));
    ExpectHot(1, row, 0, 28);

    Click(RowOf(2), ColumnIndex(CardGridColumn::Hot));
    ExpectHot(2, RowOf(2), 0, 28);
}

TEST_F(CardsGridPointerTest, AnOddHotValueBecomesOneFirstSoItsImageStays)
{
    const int row = RowOf(3);
    EXPECT_EQ(m_grid->GetCellImage(row, ColumnIndex(CardGridColumn::Hot)), 27);
    Click(row, ColumnIndex(CardGridColumn::Hot));
    ExpectHot(3, row, 1, 27);
    Click(row, ColumnIndex(CardGridColumn::Hot));
    ExpectHot(3, row, 0, 28);
}

TEST_F(CardsGridPointerTest, OnlyHotCellsOfDataRowsToggle)
{
    Click(0, ColumnIndex(CardGridColumn::Hot));
    Click(RowOf(1), ColumnIndex(CardGridColumn::Name));
    Click(RowOf(1), ColumnIndex(CardGridColumn::Rarity));
    for (int id : {1, 2, 3, 4}) {
        EXPECT_EQ(Hot(id), id == 1 || id == 4 ? 0 : (id == 2 ? 1 : 5)) << id;
    }
    EXPECT_EQ(m_grid->GetCellImage(0, ColumnIndex(CardGridColumn::Hot)), -1);
}

TEST_F(CardsGridPointerTest, MarkedRowsAreThoseWithATickedName)
{
    auto tick = [this](int id, int column) {
        auto* box = dynamic_cast<CGridCellCheck*>(m_grid->CellAt(RowOf(id), column));
        ASSERT_NE(box, nullptr);
        box->SetCheck(true);
    };
    tick(4, ColumnIndex(CardGridColumn::Name));
    tick(2, ColumnIndex(CardGridColumn::RegValue)); // a value box alone does not mark a row
    tick(2, ColumnIndex(CardGridColumn::FoilValue));
    tick(1, ColumnIndex(CardGridColumn::Name));
    m_grid->SetCellText(RowOf(1), ColumnIndex(CardGridColumn::RegValue), " 12.5");
    const auto rows = m_grid->MarkedRows();
    ASSERT_EQ(rows.size(), 2u);
    // Top to bottom; the rows are in the order the cards were added.
    EXPECT_EQ(rows[0].cardId, 1);
    EXPECT_EQ(rows[0].regText, " 12.5");
    EXPECT_EQ(rows[0].foilText, " 1.0");
    // Only the value the user changed counts as edited.
    EXPECT_TRUE(rows[0].regEdited);
    EXPECT_FALSE(rows[0].foilEdited);
    EXPECT_EQ(rows[1].cardId, 4);
    EXPECT_FALSE(rows[1].regEdited || rows[1].foilEdited);
}

TEST_F(CardsGridPointerTest, ClickingANameBoxTicksTheRow)
{
    const int row = RowOf(2);
    const QRect cell = m_grid->CellRect(row, ColumnIndex(CardGridColumn::Name));
    const auto* box =
        dynamic_cast<const CGridCellCheck*>(m_grid->CellAt(row, ColumnIndex(CardGridColumn::Name)));
    ASSERT_NE(box, nullptr);
    const QPoint inBox = box->GetCheckPlacement(cell).center();
    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier, inBox);
    EXPECT_TRUE(box->GetCheck());
    ASSERT_EQ(m_grid->MarkedRows().size(), 1u);
    EXPECT_EQ(m_grid->MarkedRows()[0].cardId, 2);
}

} // namespace
