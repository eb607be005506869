#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QTextBrowser;
class QUrl;

/// Shows the program's help page in the user's browser.
///
/// The page ships inside the program; the first request writes it to a file the browser can
/// read. When the desktop's program for HTML files is not a web browser (help_opener), or no
/// browser can be started (no opener installed), that request and every later one of the run
/// show the page in a window of the program's own instead.
class HelpViewer {
public:
    using Opener = std::function<bool(const QUrl&)>;
    /// The desktop's program for text/html: its desktop id and the text of its desktop entry
    /// file (empty when not found); nothing when it could not be asked.
    struct Handler {
        std::string desktopId;
        std::string desktopFile;
    };
    using HandlerQuery = std::function<std::optional<Handler>()>;

    /// `opener` stands in for QDesktopServices::openUrl and `query` for asking xdg-mime (tests
    /// pass their own). With an opener of its own and no query, the opener is always tried.
    explicit HelpViewer(Opener opener = {}, HandlerQuery query = {});
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    /// Opens the help page at its default topic. Returns whether a viewer was asked to or the
    /// built-in one shows it.
    bool ShowHelp();
    /// The built-in viewer window, once it was needed; else null.
    QTextBrowser* BuiltInViewer() const { return m_builtIn.get(); }

    bool ViewerMissing() const { return m_viewerMissing; }
    /// Replaces the viewer (tests); a new viewer gets a fresh chance.
    void SetOpener(Opener opener, HandlerQuery query = {});
    /// Asks `xdg-mime query default text/html` and reads the entry it names.
    static std::optional<Handler> AskDesktop();

    /// The file the page is written to; `directory` empty means the user's cache folder.
    static QString WriteHelpPage(const QString& directory = {});

    /// The page as shipped with the program.
    static QByteArray HelpPageContents();

private:
    bool ShowBuiltIn();

    Opener m_opener;
    HandlerQuery m_query;
    bool m_viewerMissing = false;
    std::unique_ptr<QTextBrowser> m_builtIn;
};
