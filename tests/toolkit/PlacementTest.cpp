#include "TestSettings.h"
#include "toolkit/CResizableDialog.h"
#include "toolkit/ResourceIds.h"
#include "toolkit/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
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
}

TEST_F(FitOntoScreensTest, AWindowPartlyOffItsScreenIsMovedWhollyOntoIt)
{
    // Partly beyond the right edge: what was saved at scale 1 reopened at scale 2.
    EXPECT_EQ(WindowPlacement::fitOntoScreens(QRect(1700, 100, 500, 300), {primary}),
              QRect(1420, 100, 500, 300));
    const QRect halfScreen(0, 0, 800, 500);
    EXPECT_EQ(WindowPlacement::fitOntoScreens(QRect(997, 704, 1208, 634), {halfScreen}),
              halfScreen);
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

TEST(DefaultPlacementTest, FirstPlacementsFitTheScreenAndAPairSitsSideBySide)
{
    using Spot = WindowPlacement::Spot;
    for (const QRect& screen : {QRect(0, 0, 1366, 768), QRect(0, 0, 800, 500),
                                QRect(1366, 24, 1024, 744)}) {
        for (const QSize& size : {QSize(500, 300), QSize(1200, 700), QSize(3000, 3000)}) {
            const QRect centre = WindowPlacement::defaultRect(size, Spot::Centre, screen);
            const QRect left = WindowPlacement::defaultRect(size, Spot::LeftOfPair, screen);
            const QRect right = WindowPlacement::defaultRect(size, Spot::RightOfPair, screen);
            for (const QRect& rect : {centre, left, right}) {
                EXPECT_TRUE(screen.contains(rect)) << screen.x() << " " << size.width();
                EXPECT_LE(rect.height(), size.height());
            }
            EXPECT_EQ(centre.size(), size.boundedTo(centre.size()));
            EXPECT_LT(left.right(), right.left());
            EXPECT_EQ(left.size(), right.size());
            EXPECT_EQ(left.top(), right.top());
        }
    }
    // A size that fits is kept as it is.
    EXPECT_EQ(WindowPlacement::defaultRect({500, 300}, Spot::LeftOfPair, {0, 0, 1366, 768}).size(),
              QSize(500, 300));
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

// Also run with QT_SCALE_FACTOR=2 (ctest entry "toolkit_scaled"): the offscreen screen of
// 800x600 pixels then offers 400x300 device-independent pixels, smaller than the main window's
// template.
class ScaledPlacementTest : public SettingsFixture {
protected:
    QRect Screen() const { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

TEST_F(ScaledPlacementTest, ASavedPlacementReopensWhollyOnTheScreen)
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        EXPECT_DOUBLE_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(),
                         qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    WindowPlacement saved;
    saved.normal = QRect(997, 704, 1208, 634);
    store("CQuorvelDlg/" + WindowPlacement::kEntry, saved.encode());
    CResizableDialog window(resource::kMainDialog);
    window.setPlacementSection("CQuorvelDlg");
    window.show();
    EXPECT_TRUE(Screen().contains(window.geometry()))
        << window.geometry().x() << "," << window.geometry().y() << " "
        << window.geometry().width() << "x" << window.geometry().height() << " on "
        << Screen().width() << "x" << Screen().height();
}

TEST_F(ScaledPlacementTest, TheFirstPlacementFitsTheScreen)
{
    for (auto spot : {WindowPlacement::Spot::Centre, WindowPlacement::Spot::RightOfPair}) {
        CResizableDialog window(resource::kMainDialog);
        window.setDefaultPlacement(QSize(2000, 2000), spot);
        window.setPlacementSection("CQuorvelDlg");
        EXPECT_LE(window.width(), Screen().width());
        EXPECT_LE(window.height(), Screen().height());
        EXPECT_LE(window.minimumWidth(), window.width());
        EXPECT_LE(window.minimumHeight(), window.height());
    }
}
