#include "app/PriceDatabaseWatch.h"

#include <QFileInfo>

#include <sqlite3.h>

PriceDatabaseWatch::PriceDatabaseWatch(const QString& path, std::function<sqlite3*()> handle,
                                       QObject* parent)
    : QObject(parent), m_path(QFileInfo(path).absoluteFilePath()), m_handle(std::move(handle))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &PriceDatabaseWatch::Check);
    const auto settle = [this] {
        // A file replaced by a rename, or a -wal file that came, must be watched anew.
        Watch();
        m_settle.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, settle);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, settle);
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &PriceDatabaseWatch::Check);
    m_poll.start();
    Watch();
    Rebaseline();
}

void PriceDatabaseWatch::Watch()
{
    const QStringList wanted = {m_path, m_path + QStringLiteral("-wal"),
                                QFileInfo(m_path).absolutePath()};
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    for (const QString& path : wanted) {
        if (!watched.contains(path) && QFileInfo::exists(path))
            m_watcher.addPath(path);
    }
}

std::optional<std::int64_t> PriceDatabaseWatch::DataVersion() const
{
    sqlite3* db = m_handle ? m_handle() : nullptr;
    if (db == nullptr)
        return std::nullopt;
    sqlite3_stmt* stmt = nullptr;
    std::optional<std::int64_t> version;
    // A writer holding the file locked makes this busy: asked again at the next event or poll.
    if (sqlite3_prepare_v2(db, "pragma data_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        version = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return version;
}

void PriceDatabaseWatch::Rebaseline()
{
    m_seen = DataVersion();
}

void PriceDatabaseWatch::Check()
{
    const std::optional<std::int64_t> now = DataVersion();
    if (!now)
        return;
    if (!m_seen) {
        m_seen = now;
        return;
    }
    if (*now == *m_seen)
        return;
    m_seen = now;
    emit changed();
}
