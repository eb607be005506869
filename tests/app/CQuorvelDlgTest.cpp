#include "app/CQuorvelDlg.h"

#include "AppTestSupport.h"
#include "MainWindowParts.h"
#include "lookup/view/CCardsGridCtrl.h"
#include "toolkit/CTipPopup.h"
#include "trade/view/CDlgCollection.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace {

class CQuorvelDlgTest : public MainWindowFixture {
protected:
    QAction* MenuBarAction(const QString& text)
    {
        for (QAction* top : Window().hostedMenuBar()->actions()) {
            for (QAction* item : top->menu()->actions()) {
                if (item->text() == text)
                    return item;
            }
        }
        ADD_FAILURE() << "no menu bar item " << text.toStdString();
        return nullptr;
    }
    QAction* TrayAction(const QString& text)
    {
        for (QAction* item : main_window::TrayMenu(Window()).actions()) {
            if (item->text() == text)
                return item;
        }
        ADD_FAILURE() << "no tray item " << text.toStdString();
        return nullptr;
    }
    // Check marks are set each time a menu opens.
    bool CheckedInMenuBar(const QString& text)
    {
        QAction* action = MenuBarAction(text);
        emit action->menu();
        for (QAction* top : Window().hostedMenuBar()->actions())
            emit top->menu()->aboutToShow();
        return action->isChecked();
    }
    bool CheckedInTray(const QString& text)
    {
        emit main_window::TrayMenu(Window()).aboutToShow();
        return TrayAction(text)->isChecked();
    }
    QLineEdit* SearchEdit() { return Window().findChild<QLineEdit*>("searchEdit"); }
};

TEST_F(CQuorvelDlgTest, StartsWithTheTemplateTheCatalogueAndTheInitialOptions)
{
    CQuorvelDlg& window = Window();
    EXPECT_EQ(window.windowTitle(), "Quorvel");
    EXPECT_EQ(window.Catalogue().Cards().size(), SomeCards().size());
    EXPECT_TRUE(MessageBox::asked().empty());
    EXPECT_EQ(window.findChild<QGroupBox*>("cardsGroup")->title(), "0 cards in list ");
    EXPECT_FALSE(main_window::IsOn(window, MainCommand::Topmost));
    EXPECT_TRUE(main_window::IsOn(window, MainCommand::ClipboardMonitor));
    EXPECT_TRUE(main_window::IsOn(window, MainCommand::UserFilter));
    EXPECT_FALSE(main_window::IsOn(window, MainCommand::MatchLevelLow));
    ASSERT_NO_THROW(main_window::Tray(window));
    EXPECT_EQ(main_window::Tray(window).toolTip(), "Quorvel");
    EXPECT_TRUE(main_window::Tray(window).isAnimating());
    EXPECT_FALSE(main_window::TradeList().isVisible());
    EXPECT_FALSE(main_window::Collection().isVisible());
    EXPECT_FALSE(main_window::TransactionLog().isVisible());
    EXPECT_EQ(main_window::TransactionLog().windowTitle(), "Transaction Log");
}

TEST_F(CQuorvelDlgTest, MenusCarryTheirItems)
{
    QStringList bar;
    for (QAction* top : Window().hostedMenuBar()->actions())
        bar << top->text();
    EXPECT_EQ(bar, QStringList({"&File", "&View", "&Option", "&Help"}));
    QStringList tray;
    for (QAction* item : main_window::TrayMenu(Window()).actions())
        tray << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(tray, QStringList({"&About...", "-", "&Show Window", "&Topmost Window", "-",
                                 "Clipboard Monitor", "&Best Match First", "-",
                                 "&Import Prices...", "&Update Prices Now", "-", "&Exit"}));
}

TEST_F(CQuorvelDlgTest, AMissingPriceDatabaseGivesOneClearMessageAndAnEmptyCatalogue)
{
    m_price.Close();
    CADODataBase missing;
    missing.Open("Data Source=" + m_dir.filePath("nowhere/mtgo.mdb").toStdString() + ";");
    CQuorvelDlg window(missing, m_collection, m_clipboard);
    EXPECT_TRUE(window.Catalogue().Cards().empty());
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_EQ(MessageBox::asked()[0].caption, "Error");
    const QString text = MessageBox::asked()[0].text;
    EXPECT_TRUE(text.startsWith("The price database mtgo.mdb could not be read"))
        << text.toStdString();
    // Then the full path and what to do, never a command that would replace the collection.
    EXPECT_TRUE(
        text.contains("There is no price database at " + m_dir.filePath("nowhere/mtgo.mdb")))
        << text.toStdString();
    EXPECT_TRUE(text.contains("makedb --keep --out \"" + m_dir.filePath("nowhere") + "\""));
    EXPECT_TRUE(text.contains("File > Import Prices..."));
    EXPECT_FALSE(window.CatalogueError().empty());
}

