#include "TradeViewFixture.h"

#include "grid/CGridCellCheck.h"
#include "grid/CGridCellNumeric.h"
#include "grid/CGridCtrl.h"
#include "grid/CTamrikGrideCellCheck.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"
#include "trade/TradeListColumn.h"
#include "trade/TradeListFile.h"
#include "trade/view/CDlgCardsList.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kBuy = ColumnIndex(TradeListColumn::Buy);
constexpr int kSell = ColumnIndex(TradeListColumn::Sell);

class CardsListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MessageBox::setTestMode(false);
        MessageBox::setTestMode(true);
        FileDialog::setTestMode(false);
        FileDialog::setTestMode(true);
        dialog.SetCopyText([this](const std::string& text) {
            events.push_back("copy");
            clipboard = text;
            return clipboardTakes;
        });
        dialog.SetPriceAsker([this](float preset) {
            presets.push_back(preset);
            return priceAnswer;
        });
        catalogue.Add(MakeCard(10, "Card A", 2.0f, 9.0f), true, true, true);
        catalogue.Add(MakeCard(20, "Card B", 5.0f, 12.5f), true, true, false);
    }

    CGridCtrl& Grid() { return *dialog.Grid(); }
    QString Text(int row, int column) { return Grid().GetCellText(row, column); }
    bool Ticked(int row, int column)
    {
        const auto* cell = dynamic_cast<const CGridCellCheck*>(Grid().CellAt(row, column));
        return cell && cell->GetCheck();
    }
    void Tick(int row, int column, bool on = true)
    {
        dynamic_cast<CGridCellCheck*>(Grid().CellAt(row, column))->SetCheck(on);
    }
    // Clicks the check box of a cell as a user would.
    void ClickBox(int row, int column)
    {
        Grid().EnsureVisible(row, column);
        const auto* cell = dynamic_cast<const CGridCellCheck*>(Grid().CellAt(row, column));
        ASSERT_NE(cell, nullptr);
        const QRect box = cell->GetCheckPlacement(Grid().CellRect(row, column));
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, {}, box.center());
    }
    QString Label() { return dialog.findChild<QLabel*>("totalValueLabel")->text(); }
    QStringList Asked()
    {
        QStringList texts;
        for (const auto& box : MessageBox::asked()) {
            texts << box.caption + ": " + box.text;
        }
        return texts;
    }

    CDlgCardsList dialog;
    FakeCatalogueRows catalogue;
    std::vector<std::string> events;
    std::string clipboard;
    bool clipboardTakes = true;
    std::optional<CDlgCardsList::PriceInput> priceAnswer;
    std::vector<float> presets;
};

// Lets the process take only so many more megabytes of address space than it has now.
void LimitAddressSpace(long long headroomMb)
{
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t bytes = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + rlim_t(headroomMb << 20);
    const rlimit limit{bytes, bytes};
    ::setrlimit(RLIMIT_AS, &limit);
}

} // namespace

TEST_F(CardsListTest, StartsHiddenAndEmptyWithTheTemplateTexts)
{
    EXPECT_TRUE(dialog.isHidden());
    EXPECT_EQ(dialog.windowTitle(), "Trade List");
    EXPECT_EQ(Label(), "Total Value");
    ASSERT_EQ(Grid().GetRowCount(), 1);
    EXPECT_EQ(Grid().GetColumnCount(), 5);
    EXPECT_EQ(Text(0, 0), "Quantity");
    EXPECT_EQ(Text(0, kSell), "Sell Value");
    dialog.RefreshList();
    EXPECT_EQ(Label(), "Buy Value: 0.0; Sell Value: 0.0");
    EXPECT_EQ(Grid().GetRowCount(), 1);
}

TEST_F(CardsListTest, PutIntoListShowsTheWindowWithRowsInKeyOrder)
{
    dialog.PutIntoList(catalogue);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(Grid().GetRowCount(), 4);
    EXPECT_EQ(Text(1, 1), "Card A");
    EXPECT_EQ(Text(2, 1), "Card B");
    EXPECT_EQ(Text(3, 1), "Foil Card A");
    EXPECT_EQ(Text(3, kBuy), "9.0");
    EXPECT_EQ(Text(2, kSell), "5.0");
    EXPECT_EQ(Text(1, 0), "1");
    EXPECT_EQ(Grid().GetCellData(3, 1), card_key::Foil(10));
    EXPECT_EQ(Grid().GetCellData(3, kSell), card_key::Foil(10));
    EXPECT_NE(dynamic_cast<CGridCellNumeric*>(Grid().CellAt(1, 0)), nullptr);
    EXPECT_NE(dynamic_cast<CTamrikGrideCellCheck*>(Grid().CellAt(1, kBuy)), nullptr);
    EXPECT_TRUE(Grid().IsCellReadOnly(1, 1));
    EXPECT_FALSE(Grid().IsCellReadOnly(1, kBuy));
    EXPECT_EQ(Grid().GetRowHeight(1), 25);
    EXPECT_EQ(Label(), "Buy Value:16.0; Sell Value:16.0");
}

