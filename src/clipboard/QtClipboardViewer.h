#pragma once

#include "clipboard/ClipboardViewer.h"

#include <memory>

class QClipboard;
class XcbClipboardReader;

/// The desktop clipboard through QClipboard, in its Clipboard mode only: the X11 mouse
/// selection changes with every text the user marks and is never watched. Under X11 another
/// program's text is read with a deadline (`kReadTimeoutMs`), so an owner that does not answer
/// cannot freeze the program; such a clipboard counts as one without text.
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

    QClipboard* m_clipboard;
    std::unique_ptr<XcbClipboardReader> m_reader;
    bool m_writing = false;
};
