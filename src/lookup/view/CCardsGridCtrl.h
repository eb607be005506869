#pragma once

#include "grid/CGridCtrl.h"
#include "lookup/ShownCardsSink.h"
#include "lookup/ShownCardsTable.h"

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

class CGridCellBase;
class CTipPopup;
class QMenu;
struct MarkedPriceRow;

/// The catalogue grid of the main window: one row per card a lookup found, with the HOT marker,
/// the name (with a tick box), the set-and-rarity symbol, both values (editable, with tick
/// boxes), the card picture link and the update date. It keeps the shown-cards table, so every
/// row's card is found by the item tag of its cells.
///
/// It knows nothing of the main window: set names and the report popup come through setters.
class CCardsGridCtrl : public CGridCtrl, public ShownCardsSink {
    Q_OBJECT
public:
    /// The name of a set id (an unknown id gives an empty name).
    using SetNameLookup = std::function<std::string(std::int32_t setId)>;
    /// The code of a set id ("7ED"; empty when the set has none).
    using SetCodeLookup = std::function<std::string(std::int32_t setId)>;

    /// Lifetime of the Rarity tip, and its offset from the pointer.
    static constexpr int kRarityTipMilliseconds = 2000;
    static constexpr int kRarityTipDx = 5;
    static constexpr int kRarityTipDy = 25;

    explicit CCardsGridCtrl(QWidget* parent = nullptr);
    ~CCardsGridCtrl() override;

    /// Seven columns, the header row alone, list mode, sorting on a header click with the
    /// card comparison, the 29 card images and the header texts.
    void SetUpColumns();
    void SetSetNameLookup(SetNameLookup lookup) { m_setName = std::move(lookup); }
    void SetSetCodeLookup(SetCodeLookup lookup) { m_setCode = std::move(lookup); }
    /// The popup the Rarity tip is shown in (the main window's report popup); none: no tip.
    void SetReportPopup(CTipPopup* popup) { m_popup = popup; }

    /// The listed cards. Change records through it (Replace); cards are added and removed
    /// through AddShownCard and ClearShownCards only, so that rows and table stay one.
    ShownCardsTable& ShownCards() { return m_shown; }
    const ShownCardsTable& ShownCards() const { return m_shown; }
    /// The listed card of a row, or null for the header and rows without a card.
    const CardRecord* CardOfRow(int row) const;
    /// Number of rows below the header.
    int DataRowCount() const;

    /// Forgets the listed cards and cuts the grid back to its header row.
    void ClearShownCards() override;
    /// Lists a found card: refused (false) when fromClipboard and 100 cards are listed, or when
    /// the card is listed already; otherwise files it and appends its row.
    bool AddShownCard(const CardRecord& card, bool fromClipboard) override;

    /// The row a clipboard lookup that found nothing leaves in the grid: "card not found!" in
    /// the "Cards Name" column. It names no card, so it is never marked, sorted by a card or
    /// toggled.
    void AddNotFoundRow();

    /// What a lookup does after adding its cards: sort by "Reg Value", highest first, and fit
    /// the columns to their contents.
    void SortByValueAndFit();

    /// The grid's sort comparison over two cells' item tags.
    int CompareCells(const CGridCellBase* a, const CGridCellBase* b) const;

    /// The rows whose "Cards Name" box is ticked, from top to bottom, with the texts of their
    /// value cells; a value cell counts as edited when its text is no longer its card's value
    /// text.
    std::vector<MarkedPriceRow> MarkedRows() const;

    /// The HOT toggle of a click on (row, column): only data cells of the HOT column take part.
    /// Returns true when a flag changed.
    bool ToggleHotAt(int row, int column);
    /// The Rarity tip text of a cell, or an empty text for a cell that shows none.
    QString RarityTipTextAt(int row, int column) const;

    /// The image of a card's Rarity cell: its set-and-rarity image for the nine sample sets;
    /// for any other set or rarity a symbol drawn from the set code in the rarity's colour,
    /// added to the image list once per set code and rarity.
    int RarityImageFor(const CardRecord& card);

    /// The context menu of a data row ("Price history..."); null for a row without a card.
    /// The caller owns it.
    QMenu* CreateCardMenu(int row, QWidget* parent);

signals:
    /// The user asked for a card's price history: the row's context menu, or a double click
    /// on its name.
    void priceHistoryRequested(std::int32_t cardId);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ShowRarityTip(int row, int column, const QPoint& globalPos);
    const CardRecord* Listed(std::int32_t cardId) const;

    ShownCardsTable m_shown;
    // The table's records by id in a hash: sorting a whole catalogue looks cards up some
    // million times, and the table's ordered map made that the larger part of a search. The
    // table's records never move while listed, so the pointers stay valid until cleared.
    mutable std::unordered_map<std::int32_t, const CardRecord*> m_index;
    SetNameLookup m_setName;
    SetCodeLookup m_setCode;
    // Drawn symbols by set code and rarity: their place in the image list.
    std::unordered_map<std::string, int> m_symbolImages;
    CTipPopup* m_popup = nullptr;
    GridCellCoord m_lastCell;
};
