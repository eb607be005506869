#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <optional>

struct sqlite3;

/// Notices when another program (quorvel-import in a terminal, a scheduled job) changed the
/// price database. The file, its -wal file and its folder (where the engine's -journal file
/// comes and goes with every write) are watched; a burst of events settles first, and then the
/// engine's data version on the window's own connection tells whether another connection
/// committed anything: the window's own writes on that connection never count, and reading the
/// file never does. A slow poll covers file systems that report no events.
class PriceDatabaseWatch : public QObject {
    Q_OBJECT
public:
    /// Events of one write settle this long before the database is asked.
    static constexpr int kSettleMs = 500;
    static constexpr int kPollMs = 60000;

    /// `path` is the price database file; `handle` gives the window's open connection (null
    /// while there is none).
    PriceDatabaseWatch(const QString& path, std::function<sqlite3*()> handle,
                       QObject* parent = nullptr);

    /// What the database holds now counts as seen: after the program's own import, update or
    /// load of the catalogue.
    void Rebaseline();
    /// Asks the database now; emits `changed` when another connection committed since the
    /// baseline (and takes the new state as the baseline).
    void Check();

signals:
    void changed();

private:
    void Watch();
    std::optional<std::int64_t> DataVersion() const;

    QString m_path;
    std::function<sqlite3*()> m_handle;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QTimer m_poll;
    std::optional<std::int64_t> m_seen;
};
