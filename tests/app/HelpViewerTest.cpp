#include "app/HelpViewer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

TEST(HelpViewer, ShipsAPageThatCoversEveryTopic)
{
    const QString page = QString::fromUtf8(HelpViewer::HelpPageContents());
    ASSERT_FALSE(page.isEmpty());
    for (const char* topic :
         {"Looking up cards", "The clipboard monitor", "Match levels", "filter.ini", "[filters]",
          "The trade list", "Trade list files", "Logging deals"})
        EXPECT_TRUE(page.contains(topic)) << topic;
}

TEST(HelpViewer, WritesThePageOnceAndKeepsItCurrent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = HelpViewer::WriteHelpPage(dir.path());
    ASSERT_FALSE(path.isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite | QIODevice::Truncate));
    file.write("stale page from an older version");
    file.close();
    EXPECT_EQ(HelpViewer::WriteHelpPage(dir.path()), path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), HelpViewer::HelpPageContents());
}

TEST(HelpViewer, OpensTheLocalPageInTheViewer)
{
    QList<QUrl> opened;
    HelpViewer viewer([&](const QUrl& url) {
        opened << url;
        return true;
    });
    EXPECT_TRUE(viewer.ShowHelp());
    EXPECT_TRUE(viewer.ShowHelp());
    ASSERT_EQ(opened.size(), 2);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("quorvel.html"));
    EXPECT_TRUE(QFile::exists(opened[0].toLocalFile()));
}

TEST(HelpViewer, WithoutABrowserThePageShowsInTheBuiltInViewer)
{
    int attempts = 0;
    HelpViewer viewer([&](const QUrl&) {
        ++attempts;
        return false;
    });
    ASSERT_TRUE(viewer.ShowHelp());
    EXPECT_TRUE(viewer.ViewerMissing());
    QTextBrowser* window = viewer.BuiltInViewer();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->toPlainText().contains("The clipboard monitor"));
    // Closed and asked for again: the same window comes back without a second try of the browser.
    window->close();
    ASSERT_TRUE(viewer.ShowHelp());
    EXPECT_EQ(viewer.BuiltInViewer(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(attempts, 1);
}

} // namespace
