#pragma once

#include "clipboard/ClipboardViewer.h"
#include "clipboard/CopyTwins.h"

#include <memory>

class QClipboard;
class WaylandClipboardWatch;
class XcbClipboardReader;

/// The desktop clipboard through QClipboard, in its Clipboard mode only: the X11 mouse
/// selection changes with every text the user marks and is never watched. Under X11 another
/// program's text is read with a deadline (`kReadTimeoutMs`), so an owner that does not answer
/// cannot freeze the program; such a clipboard counts as one without text.
///
/// In a Wayland session the window sees other programs' copies late or not at all, so where
/// the compositor offers it the clipboard is watched through its data-control protocol too
/// (WaylandClipboardWatch). A copy seen both ways is announced once.
class QtClipboardViewer : public ClipboardViewer {
    Q_OBJECT
public:
    static constexpr int kReadTimeoutMs = 1000;

    explicit QtClipboardViewer(QObject* parent = nullptr);
    ~QtClipboardViewer() override;

    std::optional<QString> text() override;
    bool setText(const QString& text) override;

private:
    void onChanged(int mode);
    /// Announces a change unless it is the twin of the last one; `text()` gives `text` while
    /// it is announced.
    void announce(CopyTwins::Way way, const std::optional<QString>& text, bool ownWrite);
    std::optional<QString> readText();

    QClipboard* m_clipboard;
    WaylandClipboardWatch* m_watch = nullptr;
    CopyTwins m_twins;
    std::optional<QString> m_announced;
    bool m_announcing = false;
    std::unique_ptr<XcbClipboardReader> m_reader;
    bool m_writing = false;
};
