#pragma once

#include <QGroupBox>
#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class CADODataBase;
class CardCatalogue;
class CardLookup;
class QGroupBox;
class QWidget;
struct CardRecord;

/// The main window's side of the price database: the card catalogue loaded from it (at once,
/// or on a worker thread while the window is already shown) with the lookup prepared for it,
/// what the user is told when it cannot be read, and the price history of a card.
class MainCatalogue : public QObject {
    Q_OBJECT
public:
    /// Gives the caller the lookup to itself while the catalogue under it changes.
    using HoldLookup = std::function<std::unique_lock<std::recursive_mutex>()>;

    /// The list frame's title while another program holds the price database locked.
    static constexpr const char* kWaitingTitle = "Waiting for the price database...";

    MainCatalogue(CADODataBase& priceDatabase, CardCatalogue& catalogue, CardLookup& lookup);
    /// Stops a load still running on the worker thread and waits for it: the catalogue and
    /// lookup stay as they were.
    ~MainCatalogue() override;

    /// Loads the catalogue (again) now and prepares the lookup for it; first stops a load still
    /// running and waits for it. Once loading has been started, the catalogue is replaced
    /// under its `hold` here too. An unreadable database is reported in a message box; the
    /// program goes on with an empty catalogue.
    void Load();
    /// Starts loading on a worker thread with a connection of its own and returns at once.
    /// The lookup's names are prepared there too. Meanwhile `frame` says "Loading N cards..."
    /// once the number is known; then the new catalogue and prepared names take the place of
    /// the old ones under `hold`, the frame gets its title back, `loaded` runs and the requests
    /// that waited run in order. A database that is not open is reported at once, unless
    /// another program holds it locked: then `frame` says kWaitingTitle, and the load starts
    /// (and the window's own connection opens) as soon as the lock goes.
    void StartLoading(HoldLookup hold, QGroupBox* frame, std::function<void()> loaded);
    /// Runs `call` just before every load puts a new catalogue in place of the old one (the
    /// catalogue grid lists the old one's records and must keep copies of them first).
    void SetBeforeReplace(std::function<void()> call) { m_beforeReplace = std::move(call); }
    /// Runs `call` once every load has put its catalogue in place.
    void SetAfterReplace(std::function<void()> call) { m_afterReplace = std::move(call); }
    /// False while a load runs on the worker thread.
    bool IsReady() const { return !m_loading; }
    /// Runs `request` now when the catalogue is ready, otherwise once it is (in the order the
    /// requests came), so that nothing asked for meanwhile is lost.
    void WhenReady(std::function<void()> request);

    /// Why a load failed; empty while none has.
    const std::string& Error() const { return m_error; }

    /// Opens the price history window of `card` over `parent`; null when the history cannot
    /// be read (which is reported).
    QWidget* ShowPriceHistory(const CardRecord& card, QWidget* parent);

private:
    struct Result;
    void Finish(const std::shared_ptr<Result>& result);
    void Report(const std::string& error);
    /// Asks a load running on the worker thread to stop and waits for it.
    void StopWorker();
    /// Which price database file could not be opened and what the user can do about it.
    QString PriceDatabaseAdvice() const;
    /// That the price database is locked by another program, naming the file.
    QString PriceDatabaseBusy() const;

    CADODataBase& m_priceDatabase;
    CardCatalogue& m_catalogue;
    CardLookup& m_lookup;
    std::string m_error;
    bool m_loading = false;
    std::uint64_t m_generation = 0;  // of the newest load; an older worker's result is dropped
    std::thread m_worker;
    std::atomic<bool> m_stop{false};  // asked by the worker's load every few thousand rows
    HoldLookup m_hold;
    std::function<void()> m_loaded;
    std::function<void()> m_beforeReplace;
    std::function<void()> m_afterReplace;
    QPointer<QGroupBox> m_frame;
    QString m_frameTitle;
    std::deque<std::function<void()>> m_waiting;
};
