#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

/// The rule that only one copy of the program runs per user: the first copy listens on a
/// per-user local socket named after the program; a later start finds it there. A name left
/// behind by a crashed copy answers nobody and is taken over.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    /// `name` names the program (default "Quorvel"); the user's id is added to it.
    explicit SingleInstance(const QString& name = QStringLiteral("Quorvel"),
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    /// True when this is the only running copy (it now holds the name); false when another copy
    /// runs, which is then told of this start (its `anotherStartAttempted` signal).
    bool tryStart();
    /// The full name of the socket, for diagnostics and tests.
    QString serverName() const { return m_serverName; }

signals:
    /// A second copy was started while this one holds the name.
    void anotherStartAttempted();

private:
    bool anotherCopyAnswers() const;

    QString m_serverName;
    QLocalServer* m_server = nullptr;
};