TEST_F(CQuorvelDlgTest, ADamagedPriceDatabaseIsReportedOnceAndLeftAsItWas)
{
    const QString path = m_dir.filePath("damaged.mdb");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray junk(4096, '\x5a');
    file.write(junk);
    file.close();
    CADODataBase damaged;
    damaged.Open("Data Source=" + path.toStdString() + ";");
    CQuorvelDlg window(damaged, m_collection, m_clipboard);
    EXPECT_TRUE(window.Catalogue().Cards().empty());
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_TRUE(MessageBox::asked()[0].text.contains("The file " + path + " could not be opened"));
    EXPECT_TRUE(MessageBox::asked()[0].text.contains("move the damaged mtgo.mdb aside"));
    window.OnCommand(MainCommand::Search);
    EXPECT_EQ(MessageBox::asked().size(), 1u) << "a search says nothing more";
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), junk);
}

TEST_F(CQuorvelDlgTest, EscapeEmptiesTheSearchBoxAndNeverCloses)
{
    QLineEdit* edit = SearchEdit();
    ASSERT_NE(edit, nullptr);
    QTest::keyClicks(edit, "Lightning Bolt");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_TRUE(edit->text().isEmpty());
    EXPECT_TRUE(Window().isVisible());
    Window().reject();
    EXPECT_TRUE(Window().isVisible());
}

TEST_F(CQuorvelDlgTest, CloseHidesAllFourWindowsAndShowWindowBringsOnlyTheMainBack)
{
    CQuorvelDlg& window = Window();
    window.OnCommand(MainCommand::TradingList);
    window.OnCommand(MainCommand::MyCollection);
    window.OnCommand(MainCommand::TransactionLog);
    ASSERT_TRUE(main_window::TradeList().isVisible());
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(main_window::TradeList().isVisible());
    EXPECT_FALSE(main_window::Collection().isVisible());
    EXPECT_FALSE(main_window::TransactionLog().isVisible());
    EXPECT_FALSE(window.ExitRequested());

    TrayAction("&Show Window")->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(main_window::TradeList().isVisible());
    emit main_window::Tray(window).defaultCommand();
    EXPECT_TRUE(window.isVisible());
}

TEST_F(CQuorvelDlgTest, WithoutATrayCloseMinimisesInsteadOfHiding)
{
    TrayIcon::setAvailableForTests(false);
    CQuorvelDlg& window = Window();
    window.close();
    EXPECT_FALSE(window.isHidden());
    EXPECT_TRUE(window.windowState() & Qt::WindowMinimized);
}

TEST_F(CQuorvelDlgTest, MinimiseHidesTheMainWindowOnly)
{
    CQuorvelDlg& window = Window();
    window.OnCommand(MainCommand::TradingList);
    window.showMinimized();
    QTRY_VERIFY(!window.isVisible());
    EXPECT_TRUE(main_window::TradeList().isVisible());
    window.OnCommand(MainCommand::ShowWindow);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
}

TEST_F(CQuorvelDlgTest, MatchLevelLowTwiceReturnsToLevelOneAndUnchecked)
{
    QAction* item = MenuBarAction("&Match Level Low");
    item->trigger();
    EXPECT_TRUE(main_window::IsOn(Window(), MainCommand::MatchLevelLow));
    EXPECT_TRUE(CheckedInMenuBar("&Match Level Low"));
    item->trigger();
    EXPECT_FALSE(main_window::IsOn(Window(), MainCommand::MatchLevelLow));
    EXPECT_FALSE(CheckedInMenuBar("&Match Level Low"));
}

