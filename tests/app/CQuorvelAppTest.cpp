#include "app/CQuorvelApp.h"

#include "support/DatabaseLockHolder.h"
#include "AppTestSupport.h"
#include "app/CQuorvelDlg.h"
#include "toolkit/SingleInstance.h"

#include <QDir>
#include <QGroupBox>
#include <QTimer>

#include <gmock/gmock.h>

#include <unistd.h>

namespace {

class CQuorvelAppTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        m_previousDir = QDir::currentPath();
    }
    void TearDown() override
    {
        QDir::setCurrent(m_previousDir);
        AppFixture::TearDown();
    }
    // Private to this test run, so that a Quorvel running elsewhere on the machine does not
    // count as a first copy.
    QString InstanceName() const { return m_dir.filePath("instance"); }
    QString m_previousDir;
};

TEST_F(CQuorvelAppTest, OpensBothDatabasesFromTheWorkingDirectory)
{
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    CQuorvelApp app(&m_clipboard, InstanceName());
    app.OpenDatabases();
    EXPECT_TRUE(app.PriceDatabase().IsOpen()) << app.PriceDatabase().GetLastErrorText();
    EXPECT_TRUE(app.CollectionDatabase().IsOpen());
    EXPECT_EQ(app.PriceDatabase().GetActiveConnection()->GetProvider(),
              "Microsoft.JET.OLEDB.4.0");
    app.CloseDatabases();
    EXPECT_FALSE(app.PriceDatabase().IsOpen());
    EXPECT_FALSE(app.CollectionDatabase().IsOpen());
}

TEST_F(CQuorvelAppTest, AnotherWorkingDirectoryFindsNeitherDatabaseAndCreatesNone)
{
    QTemporaryDir elsewhere;
    ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
    CQuorvelApp app(&m_clipboard, InstanceName());
    app.OpenDatabases();
    EXPECT_FALSE(app.PriceDatabase().IsOpen());
    EXPECT_FALSE(app.CollectionDatabase().IsOpen());
    EXPECT_EQ(app.PriceDatabase().GetLastErrorText().rfind(
                  "Connection String = Data Source=.\\mtgo.mdb;", 0),
              0u)
        << app.PriceDatabase().GetLastErrorText();
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("mtgo.mdb")));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("collection.mdb")));
}

TEST_F(CQuorvelAppTest, ASecondStartSaysSoAndOpensNothing)
{
    SingleInstance first(InstanceName());
    ASSERT_TRUE(first.tryStart());
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    CQuorvelApp second(&m_clipboard, InstanceName());
    EXPECT_EQ(second.InitInstance(), 0);
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_EQ(MessageBox::asked()[0].text, "Quorvel already running...");
    EXPECT_TRUE(MessageBox::asked()[0].caption.isEmpty());
    EXPECT_EQ(MessageBox::asked()[0].icon, MessageBox::Icon::Information);
    EXPECT_FALSE(second.PriceDatabase().IsOpen());
    EXPECT_EQ(second.MainWindow(), nullptr);
}

TEST_F(CQuorvelAppTest, RunsTheMainWindowUntilExitThenClosesBothDatabases)
{
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    CQuorvelApp app(&m_clipboard, InstanceName());
    EXPECT_EQ(CQuorvelApp::Instance(), &app);
    bool sawWindow = false;
    bool databasesOpen = false;
    std::size_t cards = 0;
    // The window shows before its catalogue is loaded: look once the catalogue is ready.
    QTimer poll;
    poll.start(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        CQuorvelDlg* window = app.MainWindow();
        if (window && !window->CatalogueReady())
            return;
        poll.stop();
        sawWindow = window && window->isVisible();
        databasesOpen = app.PriceDatabase().IsOpen() && app.CollectionDatabase().IsOpen();
        cards = window ? window->Catalogue().Cards().size() : 0;
        if (window) {
            window->close(); // hides only
            window->OnCommand(MainCommand::Exit);
        }
    });
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_TRUE(sawWindow);
    EXPECT_TRUE(databasesOpen);
    EXPECT_EQ(cards, SomeCards().size());
    EXPECT_FALSE(app.PriceDatabase().IsOpen());
    EXPECT_FALSE(app.CollectionDatabase().IsOpen());
    EXPECT_EQ(app.MainWindow(), nullptr);
    EXPECT_TRUE(MessageBox::asked().empty());
}

