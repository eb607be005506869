#include "clipboard/ClipboardMonitor.h"

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
    if (m_ignoreNext && ownWrite) {
        m_ignoreNext = false;
        return {Outcome::OwnWrite, {}};
    }
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
    static constexpr const char* kBlanks = " \t\n\v\f\r";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}
