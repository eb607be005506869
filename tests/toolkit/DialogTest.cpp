#include "toolkit/CHyperLink.h"
#include "toolkit/CResizableDialog.h"
#include "toolkit/CommandMenu.h"
#include "toolkit/DialogTemplate.h"
#include "toolkit/DialogUnits.h"
#include "toolkit/FlatButton.h"
#include "toolkit/GroupBox.h"
#include "toolkit/ResourceIds.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(DialogUnitsTest, ConvertsWithTheBaseUnitsAndRoundsToNearest)
{
    const DialogUnits units(6, 13); // a typical 8-point sans-serif face
    EXPECT_EQ(units.toPixelsX(4), 6);
    EXPECT_EQ(units.toPixelsX(345), 518); // 517.5 rounds up
    EXPECT_EQ(units.toPixelsY(8), 13);
    EXPECT_EQ(units.toPixelsY(184), 299);
    EXPECT_EQ(units.toPixels(QSize(345, 184)), QSize(518, 299));
    // Each edge is mapped on its own: 1 + 1 units make 2 + 1 pixels here.
    EXPECT_EQ(units.toPixels(QRect(1, 0, 1, 8)), QRect(2, 0, 1, 13));
}

TEST(DialogUnitsTest, BaseUnitsComeFromTheFont)
{
    QFont small = DialogUnits::templateFont("MS Sans Serif", 8);
    QFont large = DialogUnits::templateFont("MS Sans Serif", 16);
    const DialogUnits a = DialogUnits::fromFont(small);
    const DialogUnits b = DialogUnits::fromFont(large);
    EXPECT_GT(a.baseWidth(), 2);
    EXPECT_GT(a.baseHeight(), a.baseWidth());
    EXPECT_GT(b.baseWidth(), a.baseWidth());
    EXPECT_GT(b.baseHeight(), a.baseHeight());
}

TEST(AnchorsTest, EdgesFollowTheirAnchors)
{
    const QRect base(10, 20, 100, 50);
    EXPECT_EQ((Anchors{0, 0, 0, 0}).apply(base, 30, 40), base);
    EXPECT_EQ((Anchors{0, 0, 1, 1}).apply(base, 30, 40), QRect(10, 20, 130, 90));
    EXPECT_EQ((Anchors{1, 0, 1, 0}).apply(base, 30, 40), QRect(40, 20, 100, 50));
    EXPECT_EQ((Anchors{0, 1, 1, 1}).apply(base, 30, 40), QRect(10, 60, 130, 50));
    EXPECT_EQ((Anchors{0.5, 0, 0.5, 0}).apply(base, 30, 0), QRect(25, 20, 100, 50));
}

TEST(DialogTemplateTest, TemplatesHoldTheirCaptionsSizesAndFonts)
{
    struct Expected {
        int id;
        const char* caption;
        QSize size;
        const char* font;
        int points;
        bool resizable;
        size_t controls;
    };
    for (const Expected& e :
         {Expected{100, "About Quorvel", {208, 102}, "MS Sans Serif", 8, false, 7},
          Expected{102, "Quorvel", {345, 184}, "MS Sans Serif", 8, true, 7},
          Expected{129, "Trade List", {213, 133}, "System", 10, true, 9},
          Expected{142, "Input price", {225, 49}, "System", 10, false, 6},
          Expected{143, "Collection", {142, 81}, "System", 10, true, 3}}) {
        const DialogTemplate& t = DialogTemplate::get(e.id);
        EXPECT_EQ(t.id, e.id);
        EXPECT_EQ(t.caption, e.caption);
        EXPECT_EQ(t.size, e.size) << e.id;
        EXPECT_EQ(t.fontFamily, e.font);
        EXPECT_EQ(t.fontPointSize, e.points);
        EXPECT_EQ(t.resizable, e.resizable) << e.id;
        EXPECT_EQ(t.controls.size(), e.controls) << e.id;
    }
    const DialogTemplate& main = DialogTemplate::get(resource::kMainDialog);
    EXPECT_TRUE(main.minimizeBox);
    EXPECT_FALSE(main.maximizeBox);
    const ControlTemplate* search = main.control(resource::kSearchButton);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->rect, QRect(137, 23, 64, 12));
    EXPECT_EQ(search->anchors, (Anchors{1, 0, 1, 0}));
    EXPECT_TRUE(search->hasFlag("default"));
    EXPECT_EQ(main.control(resource::kCardsGroup)->caption, "0 cards in list ");
    EXPECT_EQ(main.control(resource::kSearchGroup)->caption, " Search...");
    const ControlTemplate* refresh =
        DialogTemplate::get(resource::kCollectionDialog).control(resource::kRefreshButton);
    EXPECT_EQ(refresh->anchors, (Anchors{0, 1, 1, 1}));
    EXPECT_EQ(DialogTemplate::get(resource::kInputPriceDialog).control(1051)->caption,
              "Bulk Pirce");
}

