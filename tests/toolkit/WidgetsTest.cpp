#include "support/TestWait.h"
#include "lookup/CardGridRules.h"
#include "toolkit/CHyperLink.h"
#include "toolkit/CommandMenu.h"
#include "toolkit/FlatButton.h"
#include "toolkit/ResourceIds.h"
#include "toolkit/Resources.h"
#include "toolkit/TrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <gtest/gtest.h>

class HyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CHyperLink::setOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }
    void TearDown() override { CHyperLink::setOpener({}); }
    QList<QUrl> opened;
};

TEST_F(HyperLinkTest, ClickAndKeyOpenTheTargetThroughTheOpener)
{
    CHyperLink link("Contact Author");
    link.setUrl(QUrl("mailto:author@example.org"));
    link.resize(120, 20);
    link.show();
    QTest::mouseClick(&link, Qt::LeftButton);
    QTest::keyClick(&link, Qt::Key_Space);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl("mailto:author@example.org"));
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(HyperLinkTest, LinkWithoutTargetOpensNothing)
{
    CHyperLink link("nowhere");
    EXPECT_FALSE(link.open());
    EXPECT_TRUE(opened.isEmpty());
}

TEST(FlatButtonTest, RaisedOnlyWhileHoveredOrFocused)
{
    QWidget window;
    auto* button = new FlatButton("Search", &window);
    button->setGeometry(10, 10, 80, 24);
    window.show();
    EXPECT_FALSE(button->isRaised());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
    QCoreApplication::sendEvent(button, &enter);
    EXPECT_TRUE(button->isRaised());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->isRaised());
}

TEST(CommandMenuTest, MainMenuHasTheMenusAndItemsInOrder)
{
    CommandMenu menu(resource::kMainMenu);
    std::unique_ptr<QMenuBar> bar(menu.createMenuBar());
    QStringList titles;
    for (QAction* a : bar->actions())
        titles << a->text();
    EXPECT_EQ(titles, QStringList({"&File", "&View", "&Option", "&Help"}));
    QMenu* option = bar->actions()[2]->menu();
    QStringList items;
    for (QAction* a : option->actions())
        items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, QStringList({"&Topmost Window", "&Clipboard Monitor", "-", "&Match Level Low",
                                  "&User def filter", "&Best Match First", "-",
                                  "Update Prices &Daily"}));
    // The menu bar's Clipboard Monitor shows no check mark; the tray's does.
    EXPECT_FALSE(menu.action("ClipboardMonitor")->isCheckable());
    EXPECT_EQ(menu.action("Help")->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_FALSE(menu.action("Exit")->icon().isNull());
    EXPECT_TRUE(menu.action("Topmost")->icon().isNull());
}

TEST(CommandMenuTest, TrayMenuIsOnePopupWithItsChecks)
{
    CommandMenu menu(resource::kTrayMenu);
    std::unique_ptr<QMenu> popup(menu.createPopupMenu());
    QStringList items;
    for (QAction* a : popup->actions())
        items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, QStringList({"&About...", "-", "&Show Window", "&Topmost Window", "-",
                                  "Clipboard Monitor", "&Best Match First", "-",
                                  "&Import Prices...", "&Update Prices Now", "-", "&Exit"}));
    EXPECT_TRUE(menu.action("ClipboardMonitor")->isCheckable());
    EXPECT_TRUE(menu.action("BestMatchFirst")->isCheckable());
    EXPECT_FALSE(menu.action("ShowWindow")->icon().isNull());
    EXPECT_FALSE(menu.action("About")->icon().isNull());
}

TEST(CommandMenuTest, TriggeringRunsTheCommandAndTheOwnerKeepsTheMarks)
{
    CommandMenu menu(resource::kMainMenu);
    std::unique_ptr<QMenuBar> bar(menu.createMenuBar());
    QStringList commands;
    bool topmost = false;
    QObject::connect(&menu, &CommandMenu::commandTriggered, [&](const QString& command) {
        commands << command;
        if (command == "Topmost") {
            topmost = !topmost;
            menu.setChecked("Topmost", topmost);
        }
    });
    menu.action("MatchLevelLow")->trigger();
    // The owner did not set a mark, so none appears.
    EXPECT_FALSE(menu.action("MatchLevelLow")->isChecked());
    menu.action("Topmost")->trigger();
    EXPECT_TRUE(menu.action("Topmost")->isChecked());
    menu.action("Topmost")->trigger();
    EXPECT_FALSE(menu.action("Topmost")->isChecked());
    EXPECT_EQ(commands, QStringList({"MatchLevelLow", "Topmost", "Topmost"}));
}

