#include "clipboard/QtClipboardViewer.h"

#include "clipboard/WaylandClipboardWatch.h"
#include "clipboard/XcbClipboardReader.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtDebug>

QtClipboardViewer::QtClipboardViewer(QObject* parent)
    : ClipboardViewer(parent), m_clipboard(QGuiApplication::clipboard())
{
    connect(m_clipboard, &QClipboard::changed, this,
            [this](QClipboard::Mode mode) { onChanged(mode); });
    const QString platform = QGuiApplication::platformName();
    const bool desktop = platform == QLatin1String("xcb") || platform.startsWith("wayland");
    if (desktop && WaylandClipboardWatch::Possible()) {
        m_watch = new WaylandClipboardWatch(this);
        connect(m_watch, &WaylandClipboardWatch::copied, this, [this](const QString& text) {
            announce(CopyTwins::Way::DataControl, text, false);
        });
        connect(m_watch, &WaylandClipboardWatch::stopped, this, [this](const QString& reason) {
            m_twins.Reset();
            qInfo().noquote() << "Quorvel: copies are seen only as the window system shows them "
                                 "(without the focus, only copies in X programs):"
                              << reason;
        });
        m_watch->Start();
    }
}

QtClipboardViewer::~QtClipboardViewer() = default;

void QtClipboardViewer::onChanged(int mode)
{
    if (mode != QClipboard::Clipboard)
        return;
    // Qt announces our own write synchronously from inside setMimeData, and another
    // program's write later from the event loop, so the flag tells them apart exactly.
    if (!m_watch || !m_watch->IsWatching()) {
        emit changed(m_writing);
        return;
    }
    // Read now, to tell whether the other way has seen this copy already.
    announce(CopyTwins::Way::Window, readText(), m_writing);
}

void QtClipboardViewer::announce(CopyTwins::Way way, const std::optional<QString>& text,
                                 bool ownWrite)
{
    std::optional<std::string> bytes;
    if (text)
        bytes = text->toStdString();
    if (m_twins.IsTwin(way, bytes))
        return;
    const std::optional<QString> before = m_announced;
    const bool wasAnnouncing = m_announcing;
    m_announced = text;
    m_announcing = true;
    emit changed(ownWrite);
    m_announced = before;
    m_announcing = wasAnnouncing;
}

std::optional<QString> QtClipboardViewer::text()
{
    return m_announcing ? m_announced : readText();
}

std::optional<QString> QtClipboardViewer::readText()
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
