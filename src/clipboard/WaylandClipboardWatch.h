#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QProcess;

/// Watches the Wayland clipboard through the compositor's data-control protocol, which
/// wlroots-based compositors (sway and others) and KDE Plasma offer: every copy, made in a
/// Wayland or an X program, is seen at once, whether the program's window has the focus or not.
/// `wl-paste --watch` (package wl-clipboard) speaks the protocol; it is found at run time.
/// A compositor without the protocol (GNOME) makes it end at once: the watch then stops and
/// the program keeps what its own window system connection sees.
class WaylandClipboardWatch : public QObject {
    Q_OBJECT
public:
    /// Bytes of a copied text read at most; the lookup reads far fewer.
    static constexpr int kReadBytes = 1 << 20;

    explicit WaylandClipboardWatch(QObject* parent = nullptr);
    ~WaylandClipboardWatch() override;

    /// Whether this session is a Wayland one (WAYLAND_DISPLAY is set) and `program` is installed.
    static bool Possible(const QString& program = QStringLiteral("wl-paste"));
    /// wl-paste reports the clipboard as it is when the watch starts at once: a report this soon
    /// after the start is that one, not a copy, and is skipped.
    static constexpr int kStartReportMs = 1000;

    /// Starts the watch with `program` (wl-paste, or a stand-in that behaves like it); the text
    /// on the clipboard at the start is not reported. False when it cannot be started.
    bool Start(const QString& program = QStringLiteral("wl-paste"));
    bool IsWatching() const { return m_watching; }

signals:
    /// A copy of text (wl-paste skips copies without text, such as pictures).
    void copied(const QString& text);
    /// The watch ended (no data-control protocol, the compositor went away); `reason` is what
    /// the watcher said.
    void stopped(const QString& reason);

private:
    void ReadLines();
    void Finished();

    QString m_program;
    QProcess* m_process = nullptr;
    QByteArray m_pending;
    QElapsedTimer m_sinceStart;
    bool m_firstReport = true;
    bool m_watching = false;
};
