#include "app/MainCatalogue.h"

#include "data/BoundedRead.h"
#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/PriceDatabaseAdvice.h"
#include "data/PriceHistory.h"
#include "lookup/CardLookup.h"
#include "lookup/PriceChartPlan.h"
#include "lookup/view/CPriceHistoryDlg.h"
#include "toolkit/MessageBox.h"

#include <QFileInfo>
#include <QLocale>

#include <malloc.h>

#include <chrono>

namespace {
// A locked price database is tried again this often; the stop question is asked meanwhile.
constexpr auto kLockRetryPause = std::chrono::milliseconds(25);
constexpr int kLockRetryPauses = 10;
} // namespace

// What the worker thread hands over: the catalogue it loaded with the lookup's names prepared
// for it, or why it could not.
struct MainCatalogue::Result {
    CardCatalogue catalogue;
    CardMatcher names;
    bool loaded = false;
    std::string error;
};

MainCatalogue::MainCatalogue(CADODataBase& priceDatabase, CardCatalogue& catalogue,
                             CardLookup& lookup)
    : m_priceDatabase(priceDatabase), m_catalogue(catalogue), m_lookup(lookup)
{
}

MainCatalogue::~MainCatalogue()
{
    // Closing the program need not wait for a long load.
    StopWorker();
}

void MainCatalogue::StopWorker()
{
    if (!m_worker.joinable())
        return;
    m_stop = true;
    m_worker.join();
    m_stop = false;
}

void MainCatalogue::Load()
{
    // A load still running would put its older catalogue in place afterwards.
    StopWorker();
    std::string error;
    bool loaded = false;
    {
        // A typed search may be reading the old records, or have found some of them for the
        // window still to show: it must let go of the lookup first and its result go stale.
        std::unique_lock<std::recursive_mutex> hold;
        if (m_hold)
            hold = m_hold();
        if (m_beforeReplace)
            m_beforeReplace();
        loaded = m_catalogue.LoadCatalogue(m_priceDatabase, &error);
        // The lookup reads the card list in place: prepare it after every load.
        m_lookup.Prepare(m_catalogue.Cards());
    }
    if (m_afterReplace)
        m_afterReplace();
    if (!loaded)
        Report(error);
    if (m_loading) {
        // The worker's result, still queued, is older than this one.
        m_loading = false;
        ++m_generation;
        Finish(nullptr);
    }
}

void MainCatalogue::StartLoading(HoldLookup hold, QGroupBox* frame, std::function<void()> loaded)
{
    m_hold = std::move(hold);
    m_loaded = std::move(loaded);
    m_frame = frame;
    m_frameTitle = frame ? frame->title() : QString();
    // Another program holding the file locked makes it busy, not unreadable: wait for it.
    const bool locked = !m_priceDatabase.IsOpen() && m_priceDatabase.LastErrorIsLock();
    if ((!m_priceDatabase.IsOpen() && !locked) || m_loading) {
        // Nothing to wait for: the failure is reported before the window appears.
        Load();
        if (m_loaded)
            m_loaded();
        return;
    }
    m_loading = true;
    if (locked && m_frame) {
        m_frame->setTitle(kWaitingTitle);
        m_frame->setToolTip(PriceDatabaseBusy());
    }
    // Until then the lookup has the empty list to read; a catalogue read again keeps the names
    // prepared for the one it replaces.
    if (m_catalogue.Cards().empty())
        m_lookup.Prepare(m_catalogue.Cards());
    const std::uint64_t generation = ++m_generation;
    const std::string connection = m_priceDatabase.GetConnectionString();
    const std::string provider = m_priceDatabase.GetActiveConnection()->GetProvider();
    m_worker = std::thread([this, generation, connection, provider] {
        auto result = std::make_shared<Result>();
        // A connection of its own: the window's stays free for the window's thread.
        CADODataBase database;
        database.GetActiveConnection()->SetProvider(provider);
        database.GetActiveConnection()->SetOpenLockWait(0);
        while (!database.Open(connection) && database.LastErrorIsLock()) {
            for (int pause = 0; pause < kLockRetryPauses; ++pause) {
                if (m_stop)
                    return;
                std::this_thread::sleep_for(kLockRetryPause);
            }
        }
        const auto stop = [this] { return m_stop.load(); };
        // The count and the load share one bound: a card table that never ends is given up
        // once, not twice.
        BoundedRead bound(*database.GetActiveConnection(), stop);
        const std::int64_t count = CardCatalogue::CountCards(database, stop);
        QMetaObject::invokeMethod(
            this,
            [this, count] {
                if (m_frame && m_loading && count >= 0)
                    m_frame->setTitle(QString("Loading %1 cards...")
                                          .arg(QLocale(QLocale::English).toString(count)));
            },
            Qt::QueuedConnection);
        try {
            result->loaded = result->catalogue.LoadCatalogue(database, &result->error, false, stop);
            // Off the window's thread: about 0.4 s for a million names.
            if (!m_stop)
                result->names.Prepare(result->catalogue.Cards());
        } catch (const std::exception& failure) {
            result->catalogue.Clear();
            result->names.Prepare(result->catalogue.Cards());
            result->error = std::string("The price database could not be read: ") + failure.what();
        }
        database.Close();
        // A stopped load replaces nothing: whoever stopped it no longer waits for its result.
        if (m_stop)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, result] {
                if (generation == m_generation)
                    Finish(result);
            },
            Qt::QueuedConnection);
    });
}

