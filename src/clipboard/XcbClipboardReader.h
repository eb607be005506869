#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

class QElapsedTimer;

/// Reads the X11 clipboard (the CLIPBOARD selection, never PRIMARY) over a connection of its
/// own, with a deadline. Qt's own read waits up to five seconds for a program that does not
/// answer, with the whole window frozen; this one gives up at the deadline. Large texts sent in
/// pieces (INCR) are read too.
class XcbClipboardReader {
public:
    enum class Status {
        Text,        ///< the owner gave text
        NoText,      ///< no owner, or the owner has no text (a picture, files)
        TimedOut,    ///< the owner did not answer before the deadline
        Unavailable, ///< no X display could be reached
    };
    struct Result {
        Status status;
        QString text;
    };

    /// `display` names the X display; empty means $DISPLAY.
    explicit XcbClipboardReader(const QByteArray& display = QByteArray());
    ~XcbClipboardReader();
    XcbClipboardReader(const XcbClipboardReader&) = delete;
    XcbClipboardReader& operator=(const XcbClipboardReader&) = delete;

    /// Whether the display could be reached.
    bool isConnected() const;
    /// Reads the clipboard's text, waiting at most `timeoutMs` milliseconds in all.
    Result read(int timeoutMs);

private:
    struct Connection;
    /// Asks the owner for the clipboard in form `target` (an X atom); Text means `data` holds
    /// the answer.
    Status request(unsigned target, const QElapsedTimer& clock, int timeoutMs, QByteArray& data);

    std::unique_ptr<Connection> m_connection;
};
