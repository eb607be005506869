#pragma once

#include <QObject>

#include <functional>
#include <optional>
#include <string>

class ClipboardMonitor;
class ClipboardViewer;

/// The main window's place in the clipboard chain: every change of the clipboard goes through
/// the monitor's decision, and a text to look up goes to the window's lookup. Changes that come
/// while the window is not ready yet (its catalogue still loading) are decided once it is, in
/// the order they came, each with the text read when it came.
class MainClipboard : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<bool()> monitorOn;
        /// Runs the request now or once the window is ready.
        std::function<void(std::function<void()>)> whenReady;
        std::function<void(const std::string&)> lookUp;
    };

    MainClipboard(ClipboardViewer& clipboard, ClipboardMonitor& monitor, Hooks hooks,
                  QObject* parent);

    void Join();
    void Leave();
    /// One clipboard change (the clipboard viewer's notification).
    void OnDrawClipboard(bool ownWrite);
    /// Puts text on the clipboard as the program's own write (not looked up); false when it
    /// was refused.
    bool CopyText(const std::string& text);

private:
    void Decide(const std::optional<std::string>& text, bool ownWrite);

    ClipboardViewer& m_clipboard;
    ClipboardMonitor& m_monitor;
    Hooks m_hooks;
    bool m_joined = false;
};
