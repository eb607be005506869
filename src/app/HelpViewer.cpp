#include "app/HelpViewer.h"

#include "app/HelpOpenerChoice.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
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

HelpViewer::HelpViewer(Opener opener, HandlerQuery query)
    : m_opener(std::move(opener)), m_query(std::move(query))
{
    if (!m_opener) {
        m_opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
        if (!m_query)
            m_query = &HelpViewer::AskDesktop;
    }
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::SetOpener(Opener opener, HandlerQuery query)
{
    m_opener = std::move(opener);
    m_query = std::move(query);
    m_viewerMissing = false;
}

std::optional<HelpViewer::Handler> HelpViewer::AskDesktop()
{
    QProcess xdgMime;
    xdgMime.start(QStringLiteral("xdg-mime"),
                  {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/html")});
    // A desktop that does not answer at once is not waited for: the opener is tried instead.
    if (!xdgMime.waitForFinished(3000) || xdgMime.exitStatus() != QProcess::NormalExit ||
        xdgMime.exitCode() != 0) {
        xdgMime.kill();
        return std::nullopt;
    }
    Handler handler;
    handler.desktopId = QString::fromLocal8Bit(xdgMime.readAllStandardOutput()).trimmed().toStdString();
    const auto path = [](const char* name) { return qEnvironmentVariable(name).toStdString(); };
    for (const std::string& candidate :
         help_opener::DesktopFilePaths(handler.desktopId, path("XDG_DATA_HOME"),
                                       path("XDG_DATA_DIRS"), QDir::homePath().toStdString())) {
        QFile entry(QString::fromStdString(candidate));
        // An entry file is small; a huge one is not an entry.
        if (entry.open(QIODevice::ReadOnly) && entry.size() < (1 << 20)) {
            handler.desktopFile = entry.readAll().toStdString();
            break;
        }
    }
    return handler;
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
    if (m_query) {
        const std::optional<Handler> handler = m_query();
        const help_opener::Choice choice = help_opener::Choose(
            handler ? std::optional<std::string>(handler->desktopId) : std::nullopt,
            handler ? handler->desktopFile : std::string());
        if (choice == help_opener::Choice::BuiltIn)
            return ShowBuiltIn();
    }
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
