#pragma once

#include "toolkit/CResizableDialog.h"
#include "trade/CollectionQueries.h"

class CADODataBase;
class CatalogueRows;
class CGridCtrl;
class QLabel;

/// The "Collection" and "Transaction Log" windows over the collection database. The mode is
/// chosen at creation; both read the ticked cards of the catalogue grid (or everything).
/// Created once, hidden; closing hides.
class CDlgCollection : public CResizableDialog {
    Q_OBJECT
public:
    explicit CDlgCollection(CollectionViewMode mode, QWidget* parent = nullptr);
    ~CDlgCollection() override;

    void SetCollectionDatabase(CADODataBase* database) { m_database = database; }
    /// The catalogue grid's rows (the main window keeps them alive as long as this window).
    void SetCatalogueRows(const CatalogueRows* rows) { m_catalogue = rows; }
    /// The catalogue's card names by catalogue id.
    void SetCardNames(CardNameOf nameOf) { m_nameOf = std::move(nameOf); }
    /// What one copy of a card key is worth today (the catalogue's values).
    void SetCardValues(CardValueOf valueOf) { m_valueOf = std::move(valueOf); }

    CollectionViewMode Mode() const { return m_mode; }
    CGridCtrl* Grid() const { return m_grid; }
    /// The worth line above the grid.
    QString WorthCaption() const;

    /// Rebuilds the grid from the database: the ticked catalogue cards, or everything.
    void RefreshView();

private:
    CollectionViewMode m_mode;
    CGridCtrl* m_grid = nullptr;
    QLabel* m_worth = nullptr;
    CADODataBase* m_database = nullptr;
    const CatalogueRows* m_catalogue = nullptr;
    CardNameOf m_nameOf;
    CardValueOf m_valueOf;
};
