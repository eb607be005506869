#pragma once

#include <QString>

#include <functional>
#include <memory>

class QTextBrowser;
class QUrl;

/// Shows the program's help page in the user's browser.
///
/// The page ships inside the program; the first request writes it to a file the browser can
/// read. When no browser can be started (no opener installed), that request and every later
/// one of the run show the page in a window of the program's own instead.
class HelpViewer {
public:
    using Opener = std::function<bool(const QUrl&)>;

    /// `opener` stands in for QDesktopServices::openUrl (tests pass their own).
    explicit HelpViewer(Opener opener = {});
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
    void SetOpener(Opener opener);

    /// The file the page is written to; `directory` empty means the user's cache folder.
    static QString WriteHelpPage(const QString& directory = {});

    /// The page as shipped with the program.
    static QByteArray HelpPageContents();

private:
    bool ShowBuiltIn();

    Opener m_opener;
    bool m_viewerMissing = false;
    std::unique_ptr<QTextBrowser> m_builtIn;
};
