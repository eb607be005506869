// The clipboard against a real X server: another program (xclip) owns the clipboard, or a
// program that owns it never answers.
#include "support/TestWait.h"
#include "TestXServer.h"
#include "clipboard/QtClipboardViewer.h"
#include "clipboard/XcbClipboardReader.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcessEnvironment>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The owner of the clipboard as the X server sees it.
xcb_window_t clipboardOwner(xcb_connection_t* xcb)
{
    const char name[] = "CLIPBOARD";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(xcb, xcb_intern_atom(xcb, 0, sizeof(name) - 1, name), nullptr);
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(xcb, xcb_get_selection_owner(xcb, atom->atom), nullptr);
    const xcb_window_t result = owner ? owner->owner : XCB_NONE;
    std::free(atom);
    std::free(owner);
    return result;
}

// Another program on the clipboard: xclip in the foreground, serving `data` as `type`.
class Xclip {
public:
    Xclip(const QByteArray& display, const QByteArray& data, const QString& type = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DISPLAY", QString::fromLatin1(display));
        m_process.setProcessEnvironment(environment);
        QStringList arguments{"-quiet", "-selection", "clipboard", "-i"};
        if (!type.isEmpty())
            arguments << "-t" << type;
        m_process.start("xclip", arguments);
        m_process.waitForStarted(5000);
        m_process.write(data);
        // QProcess writes from the event loop; this constructor does not run one.
        while (m_process.bytesToWrite() > 0 && m_process.waitForBytesWritten(3000)) {
        }
        m_process.closeWriteChannel();
        xcb_connection_t* xcb = xcb_connect(display.constData(), nullptr);
        for (int i = 0; i < 100 && clipboardOwner(xcb) == XCB_NONE; ++i)
            QThread::msleep(30);
        xcb_disconnect(xcb);
    }
    ~Xclip() { end(); }
    void end()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

private:
    QProcess m_process;
};

// A program that takes the clipboard and then never answers a request for it.
class SilentOwner {
public:
    explicit SilentOwner(const QByteArray& display)
        : m_xcb(xcb_connect(display.constData(), nullptr))
    {
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_xcb)).data;
        const xcb_window_t window = xcb_generate_id(m_xcb);
        xcb_create_window(m_xcb, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const char name[] = "CLIPBOARD";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            m_xcb, xcb_intern_atom(m_xcb, 0, sizeof(name) - 1, name), nullptr);
        xcb_set_selection_owner(m_xcb, window, atom->atom, XCB_CURRENT_TIME);
        std::free(atom);
        std::free(xcb_get_input_focus_reply(m_xcb, xcb_get_input_focus(m_xcb), nullptr));
    }
    ~SilentOwner() { xcb_disconnect(m_xcb); }

private:
    xcb_connection_t* m_xcb;
};

bool toolsPresent()
{
    return TestXServer::available() && !QStandardPaths::findExecutable("xclip").isEmpty();
}

} // namespace

class XcbClipboardReaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!toolsPresent())
            GTEST_SKIP() << "Xvfb or xclip is not installed";
        ASSERT_TRUE(server.start());
        reader = std::make_unique<XcbClipboardReader>(server.display());
        ASSERT_TRUE(reader->isConnected());
    }
    TestXServer server;
    std::unique_ptr<XcbClipboardReader> reader;
};

TEST_F(XcbClipboardReaderTest, ReadsAnotherProgramsText)
{
    Xclip owner(server.display(), QString("4x Æther Vial @ 2 tix").toUtf8());
    const auto result = reader->read(2000);
    EXPECT_EQ(result.status, XcbClipboardReader::Status::Text);
    EXPECT_EQ(result.text, "4x Æther Vial @ 2 tix");
    // A second read of the same clipboard gives the same text.
    EXPECT_EQ(reader->read(2000).text, "4x Æther Vial @ 2 tix");
}

