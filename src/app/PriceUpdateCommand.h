#pragma once

#include <QObject>

#include <string>

struct PriceUpdateOptions;
struct PriceUpdateResult;
class QProgressDialog;
class QWidget;

/// File > Update Prices Now (and the tray's item): brings the price database up to date from
/// the source of the settings on a worker thread, behind a progress dialog showing the step,
/// the bytes received, the speed and the time left, with Cancel; then the summary. The
/// update is the one `quorvel-import --update` runs. Boxes go through the toolkit's seams.
class PriceUpdateCommand : public QObject {
    Q_OBJECT
public:
    static constexpr int kProgressPeriodMs = 100;

    /// `databasePath` is the price database file; `owner` the window the dialogs belong to.
    PriceUpdateCommand(std::string databasePath, QWidget* owner);
    ~PriceUpdateCommand() override;

    /// Runs the update; true when the price database changed (the caller reloads). A second
    /// call while one runs does nothing.
    bool Run();
    bool IsRunning() const { return m_running; }

    /// The update's choices as the settings give them (source, base address, extra
    /// certificates); the daily update in the background uses the same.
    static PriceUpdateOptions OptionsFromSettings();
    /// The text of the dialog's label for a status (step, bytes, speed, time left).
    static QString ProgressText(const struct UpdateStatus& status);
    /// The box text of a result: the files fetched, the summary and the closing line.
    static QString ResultText(const PriceUpdateResult& result);

signals:
    /// The progress dialog, just shown and before the worker starts.
    void progressShown(QProgressDialog* dialog);

private:
    std::string m_databasePath;
    QWidget* m_owner;
    bool m_running = false;
};
