#include "app/CQuorvelDlg.h"

#include "AppTestSupport.h"
#include "toolkit/CTipPopup.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

// The main window's lookups, typed and copied, against the small test catalogue.
class CQuorvelDlgLookupTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        OpenDatabases();
        m_previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    }
    void TearDown() override
    {
        m_window.reset();
        QDir::setCurrent(m_previousDir);
        AppFixture::TearDown();
    }
    void WriteFilters(const char* text)
    {
        QFile file(m_dir.filePath("filter.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    CQuorvelDlg& Window()
    {
        if (!m_window) {
            m_window = std::make_unique<CQuorvelDlg>(m_price, m_collection, m_clipboard);
            m_window->show();
        }
        return *m_window;
    }
    void TypeSearch(const QString& text)
    {
        auto* edit = Window().findChild<QLineEdit*>("searchEdit");
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QString Caption() { return Window().findChild<QGroupBox*>("cardsGroup")->title(); }
    CTipPopup& Popup() { return *Window().ReportPopup(); }

    std::unique_ptr<CQuorvelDlg> m_window;
    QString m_previousDir;
};

TEST_F(CQuorvelDlgLookupTest, EnterSearchesTheTrimmedTextAndWritesTheCount)
{
    TypeSearch("  shock \t");
    EXPECT_EQ(Window().SearchText(), "  shock \t");
    EXPECT_EQ(Caption(), "2 cards in list ");
    EXPECT_FALSE(Popup().isOpen()) << "a typed search shows no report";
    QTest::mouseClick(Window().findChild<QPushButton*>("searchButton"), Qt::LeftButton);
    EXPECT_EQ(Caption(), "2 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, AnEmptySearchListsTheWholeCatalogue)
{
    TypeSearch("");
    EXPECT_EQ(Caption(), QString("%1 cards in list ").arg(SomeCards().size()));
}

TEST_F(CQuorvelDlgLookupTest, MatchLevelLowFindsAOneLetterTypo)
{
    TypeSearch("Shick");
    EXPECT_EQ(Caption(), "0 cards in list ");
    Window().OnCommand(MainCommand::MatchLevelLow);
    TypeSearch("Shick");
    EXPECT_EQ(Caption(), "2 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, UserFiltersApplyWhileTheOptionIsOn)
{
    WriteFilters("[filters]\nf1=wog,wrath of god\n");
    TypeSearch("wog");
    EXPECT_EQ(Caption(), "1 cards in list ");
    Window().OnCommand(MainCommand::UserFilter);
    TypeSearch("wog");
    EXPECT_EQ(Caption(), "0 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, ABadFilterEntryIsReportedAndTheOthersWork)
{
    WriteFilters("[filters]\nf1=a*b,c\nf2=wog,wrath of god\n");
    Window();
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_EQ(MessageBox::asked()[0].text, "filter f1 contain invalidate char!");
    EXPECT_EQ(MessageBox::asked()[0].caption, "Error");
    TypeSearch("wog");
    EXPECT_EQ(Caption(), "1 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, ACopiedLineIsLookedUpAndReportedBesideTheCursor)
{
    Window();
    m_clipboard.simulateCopy("  WTS: 4x Wrath of God 3tix\n");
    EXPECT_EQ(Caption(), "1 cards in list ");
    ASSERT_TRUE(Popup().isOpen());
    EXPECT_EQ(Window().LastReport(), "1 cards found!\n---\n"
                                     "Card Name: Wrath of God\nregValue = 6.5Tix\n"
                                     "FoilValue = 30.0Tix\nSet = Seventh Edition\n"
                                     "Rarity = rare\n-----------\n");
    EXPECT_EQ(Popup().lines().first(), "1 cards found!");
}

TEST_F(CQuorvelDlgLookupTest, FiveCardsReportTheThreeMostValuableAndDots)
{
    Window();
    m_clipboard.simulateCopy("Shock, Counterspell, Giant Growth, Wrath of God");
    EXPECT_EQ(Caption(), "5 cards in list ");
    const QString report = Window().LastReport();
    EXPECT_TRUE(report.startsWith("5 cards found!\n---\nCard Name: Wrath of God\n"));
    EXPECT_LT(report.indexOf("Counterspell"), report.indexOf("Giant Growth"));
    EXPECT_FALSE(report.contains("Shock"));
    EXPECT_EQ(report.count("-----------\n"), 3);
    EXPECT_TRUE(report.endsWith("-----------\n..."));
}

TEST_F(CQuorvelDlgLookupTest, ACopyThatFindsNothingStillReports)
{
    Window();
    m_clipboard.simulateCopy("nothing here");
    EXPECT_EQ(Caption(), "0 cards in list ");
    EXPECT_TRUE(Popup().isOpen());
    EXPECT_TRUE(Window().LastReport().startsWith("0 cards found!\n---\n"));
}

TEST_F(CQuorvelDlgLookupTest, TheProgramsOwnWriteIsSkippedAndTheNextCopyIsNot)
{
    Window().Monitor().IgnoreNextChange();
    ASSERT_TRUE(m_clipboard.setText("{t}Selling{t}Wrath of God for {7}{v}"));
    EXPECT_EQ(Caption(), "0 cards in list ");
    EXPECT_FALSE(Popup().isOpen());
    m_clipboard.simulateCopy("Shock");
    EXPECT_EQ(Caption(), "2 cards in list ");
    EXPECT_TRUE(Popup().isOpen());
}

TEST_F(CQuorvelDlgLookupTest, TheSameTextCopiedTwiceIsLookedUpTwice)
{
    Window();
    m_clipboard.simulateCopy("Shock");
    TypeSearch("Wrath");
    EXPECT_EQ(Caption(), "3 cards in list ");
    m_clipboard.simulateCopy("Shock");
    EXPECT_EQ(Caption(), "2 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, WithTheMonitorOffCopiesChangeNothingButStillUseTheFlag)
{
    Window().OnCommand(MainCommand::ClipboardMonitor);
    Window().Monitor().IgnoreNextChange();
    ASSERT_TRUE(m_clipboard.setText("own advertisement"));
    EXPECT_FALSE(Window().Monitor().IsIgnoringNextChange());
    m_clipboard.simulateCopy("Shock");
    EXPECT_EQ(Caption(), "0 cards in list ");
    EXPECT_FALSE(Popup().isOpen());
    Window().OnCommand(MainCommand::ClipboardMonitor);
    TypeSearch("Shock");
    EXPECT_FALSE(Popup().isOpen()) << "no report left over for a typed search";
}

TEST_F(CQuorvelDlgLookupTest, PicturesAndVanishedOwnersAreIgnored)
{
    Window().Monitor().IgnoreNextChange();
    m_clipboard.simulateNonText();
    m_clipboard.simulateOwnerGone();
    EXPECT_EQ(Caption(), "0 cards in list ");
    EXPECT_FALSE(Popup().isOpen());
    EXPECT_TRUE(Window().Monitor().IsIgnoringNextChange());
}

} // namespace
