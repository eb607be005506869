#include "toolkit/CTipPopup.h"
#include "toolkit/PopupPlacement.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

class ReportPlacementTest : public ::testing::Test {
protected:
    const QRect screen{0, 0, 1280, 1024};
    const QSize popup{200, 120};
};

TEST_F(ReportPlacementTest, OpensTenPixelsRightAndBelowTheCursor)
{
    EXPECT_EQ(PopupPlacement::forReport(popup, QPoint(300, 400), screen),
              QRect(310, 410, 200, 120));
}

TEST_F(ReportPlacementTest, NearTheBottomItGoesAboveTheCursor)
{
    // 900 + 10 + 120 = 1030 lies below 1024 - 20.
    EXPECT_EQ(PopupPlacement::forReport(popup, QPoint(300, 900), screen),
              QRect(310, 770, 200, 120));
    // Exactly at the margin it stays below.
    EXPECT_EQ(PopupPlacement::forReport(popup, QPoint(300, 874), screen).top(), 884);
    EXPECT_EQ(PopupPlacement::forReport(popup, QPoint(300, 875), screen).top(), 745);
}

TEST_F(ReportPlacementTest, NearTheRightEdgeItGoesLeftOfTheCursor)
{
    EXPECT_EQ(PopupPlacement::forReport(popup, QPoint(1100, 400), screen),
              QRect(890, 410, 200, 120));
}

TEST_F(ReportPlacementTest, InTheLowerRightCornerItGoesAboveAndLeft)
{
    const QRect placed = PopupPlacement::forReport(popup, QPoint(1270, 1015), screen);
    EXPECT_EQ(placed, QRect(1060, 885, 200, 120));
    EXPECT_TRUE(screen.contains(placed));
}

TEST_F(ReportPlacementTest, UsesTheScreenTheCursorIsOn)
{
    const QRect second(1280, 0, 1920, 1080);
    EXPECT_EQ(PopupPlacement::forReport(popup, QPoint(1300, 100), second),
              QRect(1310, 110, 200, 120));
    // Near the right edge of the second screen.
    EXPECT_EQ(PopupPlacement::forReport(popup, QPoint(3150, 100), second).left(), 2940);
    // A screen above the primary one has negative coordinates.
    const QRect above(0, -1024, 1280, 1024);
    EXPECT_EQ(PopupPlacement::forReport(popup, QPoint(100, -30), above),
              QRect(110, -160, 200, 120));
}

TEST_F(ReportPlacementTest, ATallReportNeverLeavesTheScreen)
{
    const QSize tall(200, 700);
    const QRect placed = PopupPlacement::forReport(tall, QPoint(300, 500), screen);
    EXPECT_EQ(placed.size(), tall);
    EXPECT_TRUE(screen.contains(placed));
    EXPECT_EQ(PopupPlacement::keepOnScreen(QRect(-50, -20, 100, 100), screen),
              QRect(0, 0, 100, 100));
}

class TipPopupTest : public ::testing::Test {
protected:
    QWidget owner;
    CTipPopup popup{&owner};
};

TEST_F(TipPopupTest, SplitsTheTextIntoLinesAndSizesItselfToThem)
{
    popup.showTip(QString(), "1 cards found!\n---\nCard Name: Shock", QPoint(20, 30), 0);
    ASSERT_TRUE(popup.isOpen());
    EXPECT_EQ(popup.lines(), QStringList({"1 cards found!", "---", "Card Name: Shock"}));
    EXPECT_EQ(popup.pos(), QPoint(20, 30));
    const QSize three = popup.size();
    const QFontMetrics metrics(popup.font());
    EXPECT_GE(three.width(), metrics.horizontalAdvance("Card Name: Shock"));
    EXPECT_GE(three.height(), 3 * metrics.height());

    popup.showTip(QString(), "one\ntwo\nthree\nfour\nfive", QPoint(20, 30), 0);
    EXPECT_GT(popup.height(), three.height());
    // Never resized while shown.
    EXPECT_EQ(popup.minimumSize(), popup.maximumSize());
    popup.moveTo(QPoint(100, 110));
    EXPECT_EQ(popup.pos(), QPoint(100, 110));
    EXPECT_EQ(popup.lines().size(), 5);
}

TEST_F(TipPopupTest, UsesTheTooltipColoursAndIsATopmostWindow)
{
    EXPECT_EQ(popup.palette().color(QPalette::ToolTipBase),
              QToolTip::palette().color(QPalette::ToolTipBase));
    EXPECT_TRUE(popup.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(popup.isWindow());
}

TEST_F(TipPopupTest, ClosesWhenItsLifetimeEnds)
{
    QSignalSpy closed(&popup, &CTipPopup::closed);
    popup.showTip("Title", "text", QPoint(10, 10), 50);
    EXPECT_TRUE(popup.isOpen());
    EXPECT_TRUE(closed.wait(2000));
    EXPECT_FALSE(popup.isOpen());
}

TEST_F(TipPopupTest, ClosesOnAClickAndPassesTheClickOn)
{
    QPushButton button("beneath");
    button.setGeometry(0, 0, 300, 200);
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);
    const QPoint global = button.mapToGlobal(QPoint(50, 50));
    popup.showTip(QString(), "tip", global - QPoint(5, 5), 0);
    QTest::mouseClick(&popup, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(popup.isOpen());
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(TipPopupTest, ClosesWhenTheUserTurnsToAnotherWindow)
{
    QPushButton elsewhere("elsewhere");
    elsewhere.show();
    popup.showTip(QString(), "tip", QPoint(400, 400), 0);
    QTest::mouseClick(&elsewhere, Qt::LeftButton);
    EXPECT_FALSE(popup.isOpen());
}

TEST_F(TipPopupTest, ANewTipReplacesAnOpenOneAndCloseIsIdempotent)
{
    QSignalSpy closed(&popup, &CTipPopup::closed);
    popup.showTip(QString(), "report", QPoint(10, 10), 10000);
    popup.showTip(QString(), "Set/Rare", QPoint(30, 40), 2000);
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(popup.lines(), QStringList({"Set/Rare"}));
    popup.closePopup();
    popup.closePopup();
    EXPECT_EQ(closed.count(), 2);
}

TEST_F(TipPopupTest, ReportIsPlacedBesideTheCursorOnItsScreen)
{
    const QRect screen = PopupPlacement::screenGeometryAt(QPoint(10, 10));
    ASSERT_FALSE(screen.isEmpty());
    popup.showReport("1 cards found!\n---", QPoint(100, 100), 0);
    EXPECT_EQ(popup.pos(), QPoint(110, 110));
    const QPoint corner = screen.bottomRight() - QPoint(2, 2);
    popup.showReport("1 cards found!\n---", corner, 0);
    EXPECT_TRUE(screen.contains(popup.geometry()));
    EXPECT_EQ(popup.geometry().right() + 1, corner.x() - 10);
    EXPECT_EQ(popup.geometry().bottom() + 1, corner.y() - 10);
}
