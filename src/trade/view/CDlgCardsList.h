#pragma once

#include "grid/TradeMarkStore.h"
#include "toolkit/CResizableDialog.h"
#include "trade/AdvertComposer.h"
#include "trade/CollectionText.h"
#include "trade/TradeList.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CADODataBase;
class CatalogueRows;
struct Offer;
class CGridCtrl;
class QLabel;

/// The "Trade List" window: the trade list model shown in a grid with its totals, and the
/// commands Advertise, Bought, Sold, Remove, Remove All, Load and Save. Created once, hidden;
/// closing it hides it and the list stays.
class CDlgCardsList : public CResizableDialog, public TradeMarkStore {
    Q_OBJECT
public:
    /// Puts text on the clipboard as the program's own write; false when the clipboard did
    /// not take it.
    using CopyText = std::function<bool(const std::string& text)>;
    /// What the "Input price" dialog gave: nothing when the user cancelled.
    struct PriceInput {
        float price = 0.0f;
        std::string comments;
    };
    using PriceAsker = std::function<std::optional<PriceInput>(float preset)>;

    explicit CDlgCardsList(QWidget* parent = nullptr);
    ~CDlgCardsList() override;

    TradeList& List() { return m_list; }
    const TradeList& List() const { return m_list; }
    CGridCtrl* Grid() const { return m_grid; }

    /// Rebuilds the grid and the totals from the model.
    void RefreshList();
    /// Shows the window in front with the list as it is now.
    void ShowList();
    /// "Put into list": files the ticked cards of the catalogue grid, shows the window and
    /// refreshes it.
    /// With a copied offer (Best Match First), its cards get its quantities and prices.
    void PutIntoList(const CatalogueRows& rows, const Offer* offer = nullptr);

    /// How the advertisements are copied (the main window's clipboard).
    void SetCopyText(CopyText copy) { m_copy = std::move(copy); }
    /// The set of a card, shown in the Set column with its name in the tip.
    void SetCardSets(CardSetOf setOf) { m_setOf = std::move(setOf); }
    /// The collection database that Bought and Sold write to (owned by the application).
    void SetCollectionDatabase(CADODataBase* database) { m_collection = database; }
    /// Replaces the "Input price" dialog (tests answer it); an empty asker restores it.
    void SetPriceAsker(PriceAsker asker) { m_askPrice = std::move(asker); }

    /// The grid's data rows in display order, as the advertisement reads them.
    std::vector<TradeGridRow> GridRows() const;

    void OnAdvertise();
    void OnBought() { LogTransaction(0); }
    void OnSold() { LogTransaction(1); }
    void OnRemove();
    void OnRemoveAll();
    void OnLoad();
    void OnSave() { Save(); }
    /// Asks for a file and writes the list to it; false when cancelled or failed.
    bool Save();
    /// The list differs from what was last loaded or saved (an empty list at start).
    bool HasUnsavedChanges() const { return !m_list.SameLines(m_savedList); }
    /// Before the program quits: asks once whether to save unsaved changes. False when the
    /// user cancelled (or the save did not happen), so the program keeps running.
    bool ConfirmQuit();
    /// Logs the list as one deal: 0 bought, 1 sold.
    void LogTransaction(int direction);

    void StoreMark(std::int32_t key, Mark mark, bool checked) override;

private:
    void SetUpGrid();
    /// Takes an edit into the list; false when it changed nothing.
    bool OnEditEnded(int row, int column, const QString& text);
    /// Rebuilds the grid once the event that changed the list is done.
    void QueueRefresh();
    std::optional<PriceInput> AskPrice(float preset);
    /// Copies, and tells the user how it went.
    bool CopyAdvertisement(const std::string& text, const QString& doneMessage);
    void ShowTotals();

    TradeList m_list;
    TradeList m_savedList;  // as last loaded or saved
    CGridCtrl* m_grid = nullptr;
    QLabel* m_totals = nullptr;
    CADODataBase* m_collection = nullptr;
    CopyText m_copy;
    CardSetOf m_setOf;
    PriceAsker m_askPrice;
    bool m_refreshQueued = false;
};
