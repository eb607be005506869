#pragma once

#include "data/CADODataBase.h"

#include <QString>

#include <memory>
#include <string>

class ClipboardViewer;
class CQuorvelDlg;
class QWidget;
class SingleInstance;

/// The application object: owns both database connections and the clipboard, refuses a second
/// copy, opens the databases, runs the main window until Exit and closes the databases.
/// One instance exists for the whole run; other windows reach it through Instance().
class CQuorvelApp {
public:
    static constexpr const char* kAlreadyRunning = "Quorvel already running...";
    static constexpr const char* kProvider = "Microsoft.JET.OLEDB.4.0";
    static constexpr const char* kPriceConnection = "Data Source=.\\mtgo.mdb;";
    static constexpr const char* kCollectionConnection = "Data Source=.\\collection.mdb;";

    /// `clipboard` stands in for the desktop clipboard (tests pass a fake); null uses the
    /// real one. `instanceName` names the single-instance socket; empty gives the default
    /// (see DefaultInstanceName). Nothing is opened yet.
    explicit CQuorvelApp(ClipboardViewer* clipboard = nullptr, QString instanceName = {});
    /// Closes the collection database, then the price database, where still open.
    ~CQuorvelApp();
    CQuorvelApp(const CQuorvelApp&) = delete;
    CQuorvelApp& operator=(const CQuorvelApp&) = delete;

    static CQuorvelApp* Instance();

    /// "Quorvel" in the user's runtime folder when there is one (one copy per user and desktop
    /// session, and separate virtual sessions never see each other), else in a private folder
    /// of the user's own (see SingleInstance::DefaultFolder).
    static QString DefaultInstanceName();

    /// Start-up: the single-instance check, both databases, the main window run until Exit,
    /// both databases closed. Returns the process exit code.
    int InitInstance();

    /// Opens both databases from the working directory; failures stay in their last-error
    /// texts (the main window reports an unreadable catalogue).
    void OpenDatabases();
    /// Closes the price database, then the collection database.
    void CloseDatabases();

    CADODataBase& PriceDatabase() { return m_priceDatabase; }
    CADODataBase& CollectionDatabase() { return m_collectionDatabase; }
    ClipboardViewer& Clipboard() { return *m_clipboard; }
    /// The running main window, or null.
    CQuorvelDlg* MainWindow() const { return m_mainWindow; }
    void SetMainWindow(CQuorvelDlg* window) { m_mainWindow = window; }

    /// Puts the text on the clipboard as plain text; false when the clipboard did not take it.
    /// A refused write also withdraws the main window's wish to ignore the next change, so
    /// that no copy of another program is skipped in its place.
    bool CopyTextToClipboard(QWidget* owner, const std::string& text);

private:
    // Destroyed in reverse order: the collection database first, then the price database.
    CADODataBase m_priceDatabase;
    CADODataBase m_collectionDatabase;
    std::unique_ptr<ClipboardViewer> m_ownClipboard;
    ClipboardViewer* m_clipboard = nullptr;
    CQuorvelDlg* m_mainWindow = nullptr;
    QString m_instanceName;
};
