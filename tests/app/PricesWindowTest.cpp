// The main window's prices that keep themselves current: the welcome bar and the daily update
// (no network before the user asks), its notification, the "Price changes" window, and the
// catalogue read again after another program changed the price database.

#include "app/CQuorvelDlg.h"

#include "../update/UpdateTestSupport.h"
#include "AppTestSupport.h"
#include "MainWindowParts.h"
#include "app/CPriceChangesDlg.h"
#include "app/MainPrices.h"
#include "app/PriceDatabaseWatch.h"
#include "app/PriceImportCommand.h"
#include "app/WelcomeBar.h"
#include "data/PriceHistory.h"
#include "lookup/view/CPriceHistoryDlg.h"
#include "support/SqlProbe.h"
#include "toolkit/DesktopNotifier.h"
#include "toolkit/FileDialog.h"

#include <QCheckBox>
#include <QDate>
#include <QSettings>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeWidget>

#include <sqlite3.h>

#include <memory>

namespace {

class PricesWindowTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        // A first start: no welcome shown, no option chosen.
        AppSettings::open()->remove("Options/WelcomeShown");
        // Akroma's values of the day before the update: the regular one falls, the foil rises.
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(PricePath().c_str(), &db), SQLITE_OK);
        EXPECT_TRUE(price_history::Write(db, 7, {"2026-11-30", 9.0, 10.0}));
        sqlite3_close(db);
        // Two regular Akromas owned, worth 18.0 Tix before the update.
        RunSql(CollectionPath(),
               "insert into collections (card_id, collectionName_id, no_owned) values (7, 0, 2)");
        OpenDatabases();
        PublishMtgjson(m_www.Path().string(), "2026-12-01", "5.2.2+20261201",
                       Example("AllPrintings.json"), Example("AllPricesToday.json"));
        m_server = std::make_unique<PriceServer>(m_www.Path().string());
        AppSettings::open()->setValue("Prices/BaseUrl", QString::fromStdString(m_server->Base()));
        qputenv("XDG_CACHE_HOME", m_dir.filePath("cache").toUtf8());
        // As on a desktop without the notification service: the tray's message shows it.
        DesktopNotifier::setBusEnabled(false);
    }
    void TearDown() override
    {
        m_window.reset();
        DesktopNotifier::setBusEnabled(true);
        qunsetenv("XDG_CACHE_HOME");
        AppFixture::TearDown();
    }
    CQuorvelDlg& Open()
    {
        m_window = std::make_unique<CQuorvelDlg>(m_price, m_collection, m_clipboard);
        return *m_window;
    }

    TempDir m_www;
    std::unique_ptr<PriceServer> m_server;
    std::unique_ptr<CQuorvelDlg> m_window;
};

TEST_F(PricesWindowTest, NothingGoesOutUntilTheWelcomeBarsDailyUpdateIsTickedThenOnceADay)
{
    CQuorvelDlg& window = Open();
    ASSERT_NE(window.Welcome(), nullptr);
    auto& daily = FindNamed<QCheckBox>(*window.Welcome(), "welcomeUpdateDaily");
    auto& bestMatch = FindNamed<QCheckBox>(*window.Welcome(), "welcomeBestMatch");
    EXPECT_FALSE(daily.isChecked());
    EXPECT_TRUE(bestMatch.isChecked()); // recommended, and on
    EXPECT_TRUE(main_window::IsOn(window, MainCommand::BestMatch));
    EXPECT_FALSE(main_window::IsOn(window, MainCommand::UpdateDaily));

    window.Prices().Start();
    EXPECT_FALSE(window.Prices().CheckDaily());
    QTest::qWait(300);
    EXPECT_TRUE(m_server->Requests().empty());

    QSignalSpy ended(&window.Prices(), &MainPrices::backgroundUpdateEnded);
    daily.click();
    EXPECT_TRUE(main_window::IsOn(window, MainCommand::UpdateDaily));
    EXPECT_TRUE(AppSettings::updatePricesDaily());
    ASSERT_TRUE(ended.wait(30000));
    const QString notice = "Prices updated: your collection is worth 8.1 Tix (-54.8 %)";
    EXPECT_EQ(ended.front().front().toString(), notice);
    EXPECT_EQ(main_window::Tray(window).lastMessage(), "Quorvel: " + notice);
    EXPECT_EQ(MessageBox::asked().size(), 0u); // never a box
    EXPECT_FALSE(m_server->Requests().empty());
    EXPECT_EQ(AppSettings::lastDailyUpdate(), QDate::currentDate().toString(Qt::ISODate));

    // The same day again, from this run or the next: nothing.
    EXPECT_FALSE(window.Prices().CheckDaily());
    m_window.reset();
    CQuorvelDlg& again = Open();
    EXPECT_EQ(again.Welcome(), nullptr);
    EXPECT_TRUE(main_window::IsOn(again, MainCommand::UpdateDaily));
    EXPECT_FALSE(again.Prices().CheckDaily());
    EXPECT_TRUE(m_server->Requests().empty());
}

