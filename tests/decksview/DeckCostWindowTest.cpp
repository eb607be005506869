#include "../decks/DecksFixture.h"

#include "decks/view/CDlgDeckCost.h"
#include "grid/CGridCtrl.h"
#include "trade/TradeList.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

class DeckCostWindowTest : public DecksFixture {
protected:
    void SetUp() override
    {
        DecksFixture::SetUp();
        RunSql(m_collectionPath, "insert into collections (card_id, collectionName_id, no_owned) "
                                 "values (2, 0, 2)");
        DeckCostContext context{&m_catalogue, &m_price, &m_collection,
                                [this] { return &m_tradeList; },
                                [this](const std::string& text) {
                                    m_copied = text;
                                    return true;
                                },
                                [this] { ++m_tradeListShown; }};
        m_window = std::make_unique<CDlgDeckCost>(context);
    }
    void TearDown() override
    {
        m_window.reset();
        DecksFixture::TearDown();
    }
    void Click(const char* button)
    {
        m_window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    }

    TradeList m_tradeList;
    int m_tradeListShown = 0;
    std::string m_copied;
    std::unique_ptr<CDlgDeckCost> m_window;
};

TEST_F(DeckCostWindowTest, PastedDeckIsPricedAndItsMissingCardsGoToTheTradingListAsBuys)
{
    m_window->findChild<QPlainTextEdit*>(QStringLiteral("deckText"))
        ->setPlainText(QStringLiteral("4 Lightning Bolt\n2 Shock\n3 Counterspel\n"));
    Click("priceDeckButton");

    EXPECT_EQ(m_window->Grid()->GetRowCount(), 3);
    EXPECT_EQ(m_window->Grid()->GetCellText(1, 3), QStringLiteral("Lightning Bolt"));
    EXPECT_TRUE(m_window->TotalsText().startsWith(
        QStringLiteral("Main deck: 6 cards worth 3.3 Tix, 4 missing costing 1.7 Tix")))
        << m_window->TotalsText().toStdString();
    EXPECT_TRUE(m_window->UnmatchedText().startsWith(
        QStringLiteral("line 3: no card named \"Counterspel\" (closest: Counterspell)")));

    Click("addMissingButton");
    ASSERT_EQ(m_tradeList.Count(), 2u);
    const TradeListEntry* bolt = m_tradeList.Find(kBolt7ED);
    ASSERT_NE(bolt, nullptr);
    EXPECT_EQ(bolt->quantity, 2);
    EXPECT_FLOAT_EQ(bolt->buy_value, 0.8f);
    EXPECT_EQ(bolt->buying_mark, 1);
    EXPECT_EQ(m_tradeList.Find(kShock)->quantity, 2);
    EXPECT_EQ(m_tradeListShown, 1);

    Click("copyMissingButton");
    EXPECT_EQ(m_copied, "2 Lightning Bolt\n2 Shock\n");

    // Another version chosen in the row reprices the deck.
    bool refuse = false;
    emit m_window->Grid()->editEnded(1, 5, QStringLiteral("M10 Foil 6.0"), 0, &refuse);
    QApplication::processEvents();
    EXPECT_TRUE(m_window->TotalsText().startsWith(
        QStringLiteral("Main deck: 6 cards worth 24.1 Tix, 4 missing costing 12.1 Tix")))
        << m_window->TotalsText().toStdString();
    EXPECT_EQ(m_window->Grid()->GetCellText(1, 5), QStringLiteral("Foil"));
}

TEST_F(DeckCostWindowTest, TheWindowOpensWhereItWasLeft)
{
    m_window->show();
    m_window->setGeometry(QRect(40, 30, 600, 400));
    m_window->hide();
    m_window.reset();
    CDlgDeckCost again(DeckCostContext{&m_catalogue, &m_price, &m_collection, {}, {}, {}});
    EXPECT_EQ(again.geometry(), QRect(40, 30, 600, 400));
}

} // namespace
