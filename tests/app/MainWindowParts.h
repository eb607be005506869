#pragma once

#include "AppTestSupport.h"

#include "support/WidgetFinder.h"

#include "app/CQuorvelDlg.h"
#include "lookup/view/CCardsGridCtrl.h"
#include "toolkit/CTipPopup.h"
#include "toolkit/TrayIcon.h"
#include "trade/view/CDlgCardsList.h"
#include "trade/view/CDlgCollection.h"

#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <memory>

// The parts of the main window, found as a person's tools would find them: its grid, report
// popup, tray and tray menu by object name or type, its secondary windows among the top-level
// windows, its options by their check marks.
namespace main_window {

inline CCardsGridCtrl& Grid(const CQuorvelDlg& window)
{
    return FindNamed<CCardsGridCtrl>(window, "cardGrid");
}
inline CTipPopup& ReportPopup(const CQuorvelDlg& window)
{
    return FindNamed<CTipPopup>(window, "reportPopup");
}
/// The text of the last value report shown, as its popup holds it.
inline QString LastReport(const CQuorvelDlg& window)
{
    return ReportPopup(window).lines().join(QLatin1Char('\n'));
}
inline QMenu& TrayMenu(const CQuorvelDlg& window)
{
    return FindNamed<QMenu>(window, "trayMenu");
}
inline TrayIcon& Tray(const CQuorvelDlg& window)
{
    return FindNamed<TrayIcon>(window);
}
inline CDlgCardsList& TradeList()
{
    return FindTopLevel<CDlgCardsList>("tradeListWindow");
}
inline CDlgCollection& Collection()
{
    return FindTopLevel<CDlgCollection>("collectionWindow");
}
inline CDlgCollection& TransactionLog()
{
    return FindTopLevel<CDlgCollection>("transactionLogWindow");
}
/// Whether an option is on, as the tray menu's check mark shows it (the only menu that shows
/// every option).
inline bool IsOn(const CQuorvelDlg& window, MainCommand option)
{
    return window.IsChecked(option, MenuKind::Tray);
}

} // namespace main_window

/// The main window on the fixture's databases, working in the fixture's folder (where it reads
/// filter.ini); made and shown by the first Window(), destroyed before the folder goes.
class MainWindowFixture : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        OpenDatabases();
        m_previousDir = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    }
    void TearDown() override
    {
        m_window.reset();
        QDir::setCurrent(m_previousDir);
        AppFixture::TearDown();
    }
    CQuorvelDlg& Window()
    {
        if (!m_window) {
            m_window = std::make_unique<CQuorvelDlg>(m_price, m_collection, m_clipboard);
            m_window->show();
        }
        return *m_window;
    }
    /// Types a text into the search box and presses Enter.
    void Search(const QString& text)
    {
        auto* edit = Window().findChild<QLineEdit*>("searchEdit");
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    QString Caption() { return Window().findChild<QGroupBox*>("cardsGroup")->title(); }

    std::unique_ptr<CQuorvelDlg> m_window;
    QString m_previousDir;
};
