#pragma once

#include <QFrame>

class QCheckBox;

/// The bar at the top of the main window at the very first start: an information bar inside
/// the window (never a box, never taking the focus) offering two choices the Option menu
/// changes later, "Update prices daily from MTGJSON" (unticked: nothing goes over the network
/// before the user ticks it) and "Best Match First" (ticked, recommended), and closed with one
/// click.
class WelcomeBar : public QFrame {
    Q_OBJECT
public:
    WelcomeBar(bool updateDaily, bool bestMatch, QWidget* parent = nullptr);

    /// Shows an option changed elsewhere (the Option menu) without emitting a signal.
    void showUpdateDaily(bool on);
    void showBestMatch(bool on);

signals:
    void updateDailyToggled(bool on);
    void bestMatchToggled(bool on);
    void closeRequested();

private:
    QCheckBox* m_daily = nullptr;
    QCheckBox* m_bestMatch = nullptr;
};
