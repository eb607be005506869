#include "app/MainPrices.h"

#include "app/CPriceChangesDlg.h"
#include "app/PriceDatabaseWatch.h"
#include "app/PriceUpdateCommand.h"
#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "toolkit/AppSettings.h"
#include "toolkit/DesktopNotifier.h"
#include "toolkit/MessageBox.h"
#include "trade/PriceChangeReport.h"
#include "update/DailyUpdateRules.h"

#include <QDate>
#include <QThread>

namespace {

sqlite3* HandleOf(CADODataBase* database)
{
    if (database == nullptr || !database->IsOpen() || !database->GetActiveConnection())
        return nullptr;
    return database->GetActiveConnection()->Handle();
}

} // namespace

MainPrices::MainPrices(MainPricesContext context, QObject* parent)
    : QObject(parent), m_context(std::move(context))
{
    m_daily.setSingleShot(true);
    connect(&m_daily, &QTimer::timeout, this, [this] {
        // A window still loading or importing is asked again soon, not an hour later.
        const bool busy = m_context.busy && m_context.busy();
        if (!busy)
            CheckDaily();
        m_daily.start(busy ? kFirstCheckMs : kCheckPeriodMs);
    });
    m_idleRetry.setSingleShot(true);
    m_idleRetry.setInterval(kIdleRetryMs);
    connect(&m_idleRetry, &QTimer::timeout, this, &MainPrices::ReloadWhenIdle);
    m_watch = new PriceDatabaseWatch(QString::fromStdString(m_context.databasePath),
                                     [this] { return HandleOf(m_context.priceDatabase); }, this);
    connect(m_watch, &PriceDatabaseWatch::changed, this, [this] {
        m_outsidePending = true;
        ReloadWhenIdle();
    });
}

MainPrices::~MainPrices()
{
    if (m_worker) {
        m_cancel = true;
        m_worker->wait();
    }
}

void MainPrices::Start()
{
    m_daily.start(kFirstCheckMs);
}

void MainPrices::SetUpdateDaily(bool on)
{
    AppSettings::setUpdatePricesDaily(on);
    if (on)
        QTimer::singleShot(0, this, [this] { CheckDaily(); });
}

bool MainPrices::CheckDaily()
{
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    if (m_worker || (m_context.busy && m_context.busy()) ||
        !DailyUpdateRules::IsDue(AppSettings::updatePricesDaily(),
                                 AppSettings::lastDailyUpdate().toStdString(),
                                 today.toStdString()))
        return false;
    // Stored before it runs: a failing or killed update is not tried again the same day.
    AppSettings::setLastDailyUpdate(today);
    m_cancel = false;
    m_worthBefore = WorthNow();
    const PriceUpdate update(m_context.databasePath, PriceUpdateCommand::OptionsFromSettings());
    m_worker.reset(QThread::create([this, update] {
        m_result = update.Run([this](const UpdateStatus&) { return !m_cancel.load(); });
    }));
    connect(m_worker.get(), &QThread::finished, this, [this] {
        m_worker->wait();
        m_worker.reset();
        Finish(m_result);
    }, Qt::QueuedConnection);
    m_worker->start(QThread::LowPriority);
    return true;
}

void MainPrices::Finish(const PriceUpdateResult& result)
{
    const bool changed = result.outcome == PriceUpdateResult::Outcome::Updated &&
                         result.imported && result.summary.Changed();
    if (!changed || !m_context.reload) {
        // The record of what was read, at most: nothing to read again.
        OwnWriteDone();
        Notify(result, nullptr);
        return;
    }
    m_context.reload([this, result] {
        OwnWriteDone();
        const std::optional<WorthChange> worth = Since(m_worthBefore);
        Notify(result, worth ? &*worth : nullptr);
        RefreshOpenChanges();
    });
}

void MainPrices::Notify(const PriceUpdateResult& result, const WorthChange* worth)
{
    const std::optional<std::string> text = DailyUpdateRules::NoticeText(
        result, worth ? std::optional<WorthChange>(*worth) : std::nullopt);
    const QString notice = text ? QString::fromStdString(*text) : QString();
    if (text)
        DesktopNotifier::notify(QString::fromLatin1(kNoticeTitle), notice, m_context.tray);
    emit backgroundUpdateEnded(notice);
}

void MainPrices::OwnWriteDone()
{
    m_outsidePending = false;
    m_watch->Rebaseline();
}

void MainPrices::ReloadWhenIdle()
{
    if (!m_outsidePending)
        return;
    // Not under the window's own import, update or load, nor while a box waits for the user.
    if (m_worker || (m_context.busy && m_context.busy())) {
        m_idleRetry.start();
        return;
    }
    m_outsidePending = false;
    if (!m_context.reload)
        return;
    m_context.reload([this] {
        m_watch->Rebaseline();
        RefreshOpenChanges();
        emit outsideChangeLoaded();
    });
}

bool MainPrices::ReadReport(PriceChangeReport& report, WorthChange& worth, bool quiet)
{
    std::string error;
    if (!report.Read(HandleOf(m_context.priceDatabase), m_context.collectionDatabase, &error)) {
        if (!quiet)
            MessageBox::error(QString::fromStdString(error), m_context.window);
        return false;
    }
    worth = report.Worth(m_context.valueOf);
    return true;
}

std::optional<WorthChange> MainPrices::WorthNow() const
{
    PriceChangeReport owned;
    if (m_context.collectionDatabase == nullptr || !m_context.collectionDatabase->IsOpen() ||
        !owned.ReadOwned(*m_context.collectionDatabase))
        return std::nullopt;
    WorthChange worth = owned.Worth(m_context.valueOf);
    worth.before = worth.after;
    return worth;
}

std::optional<WorthChange> MainPrices::Since(const std::optional<WorthChange>& before) const
{
    std::optional<WorthChange> now = WorthNow();
    if (!before || !now)
        return std::nullopt;
    now->before = before->after;
    return now;
}

CPriceChangesDlg* MainPrices::ShowPriceChanges(const std::optional<WorthChange>& before)
{
    PriceChangeReport report;
    WorthChange worth;
    if (!ReadReport(report, worth, false))
        return nullptr;
    if (before)
        worth.before = before->after;
    if (!m_changes) {
        m_changes = new CPriceChangesDlg(m_context.window);
        connect(m_changes, &CPriceChangesDlg::priceHistoryRequested, this,
                [this](std::int32_t cardId) {
                    if (m_context.showPriceHistory)
                        m_context.showPriceHistory(cardId);
                });
    }
    m_changes->SetReport(std::move(report), worth);
    m_changes->show();
    m_changes->raise();
    return m_changes;
}

void MainPrices::RefreshOpenChanges()
{
    if (!m_changes || !m_changes->isVisible())
        return;
    PriceChangeReport report;
    WorthChange worth;
    if (ReadReport(report, worth, true))
        m_changes->SetReport(std::move(report), worth);
}
