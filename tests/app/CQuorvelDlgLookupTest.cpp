#include "app/CQuorvelDlg.h"

#include "AppTestSupport.h"
#include "MainWindowParts.h"
#include "grid/CGridCellCheck.h"
#include "lookup/CardGridColumn.h"
#include "lookup/view/CCardsGridCtrl.h"
#include "support/SqlProbe.h"
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
class CQuorvelDlgLookupTest : public MainWindowFixture {
protected:
    void WriteFilters(const char* text)
    {
        QFile file(m_dir.filePath("filter.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    // The count caption of a search before and after an option command.
    void ExpectCaptionsAround(MainCommand command, const QString& text, const QString& before,
                              const QString& after)
    {
        Search(text);
        EXPECT_EQ(Caption(), before);
        Window().OnCommand(command);
        Search(text);
        EXPECT_EQ(Caption(), after);
    }
    CTipPopup& Popup() { return main_window::ReportPopup(Window()); }
    CCardsGridCtrl& Grid() { return main_window::Grid(Window()); }
    QStringList Names()
    {
        QStringList names;
        for (int row = 1; row < Grid().GetRowCount(); ++row)
            names << Grid().GetCellText(row, ColumnIndex(CardGridColumn::Name));
        return names;
    }
    QString Query(const std::string& sql)
    {
        return QString::fromStdString(QueryText(PricePath(), sql));
    }
};

TEST_F(CQuorvelDlgLookupTest, EnterSearchesTheTrimmedTextAndWritesTheCount)
{
    Search("  shock \t");
    EXPECT_EQ(Window().SearchText(), "  shock \t");
    EXPECT_EQ(Caption(), "2 cards in list ");
    EXPECT_FALSE(Popup().isOpen()) << "a typed search shows no report";
    QTest::mouseClick(Window().findChild<QPushButton*>("searchButton"), Qt::LeftButton);
    EXPECT_EQ(Caption(), "2 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, AnEmptySearchListsTheWholeCatalogueMostValuableFirst)
{
    Search("");
    EXPECT_EQ(Caption(), QString("%1 cards in list ").arg(SomeCards().size()));
    ASSERT_EQ(Grid().GetRowCount(), int(SomeCards().size()) + 1);
    EXPECT_EQ(Grid().GetCellText(0, ColumnIndex(CardGridColumn::Name)), "Cards Name");
    EXPECT_EQ(Names().first(), "Akroma, Angel of Wrath");
    EXPECT_EQ(Names()[1], "Wrath of God");
    for (int row = 2; row < Grid().GetRowCount(); ++row)
        EXPECT_GE(Grid().CardOfRow(row - 1)->reg_value, Grid().CardOfRow(row)->reg_value);
}

TEST_F(CQuorvelDlgLookupTest, EachSearchReplacesTheRows)
{
    Search("Wrath");
    EXPECT_EQ(Names(), QStringList({"Akroma, Angel of Wrath", "Wrath of God", "Kirtar's Wrath"}));
    Search("Counterspell");
    EXPECT_EQ(Names(), QStringList({"Counterspell"}));
}

TEST_F(CQuorvelDlgLookupTest, MatchLevelLowFindsAOneLetterTypo)
{
    ExpectCaptionsAround(MainCommand::MatchLevelLow, "Shick", "0 cards in list ",
                         "2 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, UserFiltersApplyWhileTheOptionIsOn)
{
    WriteFilters("[filters]\nf1=wog,wrath of god\n");
    ExpectCaptionsAround(MainCommand::UserFilter, "wog", "1 cards in list ", "0 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, ABadFilterEntryIsReportedAndTheOthersWork)
{
    WriteFilters("[filters]\nf1=a*b,c\nf2=wog,wrath of god\n");
    Window();
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_EQ(MessageBox::asked()[0].text, "filter f1 contain invalidate char!");
    EXPECT_EQ(MessageBox::asked()[0].caption, "Error");
    Search("wog");
    EXPECT_EQ(Caption(), "1 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, ManyFaultyFiltersGiveOneBoxWithTheFirstTenAndACount)
{
    std::string filters = "[filters]\n";
    for (int i = 1; i <= 200; ++i)
        filters += "f" + std::to_string(i) + "=a*b,c\n";
    WriteFilters(filters.c_str());
    Window();
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    const QStringList lines = MessageBox::asked()[0].text.split('\n');
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[9], "filter f10 contain invalidate char!");
    EXPECT_EQ(lines[10], "... and 190 more faulty filters.");
}

TEST_F(CQuorvelDlgLookupTest, ACopyRightAfterTypingIsTheOnlyLookupShown)
{
    QTest::keyClicks(Window().findChild<QLineEdit*>("searchEdit"), "Shock");
    m_clipboard.simulateCopy("WTS Wrath of God");
    QTest::qWait(CQuorvelDlg::kTypingPauseMs * 3);
    EXPECT_EQ(Names(), QStringList({"Wrath of God"})) << "the typed search fired after the copy";
    EXPECT_EQ(Caption(), "1 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, ACopiedLineIsLookedUpAndReportedBesideTheCursor)
{
    Window();
    m_clipboard.simulateCopy("  WTS: 4x Wrath of God 3tix\n");
    EXPECT_EQ(Caption(), "1 cards in list ");
    ASSERT_TRUE(Popup().isOpen());
    EXPECT_EQ(main_window::LastReport(Window()), "1 cards found!\n---\n"
                                                 "Card Name: Wrath of God\nregValue = 6.5Tix\n"
                                                 "FoilValue = 30.0Tix\nSet = Seventh Edition\n"
                                                 "Rarity = rare\n-----------\n");
    EXPECT_EQ(Popup().lines().first(), "1 cards found!");
    EXPECT_EQ(Names(), QStringList({"Wrath of God"}));
}

TEST_F(CQuorvelDlgLookupTest, FiveCardsReportTheThreeMostValuableAndDots)
{
    Window();
    m_clipboard.simulateCopy("Shock, Counterspell, Giant Growth, Wrath of God");
    EXPECT_EQ(Caption(), "5 cards in list ");
    const QString report = main_window::LastReport(Window());
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
    EXPECT_TRUE(main_window::LastReport(Window()).startsWith("0 cards found!\n---\n"));
    EXPECT_EQ(Names(), QStringList({"card not found!"}));
    EXPECT_EQ(Grid().CardOfRow(1), nullptr);
    Search("Shock");
    EXPECT_EQ(Names(), QStringList({"Shock", "Shock"}));
}

TEST_F(CQuorvelDlgLookupTest, TheNotFoundRowIsTheGridsOwnFullHeightReadOnlyRow)
{
    Window();
    m_clipboard.simulateCopy("nothing here");
    ASSERT_EQ(Grid().GetRowCount(), 2);
    EXPECT_EQ(Grid().GetRowHeight(1), 25);
    for (int column = 0; column < kCardGridColumnCount; ++column)
        EXPECT_FALSE(Grid().IsCellEditable(1, column)) << column;
}

TEST_F(CQuorvelDlgLookupTest, TypingSearchesAfterAPauseAndEnterAtOnce)
{
    auto* edit = Window().findChild<QLineEdit*>("searchEdit");
    QTest::keyClicks(edit, "Wra");
    QTest::qWait(CQuorvelDlg::kTypingPauseMs / 3);
    QTest::keyClicks(edit, "th");
    EXPECT_EQ(Grid().DataRowCount(), 0) << "no search while typing";
    QTRY_COMPARE_WITH_TIMEOUT(Caption(), QString("3 cards in list "), 5000);
    EXPECT_EQ(Names(), QStringList({"Akroma, Angel of Wrath", "Wrath of God", "Kirtar's Wrath"}));
    EXPECT_EQ(Window().SearchText(), "Wrath");

    // Enter does not wait, and the pause of the typed text then finds nothing to do.
    edit->clear();
    QTest::keyClicks(edit, "Shock");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(Caption(), "2 cards in list ");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClick(edit, Qt::Key_Escape);
    QTest::qWait(CQuorvelDlg::kTypingPauseMs * 2);
    EXPECT_EQ(Caption(), "2 cards in list ") << "Escape empties the box and searches nothing";
}

TEST_F(CQuorvelDlgLookupTest, EscapeInAValueEditorCancelsItAndEmptiesTheSearchBox)
{
    Search("Counterspell");
    ASSERT_TRUE(Grid().EditCell(1, ColumnIndex(CardGridColumn::RegValue)));
    auto* editor = Grid().viewport()->findChild<QLineEdit*>("InPlaceEdit");
    ASSERT_NE(editor, nullptr);
    editor->setText("99");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(Grid().GetCellText(1, ColumnIndex(CardGridColumn::RegValue)), " 0.4");
    EXPECT_FALSE(Grid().IsEditingCell());
    EXPECT_TRUE(Window().findChild<QLineEdit*>("searchEdit")->text().isEmpty());
    EXPECT_TRUE(Window().SearchText().isEmpty());
}

TEST_F(CQuorvelDlgLookupTest, BestMatchFirstReportsTheNamedCardsOnlyAndBestFirst)
{
    Window().OnCommand(MainCommand::BestMatch);
    m_clipboard.simulateCopy("anyone got a wrath deck for the weekend?");
    EXPECT_EQ(Caption(), "3 cards in list ");
    EXPECT_EQ(main_window::LastReport(Window()), "0 cards found!\n---\n");
    m_clipboard.simulateCopy("WTS Kirtar's Wrath and Wrath of God");
    const QString report = main_window::LastReport(Window());
    EXPECT_TRUE(report.startsWith("2 cards found!\n---\nCard Name: Kirtar's Wrath\n"))
        << report.toStdString();
    EXPECT_TRUE(report.contains("Card Name: Wrath of God\n"));
    EXPECT_FALSE(report.contains("Akroma"));
    // The grid lists them best first (by value Wrath of God would lead), tinted as reported.
    EXPECT_EQ(Names(), QStringList({"Kirtar's Wrath", "Wrath of God"}));
    const GridColour reportedTint =
        Grid().CellAt(1, ColumnIndex(CardGridColumn::Name))->GetBackColour();
    EXPECT_NE(reportedTint, kGridColourUnset);
    m_clipboard.simulateCopy("anyone got a wrath deck for the weekend?");
    EXPECT_NE(Grid().CellAt(1, ColumnIndex(CardGridColumn::Name))->GetBackColour(), reportedTint);
    Search("wrath of god");
    EXPECT_EQ(Names().first(), "Wrath of God");
}

// 150 more valuable cards named just "Fire" are found first and score 100 like "Fire // Ice":
// the split card, which covers the whole line, still leads the grid and the report, which
// counts each name once.
TEST_F(CQuorvelDlgLookupTest, BestMatchFirstKeepsTheNameCoveringTheLineAmongManyEqualScores)
{
    const char* insert =
        "insert into cardslist (id, name, reg_value, foil_value, expansion, collection_no, "
        "rarity, hot, manual_modify) with recursive n(i) as (select 100 union all select i + 1 "
        "from n where i < 249) select i, 'Fire', 1.0, 2.0, 10, i, 10, 0, 0 from n;"
        "insert into cardslist (id, name, reg_value, foil_value, expansion, collection_no, "
        "rarity, hot, manual_modify) values (300, 'Fire // Ice', 0.5, 1.0, 10, 300, 20, 0, 0);";
    RunSql(PricePath(), insert);
    WriteFilters("[filters]\nf1=tix\n");
    Window().OnCommand(MainCommand::BestMatch);
    m_clipboard.simulateCopy("Fire/Ice 1 tix");
    EXPECT_EQ(Caption(), "100 cards in list ");
    EXPECT_EQ(Names().first(), "Fire // Ice");
    EXPECT_TRUE(main_window::LastReport(Window()).startsWith(
        "2 cards found!\n---\nCard Name: Fire // Ice\n"))
        << main_window::LastReport(Window()).toStdString();
}

TEST_F(CQuorvelDlgLookupTest, CorrectedPricesAreStoredAndLaterSearchesSeeThem)
{
    Search("Counterspell");
    ASSERT_EQ(Grid().GetRowCount(), 2);
    Grid().SetCellText(1, ColumnIndex(CardGridColumn::RegValue), " 12.5");
    auto* box = dynamic_cast<CGridCellCheck*>(Grid().CellAt(1, ColumnIndex(CardGridColumn::Name)));
    ASSERT_NE(box, nullptr);
    box->SetCheck(true);
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    QTest::mouseClick(Window().findChild<QPushButton*>("correctPriceButton"), Qt::LeftButton);
    ASSERT_EQ(MessageBox::asked().size(), 2u);
    EXPECT_EQ(MessageBox::asked()[0].text, "Are you sure to update the database?");
    EXPECT_EQ(MessageBox::asked()[1].text, "1 cards have been updated");
    EXPECT_EQ(Query("select reg_value from cardslist where id=2"), "12.5");
    EXPECT_EQ(Query("select manual_modify from cardslist where id=2"), "1");
    // The catalogue was reloaded; the lookup must search the new one.
    Search("Counterspell");
    ASSERT_NE(Grid().CardOfRow(1), nullptr);
    EXPECT_FLOAT_EQ(Grid().CardOfRow(1)->reg_value, 12.5f);
    Search("");
    EXPECT_EQ(Names().first(), "Counterspell");
}

TEST_F(CQuorvelDlgLookupTest, AnsweringNoToTheCorrectionWritesNothing)
{
    Search("Counterspell");
    Grid().SetCellText(1, ColumnIndex(CardGridColumn::RegValue), "99");
    dynamic_cast<CGridCellCheck*>(Grid().CellAt(1, ColumnIndex(CardGridColumn::Name)))
        ->SetCheck(true);
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    Window().OnCommand(MainCommand::CorrectPrice);
    EXPECT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_EQ(Query("select reg_value from cardslist where id=2"), "0.4");
}

TEST_F(CQuorvelDlgLookupTest, TheProgramsOwnWriteIsSkippedAndTheNextCopyIsNot)
{
    Window();
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
    Search("Wrath");
    EXPECT_EQ(Caption(), "3 cards in list ");
    m_clipboard.simulateCopy("Shock");
    EXPECT_EQ(Caption(), "2 cards in list ");
}

TEST_F(CQuorvelDlgLookupTest, WithTheMonitorOffCopiesChangeNothing)
{
    Window().OnCommand(MainCommand::ClipboardMonitor);
    ASSERT_TRUE(m_clipboard.setText("own advertisement"));
    m_clipboard.simulateCopy("Shock");
    EXPECT_EQ(Caption(), "0 cards in list ");
    EXPECT_FALSE(Popup().isOpen());
    Window().OnCommand(MainCommand::ClipboardMonitor);
    Search("Shock");
    EXPECT_FALSE(Popup().isOpen()) << "no report left over for a typed search";
}

TEST_F(CQuorvelDlgLookupTest, PicturesAndVanishedOwnersAreIgnored)
{
    Window();
    m_clipboard.simulateNonText();
    m_clipboard.simulateOwnerGone();
    EXPECT_EQ(Caption(), "0 cards in list ");
    EXPECT_FALSE(Popup().isOpen());
}

} // namespace

// Loading in the background, the window is there before its catalogue: copies and searches
// made meanwhile are not lost, they run once it is loaded, in the order they came.
TEST_F(CQuorvelDlgLookupTest, LookupsWhileTheCatalogueLoadsRunWhenItIsLoaded)
{
    m_window = std::make_unique<CQuorvelDlg>(m_price, m_collection, m_clipboard, nullptr,
                                             CQuorvelDlg::CatalogueLoad::InBackground);
    m_window->show();
    ASSERT_FALSE(Window().CatalogueReady());
    m_clipboard.simulateCopy("WTS: 4x Wrath of God 3tix");
    m_clipboard.simulateCopy("WTB Counterspell");
    Search("Shock");
    EXPECT_TRUE(main_window::LastReport(Window()).isEmpty());
    EXPECT_EQ(Grid().DataRowCount(), 0);

    QTRY_VERIFY_WITH_TIMEOUT(Window().CatalogueReady(), 10000);
    EXPECT_EQ(Window().Catalogue().Cards().size(), SomeCards().size());
    EXPECT_TRUE(main_window::LastReport(Window()).startsWith(
        "1 cards found!\n---\nCard Name: Counterspell"))
        << main_window::LastReport(Window()).toStdString();
    EXPECT_EQ(Names(), QStringList({"Shock", "Shock"}));
    EXPECT_EQ(Caption(), "2 cards in list ");
    EXPECT_TRUE(MessageBox::asked().empty());
}

TEST_F(CQuorvelDlgLookupTest, TextTypedWhileTheCatalogueLoadsIsSearchedWhenItIsLoaded)
{
    m_window = std::make_unique<CQuorvelDlg>(m_price, m_collection, m_clipboard, nullptr,
                                             CQuorvelDlg::CatalogueLoad::InBackground);
    m_window->show();
    ASSERT_FALSE(Window().CatalogueReady());
    QTest::keyClicks(Window().findChild<QLineEdit*>("searchEdit"), "Shock");
    QTRY_VERIFY_WITH_TIMEOUT(Window().CatalogueReady(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(Caption(), QString("2 cards in list "), 5000);
    EXPECT_EQ(Names(), QStringList({"Shock", "Shock"}));
}