TEST_F(CQuorvelDlgTest, ClipboardMonitorIsCheckedOnlyInTheTrayAndDrivesTheAnimation)
{
    EXPECT_FALSE(CheckedInMenuBar("&Clipboard Monitor"));
    EXPECT_TRUE(CheckedInTray("Clipboard Monitor"));
    MenuBarAction("&Clipboard Monitor")->trigger();
    EXPECT_FALSE(main_window::IsOn(Window(), MainCommand::ClipboardMonitor));
    EXPECT_FALSE(main_window::Tray(Window()).isAnimating());
    EXPECT_FALSE(CheckedInMenuBar("&Clipboard Monitor"));
    EXPECT_FALSE(CheckedInTray("Clipboard Monitor"));
    TrayAction("Clipboard Monitor")->trigger();
    EXPECT_TRUE(main_window::IsOn(Window(), MainCommand::ClipboardMonitor));
    EXPECT_TRUE(main_window::Tray(Window()).isAnimating());
    EXPECT_TRUE(CheckedInTray("Clipboard Monitor"));
}

TEST_F(CQuorvelDlgTest, UserFilterAndTopmostToggleWithTheirCheckMarks)
{
    EXPECT_TRUE(CheckedInMenuBar("&User def filter"));
    MenuBarAction("&User def filter")->trigger();
    EXPECT_FALSE(main_window::IsOn(Window(), MainCommand::UserFilter));
    EXPECT_FALSE(CheckedInMenuBar("&User def filter"));

    const QRect before = Window().geometry();
    TrayAction("&Topmost Window")->trigger();
    EXPECT_TRUE(main_window::IsOn(Window(), MainCommand::Topmost));
    EXPECT_TRUE(Window().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(Window().geometry().size(), before.size());
    EXPECT_TRUE(CheckedInTray("&Topmost Window"));
    EXPECT_TRUE(CheckedInMenuBar("&Topmost Window"));
    MenuBarAction("&Topmost Window")->trigger();
    EXPECT_FALSE(Window().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(CheckedInTray("&Topmost Window"));
}

TEST_F(CQuorvelDlgTest, ViewCommandsShowAndHideTheirWindowsWithCheckMarks)
{
    for (const char* item : {"&Trading List", "My &Collection", "Transaction &Log"}) {
        EXPECT_FALSE(CheckedInMenuBar(item)) << item;
        MenuBarAction(item)->trigger();
        EXPECT_TRUE(CheckedInMenuBar(item)) << item;
    }
    EXPECT_TRUE(main_window::TradeList().isVisible());
    EXPECT_TRUE(main_window::Collection().isVisible());
    EXPECT_TRUE(main_window::TransactionLog().isVisible());
    MenuBarAction("My &Collection")->trigger();
    EXPECT_FALSE(main_window::Collection().isVisible());
    EXPECT_FALSE(CheckedInMenuBar("My &Collection"));
    EXPECT_TRUE(main_window::TradeList().isVisible());
}

TEST_F(CQuorvelDlgTest, HelpOpensThePageAndF1DoesTheSame)
{
    QList<QUrl> opened;
    Window().Help().SetOpener([&](const QUrl& url) {
        opened << url;
        return true;
    });
    MenuBarAction("&Help")->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("quorvel.html"));
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    QTest::keyClick(SearchEdit(), Qt::Key_F1);
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(CQuorvelDlgTest, KeysReachTheSearchBoxAndExitAsTheMenuDoes)
{
    CQuorvelDlg& window = Window();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QLineEdit* edit = SearchEdit();
    edit->setText("Lightning Bolt");
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_F, Qt::ALT | Qt::Key_S}) {
        main_window::Grid(window).setFocus();
        QTest::keyClick(&main_window::Grid(window), keys.key(), keys.keyboardModifiers());
        EXPECT_TRUE(edit->hasFocus());
        EXPECT_EQ(edit->selectedText(), "Lightning Bolt");
    }
    for (const char* name : {"searchButton", "correctPriceButton", "putIntoListButton"}) {
        const QString text = window.findChild<QPushButton*>(name)->text();
        EXPECT_EQ(text.count('&'), 1) << name;
        EXPECT_FALSE(text.contains("&S")) << "Alt+S belongs to the search box";
    }
    EXPECT_FALSE(window.ExitRequested());
    QTest::keyClick(edit, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window.ExitRequested());
}

TEST_F(CQuorvelDlgTest, CtrlQInASecondaryWindowExitsAsInTheMainWindow)
{
    CQuorvelDlg& window = Window();
    window.OnCommand(MainCommand::TransactionLog);
    QWidget* log = &main_window::TransactionLog();
    log->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(log));
    QTest::keyClick(log, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window.ExitRequested());
}

