#include "app/CAboutDlg.h"

#include "toolkit/CHyperLink.h"
#include "toolkit/ResourceIds.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CAboutDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CHyperLink::setOpener([this](const QUrl& url) {
            m_opened << url;
            return true;
        });
    }
    void TearDown() override { CHyperLink::setOpener({}); }
    QList<QUrl> m_opened;
};

TEST_F(CAboutDlgTest, ShowsTheVersionLineAndTheFixedTexts)
{
    CAboutDlg box;
    EXPECT_EQ(box.windowTitle(), "About Quorvel");
    auto* version = box.findChild<QLabel*>("versionLine");
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->text(), "Quorvel Version 1.0 build 0");
    auto* ok = box.findChild<QPushButton*>("okButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
}

TEST_F(CAboutDlgTest, EachLinkOpensItsOwnTarget)
{
    CAboutDlg box;
    box.show();
    for (const char* name : {"contactLink", "homePageLink", "donationLink"}) {
        auto* link = box.findChild<CHyperLink*>(name);
        ASSERT_NE(link, nullptr) << name;
        QTest::mouseClick(link, Qt::LeftButton);
    }
    ASSERT_EQ(m_opened.size(), 3);
    EXPECT_EQ(m_opened[0].scheme(), "mailto");
    EXPECT_EQ(m_opened[1], QUrl(CAboutDlg::kHomePage));
    EXPECT_EQ(box.findChild<CHyperLink*>("homePageLink")->text(), CAboutDlg::kHomePage);
    EXPECT_EQ(m_opened[2], QUrl(CAboutDlg::kDonationPage));
    EXPECT_NE(m_opened[1], m_opened[2]);
}

TEST_F(CAboutDlgTest, OkAndEscapeCloseTheBox)
{
    CAboutDlg box;
    box.show();
    QSignalSpy finished(&box, &QDialog::finished);
    QTest::mouseClick(box.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_FALSE(box.isVisible());

    box.show();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_EQ(finished.size(), 2);
    EXPECT_FALSE(box.isVisible());
}

TEST_F(CAboutDlgTest, OkHoldsTheInitialFocusAndEnterPressesIt)
{
    CAboutDlg box;
    box.show();
    QSignalSpy finished(&box, &QDialog::finished);
    ASSERT_NE(box.focusWidget(), nullptr);
    EXPECT_EQ(box.focusWidget(), box.findChild<QPushButton*>("okButton"));
    QTest::keyClick(box.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_TRUE(m_opened.isEmpty());
}

} // namespace
