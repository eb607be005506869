#include "app/PriceUpdateCommand.h"

#include "app/WorkerProgress.h"
#include "toolkit/AppSettings.h"
#include "toolkit/MessageBox.h"
#include "update/PriceUpdate.h"

#include <QProgressDialog>

#include <atomic>
#include <mutex>

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QString Size(std::uint64_t bytes)
{
    return Text(PriceUpdate::Size(bytes));
}

} // namespace

PriceUpdateCommand::PriceUpdateCommand(std::string databasePath, QWidget* owner)
    : m_databasePath(std::move(databasePath)), m_owner(owner)
{
}

PriceUpdateCommand::~PriceUpdateCommand() = default;

QString PriceUpdateCommand::ProgressText(const UpdateStatus& status)
{
    QString text = Text(status.step) + QStringLiteral("...");
    if (status.done > 0) {
        text += QStringLiteral("\n") + Size(status.done);
        if (status.total > 0)
            text += QStringLiteral(" of ") + Size(status.total);
        if (status.bytesPerSecond > 0)
            text += QStringLiteral(", ") + Size(std::uint64_t(status.bytesPerSecond)) +
                    QStringLiteral("/s");
    }
    if (status.secondsLeft >= 0) {
        const long seconds = long(status.secondsLeft + 0.5);
        text += QStringLiteral("\nTime left: ") +
                (seconds >= 60 ? QStringLiteral("%1 min %2 s").arg(seconds / 60).arg(seconds % 60)
                               : QStringLiteral("%1 s").arg(seconds));
    }
    return text;
}

QString PriceUpdateCommand::ResultText(const PriceUpdateResult& result)
{
    QString text;
    for (const std::string& line : result.fetched)
        text += QStringLiteral("Fetched ") + Text(line) + QStringLiteral("\n");
    if (result.imported && result.summary.outcome != PriceImportSummary::Outcome::Failed)
        text += Text(result.summary.Text()) + QStringLiteral("\n");
    return text + Text(result.Closing());
}

PriceUpdateOptions PriceUpdateCommand::OptionsFromSettings()
{
    PriceUpdateOptions options;
    options.source = AppSettings::priceSource().toStdString();
    options.baseUrl = AppSettings::priceBaseUrl().toStdString();
    options.http.extraCaFile = AppSettings::extraCertificates().toStdString();
    return options;
}

bool PriceUpdateCommand::Run()
{
    if (m_running)
        return false;
    m_running = true;
    const PriceUpdateOptions options = OptionsFromSettings();

    // The worker writes the status under the lock and the cancel flag; the window reads them.
    std::mutex lock;
    UpdateStatus status;
    std::atomic<bool> cancel{false};
    PriceUpdateResult result;

    const PriceUpdate update(m_databasePath, options);
    WorkerProgress::Run(
        m_owner,
        {QStringLiteral("updateProgress"), QStringLiteral("Update Prices"),
         QStringLiteral("Updating prices..."), kProgressPeriodMs, 50},
        cancel, [this](QProgressDialog& dialog) { emit progressShown(&dialog); },
        [&] {
            result = update.Run([&](const UpdateStatus& now) {
                std::lock_guard<std::mutex> hold(lock);
                status = now;
                return !cancel.load();
            });
        },
        [&](QProgressDialog& dialog) {
            UpdateStatus now;
            {
                std::lock_guard<std::mutex> hold(lock);
                now = status;
            }
            dialog.setLabelText(ProgressText(now));
            if (now.fraction >= 0) {
                dialog.setMaximum(WorkerProgress::kSteps);
                dialog.setValue(int(now.fraction * WorkerProgress::kSteps));
            } else {
                dialog.setMaximum(0); // a busy bar: the size is not known
            }
        });

    const QString text = ResultText(result);
    switch (result.outcome) {
    case PriceUpdateResult::Outcome::Updated:
    case PriceUpdateResult::Outcome::UpToDate:
        MessageBox::information(text, m_owner);
        break;
    case PriceUpdateResult::Outcome::NothingUsable:
        MessageBox::warning(text, m_owner);
        break;
    case PriceUpdateResult::Outcome::Cancelled:
        MessageBox::information(text, m_owner);
        break;
    case PriceUpdateResult::Outcome::Failed:
        MessageBox::error(text, m_owner);
        break;
    }
    m_running = false;
    return result.imported && result.summary.Changed() &&
           result.outcome == PriceUpdateResult::Outcome::Updated;
}
