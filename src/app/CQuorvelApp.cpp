#include "app/CQuorvelApp.h"

#include "app/CQuorvelDlg.h"
#include "clipboard/QtClipboardViewer.h"
#include "data/CADOConnection.h"
#include "toolkit/MessageBox.h"
#include "toolkit/SingleInstance.h"

#include <QApplication>
#include <QDir>
#include <QString>

namespace {
CQuorvelApp* g_instance = nullptr;
} // namespace

CQuorvelApp::CQuorvelApp(ClipboardViewer* clipboard, QString instanceName)
    : m_clipboard(clipboard), m_instanceName(std::move(instanceName))
{
    if (m_instanceName.isEmpty())
        m_instanceName = DefaultInstanceName();
    if (!m_clipboard) {
        m_ownClipboard = std::make_unique<QtClipboardViewer>();
        m_clipboard = m_ownClipboard.get();
    }
    g_instance = this;
}

CQuorvelApp::~CQuorvelApp()
{
    m_collectionDatabase.Close();
    m_priceDatabase.Close();
    if (g_instance == this)
        g_instance = nullptr;
}

CQuorvelApp* CQuorvelApp::Instance()
{
    return g_instance;
}

QString CQuorvelApp::DefaultInstanceName()
{
    const QString folder = SingleInstance::DefaultFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath("Quorvel");
}

void CQuorvelApp::OpenDatabases()
{
    // Neither result is examined here: a failed open keeps its last-error text, and the
    // main window tells the user when the catalogue cannot be read.
    m_priceDatabase.GetActiveConnection()->SetProvider(kProvider);
    // A price database locked by another program is waited for in the background, once the
    // window shows: the start does not wait for it here.
    m_priceDatabase.GetActiveConnection()->SetOpenLockWait(0);
    m_priceDatabase.Open(kPriceConnection);
    m_priceDatabase.GetActiveConnection()->SetOpenLockWait(CADOConnection::kLockWaitMs);
    m_collectionDatabase.GetActiveConnection()->SetProvider(kProvider);
    m_collectionDatabase.Open(kCollectionConnection);
}

void CQuorvelApp::CloseDatabases()
{
    m_priceDatabase.Close();
    m_collectionDatabase.Close();
}

int CQuorvelApp::InitInstance()
{
    QApplication::setApplicationName("Quorvel");
    // Only Exit ends the program: closing the About box while the main window hides in the
    // tray must not.
    QApplication::setQuitOnLastWindowClosed(false);
    SingleInstance instance(m_instanceName);
    if (!instance.tryStart()) {
        MessageBox::show(kAlreadyRunning, QString(), MessageBox::Icon::Information,
                         MessageBox::Buttons::Ok, MessageBox::Answer::Ok);
        return 0;
    }
    OpenDatabases();
    {
        // The window shows at once; the catalogue loads meanwhile.
        CQuorvelDlg window(m_priceDatabase, m_collectionDatabase, *m_clipboard, nullptr,
                           CQuorvelDlg::CatalogueLoad::InBackground);
        m_mainWindow = &window;
        // A second start means the user is looking for this copy: bring its window forward,
        // also out of the tray, before the second copy says that this one runs.
        QObject::connect(&instance, &SingleInstance::anotherStartAttempted, &window,
                         [&window] { window.OnCommand(MainCommand::ShowWindow); });
        window.RunModal();
        CloseDatabases();
        m_mainWindow = nullptr;
    }
    return 0;
}

bool CQuorvelApp::CopyTextToClipboard(QWidget* /*owner*/, const std::string& text)
{
    // Qt owns the clipboard for the whole program; the owner window plays no part here.
    return m_clipboard->setText(QString::fromStdString(text));
}