TEST_F(CardsListTest, ValueTicksAreStoredAtOnceAndSurviveAnEdit)
{
    dialog.PutIntoList(catalogue);
    ClickBox(2, kSell);
    EXPECT_TRUE(Ticked(2, kSell));
    EXPECT_EQ(dialog.List().Get(20).selling_mark, 1);
    Tick(2, 1); // the name box is not stored
    ASSERT_TRUE(Grid().EditCell(2, 0));
    auto* editor = Grid().findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("3");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(dialog.List().Get(20).quantity, 3);
    EXPECT_EQ(Text(2, 0), "3");
    EXPECT_TRUE(Ticked(2, kSell));
    EXPECT_FALSE(Ticked(2, 1));
    EXPECT_EQ(Label(), "Buy Value:26.0; Sell Value:26.0");
    ClickBox(2, kSell);
    EXPECT_EQ(dialog.List().Get(20).selling_mark, 0);
}

// A slip of the keyboard never zeroes a value: Alt+V, Alt+X or a letter on a quantity or price
// opens no edit, and an edit that holds no number keeps the value it had.
TEST_F(CardsListTest, AKeyboardSlipLeavesQuantitiesAndPricesAlone)
{
    dialog.PutIntoList(catalogue);
    for (const int column : {0, kBuy, kSell}) {
        Grid().SetFocusCell(1, column);
        for (const QKeySequence& key : {QKeySequence(Qt::ALT | Qt::Key_V),
                                        QKeySequence(Qt::ALT | Qt::Key_X), QKeySequence("v")}) {
            QTest::keySequence(&Grid(), key);
            EXPECT_FALSE(Grid().IsEditingCell()) << column << " " << key.toString().toStdString();
        }
        for (const char* typed : {"v", ""}) {
            ASSERT_TRUE(Grid().EditCell(1, column));
            auto* editor = Grid().findChild<QLineEdit*>();
            ASSERT_NE(editor, nullptr);
            editor->setText(typed);
            QTest::keyClick(editor, Qt::Key_Return);
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        EXPECT_EQ(Text(1, column), column == 0 ? "1" : "2.0");
    }
    EXPECT_EQ(dialog.List().Get(10).quantity, 1);
    EXPECT_EQ(dialog.List().Get(10).buy_value, 2.0f);
    EXPECT_EQ(dialog.List().Get(10).sell_value, 2.0f);
}

TEST_F(CardsListTest, RemoveTakesTickedNamesAndRemoveAllEmpties)
{
    dialog.PutIntoList(catalogue);
    dialog.findChild<QPushButton*>("removeButton")->click();
    EXPECT_EQ(dialog.List().Count(), 3u);
    Tick(3, 1);
    Tick(1, 1);
    dialog.findChild<QPushButton*>("removeButton")->click();
    ASSERT_EQ(dialog.List().Count(), 1u);
    EXPECT_TRUE(dialog.List().Contains(20));
    EXPECT_EQ(Grid().GetRowCount(), 2);
    dialog.findChild<QPushButton*>("removeAllButton")->click();
    EXPECT_TRUE(dialog.List().Empty());
    EXPECT_EQ(Grid().GetRowCount(), 1);
    EXPECT_EQ(Label(), "Buy Value: 0.0; Sell Value: 0.0");
}

TEST_F(CardsListTest, TradePostGoesToTheClipboardOnce)
{
    dialog.PutIntoList(catalogue);
    Tick(1, kBuy);
    Tick(2, kSell);
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    dialog.findChild<QPushButton*>("advertiseButton")->click();
    EXPECT_EQ(clipboard, "{t}Buying{t}Card A for {2},{t}Selling{t}Card B for {5}{v}");
    EXPECT_EQ(events, (std::vector<std::string>{"copy"}));
    EXPECT_EQ(Asked(), (QStringList{"Question: Send the ads to auction lister?",
                                    "Information: Ok,Please open the MTGO trade post, and press "
                                    "ctrl-v in messge editbox."}));
}

TEST_F(CardsListTest, NothingTickedCautionsAndLeavesTheClipboard)
{
    dialog.PutIntoList(catalogue);
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    dialog.OnAdvertise();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(Asked().last(),
              "Caution: No cards selected, please check the selling or buying check box.");
}

TEST_F(CardsListTest, AuctionListerTextUsesThePriceDialog)
{
    catalogue.Add(MakeCard(30, "Card C", 1.0f, 1.0f), true, false, false);
    dialog.PutIntoList(catalogue);
    ASSERT_TRUE(dialog.List().Contains(10));
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    dialog.OnAdvertise(); // cancelled in the price dialog: nothing happens
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(MessageBox::asked().size(), 1u);
    priceAnswer = CDlgCardsList::PriceInput{7.5f, "obo"};
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    dialog.OnAdvertise();
    EXPECT_EQ(presets, (std::vector<float>{0.0f, 0.0f}));
    EXPECT_EQ(clipboard, "CARD A+CARD B+ FOIL CARD A obo-8-");
    EXPECT_EQ(Asked().last(), "Information: Ok,Please paste the ads in the lister's chat window.");
}

TEST_F(CardsListTest, AClipboardThatRefusesIsReported)
{
    dialog.PutIntoList(catalogue);
    Tick(1, kBuy);
    clipboardTakes = false;
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    dialog.OnAdvertise();
    ASSERT_EQ(MessageBox::asked().size(), 2u);
    EXPECT_EQ(MessageBox::asked()[1].caption, MessageBox::kError);
    EXPECT_FALSE(MessageBox::asked()[1].text.contains("ctrl-v"));
}

TEST_F(CardsListTest, SaveAndLoadRoundTripWithTicks)
{
    TempCollection folder;
    dialog.PutIntoList(catalogue);
    ClickBox(1, kBuy);
    FileDialog::setNextFileName(QString::fromStdString(folder.Path("list")));
    dialog.findChild<QPushButton*>("saveButton")->click();
    ASSERT_TRUE(std::filesystem::exists(folder.Path("list.ryn")));
    EXPECT_EQ(FileDialog::asked().back().title, "Save Trade List");
    EXPECT_EQ(std::filesystem::file_size(folder.Path("list.ryn")), 112u + 3 * 288u);

    dialog.OnRemoveAll();
    FileDialog::setNextFileName(QString::fromStdString(folder.Path("list.ryn")));
    dialog.findChild<QPushButton*>("loadButton")->click();
    EXPECT_EQ(FileDialog::asked().back().title, "Open Trade List");
    ASSERT_EQ(Grid().GetRowCount(), 4);
    EXPECT_EQ(Text(3, 1), "Foil Card A");
    EXPECT_TRUE(Ticked(1, kBuy));
    EXPECT_FALSE(Ticked(1, kSell));
    EXPECT_EQ(Label(), "Buy Value:16.0; Sell Value:16.0");
    EXPECT_TRUE(MessageBox::asked().empty());
}

TEST_F(CardsListTest, BadFilesLeaveTheListAndSayWhy)
{
    TempCollection folder;
    dialog.PutIntoList(catalogue);
    std::ofstream(folder.Path("bad.ryn"), std::ios::binary) << std::string(111, 'x');
    FileDialog::setNextFileName(QString::fromStdString(folder.Path("bad.ryn")));
    dialog.OnLoad();
    EXPECT_EQ(Asked().last(), "Error: Invalidate File Type!");
    EXPECT_EQ(dialog.List().Count(), 3u);

    FileDialog::setNextFileName(QString::fromStdString(folder.Path("missing.ryn")));
    dialog.OnLoad();
    EXPECT_EQ(MessageBox::asked().back().caption, MessageBox::kError);
    EXPECT_EQ(dialog.List().Count(), 3u);

    // A file cut in its last record: the complete ones load, and the user is told.
    std::string bytes = SerializeTradeList(dialog.List());
    bytes.resize(bytes.size() - 1);
    std::ofstream(folder.Path("cut.ryn"), std::ios::binary) << bytes;
    FileDialog::setNextFileName(QString::fromStdString(folder.Path("cut.ryn")));
    dialog.OnLoad();
    EXPECT_EQ(dialog.List().Count(), 2u);
    EXPECT_EQ(MessageBox::asked().back().caption, MessageBox::kWarning);
    EXPECT_TRUE(MessageBox::asked().back().text.contains("2 of the 3"));

    // Negative quantities load as 0, with one message for the whole file.
    TradeList negative = dialog.List();
    for (const std::int32_t key :
         {dialog.List().begin()->first, std::next(dialog.List().begin())->first}) {
        TradeListEntry entry = negative.Get(key);
        entry.quantity = -5;
        negative.Set(key, entry);
    }
    std::ofstream(folder.Path("negative.ryn"), std::ios::binary) << SerializeTradeList(negative);
    const std::size_t before = MessageBox::asked().size();
    FileDialog::setNextFileName(QString::fromStdString(folder.Path("negative.ryn")));
    dialog.OnLoad();
    ASSERT_EQ(MessageBox::asked().size(), before + 1);
    EXPECT_TRUE(MessageBox::asked().back().text.contains("2 cards"))
        << MessageBox::asked().back().text.toStdString();
    EXPECT_EQ(Text(1, 0), "0");
    EXPECT_EQ(Text(2, 0), "0");
}

// Sparse files (no disk taken) announcing two billion cards, and a million that do not fit the
// memory left: each load ends in a message, within a memory limit, and the list stays.
TEST_F(CardsListTest, FilesBeyondMemoryAreRefusedAndTheListStays)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempCollection folder;
    dialog.PutIntoList(catalogue);
    const struct {
        std::int32_t count;
        long long headroomMb;
    } cases[] = {{INT32_MAX, 1024}, {1'000'000, 128}};
    for (const auto& sample : cases) {
        std::string header = SerializeTradeList(TradeList{});
        for (int i = 0; i < 4; ++i) {
            header[68 + i] = static_cast<char>((sample.count >> (8 * i)) & 0xFF);
        }
        const std::string path = folder.Path("huge.ryn");
        std::ofstream(path, std::ios::binary) << header;
        std::filesystem::resize_file(path, 112 + 288ull * std::uint64_t(sample.count));
        FileDialog::setNextFileName(QString::fromStdString(path));
        EXPECT_EXIT(
            {
                LimitAddressSpace(sample.headroomMb);
                dialog.OnLoad();
                const bool said = !MessageBox::asked().empty() &&
                                  MessageBox::asked().back().caption == MessageBox::kError;
                std::_Exit(said && dialog.List().Count() == 3 ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << sample.count;
    }
}

TEST_F(CardsListTest, BoughtLogsEveryRowWithTheBuyTotalPreset)
{
    TempCollection collection;
    dialog.SetCollectionDatabase(&collection.Database());
    dialog.PutIntoList(catalogue);
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    dialog.OnBought();
    EXPECT_TRUE(presets.empty());
    priceAnswer = CDlgCardsList::PriceInput{12.5f, "it's done"};
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    dialog.findChild<QPushButton*>("soldButton")->click();
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_FLOAT_EQ(presets[0], 16.0f); // the buy total, also for a sale
    EXPECT_EQ(Asked().last(), "Information: Transaction logged.");
    EXPECT_EQ(MessageBox::asked()[1].caption, MessageBox::kQuestion);
    EXPECT_EQ(MessageBox::asked()[1].icon, MessageBox::Icon::Information);
    EXPECT_EQ(collection.One("select in_or_out || ' ' || comments from trans_detail"),
              "1 it's done");
    EXPECT_EQ(collection.One("select count(*) from history"), "3");
    EXPECT_EQ(dialog.List().Count(), 3u); // the list stays
}

TEST_F(CardsListTest, AnEmptyListOrAFailingDatabaseWritesNothing)
{
    TempCollection collection;
    dialog.SetCollectionDatabase(&collection.Database());
    priceAnswer = CDlgCardsList::PriceInput{1.0f, ""};
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    dialog.OnBought();
    EXPECT_EQ(Asked().last(), "Warning: No Cards in list");
    EXPECT_TRUE(presets.empty());

    dialog.PutIntoList(catalogue);
    collection.Exec("drop table history");
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    dialog.OnBought();
    EXPECT_EQ(MessageBox::asked().back().caption, MessageBox::kError);
    EXPECT_TRUE(MessageBox::asked().back().text.contains("history"));
    EXPECT_EQ(collection.One("select count(*) from trans_detail"), "0");
    EXPECT_EQ(collection.One("select count(*) from collections"), "0");
}

TEST_F(CardsListTest, ClosingHidesAndKeepsTheList)
{
    dialog.PutIntoList(catalogue);
    dialog.close();
    EXPECT_TRUE(dialog.isHidden());
    EXPECT_EQ(dialog.List().Count(), 3u);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.List().Count(), 3u);
}
