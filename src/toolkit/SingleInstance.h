#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

/// The rule that only one copy of the program runs per user. The running copy holds a lock
/// file (flock) for its whole life and listens on a local socket beside it; a later start
/// that cannot take the lock tells the running copy through the socket and ends. The kernel
/// drops the lock of a copy that crashed, so its leftover socket never blocks a start, and of
/// any number of simultaneous starts exactly one takes the lock.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    /// `name` is the socket's path, or a bare name ("Quorvel") placed in DefaultFolder().
    explicit SingleInstance(const QString& name = QStringLiteral("Quorvel"),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    /// True when this is the only running copy (it now holds the lock); false when another
    /// copy runs, which is then told of this start (its `anotherStartAttempted` signal).
    bool tryStart();
    /// The socket's path, for diagnostics and tests.
    QString serverName() const { return m_serverName; }

    /// The user's runtime folder ($XDG_RUNTIME_DIR) when it is a private folder of the user's;
    /// else a private folder of the user's own (mode 0700, owned by the user) made in the
    /// temporary folder, or in the user's cache folder when someone else holds that name.
    /// Never a folder other users can write to; empty when no such folder can be had.
    static QString DefaultFolder();

signals:
    /// A second copy was started while this one holds the name.
    void anotherStartAttempted();

private:
    bool TellRunningCopy() const;

    QString m_serverName;
    QLocalServer* m_server = nullptr;
    int m_lockFd = -1;
};