TEST(CommandMenuTest, MissingMenuIsRefused)
{
    EXPECT_THROW(CommandMenu(999), std::runtime_error);
}

class TrayIconTest : public ::testing::Test {
protected:
    void TearDown() override { TrayIcon::setAvailableForTests(std::nullopt); }
    QMenu menu;
    TrayIcon tray;
    const QIcon main = Resources::icon(resource::kAppIcon);
    const QIcon other = Resources::icon(resource::kAnimationIcon);
};

TEST_F(TrayIconTest, CreateSetsTooltipIconAndMenuAndTellsWhetherATrayExists)
{
    TrayIcon::setAvailableForTests(false);
    EXPECT_FALSE(tray.create("Quorvel", main, &menu));
    EXPECT_EQ(tray.toolTip(), "Quorvel");
    EXPECT_EQ(tray.systemTrayIcon()->contextMenu(), &menu);
    EXPECT_EQ(tray.currentIcon().cacheKey(), main.cacheKey());
    TrayIcon::setAvailableForTests(true);
    EXPECT_TRUE(TrayIcon::isAvailable());
}

TEST_F(TrayIconTest, AnimationAlternatesTheIconsAndStopRestoresTheMainOne)
{
    tray.create("Quorvel", main, &menu);
    tray.setAnimationIcons({other, main});
    tray.startAnimation(10);
    EXPECT_TRUE(tray.isAnimating());
    // Frames are checked as they come: 0 (icon 133), 1 (icon 128), then 0 again.
    std::vector<int> frames;
    std::vector<qint64> icons;
    ASSERT_TRUE(waitUntil(
        [&] {
            if (frames.empty() || frames.back() != tray.currentFrame()) {
                frames.push_back(tray.currentFrame());
                icons.push_back(tray.currentIcon().cacheKey());
            }
            return frames.size() >= 4;
        },
        3000));
    EXPECT_EQ(frames, (std::vector<int>{-1, 0, 1, 0}));
    EXPECT_EQ(icons[1], other.cacheKey());
    EXPECT_EQ(icons[2], main.cacheKey());
    tray.stopAnimation();
    EXPECT_FALSE(tray.isAnimating());
    EXPECT_EQ(tray.currentFrame(), -1);
    EXPECT_EQ(tray.currentIcon().cacheKey(), main.cacheKey());
}

TEST_F(TrayIconTest, ActivationRunsTheDefaultCommandButTheContextClickDoesNot)
{
    tray.create("Quorvel", main, &menu);
    QSignalSpy command(&tray, &TrayIcon::defaultCommand);
    emit tray.systemTrayIcon()->activated(QSystemTrayIcon::DoubleClick);
    emit tray.systemTrayIcon()->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(command.count(), 1);
}

TEST(ResourcesTest, CardImagesAreTwentyNineDistinctReadableImages)
{
    const QList<QPixmap> images = Resources::cardImages();
    ASSERT_EQ(images.size(), card_grid::kImageCount);
    QSet<QByteArray> seen;
    for (const QPixmap& pixmap : images) {
        EXPECT_EQ(pixmap.size(), QSize(16, 16));
        const QImage image = pixmap.toImage();
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                opaque += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 30);
        seen.insert(
            QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), card_grid::kImageCount);
}

TEST(ResourcesTest, IconsStringsAndDesktopIconsExist)
{
    const QIcon main = Resources::icon(resource::kAppIcon);
    const QIcon other = Resources::icon(resource::kAnimationIcon);
    EXPECT_FALSE(main.isNull());
    EXPECT_FALSE(other.isNull());
    EXPECT_NE(main.pixmap(32).toImage(), other.pixmap(32).toImage());
    EXPECT_EQ(Resources::string(resource::kAboutMenuString), "&About Tamrik's Ryn...");
    EXPECT_TRUE(Resources::string(4711).isEmpty());
    EXPECT_EQ(QPixmap(Resources::desktopIconPath(48)).size(), QSize(48, 48));
    EXPECT_EQ(QPixmap(Resources::desktopIconPath(256)).size(), QSize(256, 256));
    EXPECT_TRUE(Resources::menuImage("Topmost").isNull());
}
