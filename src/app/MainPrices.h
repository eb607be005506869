#pragma once

#include "app/CPriceChangesDlg.h"
#include "trade/CollectionText.h"
#include "update/PriceUpdate.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class CADODataBase;
class PriceChangeReport;
class PriceDatabaseWatch;
class QThread;
class QWidget;
class TrayIcon;
struct WorthChange;

/// What the main window lends its prices side.
struct MainPricesContext {
    std::string databasePath;
    CADODataBase* priceDatabase = nullptr;
    CADODataBase* collectionDatabase = nullptr;
    /// The catalogue's value of a card key now.
    CardValueOf valueOf;
    /// True while the window imports or updates itself, or loads the catalogue: not a moment
    /// to read the catalogue again.
    std::function<bool()> busy;
    /// Reads the catalogue again off the window's thread, then runs `then`.
    std::function<void(std::function<void()> then)> reload;
    std::function<void(std::int32_t cardId)> showPriceHistory;
    TrayIcon* tray = nullptr;
    QWidget* window = nullptr;
};

/// The main window's prices that keep themselves current: the daily update in the background
/// (at most once a day, only with the option on, reported by a desktop notification and never
/// by a box), reading the catalogue again when another program changed the price database,
/// and the "Price changes" window.
class MainPrices : public QObject {
    Q_OBJECT
public:
    /// The first daily check waits this long after the window became usable.
    static constexpr int kFirstCheckMs = 5000;
    /// A program left running checks again this often (the day may have changed).
    static constexpr int kCheckPeriodMs = 60 * 60 * 1000;
    /// A reload that found the window busy is tried again after this.
    static constexpr int kIdleRetryMs = 1000;
    static constexpr const char* kNoticeTitle = "Quorvel";

    MainPrices(MainPricesContext context, QObject* parent = nullptr);
    /// Cancels a background update and waits for it: the database stays as it was.
    ~MainPrices() override;

    /// The window is usable: the daily checks begin.
    void Start();
    /// Starts the background update when one is due; true when it started.
    bool CheckDaily();
    bool IsUpdating() const { return m_worker != nullptr; }
    /// The option, stored at once; turning it on checks at once whether an update is due.
    void SetUpdateDaily(bool on);

    /// The window's own import or update is done and the catalogue read again: what the
    /// database holds now is no outside change.
    void OwnWriteDone();
    /// The collection's worth at the catalogue's values now (before and after alike); nothing
    /// when the collection cannot be read.
    std::optional<WorthChange> WorthNow() const;
    /// Reads the moves of the last import or update and shows them in the "Price changes"
    /// window (made once, kept); null when they cannot be read (which is reported). `before`,
    /// the worth taken before the window's own import or update, is exact; without it each
    /// moved copy counts at its previous price in the history.
    CPriceChangesDlg* ShowPriceChanges(const std::optional<WorthChange>& before = std::nullopt);
    CPriceChangesDlg* PriceChangesWindow() const { return m_changes; }
    PriceDatabaseWatch* Watch() const { return m_watch; }

signals:
    /// A background update ended; `notice` is what the notification said (empty: nothing).
    void backgroundUpdateEnded(const QString& notice);
    /// The catalogue was read again after another program changed the price database.
    void outsideChangeLoaded();

private:
    void Finish(const PriceUpdateResult& result);
    /// The worth before (taken earlier) and now.
    std::optional<WorthChange> Since(const std::optional<WorthChange>& before) const;
    void Notify(const PriceUpdateResult& result, const WorthChange* worth);
    void ReloadWhenIdle();
    bool ReadReport(PriceChangeReport& report, WorthChange& worth, bool quiet);
    void RefreshOpenChanges();

    MainPricesContext m_context;
    QTimer m_daily;
    QTimer m_idleRetry;
    PriceDatabaseWatch* m_watch = nullptr;
    QPointer<CPriceChangesDlg> m_changes;
    std::unique_ptr<QThread> m_worker;
    std::atomic<bool> m_cancel{false};
    PriceUpdateResult m_result;
    std::optional<WorthChange> m_worthBefore;
    bool m_outsidePending = false;
};