TEST(DialogTemplateTest, DamagedTemplatesAreRefused)
{
    EXPECT_THROW(DialogTemplate::get(999), std::runtime_error);
    EXPECT_THROW(DialogTemplate::parse("{"), std::runtime_error);
    EXPECT_THROW(DialogTemplate::parse(R"({"id":1,"size":[0,10]})"), std::runtime_error);
    EXPECT_THROW(
        DialogTemplate::parse(
            R"({"id":1,"size":[10,10],"controls":[{"id":5,"kind":"wheel","rect":[0,0,1,1]}]})"),
        std::runtime_error);
    EXPECT_THROW(
        DialogTemplate::parse(
            R"({"id":1,"size":[10,10],"controls":[{"id":5,"kind":"edit","rect":[0,0,1]}]})"),
        std::runtime_error);
    EXPECT_THROW(DialogTemplate::parse(R"({"id":1,"size":[10,10],"controls":[
            {"id":5,"kind":"edit","rect":[0,0,1,1]},{"id":5,"kind":"edit","rect":[0,0,1,1]}]})"),
                 std::runtime_error);
    EXPECT_THROW(
        DialogTemplate::parse(
            R"({"id":1,"size":[10,10],"controls":[{"id":5,"kind":"edit","rect":[0,0,1,1],"anchors":[0,0,2,0]}]})"),
        std::runtime_error);
}

class MainDialogTest : public ::testing::Test {
protected:
    CResizableDialog dialog{resource::kMainDialog};
};

TEST_F(MainDialogTest, ControlsAreBuiltByKindAndFoundByIdAndName)
{
    EXPECT_EQ(dialog.windowTitle(), "Quorvel");
    EXPECT_NE(dialog.controlAs<GroupBox>(resource::kSearchGroup), nullptr);
    dialog.controlAs<QGroupBox>(resource::kCardsGroup)->setTitle("12 cards in list ");
    EXPECT_EQ(dialog.controlAs<QGroupBox>(resource::kCardsGroup)->title(), "12 cards in list ");
    EXPECT_NE(dialog.controlAs<QLineEdit>(resource::kSearchEdit), nullptr);
    auto* search = dialog.controlAs<FlatButton>(resource::kSearchButton);
    ASSERT_NE(search, nullptr);
    EXPECT_TRUE(search->isDefault());
    EXPECT_EQ(search->text(), "Search");
    EXPECT_EQ(dialog.findChild<QPushButton*>("putIntoListButton"),
              dialog.control(resource::kPutIntoListButton));
    EXPECT_EQ(dialog.control(4711), nullptr);
}

TEST_F(MainDialogTest, ControlsSitAtTheirTemplatePlaces)
{
    const DialogUnits& u = dialog.dialogUnits();
    EXPECT_EQ(dialog.size(), u.toPixels(QSize(345, 184)));
    EXPECT_EQ(dialog.control(resource::kCardGrid)->geometry(), u.toPixels(QRect(12, 64, 321, 107)));
    EXPECT_EQ(dialog.minimumSize(), dialog.size());
}

TEST_F(MainDialogTest, ResizingMovesAndStretchesByAnchors)
{
    dialog.show();
    const QRect edit = dialog.control(resource::kSearchEdit)->geometry();
    const QRect button = dialog.control(resource::kSearchButton)->geometry();
    const QRect grid = dialog.control(resource::kCardGrid)->geometry();
    dialog.resize(dialog.width() + 100, dialog.height() + 60);

    EXPECT_EQ(dialog.control(resource::kSearchEdit)->geometry(), edit.adjusted(0, 0, 100, 0));
    EXPECT_EQ(dialog.control(resource::kSearchButton)->geometry(), button.translated(100, 0));
    EXPECT_EQ(dialog.control(resource::kCardGrid)->geometry(), grid.adjusted(0, 0, 100, 60));

    dialog.resize(dialog.baseSize());
    EXPECT_EQ(dialog.control(resource::kCardGrid)->geometry(), grid);
}