void MainCatalogue::Finish(const std::shared_ptr<Result>& result)
{
    if (m_worker.joinable())
        m_worker.join();
    if (result) {
        {
            std::unique_lock<std::recursive_mutex> hold;
            if (m_hold)
                hold = m_hold();
            if (m_beforeReplace)
                m_beforeReplace();
            // A moved card list keeps its records where they are; the names prepared for them
            // hold no pointer into the list, and the lookup is pointed at the list it now reads.
            m_catalogue = std::move(result->catalogue);
            m_lookup.Adopt(m_catalogue.Cards(), result->names);
        }
        if (m_afterReplace)
            m_afterReplace();
        // The old names, handed back, are freed outside the hold.
        result->names = CardMatcher();
        // The load's passing memory (the engine's page cache, the sort, the loading thread's
        // heap) goes back to the system rather than staying in the process's heaps.
        malloc_trim(0);
        m_loading = false;
        // Opened at start while another program held the file locked: it is free now.
        if (!m_priceDatabase.IsOpen())
            m_priceDatabase.Open();
        if (!result->loaded)
            Report(result->error);
    }
    if (m_frame) {
        m_frame->setTitle(m_frameTitle);
        m_frame->setToolTip(QString());
    }
    if (m_loaded)
        m_loaded();
    // The requests that waited run in the order they came.
    while (!m_waiting.empty()) {
        const std::function<void()> request = std::move(m_waiting.front());
        m_waiting.pop_front();
        request();
    }
}

void MainCatalogue::WhenReady(std::function<void()> request)
{
    if (m_loading)
        m_waiting.push_back(std::move(request));
    else
        request();
}

void MainCatalogue::Report(const std::string& error)
{
    // Reported once; the program goes on with an empty catalogue.
    m_error = error;
    MessageBox::error(QString("The price database mtgo.mdb could not be read, so no cards can "
                              "be looked up.\n\n%1")
                          .arg(QString::fromStdString(error)) +
                      "\n\n" + PriceDatabaseAdvice());
}

QString MainCatalogue::PriceDatabaseBusy() const
{
    const std::string source =
        CADOConnection::DataSourcePath(m_priceDatabase.GetConnectionString());
    return QString("The price database %1 is busy: another program holds it locked. The cards "
                   "load as soon as it lets go.")
        .arg(QFileInfo(QString::fromStdString(source)).absoluteFilePath());
}

QString MainCatalogue::PriceDatabaseAdvice() const
{
    const std::string source =
        CADOConnection::DataSourcePath(m_priceDatabase.GetConnectionString());
    const QFileInfo file(QString::fromStdString(source.empty() ? "mtgo.mdb" : source));
    return QString::fromStdString(price_database_advice::Advice(
        file.absoluteFilePath().toStdString(), file.absolutePath().toStdString(), file.exists()));
}

QWidget* MainCatalogue::ShowPriceHistory(const CardRecord& card, QWidget* parent)
{
    std::vector<PricePoint> history;
    std::string error;
    if (!price_history::Read(m_priceDatabase, card.id, history, &error)) {
        MessageBox::error(QString::fromStdString(error), parent);
        return nullptr;
    }
    const std::string today = DateTime::Now().Format("%Y-%m-%d");
    const std::string& setName = m_catalogue.SetName(card.expansion);
    const QString title = setName.empty()
                              ? QString::fromStdString(card.name)
                              : QString::fromStdString(card.name + " (" + setName + ")");
    auto* window = new CPriceHistoryDlg(title, PlanPriceChart(history, card, today), parent);
    window->show();
    window->raise();
    return window;
}
