#pragma once

#include "toolkit/CResizableDialog.h"

/// The About box (template 100): the program's version line, a fixed line and three links
/// (write to the author, the home page, the donation page), closed with OK or Escape.
class CAboutDlg : public CResizableDialog {
    Q_OBJECT
public:
    static constexpr const char* kContactAddress = "mailto:tamrik@quorvel.example";
    static constexpr const char* kHomePage = "http://www.quorvel.example/";
    static constexpr const char* kDonationPage = "http://www.quorvel.example/donate.html";

    explicit CAboutDlg(QWidget* parent = nullptr);

    /// Runs the box modally; returns when it is closed.
    static void ShowAboutBox(QWidget* parent);
};
