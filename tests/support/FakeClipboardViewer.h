#pragma once

#include "clipboard/ClipboardViewer.h"

/// An in-memory clipboard for tests: the program's writes and other programs' copies are
/// announced the way the desktop clipboard announces them.
class FakeClipboardViewer : public ClipboardViewer {
    Q_OBJECT
public:
    using ClipboardViewer::ClipboardViewer;

    std::optional<QString> text() override { return m_text; }
    /// Stores the text and announces it at once as our own write, unless writes are refused.
    bool setText(const QString& text) override;

    /// Another program copied text: stored, then announced as a foreign change.
    void simulateCopy(const QString& text);
    /// Another program copied something without text (a picture, files).
    void simulateNonText();
    /// The owner of the clipboard went away: no text, one foreign change.
    void simulateOwnerGone();
    /// Makes later setText calls fail, as a clipboard held by another program would.
    void setRefuseWrites(bool refuse) { m_refuseWrites = refuse; }
    /// Number of setText calls that took.
    int writeCount() const { return m_writes; }

private:
    std::optional<QString> m_text;
    bool m_refuseWrites = false;
    int m_writes = 0;
};
