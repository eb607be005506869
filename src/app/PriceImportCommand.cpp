#include "app/PriceImportCommand.h"

#include "app/WorkerProgress.h"
#include "prices/PriceImport.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"

#include <QProgressDialog>

#include <atomic>

const QString PriceImportCommand::kFileFilter = QStringLiteral(
    "Price files (*.json;*.csv;*.tsv;*.txt)|*.json;*.csv;*.tsv;*.txt|All Files (*.*)|*.*|");

const QString PriceImportCommand::kOverwriteManualText =
    QStringLiteral("Overwrite prices set by hand");

const QString PriceImportCommand::kUpdateLink = QStringLiteral("quorvel:update-prices");

const QString PriceImportCommand::kGuide = QStringLiteral(
    "<b>The simple way:</b> <a href=\"quorvel:update-prices\">Update Prices Now</a> fetches "
    "today's prices by itself (also File &gt; Update Prices Now). To pick files yourself, "
    "download them from <a href=\"https://mtgjson.com/downloads/all-files/\">MTGJSON</a> "
    "(AllPrintings.json together with AllPricesToday.json) or "
    "<a href=\"https://scryfall.com/docs/api/bulk-data\">Scryfall</a> (\"Default Cards\"), "
    "or choose a CSV price list of your own.");

namespace {

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

PriceImportCommand::PriceImportCommand(std::string databasePath, QWidget* owner)
    : m_databasePath(std::move(databasePath)), m_owner(owner)
{
}

PriceImportCommand::~PriceImportCommand() = default;

bool PriceImportCommand::Run(bool preview)
{
    if (m_running)
        return false;
    m_running = true;
    QString followed;
    const std::optional<QStringList> files = FileDialog::getOpenFileNames(
        preview ? QStringLiteral("Preview Price Import") : QStringLiteral("Import Prices"),
        kFileFilter, m_owner, kGuide, &followed);
    if (followed == kUpdateLink)
        emit updateInstead();
    bool changed = false;
    if (files) {
        PriceImportOptions options;
        options.dryRun = preview;
        const PriceImportSummary first = Import(*files, options);
        // The choice to replace prices set by hand is offered where it makes a difference:
        // when the preview kept some that the files would change, even if nothing else would.
        const bool offer =
            first.outcome == PriceImportSummary::Outcome::Imported ||
            (first.outcome == PriceImportSummary::Outcome::NothingChanged && first.keptManual > 0);
        if (!preview) {
            changed = Report(first);
        } else if (!offer) {
            Report(first);
        } else {
            const QString question =
                Text(first.Text()) + QStringLiteral("\n\nImport these prices now?");
            bool overwrite = false;
            const bool yes =
                first.keptManual > 0
                    ? MessageBox::askYesNo(question, kOverwriteManualText, overwrite, m_owner)
                    : MessageBox::askYesNo(question, m_owner);
            if (yes) {
                options.dryRun = false;
                options.overwriteManual = overwrite;
                changed = Report(Import(*files, options));
            }
        }
    }
    m_running = false;
    return changed;
}

PriceImportSummary PriceImportCommand::Import(const QStringList& files,
                                              const PriceImportOptions& options)
{
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(file.toStdString());

    // The worker writes only these two and the summary; the window reads them on its timer.
    std::atomic<double> done{0.0};
    std::atomic<bool> cancel{false};
    PriceImportSummary summary;

    const PriceImport import(m_databasePath);
    WorkerProgress::Run(
        m_owner,
        {QStringLiteral("importProgress"), QStringLiteral("Import Prices"),
         options.dryRun ? QStringLiteral("Reading the price files...")
                        : QStringLiteral("Importing prices..."),
         kProgressPeriodMs},
        cancel, [this](QProgressDialog& dialog) { emit progressShown(&dialog); },
        [&] {
            summary = import.Run(paths, options, [&](double fraction) {
                done = fraction;
                return !cancel.load();
            });
        },
        [&](QProgressDialog& dialog) {
            dialog.setValue(int(done.load() * WorkerProgress::kSteps));
        });
    return summary;
}

bool PriceImportCommand::Report(const PriceImportSummary& summary)
{
    const QString text = Text(summary.Text());
    switch (summary.outcome) {
    case PriceImportSummary::Outcome::Imported:
    case PriceImportSummary::Outcome::NothingChanged:
        MessageBox::information(text, m_owner);
        break;
    case PriceImportSummary::Outcome::NothingImported:
        MessageBox::warning(text, m_owner);
        break;
    case PriceImportSummary::Outcome::Cancelled:
        MessageBox::information(
            QStringLiteral("The import was cancelled; the price database is as it was."),
            m_owner);
        break;
    case PriceImportSummary::Outcome::Failed:
        MessageBox::error(text, m_owner);
        break;
    }
    return !summary.dryRun && summary.outcome == PriceImportSummary::Outcome::Imported &&
           summary.Changed();
}
