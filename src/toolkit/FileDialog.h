#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

/// Open and save file dialogs behind one seam. Filters are given in the program's
/// "description|pattern|...|" form and converted for Qt. In test mode no dialog is shown: each
/// request is recorded and answered with the next queued file name (or cancel).
class FileDialog {
public:
    /// The filter of the program's trade list files.
    static const QString kTradeListFilter;

    /// One dialog as it was asked while in test mode.
    struct Asked {
        bool save;
        QString title;
        QString filter; ///< already converted for Qt
        QString guide;  ///< the words shown under an open dialog
    };

    /// The scheme of a guide's links that close the dialog to do something else instead
    /// ("quorvel:update"); any other link opens in the browser.
    static const QString kCommandScheme;

    /// Asks for an existing file; nothing when the user cancels.
    static std::optional<QString> getOpenFileName(const QString& title, const QString& filter,
                                                  QWidget* owner = nullptr);
    /// Asks for one or more existing files; nothing when the user cancels. `guide` (rich
    /// text) is shown under the dialog: where such files come from, with links; following a
    /// link of kCommandScheme closes the dialog with nothing chosen and puts the link in
    /// *followed.
    static std::optional<QStringList> getOpenFileNames(const QString& title,
                                                       const QString& filter,
                                                       QWidget* owner = nullptr,
                                                       const QString& guide = QString(),
                                                       QString* followed = nullptr);
    /// Asks for a file to write. `defaultSuffix` (without the dot) is added to a name typed
    /// without one; the user confirms (a "Question" box) before an existing file is replaced.
    static std::optional<QString> getSaveFileName(const QString& title, const QString& filter,
                                                  const QString& defaultSuffix,
                                                  QWidget* owner = nullptr);

    /// "All Files (*.ryn)|*.ryn|(*.*)|*.*|" -> "All Files (*.ryn);;(*)". A Windows "*.*"
    /// matches every file, so it becomes "*".
    static QString convertFilter(const QString& filter);

    // Test hooks.
    static void setTestMode(bool on);
    static bool testMode();
    /// Queues the answer to the next dialog (an empty optional cancels) and turns test mode on.
    static void setNextFileName(std::optional<QString> fileName);
    /// Queues the files chosen in the next dialog (an empty optional cancels).
    static void setNextFileNames(std::optional<QStringList> fileNames);
    /// Queues a click on the guide's link `link` as the answer to the next dialog.
    static void setNextFollowedLink(const QString& link);
    static const std::vector<Asked>& asked();
};