// A card table that never ends (an endless recursive view): Exit still ends the run at once,
// and the load, left to run, is stopped with a message naming the file.
TEST_F(CQuorvelAppTest, ARunawayPriceDatabaseIsStoppedAndNeverHoldsExitUp)
{
    CADODataBase database;
    ASSERT_TRUE(database.Open("Data Source=" + PricePath() + ";"));
    ASSERT_TRUE(database.Execute("drop table cardslist"));
    ASSERT_TRUE(database.Execute("create view cardslist as with recursive n(id) as (select 1 "
                                 "union all select id + 1 from n) select id from n"));
    database.Close();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    for (const bool untilStopped : {false, true}) {
        CQuorvelApp app(&m_clipboard, InstanceName());
        QTimer poll;
        poll.start(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (!app.MainWindow() || (untilStopped && MessageBox::asked().empty()))
                return;
            poll.stop();
            app.MainWindow()->OnCommand(MainCommand::Exit);
        });
        EXPECT_EQ(app.InitInstance(), 0);
    }
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_THAT(MessageBox::asked()[0].text.toStdString(),
                testing::HasSubstr("Reading the price database " + PricePath() + " was stopped"));
}

// Another program holds the price database locked at start: the window says it waits, and
// loads the cards once the lock goes; the file is never called damaged.
TEST_F(CQuorvelAppTest, APriceDatabaseLockedAtStartIsWaitedForThenLoaded)
{
    auto lock = std::make_unique<DatabaseLockHolder>(PricePath());
    ASSERT_TRUE(lock->Holding());
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    CQuorvelApp app(&m_clipboard, InstanceName());
    bool sawWaiting = false;
    bool priceOpen = false;
    std::size_t cards = 0;
    QTimer poll;
    poll.start(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        CQuorvelDlg* window = app.MainWindow();
        if (!window)
            return;
        if (lock) {
            for (const QGroupBox* frame : window->findChildren<QGroupBox*>())
                sawWaiting |= frame->title() == "Waiting for the price database...";
            lock.reset();
        }
        if (!window->CatalogueReady())
            return;
        poll.stop();
        cards = window->Catalogue().Cards().size();
        priceOpen = app.PriceDatabase().IsOpen();
        window->OnCommand(MainCommand::Exit);
    });
    EXPECT_EQ(app.InitInstance(), 0);
    EXPECT_TRUE(sawWaiting);
    EXPECT_EQ(cards, SomeCards().size());
    EXPECT_TRUE(priceOpen);
    EXPECT_TRUE(MessageBox::asked().empty()) << MessageBox::asked()[0].text.toStdString();
}

TEST_F(CQuorvelAppTest, OneCopyPerDesktopSession)
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", m_dir.path().toLocal8Bit());
    EXPECT_EQ(CQuorvelApp::DefaultInstanceName(), m_dir.filePath("Quorvel"));
    // Without one, a private folder of the user's in the temporary folder, never that
    // shared folder itself.
    const QString own = QDir(QDir::tempPath()).filePath("quorvel-" + QString::number(geteuid()));
    qputenv("XDG_RUNTIME_DIR", m_dir.filePath("missing").toLocal8Bit());
    EXPECT_EQ(CQuorvelApp::DefaultInstanceName(), own + "/Quorvel");
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(CQuorvelApp::DefaultInstanceName(), own + "/Quorvel");
    if (!saved.isEmpty())
        qputenv("XDG_RUNTIME_DIR", saved);
}

TEST_F(CQuorvelAppTest, CopiesTextIncludingAnEmptyText)
{
    CQuorvelApp app(&m_clipboard, InstanceName());
    EXPECT_TRUE(app.CopyTextToClipboard(nullptr, "{t}Buying{t}Shock for {1},"));
    EXPECT_EQ(m_clipboard.text(), QString("{t}Buying{t}Shock for {1},"));
    EXPECT_TRUE(app.CopyTextToClipboard(nullptr, ""));
    ASSERT_TRUE(m_clipboard.text().has_value());
    EXPECT_TRUE(m_clipboard.text()->isEmpty());
}

TEST_F(CQuorvelAppTest, ARefusedCopyFailsAndWritesNothing)
{
    OpenDatabases();
    CQuorvelApp app(&m_clipboard, InstanceName());
    CQuorvelDlg window(m_price, m_collection, m_clipboard);
    app.SetMainWindow(&window);
    m_clipboard.setRefuseWrites(true);
    EXPECT_FALSE(app.CopyTextToClipboard(&window, "advertisement"));
    EXPECT_EQ(m_clipboard.writeCount(), 0);

    m_clipboard.setRefuseWrites(false);
    EXPECT_TRUE(app.CopyTextToClipboard(&window, "advertisement"));
    EXPECT_EQ(m_clipboard.writeCount(), 1);
    app.SetMainWindow(nullptr);
}

} // namespace
