#pragma once

#include "grid/CGridCtrl.h"
#include "lookup/CardGridColumn.h"
#include "lookup/MatchRank.h"
#include "lookup/ShownCardsSink.h"
#include "lookup/ShownCardsTable.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class CGridCellBase;
class CTipPopup;
struct ScoredCard;
class QMenu;
struct MarkedPriceRow;

/// The catalogue grid of the main window: one row per card a lookup found, with the HOT marker,
/// the name (with a tick box), the set-and-rarity symbol, both values (editable, with tick
/// boxes), the card picture link and the update date. It keeps the shown-cards table, so every
/// row's card is found by the item tag of its cells.
///
/// The rows are the grid's provided rows: the grid keeps a list of the listed cards in display
/// order and builds cell objects only for the cells it is asked for (those painted, clicked or
/// edited), keeping at most kCellLimit of them. Tick marks and typed values live in the cells
/// while they exist and per card otherwise, so they stay with their card while it is listed.
/// The listed records are the catalogue's own: before the catalogue is loaded again the grid
/// is cleared or keeps its own copies (KeepOwnCopies). Sorting compares the cards themselves;
/// a compare callback set on the grid takes no part in ordering these rows.
///
/// Under "Best Match First" each listed card carries its match score; a row is tinted from its
/// card's score whenever its cells are built, so the tint holds however long the list.
///
/// It knows nothing of the main window: set names and the report popup come through setters.
class CCardsGridCtrl : public CGridCtrl, public ShownCardsSink {
    Q_OBJECT
public:
    /// The name of a set id (an unknown id gives an empty name).
    using SetNameLookup = std::function<std::string(std::int32_t setId)>;
    /// The code of a set id ("7ED"; empty when the set has none).
    using SetCodeLookup = SetCodeOf;

    /// Lifetime of the Rarity tip, and its offset from the pointer.
    static constexpr int kRarityTipMilliseconds = 2000;
    static constexpr int kRarityTipDx = 5;
    static constexpr int kRarityTipDy = 25;
    /// The most cell objects kept at once; a screen of rows needs a few hundred.
    static constexpr std::size_t kCellLimit = 2048;

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

    /// Before the catalogue is loaded again: the listed records become the grid's own copies,
    /// so the rows outlive the records they were listed from.
    void KeepOwnCopies();
    /// After the catalogue was read again: each listed card shows the values and update date
    /// `current` gives for its id (a card it no longer holds keeps its row as it was); ticks,
    /// typed values, HOT marks and the order stay.
    void RefreshValues(const std::function<const CardRecord*(std::int32_t)>& current);

    /// The match scores of the listed cards after a lookup under "Best Match First" (a card
    /// not named scores 0); the next lookup clears them. Rows are tinted from them.
    void SetMatchScores(const std::vector<ScoredCard>& scored);
    /// The rows by match score, best first (equal scores: the name covering more words of the
    /// text first, see RanksAbove); equal ranks by regular value, most valuable first, then
    /// set id highest first, then in the order added. A header click afterwards sorts by its
    /// column again.
    void SortByMatch();
    /// The score SetMatchScores gave the card of a row; 0 without scores or card.
    int MatchScoreOfRow(int row) const;

    /// The rows whose "Cards Name" box is ticked, from top to bottom, with the texts of their
    /// value cells; a value cell counts as edited when its text is no longer its card's value
    /// text.
    std::vector<MarkedPriceRow> MarkedRows() const;

    /// Cell objects alive for data rows now (they are built only as the grid needs them).
    std::size_t LiveCellCount() const { return m_cells.size(); }

    /// The HOT toggle of a click on (row, column): only data cells of the HOT column take part.
    /// Returns true when a flag changed.
    bool ToggleHotAt(int row, int column);
    /// The Rarity tip text of a cell, or an empty text for a cell that shows none.
    QString RarityTipTextAt(int row, int column) const;
    /// The tip of a value cell that shows a made-up sample price, or an empty text.
    QString SampleTipTextAt(int row, int column) const;

