#pragma once

#include "app/OptionFlags.h"
#include "trade/CollectionText.h"
#include "trade/view/CDlgCardsList.h"

#include <functional>
#include <memory>

class CADODataBase;
class CatalogueRows;
struct Offer;
class CDlgCollection;
class QWidget;

/// What the secondary windows need of the main window and the application.
struct SecondaryWindowContext {
    CADODataBase* collectionDatabase = nullptr;
    /// The catalogue grid's rows; must outlive the windows.
    const CatalogueRows* catalogueRows = nullptr;
    CardNameOf cardNames;
    CardValueOf cardValues;
    CardSetOf cardSets;
    /// Puts text on the clipboard; false when it was not taken.
    CDlgCardsList::CopyText copyText;
};

/// The main window's three secondary windows: the trade list, the collection and the
/// transaction log. Each is a top-level window of its own, created hidden with the main
/// window, shown and hidden by the View menu, and destroyed (saving its placement) with it.
class SecondaryWindowSet {
public:
    explicit SecondaryWindowSet(const SecondaryWindowContext& context);
    ~SecondaryWindowSet();

    CDlgCardsList* TradeList() const { return m_tradeList.get(); }
    CDlgCollection* Collection() const { return m_collection.get(); }
    CDlgCollection* TransactionLog() const { return m_transactionLog.get(); }

    /// Trading List, My Collection or Transaction Log: hides a visible window, shows a hidden
    /// one (and reloads the two collection views when shown).
    void Toggle(MainCommand command);
    /// Reloads the collection views that are on screen (the catalogue's values changed).
    void RefreshVisibleViews();
    /// The main window's close button hides all three.
    void HideAll();
    SecondaryWindows Visibility() const;

    /// Files the ticked cards of the catalogue grid in the trade list and shows it.
    /// With a copied offer (Best Match First), its cards get its quantities and prices.
    void PutIntoList(const CatalogueRows& rows, const Offer* offer = nullptr);

    /// Destroys the windows now, in order; each saves its placement.
    void Destroy();

    /// The window of Trading List, My Collection or Transaction Log; null for other commands.
    QWidget* Window(MainCommand command) const;

private:

    std::unique_ptr<CDlgCardsList> m_tradeList;
    std::unique_ptr<CDlgCollection> m_collection;
    std::unique_ptr<CDlgCollection> m_transactionLog;
};
