#pragma once

#include <optional>
#include <string>

/// The clipboard monitor's decisions, fed by the main window with every clipboard change.
///
/// The window joins the clipboard viewer between BeginJoin() and EndJoin(): a change reported
/// while joining is the one that joining itself produced and is skipped. A viewer that reports
/// nothing on joining (Qt's) therefore never loses a real change made after start-up.
///
/// The program's own writes (an advertisement, a deck list) are told from other programs'
/// copies by one rule: the clipboard viewer marks the change its own setText made, and such a
/// change is never looked up. Nothing waits for a write, so a write the clipboard refused, or
/// another program's copy arriving first, cannot make the monitor skip the wrong change.
class ClipboardMonitor {
public:
    enum class Outcome {
        JoinNotification,  ///< produced by joining the viewer; nothing read, nothing done
        NoText,            ///< the clipboard holds no text (a picture, files); flag kept
        OwnWrite,          ///< the program's own write (ClipboardViewer::setText)
        MonitorOff,        ///< read, but the clipboard monitor option is off
        LookUp,            ///< look the (trimmed) text up as a clipboard lookup
    };
    struct Decision {
        Outcome outcome = Outcome::NoText;
        std::string text;  ///< the trimmed text to look up, for Outcome::LookUp only
    };

    void BeginJoin();
    void EndJoin();
    bool IsJoining() const { return m_joining; }

    /// One clipboard change. `text` is empty when the clipboard holds no text at all;
    /// `ownWrite` tells a change the program's own write made from one of another program.
    /// With Outcome::LookUp the clipboard lookup marker is set.
    Decision OnDrawClipboard(const std::optional<std::string>& text, bool monitorOn,
                             bool ownWrite = false);

    /// Called at the end of every lookup: true when a value report is due (the lookup came
    /// from the clipboard and the monitor is on). The marker is cleared in every case, so a
    /// later typed search never shows a report.
    bool TakeReportRequest(bool monitorOn);
    bool IsClipboardLookup() const { return m_lookupMarker; }

    /// Blanks (space, tab, line feed, vertical tab, form feed, carriage return) removed at
    /// both ends.
    static std::string Trim(const std::string& text);

private:
    bool m_joining = false;
    bool m_lookupMarker = false;
};
