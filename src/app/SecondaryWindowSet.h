#pragma once

#include "lookup/OptionFlags.h"

#include <memory>

class CResizableDialog;
class QWidget;

/// The main window's three secondary windows: the trade list, the collection and the
/// transaction log. Each is a top-level window of its own, created hidden with the main
/// window, shown and hidden by the View menu, and destroyed (saving its placement) with it.
class SecondaryWindowSet {
public:
    SecondaryWindowSet();
    ~SecondaryWindowSet();

    QWidget* TradeList() const;
    QWidget* Collection() const;
    QWidget* TransactionLog() const;

    /// Trading List, My Collection or Transaction Log: hides a visible window, shows a hidden
    /// one (and reloads the two collection views when shown).
    void Toggle(MainCommand command);
    /// The main window's close button hides all three.
    void HideAll();
    SecondaryWindows Visibility() const;

    /// Destroys the windows now, in order; each saves its placement.
    void Destroy();

private:
    QWidget* Window(MainCommand command) const;
    void Refresh(MainCommand command);

    std::unique_ptr<CResizableDialog> m_tradeList;
    std::unique_ptr<CResizableDialog> m_collection;
    std::unique_ptr<CResizableDialog> m_transactionLog;
};
