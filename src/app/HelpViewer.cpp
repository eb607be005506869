#include "app/HelpViewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QUrl>

static void InitHelpResource()
{
    // The resource lives in a static library: make sure its initialiser is linked in.
    Q_INIT_RESOURCE(help);
}

namespace {
const char* const kPageResource = ":/help/quorvel.html";
const char* const kPageName = "quorvel.html";
const char* const kPageUrl = "qrc:/help/quorvel.html";
// Wide enough for the page's tables, short enough for a 768-pixel screen.
constexpr int kViewerWidth = 720;
constexpr int kViewerHeight = 600;
} // namespace

HelpViewer::HelpViewer(Opener opener) : m_opener(std::move(opener))
{
    if (!m_opener)
        m_opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::SetOpener(Opener opener)
{
    m_opener = std::move(opener);
    m_viewerMissing = false;
}

QByteArray HelpViewer::HelpPageContents()
{
    InitHelpResource();
    QFile page(kPageResource);
    if (!page.open(QIODevice::ReadOnly))
        return {};
    return page.readAll();
}

QString HelpViewer::WriteHelpPage(const QString& directory)
{
    const QByteArray contents = HelpPageContents();
    if (contents.isEmpty())
        return {};
    QString folder = directory;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        if (folder.isEmpty())
            folder = QDir::tempPath();
        folder += "/help";
    }
    if (!QDir().mkpath(folder))
        return {};
    const QString path = QDir(folder).filePath(kPageName);
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == contents)
        return path;
    existing.close();
    // Written whole or not at all, so a browser never shows half a page.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit())
        return {};
    return path;
}

bool HelpViewer::ShowHelp()
{
    if (m_viewerMissing)
        return ShowBuiltIn();
    const QString path = WriteHelpPage();
    if (path.isEmpty() || !m_opener(QUrl::fromLocalFile(path))) {
        // Asking again would fail the same way: the rest of the run uses the window.
        m_viewerMissing = true;
        return ShowBuiltIn();
    }
    return true;
}

bool HelpViewer::ShowBuiltIn()
{
    if (!m_builtIn) {
        if (HelpPageContents().isEmpty())
            return false;
        m_builtIn = std::make_unique<QTextBrowser>();
        m_builtIn->setObjectName("helpViewer");
        m_builtIn->setWindowTitle("Quorvel Help");
        // Links within the page work; outside addresses could only go to the missing browser.
        m_builtIn->setOpenExternalLinks(false);
        m_builtIn->setSource(QUrl(kPageUrl));
        m_builtIn->resize(kViewerWidth, kViewerHeight);
    }
    m_builtIn->show();
    m_builtIn->raise();
    m_builtIn->activateWindow();
    return true;
}
