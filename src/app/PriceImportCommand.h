#pragma once

#include <QObject>
#include <QStringList>

#include <string>

struct PriceImportOptions;
struct PriceImportSummary;
class QProgressDialog;
class QWidget;

/// File > Import Prices... and Preview Price Import...: asks for price files (several may be
/// chosen), imports them on a worker thread behind a progress dialog that can cancel the
/// import (a cancelled import leaves the price database as it was), and shows the import's
/// summary. The preview reads everything, writes nothing, and then offers to import; when it
/// found prices set by hand that the files would change, a check box (unticked) offers to
/// overwrite them too. A plain import always keeps them.
/// Dialogs and boxes go through the toolkit's seams, so tests answer them.
class PriceImportCommand : public QObject {
    Q_OBJECT
public:
    /// What the progress dialog is refreshed with while the import runs.
    static constexpr int kProgressPeriodMs = 50;
    static const QString kFileFilter;
    static const QString kOverwriteManualText;
    /// Shown under the file dialog: where price files come from, and the simple way.
    static const QString kGuide;
    /// The guide's link to File > Update Prices Now.
    static const QString kUpdateLink;

    /// `databasePath` is the price database file; `owner` the window the dialogs belong to.
    PriceImportCommand(std::string databasePath, QWidget* owner);
    ~PriceImportCommand() override;

    /// Runs the command; true when the price database changed (the caller reloads what it
    /// read from it). A second call while one runs does nothing.
    bool Run(bool preview);
    bool IsRunning() const { return m_running; }

signals:
    /// The user chose the update instead of picking files (the guide's link).
    void updateInstead();
    /// The progress dialog of an import, just shown and before the worker starts.
    void progressShown(QProgressDialog* dialog);

private:
    PriceImportSummary Import(const QStringList& files, const PriceImportOptions& options);
    bool Report(const PriceImportSummary& summary);

    std::string m_databasePath;
    QWidget* m_owner;
    bool m_running = false;
};