    /// The image of a card's Rarity cell: its set-and-rarity image for the nine sample sets;
    /// for any other set or rarity a symbol drawn from the set code in the rarity's colour,
    /// added to the image list once per set code and rarity.
    int RarityImageFor(const CardRecord& card);

    /// The context menu of a data row ("Price history..."); null for a row without a card.
    /// The caller owns it.
    QMenu* CreateCardMenu(int row, QWidget* parent);

    /// A screen reader's text of a cell: the HOT marker and the set-and-rarity symbol in words.
    QString AccessibleText(int row, int column) const override;

signals:
    /// The user asked for a card's price history: the row's context menu, or a double click
    /// on its name.
    void priceHistoryRequested(std::int32_t cardId);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    CGridCellBase* ProvidedCell(int row, int column) const override;
    QString ProvidedText(int row, int column) const override;
    void SortProvidedRows(int column, bool ascending, std::intptr_t user) override;
    int ProvidedColumnWidth(int column) const override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    /// What a card keeps of its cells while they do not exist: the three tick marks and the
    /// texts typed into its value cells.
    struct CardMarks {
        std::array<bool, 3> ticked{};
        std::array<std::optional<QString>, 2> typed;
    };
    struct CachedCell {
        std::unique_ptr<CGridCellBase> cell;
        std::uint64_t lastUse = 0;
    };

    void ShowCellTip(int row, int column, const QPoint& globalPos);
    const CardRecord* Listed(std::int32_t cardId) const { return m_shown.Find(cardId); }
    /// The card of a data row (null for the "card not found!" row); row must be a data row.
    const CardRecord* RowCard(int row) const;
    bool IsDataRow(int row) const;
    /// The key of a built cell: the card id in the high 32 bits, the column in the low 32, so
    /// that no two cells share a key however many columns the grid has.
    static std::uint64_t CellKey(const CardRecord* card, int column);
    static std::int32_t CellKeyCardId(std::uint64_t key) { return std::int32_t(key >> 32); }
    static int CellKeyColumn(std::uint64_t key) { return int(std::uint32_t(key)); }
    std::unique_ptr<CGridCellBase> MakeCardCell(const CardRecord* card, int column) const;
    /// The text a cell of the card shows when nothing was typed into it.
    QString CardText(const CardRecord* card, int column) const;
    /// The image of a card's cell in an image column (HOT, Rarity), or -1.
    int CardImage(const CardRecord& card, int column) const;
    /// Keeps what the cell holds beyond its card (tick, typed value) in the card's marks.
    void KeepMarks(const CardRecord* card, int column, const CGridCellBase& cell) const;
    void EvictCells() const;
    const CGridCellBase* CachedCellOf(const CardRecord* card, int column) const;
    bool IsTicked(const CardRecord* card, int column) const;
    QString ValueTextOf(const CardRecord* card, int column) const;
    /// The background colour of a card's cells from its match score.
    GridColour TintOf(const CardRecord* card) const;

    /// A data row's entry in m_rows for the "card not found!" row.
    static constexpr std::uint32_t kNoCard = 0xFFFFFFFFu;

    ShownCardsTable m_shown;
    // The listed cards in display order, one per data row: the card's place in the table, or
    // kNoCard for the "card not found!" row.
    std::vector<std::uint32_t> m_rows;
    // Match scores and ranks by place in the table; empty when the lookup set none.
    std::vector<MatchRank> m_ranks;
    mutable std::unordered_map<std::int32_t, CardMarks> m_marks;
    mutable std::unordered_map<std::uint64_t, CachedCell> m_cells;
    mutable std::uint64_t m_useClock = 0;
    SetNameLookup m_setName;
    SetCodeLookup m_setCode;
    // Drawn symbols by set code and rarity: their place in the image list.
    std::unordered_map<std::string, int> m_symbolImages;
    // The same by set id and rarity class.
    std::unordered_map<std::int64_t, int> m_symbolsById;
    CTipPopup* m_popup = nullptr;
    GridCellCoord m_lastCell;
};
