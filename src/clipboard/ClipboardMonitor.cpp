#include "clipboard/ClipboardMonitor.h"

#include "data/AsciiText.h"

void ClipboardMonitor::BeginJoin()
{
    m_joining = true;
}

void ClipboardMonitor::EndJoin()
{
    m_joining = false;
}

ClipboardMonitor::Decision ClipboardMonitor::OnDrawClipboard(
    const std::optional<std::string>& text, bool monitorOn, bool ownWrite)
{
    if (m_joining) {
        // Only the one notification that joining produced is skipped.
        m_joining = false;
        return {Outcome::JoinNotification, {}};
    }
    if (!text)
        return {Outcome::NoText, {}};
    if (ownWrite)
        return {Outcome::OwnWrite, {}};
    if (!monitorOn)
        return {Outcome::MonitorOff, {}};
    m_lookupMarker = true;
    return {Outcome::LookUp, Trim(*text)};
}

bool ClipboardMonitor::TakeReportRequest(bool monitorOn)
{
    const bool due = m_lookupMarker && monitorOn;
    m_lookupMarker = false;
    return due;
}

std::string ClipboardMonitor::Trim(const std::string& text)
{
    return std::string(TrimBlanks(text));
}
