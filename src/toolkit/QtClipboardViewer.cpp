#include "toolkit/QtClipboardViewer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QtClipboardViewer::QtClipboardViewer(QObject* parent)
    : ClipboardViewer(parent), m_clipboard(QGuiApplication::clipboard())
{
    connect(m_clipboard, &QClipboard::changed, this,
            [this](QClipboard::Mode mode) { onChanged(mode); });
}

void QtClipboardViewer::onChanged(int mode)
{
    if (mode != QClipboard::Clipboard)
        return;
    // Qt announces our own write synchronously from inside setMimeData, and another
    // program's write later from the event loop, so the flag tells them apart exactly.
    emit changed(m_writing);
}

std::optional<QString> QtClipboardViewer::text()
{
    // On X11 Qt asks the owning program and waits for its answer; a well-behaved owner answers
    // at once, and one that has gone away yields no data rather than an error.
    const QMimeData* data = m_clipboard->mimeData(QClipboard::Clipboard);
    if (!data || !data->hasText())
        return std::nullopt;
    return data->text();
}

bool QtClipboardViewer::setText(const QString& text)
{
    m_writing = true;
    m_clipboard->setText(text, QClipboard::Clipboard);
    m_writing = false;
    // Reading back our own clipboard costs no round trip; it tells whether the write took.
    const QMimeData* data = m_clipboard->mimeData(QClipboard::Clipboard);
    return data && data->hasText() && data->text() == text;
}