TEST_F(MainDialogTest, HostedMenuBarEnlargesTheWindowAndKeepsControlsBelowIt)
{
    CommandMenu menu(resource::kMainMenu);
    const QSize before = dialog.size();
    const QRect grid = dialog.control(resource::kCardGrid)->geometry();
    QMenuBar* bar = menu.createMenuBar();
    dialog.hostMenuBar(bar);
    const int barHeight = bar->height();
    ASSERT_GT(barHeight, 0);
    EXPECT_EQ(bar->parentWidget(), &dialog);
    EXPECT_EQ(dialog.size(), before + QSize(0, barHeight));
    EXPECT_EQ(dialog.control(resource::kCardGrid)->geometry(), grid.translated(0, barHeight));
    dialog.show();
    dialog.resize(dialog.width() + 50, dialog.height());
    EXPECT_EQ(bar->width(), dialog.width());
    EXPECT_EQ(dialog.control(resource::kCardGrid)->geometry(),
              grid.translated(0, barHeight).adjusted(0, 0, 50, 0));
}

TEST_F(MainDialogTest, ReplacedControlTakesThePlaceAndTheAnchors)
{
    auto* grid = new QLabel("grid");
    const QRect place = dialog.control(resource::kCardGrid)->geometry();
    ASSERT_EQ(dialog.replaceControl(resource::kCardGrid, grid), grid);
    EXPECT_EQ(dialog.control(resource::kCardGrid), grid);
    EXPECT_EQ(grid->parentWidget(), &dialog);
    EXPECT_EQ(grid->objectName(), "cardGrid");
    EXPECT_EQ(grid->geometry(), place);
    dialog.show();
    dialog.resize(dialog.width() + 20, dialog.height() + 30);
    EXPECT_EQ(grid->geometry(), place.adjusted(0, 0, 20, 30));
    QLabel stray;
    EXPECT_EQ(dialog.replaceControl(4711, &stray), nullptr);
}

TEST_F(MainDialogTest, EscapeNeverClosesTheWindowAndCloseHidesIt)
{
    dialog.show();
    QTest::keyClick(dialog.control(resource::kSearchEdit), Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ModalDialogTest, FixedTemplatesAreFixedAndEscapeClosesWhenAsked)
{
    CResizableDialog about(resource::kAboutDialog);
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_NE(about.controlAs<CHyperLink>(resource::kDonationLink), nullptr);
    EXPECT_NE(about.controlAs<QLabel>(resource::kAboutIconControl), nullptr);
    about.setCloseOnEscape(true);
    about.show();
    QSignalSpy rejected(&about, &QDialog::rejected);
    QTest::keyClick(&about, Qt::Key_Escape);
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_FALSE(about.isVisible());
}

TEST(ModalDialogTest, ButtonsOneAndTwoAcceptAndReject)
{
    CResizableDialog input(resource::kInputPriceDialog);
    input.show();
    QSignalSpy accepted(&input, &QDialog::accepted);
    QTest::mouseClick(input.control(resource::kOk), Qt::LeftButton);
    EXPECT_EQ(accepted.count(), 1);
    input.show();
    QSignalSpy rejected(&input, &QDialog::rejected);
    QTest::mouseClick(input.control(resource::kCancel), Qt::LeftButton);
    EXPECT_EQ(rejected.count(), 1);
}

TEST_F(MainDialogTest, WindowMenuOpensOnTheBackgroundAndRunsItsItem)
{
    EXPECT_EQ(dialog.windowMenu(), nullptr);
    QAction* about = dialog.appendWindowMenuItem("&About Tamrik's Ryn...");
    ASSERT_NE(dialog.windowMenu(), nullptr);
    QSignalSpy triggered(about, &QAction::triggered);
    dialog.show();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(3, 3),
                            dialog.mapToGlobal(QPoint(3, 3)));
    QCoreApplication::sendEvent(&dialog, &click);
    EXPECT_TRUE(dialog.windowMenu()->isVisible());
    dialog.windowMenu()->actions().front()->trigger();
    EXPECT_EQ(triggered.count(), 1);
    dialog.windowMenu()->close();
}
