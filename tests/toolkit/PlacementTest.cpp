#include "TestSettings.h"
#include "toolkit/CResizableDialog.h"
#include "toolkit/ResourceIds.h"
#include "toolkit/WindowPlacement.h"

#include <QWidget>
#include <gtest/gtest.h>

TEST(WindowPlacementRecordTest, RoundTripsThroughItsRecord)
{
    WindowPlacement placement;
    placement.normal = QRect(-120, 40, 517, 300);
    placement.showState = WindowPlacement::kMaximized;
    const QByteArray record = placement.encode();
    ASSERT_EQ(record.size(), 44);
    const auto back = WindowPlacement::decode(record);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->normal, placement.normal);
    EXPECT_EQ(back->showState, WindowPlacement::kMaximized);
}

TEST(WindowPlacementRecordTest, MalformedRecordsAreIgnored)
{
    WindowPlacement good;
    good.normal = QRect(10, 10, 200, 100);
    const QByteArray record = good.encode();

    EXPECT_FALSE(WindowPlacement::decode(QByteArray()).has_value());
    EXPECT_FALSE(WindowPlacement::decode(record.left(43)).has_value());
    EXPECT_FALSE(WindowPlacement::decode(record + '\0').has_value());

    QByteArray wrongLength = record;
    wrongLength[0] = 40;
    EXPECT_FALSE(WindowPlacement::decode(wrongLength).has_value());

    WindowPlacement empty;
    empty.normal = QRect(10, 10, 0, 100);
    EXPECT_FALSE(WindowPlacement::decode(empty.encode()).has_value());

    WindowPlacement huge;
    huge.normal = QRect(10, 10, 90000, 100);
    EXPECT_FALSE(WindowPlacement::decode(huge.encode()).has_value());

    QByteArray badShow = record;
    badShow[8] = 42;
    EXPECT_FALSE(WindowPlacement::decode(badShow).has_value());
}

class FitOntoScreensTest : public ::testing::Test {
protected:
    const QRect primary{0, 0, 1920, 1050};
    const QRect right{1920, 0, 1280, 1024};
};

TEST_F(FitOntoScreensTest, AWindowOnAnyScreenStaysWhereItIs)
{
    EXPECT_EQ(WindowPlacement::fitOntoScreens(QRect(100, 100, 500, 300), {primary, right}),
              QRect(100, 100, 500, 300));
    EXPECT_EQ(WindowPlacement::fitOntoScreens(QRect(2000, 200, 500, 300), {primary, right}),
              QRect(2000, 200, 500, 300));
    // Partly beyond the right edge but reachable by its title.
    EXPECT_EQ(WindowPlacement::fitOntoScreens(QRect(1700, 100, 500, 300), {primary}),
              QRect(1700, 100, 500, 300));
}

TEST_F(FitOntoScreensTest, AWindowOffEveryScreenIsBroughtBack)
{
    // A monitor that is no longer there.
    const QRect fitted = WindowPlacement::fitOntoScreens(QRect(3500, 200, 500, 300), {primary});
    EXPECT_TRUE(primary.contains(fitted));
    EXPECT_EQ(fitted.size(), QSize(500, 300));
    EXPECT_EQ(fitted.top(), 200);

    const QRect above = WindowPlacement::fitOntoScreens(QRect(100, -400, 500, 300), {primary});
    EXPECT_EQ(above, QRect(100, 0, 500, 300));
}

TEST_F(FitOntoScreensTest, TitleAboveTheScreenOrBarelyVisibleIsMoved)
{
    EXPECT_EQ(WindowPlacement::fitOntoScreens(QRect(100, -50, 500, 300), {primary}).top(), 0);
    // Only 10 pixels of it show at the left edge.
    EXPECT_EQ(WindowPlacement::fitOntoScreens(QRect(-490, 100, 500, 300), {primary}).left(), 0);
}

TEST_F(FitOntoScreensTest, AWindowLargerThanTheScreenIsShrunk)
{
    const QRect fitted = WindowPlacement::fitOntoScreens(QRect(5000, 5000, 4000, 3000), {primary});
    EXPECT_EQ(fitted, primary);
}

TEST_F(FitOntoScreensTest, TheScreenItOverlapsMostIsChosen)
{
    const QRect fitted =
        WindowPlacement::fitOntoScreens(QRect(3150, 1000, 600, 400), {primary, right});
    EXPECT_TRUE(right.contains(fitted));
}

class PlacementStoreTest : public SettingsFixture {};

TEST_F(PlacementStoreTest, SavedPlacementIsRestoredUnderItsSection)
{
    QWidget window;
    window.setGeometry(150, 120, 400, 250);
    WindowPlacement::save("CDlgCardsList", window);

    QWidget other;
    other.setGeometry(0, 0, 100, 100);
    EXPECT_FALSE(WindowPlacement::restore("CDlgCollection", other));
    ASSERT_TRUE(WindowPlacement::restore("CDlgCardsList", other));
    EXPECT_EQ(other.geometry(), QRect(150, 120, 400, 250));
}

TEST_F(PlacementStoreTest, MalformedStoredValuesAreIgnored)
{
    QWidget window;
    window.setGeometry(30, 40, 300, 200);
    const QString key = "CQuorvelDlg/" + WindowPlacement::kEntry;

    for (const QVariant& bad : {QVariant(QString("garbage")), QVariant(QByteArray("short")),
                                QVariant(12), QVariant(QByteArray(44, '\xff'))}) {
        store(key, bad);
        EXPECT_FALSE(WindowPlacement::restore("CQuorvelDlg", window))
            << bad.toString().toStdString();
        EXPECT_EQ(window.geometry(), QRect(30, 40, 300, 200));
    }
}

TEST_F(PlacementStoreTest, RestoreKeepsTheWindowsMinimumSize)
{
    WindowPlacement placement;
    placement.normal = QRect(10, 10, 50, 40);
    store("CDlgTransaction/" + WindowPlacement::kEntry, placement.encode());
    QWidget window;
    window.setMinimumSize(200, 150);
    ASSERT_TRUE(WindowPlacement::restore("CDlgTransaction", window));
    EXPECT_EQ(window.size(), QSize(200, 150));
}

TEST_F(PlacementStoreTest, DialogSavesOnDestructionOnlyWhenItsPlacementIsKnown)
{
    const QString key = "CDlgCollection/" + WindowPlacement::kEntry;
    {
        CResizableDialog neverShown(resource::kCollectionDialog);
        neverShown.setPlacementSection("CDlgCollection");
    }
    EXPECT_FALSE(AppSettings::open()->contains(key));
    {
        CResizableDialog dialog(resource::kCollectionDialog);
        dialog.setPlacementSection("CDlgCollection");
        dialog.show();
        dialog.setGeometry(60, 70, 400, 300);
    }
    CResizableDialog again(resource::kCollectionDialog);
    again.setPlacementSection("CDlgCollection");
    EXPECT_EQ(again.geometry(), QRect(60, 70, 400, 300));
}
