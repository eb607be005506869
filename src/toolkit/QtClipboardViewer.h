#pragma once

#include "toolkit/ClipboardViewer.h"

class QClipboard;

/// The desktop clipboard through QClipboard, in its Clipboard mode only: the X11 mouse
/// selection changes with every text the user marks and is never watched.
class QtClipboardViewer : public ClipboardViewer {
    Q_OBJECT
public:
    explicit QtClipboardViewer(QObject* parent = nullptr);

    std::optional<QString> text() override;
    bool setText(const QString& text) override;

private:
    void onChanged(int mode);

    QClipboard* m_clipboard;
    bool m_writing = false;
};