TEST_F(PricesWindowTest, AFailedDailyUpdateIsNotifiedOnceAndTheBarKeepsEarlierChoices)
{
    AppSettings::open()->setValue("Prices/BaseUrl",
                                  QString::fromStdString(m_server->Base() + "gone/"));
    AppSettings::setUpdatePricesDaily(true);
    AppSettings::setBestMatchFirst(false); // chosen before this version
    CQuorvelDlg& window = Open();
    ASSERT_NE(window.Welcome(), nullptr);
    EXPECT_TRUE(FindNamed<QCheckBox>(*window.Welcome(), "welcomeUpdateDaily").isChecked());
    EXPECT_FALSE(FindNamed<QCheckBox>(*window.Welcome(), "welcomeBestMatch").isChecked());
    EXPECT_FALSE(main_window::IsOn(window, MainCommand::BestMatch));
    QSignalSpy ended(&window.Prices(), &MainPrices::backgroundUpdateEnded);
    ASSERT_TRUE(window.Prices().CheckDaily());
    ASSERT_TRUE(ended.wait(30000));
    EXPECT_TRUE(ended.front().front().toString().startsWith("Prices could not be updated: "))
        << ended.front().front().toString().toStdString();
    EXPECT_EQ(MessageBox::asked().size(), 0u);
    EXPECT_FALSE(window.Prices().CheckDaily());

    // Closed with one click, giving its room back.
    auto& grid = main_window::Grid(window);
    const int gridTop = grid.y();
    const int barHeight = window.Welcome()->height();
    FindNamed<QToolButton>(*window.Welcome(), "welcomeClose").click();
    EXPECT_EQ(window.Welcome(), nullptr);
    EXPECT_EQ(grid.y(), gridTop - barHeight);
}

TEST_F(PricesWindowTest, PriceChangesFollowTheMenusUpdateListOwnedCardsAndOpenTheChart)
{
    CQuorvelDlg& window = Open();
    QSignalSpy outside(&window.Prices(), &MainPrices::outsideChangeLoaded);
    window.OnCommandName("UpdatePrices");
    CPriceChangesDlg* changes = window.Prices().PriceChangesWindow();
    ASSERT_NE(changes, nullptr);
    EXPECT_TRUE(changes->isVisible());
    const auto texts = [](QTreeWidget* list) {
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList row;
            for (int column = 0; column < list->columnCount(); ++column)
                row << list->topLevelItem(i)->text(column);
            rows << row.join('|');
        }
        return rows;
    };
    EXPECT_EQ(texts(changes->Risers()),
              QStringList{"Akroma, Angel of Wrath|LGN|Foil|10.0|19.99|+9.99|+99.9 %"});
    EXPECT_EQ(texts(changes->Fallers()),
              QStringList{"Akroma, Angel of Wrath|LGN|Regular|9.0|4.07|-4.93|-54.8 %"});
    EXPECT_EQ(changes->WorthText(), "Your collection: 18.0 Tix before, 8.1 Tix (-54.8 %) now");
    changes->OnlyOwned()->click(); // only the regular copies are owned
    EXPECT_EQ(changes->Risers()->topLevelItemCount(), 0);
    EXPECT_EQ(changes->Fallers()->topLevelItemCount(), 1);

    QTreeWidgetItem* item = changes->Fallers()->topLevelItem(0);
    emit changes->Fallers()->itemDoubleClicked(item, 0);
    auto* chart = window.findChild<CPriceHistoryDlg*>();
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->windowTitle().contains("Akroma, Angel of Wrath"));

    // The window's own update is no outside change.
    QTest::qWait(PriceDatabaseWatch::kSettleMs + 300);
    EXPECT_EQ(outside.count(), 0);
}

TEST_F(PricesWindowTest, TheImportDialogSaysWhereFilesComeFromAndOffersTheUpdate)
{
    CQuorvelDlg& window = Open();
    FileDialog::setNextFollowedLink(PriceImportCommand::kUpdateLink);
    window.OnCommandName("ImportPrices");
    ASSERT_EQ(FileDialog::asked().size(), 1u);
    const QString guide = FileDialog::asked().front().guide;
    for (const char* link : {"href=\"https://mtgjson.com/downloads/all-files/\"",
                             "href=\"https://scryfall.com/docs/api/bulk-data\"",
                             "href=\"quorvel:update-prices\""})
        EXPECT_TRUE(guide.contains(link)) << link;
    // The link runs the update instead, once the import command has ended.
    QTRY_VERIFY(!MessageBox::asked().empty());
    EXPECT_TRUE(MessageBox::asked().back().text.endsWith("Prices are up to date (MTGJSON 2026-12-01)"))
        << MessageBox::asked().back().text.toStdString();
    FileDialog::setTestMode(false);
}

TEST_F(PricesWindowTest, AnOutsideChangeIsReadAgainAndTheOpenGridShowsIt)
{
    AppSettings::setWelcomeShown();
    CQuorvelDlg& window = Open();
    QSignalSpy outside(&window.Prices(), &MainPrices::outsideChangeLoaded);
    window.LookUp("Wrath of God", false);
    auto& grid = main_window::Grid(window);
    ASSERT_GE(grid.DataRowCount(), 1);
    ASSERT_EQ(grid.CardOfRow(1)->name, "Wrath of God");
    EXPECT_EQ(grid.CardOfRow(1)->reg_value, 6.5);

    // Another program (a terminal's quorvel-import) writes the file.
    RunSql(PricePath(), "update cardslist set reg_value = 7.25 where id = 3");
    ASSERT_TRUE(outside.wait(10000));
    EXPECT_EQ(grid.CardOfRow(1)->reg_value, 7.25);
    EXPECT_EQ(window.Catalogue().FindCard(3)->reg_value, 7.25);
    EXPECT_EQ(MessageBox::asked().size(), 0u);
}

} // namespace
