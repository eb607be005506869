#include "app/CAboutDlg.h"

#include "app/VersionLine.h"
#include "toolkit/CHyperLink.h"
#include "toolkit/ResourceIds.h"
#include "toolkit/Resources.h"

#include <QLabel>
#include <QPushButton>
#include <QUrl>

CAboutDlg::CAboutDlg(QWidget* parent) : CResizableDialog(resource::kAboutDialog, parent)
{
    setCloseOnEscape(true);
    setWindowIcon(Resources::icon(resource::kAppIcon));
    if (auto* version = controlAs<QLabel>(resource::kVersionLine))
        version->setText(QString::fromStdString(ProgramVersionLine()));
    if (auto* contact = controlAs<CHyperLink>(resource::kContactLink))
        contact->setUrl(QUrl(kContactAddress));
    if (auto* home = controlAs<CHyperLink>(resource::kHomePageLink)) {
        // The home page link shows its own address.
        home->setText(kHomePage);
        home->setUrl(QUrl(kHomePage));
    }
    if (auto* donation = controlAs<CHyperLink>(resource::kDonationLink))
        donation->setUrl(QUrl(kDonationPage));
    // "Contact Author" comes first in the template and would take the initial focus, so Enter
    // would write an e-mail; OK holds it instead and Enter closes the box.
    if (auto* ok = controlAs<QPushButton>(resource::kOk))
        ok->setFocus(Qt::OtherFocusReason);
}

void CAboutDlg::ShowAboutBox(QWidget* parent)
{
    // A hidden owner (the main window in the tray) must not keep the box from showing, nor
    // be shown by it.
    CAboutDlg box(parent && parent->isVisible() ? parent : nullptr);
    box.exec();
}
