#include "toolkit/MessageBox.h"
#include "trade/view/CDlgInputPrice.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

class InputPriceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MessageBox::setTestMode(false);
        MessageBox::setTestMode(true);
        dialog.SetPrice(16.25f);
        dialog.show();
    }
    QLineEdit* Price() { return dialog.findChild<QLineEdit*>("bulkPriceEdit"); }
    QLineEdit* Comments() { return dialog.findChild<QLineEdit*>("commentsEdit"); }
    void PressOk() { dialog.findChild<QPushButton*>("okButton")->click(); }

    CDlgInputPrice dialog;
};

TEST_F(InputPriceTest, ShowsThePresetAndTakesBothValuesOnOk)
{
    EXPECT_EQ(dialog.windowTitle(), "Input price");
    EXPECT_EQ(Price()->text(), "16.25");
    Price()->setText(" 12.5 ");
    QTest::keyClicks(Comments(), "obo 'cheap'");
    PressOk();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(dialog.Price(), 12.5f);
    EXPECT_EQ(dialog.Comments(), "obo 'cheap'");
    EXPECT_TRUE(MessageBox::asked().empty());
}

TEST_F(InputPriceTest, TextThatIsNotANumberKeepsTheDialogOpen)
{
    for (const char* bad : {"abc", "12abc", "", "1,5"}) {
        Price()->setText(bad);
        PressOk();
        EXPECT_TRUE(dialog.isVisible()) << bad;
        EXPECT_NE(dialog.result(), QDialog::Accepted) << bad;
    }
    ASSERT_EQ(MessageBox::asked().size(), 4u);
    EXPECT_EQ(MessageBox::asked()[0].text, "Please enter a number.");
    EXPECT_FLOAT_EQ(dialog.Price(), 16.25f);
}

TEST_F(InputPriceTest, CancelTakesNothing)
{
    Price()->setText("99");
    Comments()->setText("x");
    dialog.findChild<QPushButton*>("cancelButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FLOAT_EQ(dialog.Price(), 16.25f);
    EXPECT_EQ(dialog.Comments(), "");
}
