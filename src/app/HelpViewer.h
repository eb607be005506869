#pragma once

#include <QString>

#include <functional>

class QUrl;

/// Shows the program's help page in the user's browser.
///
/// The page ships inside the program; the first request writes it to a file the browser can
/// read. When no viewer can be started, that request and every later one of the run do
/// nothing, silently.
class HelpViewer {
public:
    using Opener = std::function<bool(const QUrl&)>;

    /// `opener` stands in for QDesktopServices::openUrl (tests pass their own).
    explicit HelpViewer(Opener opener = {});

    /// Opens the help page at its default topic. Returns whether a viewer was asked to.
    bool ShowHelp();

    bool ViewerMissing() const { return m_viewerMissing; }
    /// Replaces the viewer (tests); a new viewer gets a fresh chance.
    void SetOpener(Opener opener);

    /// The file the page is written to; `directory` empty means the user's cache folder.
    static QString WriteHelpPage(const QString& directory = {});

    /// The page as shipped with the program.
    static QByteArray HelpPageContents();

private:
    Opener m_opener;
    bool m_viewerMissing = false;
};
