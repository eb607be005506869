#include "app/HelpOpenerChoice.h"
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
          "The trade list", "Trade list files", "Logging deals", "quorvel-import --update",
          "Update Prices Now", "quorvel-lookup", "makedb", "wl-clipboard", "GNOME"})
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

// The page goes to the desktop's program for HTML only when that is a web browser: an editor
// would show its source.
TEST(HelpViewer, ChoosesTheBrowserOnlyWhenTheHtmlProgramIsOne)
{
    using help_opener::Choice;
    const std::string browser = "[Desktop Entry]\nName=Web\nCategories=Network;WebBrowser;\n";
    const std::string editor = "[Desktop Entry]\nName=Vim\nCategories=Utility;TextEditor;\n";
    const std::string otherGroup = "[Desktop Action new]\nCategories=WebBrowser;\n"
                                   "[Desktop Entry]\nName=Vim\n";
    const struct {
        std::optional<std::string> handler;
        std::string file;
        Choice choice;
    } cases[] = {
        {"org.gnome.Epiphany.desktop", browser, Choice::Browser},
        {"vim.desktop", editor, Choice::BuiltIn},
        {"vim.desktop", otherGroup, Choice::BuiltIn},
        {"firefox-esr.desktop", "", Choice::Browser},      // no entry found: a known browser
        {"firefox-esr.desktop", editor, Choice::BuiltIn},  // the entry says otherwise
        {"libreoffice-writer.desktop", "", Choice::BuiltIn},
        {"", "", Choice::Unknown},
        {std::nullopt, "", Choice::Unknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(help_opener::Choose(c.handler, c.file), c.choice) << c.handler.value_or("-");

    int opened = 0;
    HelpViewer viewer([&](const QUrl&) { return ++opened > 0; },
                      [&] { return HelpViewer::Handler{"vim.desktop", editor}; });
    ASSERT_TRUE(viewer.ShowHelp());
    EXPECT_EQ(opened, 0);
    ASSERT_NE(viewer.BuiltInViewer(), nullptr);
    EXPECT_TRUE(viewer.BuiltInViewer()->isVisible());
    viewer.SetOpener([&](const QUrl&) { return ++opened > 0; },
                     [&] { return HelpViewer::Handler{"firefox.desktop", browser}; });
    ASSERT_TRUE(viewer.ShowHelp());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(help_opener::DesktopFilePaths("vim.desktop", "", "/a:/b", "/home/u"),
              (std::vector<std::string>{"/home/u/.local/share/applications/vim.desktop",
                                        "/a/applications/vim.desktop",
                                        "/b/applications/vim.desktop"}));
}

} // namespace
