#include "app/MainClipboard.h"

#include "clipboard/ClipboardMonitor.h"
#include "clipboard/ClipboardViewer.h"

MainClipboard::MainClipboard(ClipboardViewer& clipboard, ClipboardMonitor& monitor, Hooks hooks,
                             QObject* parent)
    : QObject(parent), m_clipboard(clipboard), m_monitor(monitor), m_hooks(std::move(hooks))
{
}

void MainClipboard::Join()
{
    m_monitor.BeginJoin();
    connect(&m_clipboard, &ClipboardViewer::changed, this, &MainClipboard::OnDrawClipboard);
    m_monitor.EndJoin();
    m_joined = true;
}

void MainClipboard::Leave()
{
    if (!m_joined)
        return;
    disconnect(&m_clipboard, &ClipboardViewer::changed, this, &MainClipboard::OnDrawClipboard);
    m_joined = false;
}

void MainClipboard::OnDrawClipboard(bool ownWrite)
{
    std::optional<std::string> text;
    if (!m_monitor.IsJoining()) {
        if (const std::optional<QString> read = m_clipboard.text())
            text = read->toStdString();
    }
    // Decided when the window is ready, so that each copied text gets its own report.
    if (m_monitor.IsJoining())
        Decide(text, ownWrite);
    else
        m_hooks.whenReady([this, text, ownWrite] { Decide(text, ownWrite); });
}

void MainClipboard::Decide(const std::optional<std::string>& text, bool ownWrite)
{
    const ClipboardMonitor::Decision decision =
        m_monitor.OnDrawClipboard(text, m_hooks.monitorOn(), ownWrite);
    if (decision.outcome == ClipboardMonitor::Outcome::LookUp)
        m_hooks.lookUp(decision.text);
}

bool MainClipboard::CopyText(const std::string& text)
{
    return m_clipboard.setText(QString::fromStdString(text));
}
