#include "app/WorkerProgress.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <memory>

void WorkerProgress::Run(QWidget* owner, const Window& window, std::atomic<bool>& cancel,
                         const std::function<void(QProgressDialog&)>& shown,
                         const std::function<void()>& task,
                         const std::function<void(QProgressDialog&)>& refresh)
{
    QProgressDialog dialog(window.label, QStringLiteral("Cancel"), 0, kSteps, owner);
    dialog.setObjectName(window.objectName);
    dialog.setWindowTitle(window.title);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setMinimumDuration(0);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    if (window.minimumChars > 0)
        dialog.setMinimumWidth(dialog.fontMetrics().averageCharWidth() * window.minimumChars);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&] {
        cancel = true;
        dialog.setLabelText(QStringLiteral("Cancelling: the price database is left as it was..."));
    });
    dialog.setValue(0);
    dialog.show();
    shown(dialog);

    std::unique_ptr<QThread> worker(QThread::create(task));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer timer;
    timer.setInterval(window.refreshMs);
    QObject::connect(&timer, &QTimer::timeout, &dialog, [&] {
        if (!cancel)
            refresh(dialog);
    });
    timer.start();
    worker->start();
    // The worker's end is queued to this thread, so it cannot slip past the loop.
    loop.exec();
    worker->wait();
    timer.stop();
    dialog.hide();
}
