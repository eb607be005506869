#pragma once

#include <QString>

#include <atomic>
#include <functional>

class QProgressDialog;
class QWidget;

/// A long task run on a worker thread behind a modal progress window with a Cancel button.
/// The window keeps painting while the task runs; Cancel sets the flag the task reads and
/// tells the user that the price database is left as it was.
class WorkerProgress {
public:
    /// The steps of the progress bar.
    static constexpr int kSteps = 1000;

    struct Window {
        QString objectName;
        QString title;
        QString label;
        int refreshMs = 100;  ///< how often `refresh` runs
        int minimumChars = 0;  ///< the window's least width, in average characters
    };

    /// Shows the window and hands it to `shown`, runs `task` on a worker thread until it
    /// ends, and calls `refresh` with the window every period until the user cancels.
    static void Run(QWidget* owner, const Window& window, std::atomic<bool>& cancel,
                    const std::function<void(QProgressDialog&)>& shown,
                    const std::function<void()>& task,
                    const std::function<void(QProgressDialog&)>& refresh);
};
