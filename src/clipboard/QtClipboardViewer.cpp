#include "clipboard/QtClipboardViewer.h"

#include "clipboard/XcbClipboardReader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QtClipboardViewer::QtClipboardViewer(QObject* parent)
    : ClipboardViewer(parent), m_clipboard(QGuiApplication::clipboard())
{
    connect(m_clipboard, &QClipboard::changed, this,
            [this](QClipboard::Mode mode) { onChanged(mode); });
}

QtClipboardViewer::~QtClipboardViewer() = default;

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
    // Qt would wait up to five seconds for another program's answer, the window frozen all
    // the while; under X11 we ask ourselves, with a deadline. Our own clipboard is answered by
    // Qt from memory (asking over X would wait for our own, blocked, event loop).
    if (QGuiApplication::platformName() == QLatin1String("xcb") && !m_clipboard->ownsClipboard()) {
        if (!m_reader)
            m_reader = std::make_unique<XcbClipboardReader>();
        const XcbClipboardReader::Result result = m_reader->read(kReadTimeoutMs);
        switch (result.status) {
        case XcbClipboardReader::Status::Text:
            return result.text;
        case XcbClipboardReader::Status::NoText:
        case XcbClipboardReader::Status::TimedOut:
            return std::nullopt;
        case XcbClipboardReader::Status::Unavailable:
            break;
        }
    }
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