TEST_F(CQuorvelDlgTest, AboutFromTheTrayLeavesAHiddenMainWindowHidden)
{
    CQuorvelDlg& window = Window();
    window.close();
    ASSERT_FALSE(window.isVisible());
    bool aboutShown = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        aboutShown = box && box->isVisible() && box->windowTitle() == "About Quorvel";
        if (box)
            box->close();
    });
    TrayAction("&About...")->trigger();
    EXPECT_TRUE(aboutShown);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(CQuorvelDlgTest, TheWindowMenuCarriesTheAboutItem)
{
    QMenu* menu = Window().windowMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "&About Tamrik's Ryn...");
    bool aboutShown = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        aboutShown = box && box->windowTitle() == "About Quorvel";
        if (box)
            box->close();
    });
    menu->actions()[0]->trigger();
    EXPECT_TRUE(aboutShown);
}

TEST_F(CQuorvelDlgTest, ExitEndsTheRunAndSavesThePlacement)
{
    CQuorvelDlg& window = Window();
    window.move(120, 90);
    QTimer::singleShot(0, [&] { MenuBarAction("&Exit")->trigger(); });
    window.RunModal();
    EXPECT_TRUE(window.ExitRequested());
    EXPECT_FALSE(window.isVisible());
    QSettings settings(m_dir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(settings.value("CQuorvelDlg/WindowPlacement").toByteArray().size(), 44);
}

TEST_F(CQuorvelDlgTest, ARestartKeepsThePlaceButNoOption)
{
    Window().OnCommand(MainCommand::MatchLevelLow);
    Window().OnCommand(MainCommand::ClipboardMonitor);
    Window().OnCommand(MainCommand::UserFilter);
    // Smaller than the first size: a larger one would be fitted back onto the screen.
    Window().resize(Window().width() - 120, Window().height() - 80);
    const QSize size = Window().size();
    m_window.reset();

    CQuorvelDlg& again = Window();
    EXPECT_EQ(again.size(), size);
    EXPECT_FALSE(main_window::IsOn(again, MainCommand::MatchLevelLow));
    EXPECT_TRUE(main_window::IsOn(again, MainCommand::ClipboardMonitor));
    EXPECT_TRUE(main_window::IsOn(again, MainCommand::UserFilter));
    EXPECT_FALSE(main_window::IsOn(again, MainCommand::Topmost));
}

TEST_F(CQuorvelDlgTest, BestMatchFirstIsOffAtFirstStartAndOutlivesARestart)
{
    EXPECT_FALSE(main_window::IsOn(Window(), MainCommand::BestMatch));
    EXPECT_FALSE(CheckedInMenuBar("&Best Match First"));
    EXPECT_FALSE(CheckedInTray("&Best Match First"));
    MenuBarAction("&Best Match First")->trigger();
    EXPECT_TRUE(CheckedInTray("&Best Match First"));
    m_window.reset();
    EXPECT_TRUE(main_window::IsOn(Window(), MainCommand::BestMatch));
    EXPECT_TRUE(CheckedInMenuBar("&Best Match First"));
    TrayAction("&Best Match First")->trigger();
    m_window.reset();
    EXPECT_FALSE(main_window::IsOn(Window(), MainCommand::BestMatch));
    // A stored value that is no truth value leaves the option off.
    m_window.reset();
    QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat)
        .setValue("Options/BestMatchFirst", "sometimes");
    EXPECT_FALSE(main_window::IsOn(Window(), MainCommand::BestMatch));
}

TEST_F(CQuorvelDlgTest, CommandNamesOfTheMenuResourcesAreAllKnown)
{
    for (const char* name : {"Exit", "TradingList", "MyCollection", "TransactionLog", "Topmost",
                             "ClipboardMonitor", "MatchLevelLow", "UserDefFilter", "Help", "About",
                             "ShowWindow", "BestMatchFirst", "ImportPrices", "PreviewImport"}) {
        bool known = false;
        CQuorvelDlg::CommandByName(name, &known);
        EXPECT_TRUE(known) << name;
    }
    bool known = true;
    CQuorvelDlg::CommandByName("NoSuchCommand", &known);
    EXPECT_FALSE(known);
    EXPECT_EQ(CQuorvelDlg::CommandByName("UserDefFilter"), MainCommand::UserFilter);
}

} // namespace
