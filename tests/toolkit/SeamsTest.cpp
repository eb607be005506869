#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

class MessageBoxTest : public ::testing::Test {
protected:
    void TearDown() override { MessageBox::setTestMode(false); }
};

TEST_F(MessageBoxTest, QueuedAnswersAreGivenInOrderAndEveryBoxIsRecorded)
{
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    EXPECT_TRUE(MessageBox::askYesNo("Update the prices?"));
    EXPECT_FALSE(MessageBox::askYesNo("Really?"));
    MessageBox::error("It failed");

    const auto& asked = MessageBox::asked();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].text, "Update the prices?");
    EXPECT_EQ(asked[0].caption, "Question");
    EXPECT_EQ(asked[0].buttons, MessageBox::Buttons::YesNo);
    EXPECT_EQ(asked[2].caption, "Error");
    EXPECT_EQ(asked[2].icon, MessageBox::Icon::Error);
}

TEST_F(MessageBoxTest, WithoutQueuedAnswerTheDefaultButtonAnswers)
{
    MessageBox::setTestMode(true);
    EXPECT_FALSE(MessageBox::askYesNo("Delete?"));
    EXPECT_EQ(MessageBox::show("t", "c", MessageBox::Icon::Warning, MessageBox::Buttons::YesNo,
                               MessageBox::Answer::Yes),
              MessageBox::Answer::Yes);
    // A default the box does not offer falls back to its escape answer.
    EXPECT_EQ(MessageBox::show("t", "c", MessageBox::Icon::None, MessageBox::Buttons::OkCancel,
                               MessageBox::Answer::Yes),
              MessageBox::Answer::Cancel);
}

TEST_F(MessageBoxTest, CaptionsAndIconsOfTheConvenienceBoxes)
{
    MessageBox::setTestMode(true);
    MessageBox::information("a");
    MessageBox::warning("b");
    MessageBox::caution("c");
    const auto& asked = MessageBox::asked();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].caption, "Information");
    EXPECT_EQ(asked[0].icon, MessageBox::Icon::Information);
    EXPECT_EQ(asked[1].caption, "Warning");
    EXPECT_EQ(asked[2].caption, "Caution");
    EXPECT_EQ(asked[2].icon, MessageBox::Icon::Warning);
    MessageBox::setTestMode(false);
    EXPECT_TRUE(MessageBox::asked().empty());
}

// A box with a check box: the real box shows it unticked and hands back the user's tick.
TEST_F(MessageBoxTest, CheckBoxOfAQuestionReachesTheCaller)
{
    for (const bool tick : {false, true}) {
        bool unticked = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            ASSERT_NE(box->checkBox(), nullptr);
            unticked = !box->checkBox()->isChecked();
            box->checkBox()->setChecked(tick);
            box->button(QMessageBox::Yes)->click();
        });
        bool checked = !tick;
        EXPECT_TRUE(MessageBox::askYesNo("Import?", "Overwrite", checked));
        EXPECT_TRUE(unticked);
        EXPECT_EQ(checked, tick);
    }
    MessageBox::setTestMode(true);
    MessageBox::setNextCheck(true);
    bool checked = false;
    MessageBox::askYesNo("Import?", "Overwrite", checked);
    MessageBox::askYesNo("Again?", "Overwrite", checked);
    EXPECT_FALSE(checked); // a queued tick answers one box only
}

class FileDialogTest : public ::testing::Test {
protected:
    void TearDown() override { FileDialog::setTestMode(false); }
};

TEST_F(FileDialogTest, ConvertsTheProgramsFilterString)
{
    EXPECT_EQ(FileDialog::convertFilter(FileDialog::kTradeListFilter), "All Files (*.ryn);;(*)");
    EXPECT_EQ(FileDialog::convertFilter("Text|*.txt;*.csv|"), "Text (*.txt *.csv)");
    EXPECT_EQ(FileDialog::convertFilter("Lists (*.ryn)|*.ryn"), "Lists (*.ryn)");
    EXPECT_EQ(FileDialog::convertFilter(""), "");
}

TEST_F(FileDialogTest, QueuedNamesAndCancelAnswerInOrder)
{
    FileDialog::setNextFileName(QString("/tmp/a.ryn"));
    FileDialog::setNextFileName(std::nullopt);
    EXPECT_EQ(FileDialog::getSaveFileName("Save", FileDialog::kTradeListFilter, "ryn"),
              std::optional<QString>("/tmp/a.ryn"));
    EXPECT_EQ(FileDialog::getOpenFileName("Load", FileDialog::kTradeListFilter), std::nullopt);
    // Nothing queued: the dialog counts as cancelled.
    EXPECT_EQ(FileDialog::getOpenFileName("Load", FileDialog::kTradeListFilter), std::nullopt);

    const auto& asked = FileDialog::asked();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_TRUE(asked[0].save);
    EXPECT_EQ(asked[0].title, "Save");
    EXPECT_FALSE(asked[1].save);
    EXPECT_EQ(asked[1].filter, "All Files (*.ryn);;(*)");
}

TEST_F(FileDialogTest, SaveNameGetsTheSuffixAndReplacingAFileIsConfirmed)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString bare = dir.filePath("deals");
    FileDialog::setNextFileName(bare);
    EXPECT_EQ(FileDialog::getSaveFileName("Save", FileDialog::kTradeListFilter, "ryn"),
              std::optional<QString>(bare + ".ryn"));

    QFile existing(bare + ".ryn");
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    FileDialog::setNextFileName(bare);
    EXPECT_EQ(FileDialog::getSaveFileName("Save", FileDialog::kTradeListFilter, "ryn"),
              std::nullopt);
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_EQ(MessageBox::asked()[0].caption, "Question");
    EXPECT_TRUE(MessageBox::asked()[0].text.contains("deals.ryn"));

    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    FileDialog::setNextFileName(bare);
    EXPECT_EQ(FileDialog::getSaveFileName("Save", FileDialog::kTradeListFilter, "ryn"),
              std::optional<QString>(bare + ".ryn"));
    // A name with a suffix of its own is taken as it is.
    FileDialog::setNextFileName(dir.filePath("deals.txt"));
    EXPECT_EQ(FileDialog::getSaveFileName("Save", FileDialog::kTradeListFilter, "ryn"),
              std::optional<QString>(dir.filePath("deals.txt")));
    MessageBox::setTestMode(false);
}
