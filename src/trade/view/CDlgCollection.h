#pragma once

#include "toolkit/CResizableDialog.h"
#include "trade/CollectionQueries.h"

#include <QString>

#include <vector>

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
    void SetCardNames(CardNameOf nameOf) { m_texts.nameOf = std::move(nameOf); }
    /// What one copy of a card key is worth today (the catalogue's values).
    void SetCardValues(CardValueOf valueOf) { m_texts.valueOf = std::move(valueOf); }
    /// The set of a card, shown in the Set column with its name in the tip.
    void SetCardSets(CardSetOf setOf) { m_texts.setOf = std::move(setOf); }

    CollectionViewMode Mode() const { return m_mode; }
    CGridCtrl* Grid() const { return m_grid; }
    /// The worth line above the grid.
    QString WorthCaption() const;

    /// Rebuilds the grid from the database: the ticked catalogue cards, or everything.
    void RefreshView();

private:
    CollectionViewMode m_mode;
    int m_setColumn = 0;
    CGridCtrl* m_grid = nullptr;
    QLabel* m_worth = nullptr;
    CADODataBase* m_database = nullptr;
    const CatalogueRows* m_catalogue = nullptr;
    CardTexts m_texts;
    /// The tips of the Set cells of the rows shown, by the number each Set cell holds.
    std::vector<QString> m_setNames;
};
