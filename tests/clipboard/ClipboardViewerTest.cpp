// The clipboard viewers: the program's own writes told from other programs' copies.
#include "clipboard/QtClipboardViewer.h"
#include "support/FakeClipboardViewer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// Records what a viewer announces.
struct ChangeLog {
    explicit ChangeLog(ClipboardViewer& viewer)
    {
        QObject::connect(&viewer, &ClipboardViewer::changed, [this, &viewer](bool own) {
            changes.push_back(own);
            texts.push_back(viewer.text());
        });
    }
    std::vector<bool> changes;
    std::vector<std::optional<QString>> texts;
};

TEST(FakeClipboardViewerTest, OwnWritesAreAnnouncedSynchronouslyAndMarkedOwn)
{
    FakeClipboardViewer viewer;
    ChangeLog log(viewer);
    EXPECT_TRUE(viewer.setText("advert"));
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_TRUE(log.changes[0]);
    EXPECT_EQ(log.texts[0], std::optional<QString>("advert"));

    viewer.simulateCopy("Llanowar Elves");
    viewer.simulateNonText();
    ASSERT_EQ(log.changes.size(), 3u);
    EXPECT_FALSE(log.changes[1]);
    EXPECT_EQ(log.texts[1], std::optional<QString>("Llanowar Elves"));
    EXPECT_EQ(log.texts[2], std::nullopt);
}

TEST(FakeClipboardViewerTest, RefusedWriteChangesNothing)
{
    FakeClipboardViewer viewer;
    ChangeLog log(viewer);
    viewer.simulateCopy("x");
    viewer.setRefuseWrites(true);
    EXPECT_FALSE(viewer.setText("advert"));
    EXPECT_EQ(log.changes.size(), 1u);
    EXPECT_EQ(viewer.text(), std::optional<QString>("x"));
    EXPECT_EQ(viewer.writeCount(), 0);
}

TEST(QtClipboardViewerTest, OwnWriteIsRecognisedAndForeignWriteIsNot)
{
    QtClipboardViewer viewer;
    ChangeLog log(viewer);
    EXPECT_TRUE(viewer.setText("Buying Tarmogoyf 20 tix"));
    ASSERT_EQ(log.changes.size(), 1u);
    EXPECT_TRUE(log.changes[0]);
    EXPECT_EQ(log.texts[0], std::optional<QString>("Buying Tarmogoyf 20 tix"));

    // Another writer of the same clipboard, not going through the viewer.
    QGuiApplication::clipboard()->setText("Selling Dark Confidant");
    ASSERT_EQ(log.changes.size(), 2u);
    EXPECT_FALSE(log.changes[1]);
    EXPECT_EQ(log.texts[1], std::optional<QString>("Selling Dark Confidant"));
}

TEST(QtClipboardViewerTest, ClipboardWithoutTextGivesNoText)
{
    QtClipboardViewer viewer;
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    EXPECT_EQ(viewer.text(), std::nullopt);
    QGuiApplication::clipboard()->setText("");
    EXPECT_EQ(viewer.text(), std::optional<QString>(""));
}

TEST(QtClipboardViewerTest, SameTextTwiceIsTwoChanges)
{
    QtClipboardViewer viewer;
    ChangeLog log(viewer);
    QGuiApplication::clipboard()->setText("Force of Will");
    QGuiApplication::clipboard()->setText("Force of Will");
    EXPECT_EQ(log.changes.size(), 2u);
}

} // namespace
