#include "app/CQuorvelDlg.h"

#include "AppTestSupport.h"
#include "MainWindowParts.h"
#include "app/PriceImportCommand.h"
#include "data/SamplePriceMarks.h"
#include "grid/CGridCellBase.h"
#include "lookup/CardGridColumn.h"
#include "lookup/view/CPriceHistoryDlg.h"
#include "support/SqlProbe.h"
#include "toolkit/FileDialog.h"
#include "trade/TransactionLog.h"
#include "trade/view/CDlgCollection.h"

#include <QAction>
#include <QFile>
#include <QLineSeries>
#include <QMenu>
#include <QProgressDialog>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace {

// The main window's price commands: importing price files, and the price history chart.
class PriceImportWindowTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        OpenDatabases();
        FileDialog::setTestMode(true);
        m_window = std::make_unique<CQuorvelDlg>(m_price, m_collection, m_clipboard);
    }
    void TearDown() override
    {
        m_window.reset();
        FileDialog::setTestMode(false);
        AppFixture::TearDown();
    }
    QString WriteFile(const QString& name, const QByteArray& text)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }
    QString PriceCsv()
    {
        return WriteFile("prices.csv", "name,set,number,rarity,regular,foil,date\n"
                                       "Wrath of God,7ED,57,rare,7.25,31,2026-12-01\n"
                                       "\"Ragavan, Nimble Pilferer\",MH2,138,mythic,60,90,"
                                       "2026-12-01\n");
    }
    QByteArray PriceFileBytes() const
    {
        QFile file(QString::fromStdString(PricePath()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    const CardRecord* Card(const std::string& name)
    {
        for (const CardRecord& card : m_window->Catalogue().Cards()) {
            if (card.name == name)
                return &card;
        }
        return nullptr;
    }
    QString LastBox() const
    {
        return MessageBox::asked().empty() ? QString() : MessageBox::asked().back().text;
    }

    std::unique_ptr<CQuorvelDlg> m_window;
};

TEST_F(PriceImportWindowTest, TheMenuAndTheTrayImportACsvAndReloadTheCatalogue)
{
    // Keep the collection view open: it shows today's worth after the import.
    LogDeal(m_collection,
            DealRequest{kDealBought, 1.0f, "", DateTime(2026, 12, 1, 0, 0, 0), {{3, 2}}});
    m_window->OnCommand(MainCommand::MyCollection);
    CDlgCollection& collection = main_window::Collection();
    EXPECT_EQ(collection.WorthCaption(), "Total worth: 13.0 Tix (2 cards)");

    FileDialog::setNextFileNames(QStringList{PriceCsv()});
    m_window->OnCommandName("ImportPrices");
    ASSERT_EQ(FileDialog::asked().size(), 1u);
    EXPECT_TRUE(FileDialog::asked()[0].filter.contains("*.csv"));
    ASSERT_FALSE(MessageBox::asked().empty());
    EXPECT_EQ(MessageBox::asked().back().caption, MessageBox::kInformation);
    EXPECT_TRUE(LastBox().contains("1 card")) << LastBox().toStdString();
    ASSERT_NE(Card("Wrath of God"), nullptr);
    EXPECT_FLOAT_EQ(Card("Wrath of God")->reg_value, 7.25f);
    ASSERT_NE(Card("Ragavan, Nimble Pilferer"), nullptr);
    EXPECT_EQ(Card("Ragavan, Nimble Pilferer")->rarity, 40);
    EXPECT_EQ(collection.WorthCaption(), "Total worth: 14.5 Tix (2 cards)");

    // The same file again through the tray changes nothing and says so.
    QAction* trayItem = nullptr;
    for (QAction* action : main_window::TrayMenu(*m_window).actions()) {
        if (action->text() == "&Import Prices...")
            trayItem = action;
    }
    ASSERT_NE(trayItem, nullptr);
    const QByteArray before = PriceFileBytes();
    FileDialog::setNextFileNames(QStringList{PriceCsv()});
    trayItem->trigger();
    EXPECT_TRUE(LastBox().contains("othing changed")) << LastBox().toStdString();
    EXPECT_EQ(PriceFileBytes(), before);
}

// Made-up sample prices are told from real ones until an import replaces them.
TEST_F(PriceImportWindowTest, SamplePricesAreMarkedUntilImported)
{
    const auto statusLine = [this] { return m_window->findChild<QLabel*>("statusLine")->text(); };
    // How the regular value of a listed card shows: italic or not, and its tip.
    const auto valueMark = [this](std::int32_t cardId) -> std::pair<bool, QString> {
        CCardsGridCtrl& grid = main_window::Grid(*m_window);
        const int column = ColumnIndex(CardGridColumn::RegValue);
        for (int row = 1; row < grid.GetRowCount(); ++row) {
            if (grid.CardOfRow(row) != nullptr && grid.CardOfRow(row)->id == cardId)
                return {grid.CellAt(row, column)->GetFontObject().italic(),
                        grid.SampleTipTextAt(row, column)};
        }
        ADD_FAILURE() << "card " << cardId << " is not listed";
        return {};
    };
    const std::pair<bool, QString> sample{true, sample_price_marks::kTip};
    const std::pair<bool, QString> real{false, QString()};

    EXPECT_EQ(statusLine(), sample_price_marks::kStatusLine);
    m_window->LookUp("Wrath", false);
    EXPECT_EQ(valueMark(3), sample);
    EXPECT_EQ(valueMark(6), sample);
    EXPECT_FALSE(main_window::Grid(*m_window).CellAt(1, ColumnIndex(CardGridColumn::Name))
                     ->GetFontObject().italic());

    FileDialog::setNextFileNames(QStringList{PriceCsv()});
    m_window->OnCommand(MainCommand::ImportPrices);
    EXPECT_EQ(statusLine(), "");
    m_window->LookUp("Wrath", false);
    EXPECT_EQ(valueMark(3), real);   // imported
    EXPECT_EQ(valueMark(6), sample); // the file did not name it
}

TEST_F(PriceImportWindowTest, CancelAndPreviewLeaveTheDatabaseAsItWas)
{
    const QByteArray before = PriceFileBytes();
    const QString csv = PriceCsv();
    // Cancel with the progress dialog's button.
    int shown = 0;
    QObject::connect(&m_window->PriceImport(), &PriceImportCommand::progressShown,
                     [&](QProgressDialog* dialog) {
                         ++shown;
                         dialog->findChild<QPushButton*>()->click();
                     });
    FileDialog::setNextFileNames(QStringList{csv});
    m_window->OnCommand(MainCommand::ImportPrices);
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(LastBox().contains("cancelled")) << LastBox().toStdString();
    EXPECT_EQ(PriceFileBytes(), before);
    QObject::disconnect(&m_window->PriceImport(), nullptr, nullptr, nullptr);

    // A preview the user does not follow up writes nothing; one that is followed imports.
    FileDialog::setNextFileNames(QStringList{csv});
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    m_window->OnCommand(MainCommand::PreviewImport);
    EXPECT_EQ(MessageBox::asked().back().caption, MessageBox::kQuestion);
    EXPECT_TRUE(LastBox().contains("Import these prices now?"));
    EXPECT_EQ(MessageBox::asked().back().checkText, ""); // no price set by hand is in the way
    EXPECT_EQ(PriceFileBytes(), before);
    FileDialog::setNextFileNames(QStringList{csv});
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    m_window->OnCommand(MainCommand::PreviewImport);
    EXPECT_NE(PriceFileBytes(), before);
    EXPECT_FLOAT_EQ(Card("Wrath of God")->reg_value, 7.25f);

    // A file that is no price list is named in an error box.
    FileDialog::setNextFileNames(QStringList{WriteFile("notes.csv", "just,some\nwords,here\n")});
    m_window->OnCommand(MainCommand::ImportPrices);
    EXPECT_EQ(MessageBox::asked().back().caption, MessageBox::kError);
    EXPECT_TRUE(LastBox().contains("notes.csv")) << LastBox().toStdString();
}

// A preview that keeps a price set by hand offers to overwrite it; the tick reaches the import.
TEST_F(PriceImportWindowTest, PreviewOffersToOverwritePricesSetByHand)
{
    const QString csv = PriceCsv();
    for (const bool tick : {false, true}) {
        SCOPED_TRACE(tick);
        RunSql(PricePath(),
               "update cardslist set reg_value=5, manual_modify=1 where name='Wrath of God'");
        FileDialog::setNextFileNames(QStringList{csv});
        MessageBox::setNextAnswer(MessageBox::Answer::Yes);
        MessageBox::setNextCheck(tick);
        m_window->OnCommand(MainCommand::PreviewImport);
        const auto& asked = MessageBox::asked();
        ASSERT_GE(asked.size(), 2u);
        EXPECT_EQ(asked[asked.size() - 2].checkText, PriceImportCommand::kOverwriteManualText);
        EXPECT_TRUE(asked[asked.size() - 2].text.contains("1 kept (set by hand)"));
        ASSERT_NE(Card("Wrath of God"), nullptr);
        EXPECT_FLOAT_EQ(Card("Wrath of God")->reg_value, tick ? 7.25f : 5.0f);
    }
}

TEST_F(PriceImportWindowTest, PriceHistoryChartsTheStoredDays)
{
    // Days as stored: day numbers, values in thousandths.
    RunSql(PricePath(), "insert into price_days (card_id, day, reg, foil, buy) values (3, 20758, "
                        "6000, 28000, null), (3, 20772, 6500, 30000, 5250), (6, 20777, 1500, "
                        "6000, null)");
    auto* history = qobject_cast<CPriceHistoryDlg*>(m_window->ShowPriceHistory(3));
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->windowTitle().contains("Wrath of God"));
    // A step: 28.0 holds up to the day before the change to 30.0 on 2026-11-15.
    ASSERT_EQ(history->RegularSeries()->count(), 3);
    EXPECT_DOUBLE_EQ(history->FoilSeries()->at(1).y(), 28.0);
    EXPECT_DOUBLE_EQ(history->FoilSeries()->at(2).y(), 30.0);
    EXPECT_TRUE(history->Note().isEmpty());
    emit history->FoilSeries()->hovered(history->FoilSeries()->at(2), true);
    EXPECT_EQ(history->HoverText(), "2026-11-15  Foil: 30.0 Tix");
    // The buylist is its own line from the first day that gives it.
    ASSERT_NE(history->BuylistSeries(), nullptr);
    ASSERT_EQ(history->BuylistSeries()->count(), 1);
    EXPECT_DOUBLE_EQ(history->BuylistSeries()->at(0).y(), 5.25);
    EXPECT_EQ(history->FoilBuylistSeries(), nullptr);
    emit history->BuylistSeries()->hovered(history->BuylistSeries()->at(0), true);
    EXPECT_EQ(history->HoverText(), "2026-11-15  Buylist: 5.25 Tix");
    history->close();

    auto* single = qobject_cast<CPriceHistoryDlg*>(m_window->ShowPriceHistory(6));
    ASSERT_NE(single, nullptr);
    EXPECT_EQ(single->RegularSeries()->count(), 1);
    EXPECT_EQ(single->Note(), "Only one price is known for this card (2026-11-20).");
    single->close();

    auto* none = qobject_cast<CPriceHistoryDlg*>(m_window->ShowPriceHistory(1));
    ASSERT_NE(none, nullptr);
    ASSERT_EQ(none->RegularSeries()->count(), 1);
    EXPECT_NEAR(none->RegularSeries()->at(0).y(), 0.1, 1e-6);
    EXPECT_TRUE(none->Note().contains("No price history"));
    none->close();
    EXPECT_EQ(m_window->ShowPriceHistory(4242), nullptr);
}

} // namespace