TEST_F(XcbClipboardReaderTest, LargeTextSentInPiecesIsReadWhole)
{
    QByteArray text;
    while (text.size() < 700000)
        text += "Buying Tarmogoyf, Dark Confidant and Force of Will; ";
    Xclip owner(server.display(), text);
    const auto result = reader->read(5000);
    ASSERT_EQ(result.status, XcbClipboardReader::Status::Text);
    EXPECT_EQ(result.text.size(), text.size());
    EXPECT_EQ(result.text.toUtf8(), text);
}

TEST_F(XcbClipboardReaderTest, NoOwnerOrNoTextGivesNoText)
{
    EXPECT_EQ(reader->read(1000).status, XcbClipboardReader::Status::NoText);
    {
        Xclip picture(server.display(), QByteArray("\x89PNG\r\n\x1a\n", 8), "image/png");
        EXPECT_EQ(reader->read(1000).status, XcbClipboardReader::Status::NoText);
    }
    // The owner went away: the server forgets the selection.
    EXPECT_TRUE(waitUntil(
        [&] { return reader->read(1000).status == XcbClipboardReader::Status::NoText; }, 3000));
}

TEST_F(XcbClipboardReaderTest, SilentOwnerIsGivenUpAtTheDeadline)
{
    SilentOwner owner(server.display());
    QElapsedTimer clock;
    clock.start();
    const auto result = reader->read(300);
    const qint64 took = clock.elapsed();
    EXPECT_EQ(result.status, XcbClipboardReader::Status::TimedOut);
    EXPECT_GE(took, 250);
    EXPECT_LT(took, 2000);
}

TEST(XcbClipboardReaderUnreachableTest, NoDisplayIsUnavailable)
{
    XcbClipboardReader reader(":4711");
    EXPECT_FALSE(reader.isConnected());
    EXPECT_EQ(reader.read(100).status, XcbClipboardReader::Status::Unavailable);
}

// The Qt viewer on the X11 platform runs in a child copy of this program, since the test
// program itself runs on the offscreen platform.
TEST(QtClipboardViewerOnX11Test, OwnWritesForeignCopiesAndSilentOwners)
{
    if (!toolsPresent())
        GTEST_SKIP() << "Xvfb or xclip is not installed";
    TestXServer server;
    ASSERT_TRUE(server.start());
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DISPLAY", QString::fromLatin1(server.display()));
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("QUORVEL_TEST_X11_CHILD", "1");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=X11ChildTest.*", "--gtest_also_run_disabled_tests"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}

// Runs only in the child started above, on the X11 platform.
TEST(X11ChildTest, DISABLED_ViewerOnX11)
{
    if (qgetenv("QUORVEL_TEST_X11_CHILD") != "1")
        GTEST_SKIP();
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    const QByteArray display = qgetenv("DISPLAY");
    QtClipboardViewer viewer;
    std::vector<bool> changes;
    QObject::connect(&viewer, &ClipboardViewer::changed,
                     [&changes](bool own) { changes.push_back(own); });

    ASSERT_TRUE(viewer.setText("WTS Goyf 20"));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_TRUE(changes[0]);
    EXPECT_EQ(viewer.text(), std::optional<QString>("WTS Goyf 20"));

    {
        Xclip owner(display, "WTB Snapcaster Mage");
        ASSERT_TRUE(waitUntil([&] { return changes.size() >= 2; }, 5000));
        EXPECT_FALSE(changes[1]);
        EXPECT_EQ(viewer.text(), std::optional<QString>("WTB Snapcaster Mage"));
    }
    // The owner went away: a change without text.
    ASSERT_TRUE(waitUntil([&] { return changes.size() >= 3; }, 5000));
    EXPECT_FALSE(changes[2]);
    EXPECT_EQ(viewer.text(), std::nullopt);
    // The same text copied again is a change of its own.
    {
        Xclip owner(display, "WTB Snapcaster Mage");
        ASSERT_TRUE(waitUntil([&] { return changes.size() >= 4; }, 5000));
        EXPECT_EQ(viewer.text(), std::optional<QString>("WTB Snapcaster Mage"));
    }

    SilentOwner silent(display);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(viewer.text(), std::nullopt);
    EXPECT_LT(clock.elapsed(), QtClipboardViewer::kReadTimeoutMs + 1000);
}
