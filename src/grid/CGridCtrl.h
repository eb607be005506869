#pragma once

#include "grid/GridTypes.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QPixmap>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class CGridCellBase;
class CGridDefaultCell;
class CTitleTip;
class QTimer;
class TradeMarkStore;

/// A spreadsheet-like grid of cell objects with fixed header rows and columns, list mode, header
/// click sorting, in-place editing, title tips and clipboard commands. It paints only the cells
/// in view, so it can hold a whole catalogue.
///
/// Every operation checks its row and column and refuses (false, -1 or null) a cell outside the
/// grid. Notifications reach the parent through the `notify` signal (codes in grid_notify);
/// the questions among them are answered through `editStarting` and `editEnded`. Handlers may
/// rebuild the rows; the grid then drops what it was doing with the old cells.
///
/// A derived grid can act on the pointer before the grid does by overriding mouseMoveEvent or
/// mouseReleaseEvent and calling the grid's own afterwards; points are in viewport coordinates,
/// as CellFromPoint and CellRect use them.
class CGridCtrl : public QAbstractScrollArea {
    Q_OBJECT
public:
    /// Compares two cells like a string comparison; the last argument is the value given to
    /// SortByColumn.
    using CompareFunction =
        std::function<int(const CGridCellBase* a, const CGridCellBase* b, std::intptr_t user)>;
    /// Fills `item` (row, column and defaults already set) for a cell in virtual mode.
    using DisplayFunction = std::function<bool(GridItem& item, std::intptr_t userData)>;
    /// The tooltip of a cell; an empty text shows none.
    using CellTipFunction = std::function<QString(int row, int column)>;

    /// What FitAllColumns measures.
    enum class FitStyle { Both, Header, Data };

    /// The state of a mouse button press.
    enum class MouseMode {
        Nothing,
        SelectAll,
        SelectColumn,
        SelectRow,
        SelectCells,
        OverColumnDivider,
        SizingColumn,
        OverRowDivider,
        SizingRow,
        PrepareEdit,
        PrepareDrag
    };

    explicit CGridCtrl(QWidget* parent = nullptr, int rows = 0, int columns = 0, int fixedRows = 0,
                       int fixedColumns = 0);
    ~CGridCtrl() override;

    // --- shape ---
    int GetRowCount() const { return int(m_rows.size()); }
    int GetColumnCount() const { return int(m_columnWidths.size()); }
    int GetFixedRowCount() const { return m_fixedRows; }
    int GetFixedColumnCount() const { return m_fixedColumns; }
    bool SetRows(int count);
    bool SetColumns(int count);
    bool SetFixedRows(int count);
    bool SetFixedColumns(int count);
    /// Inserts a row before `index` (-1 appends); returns its index, or -1 when refused.
    int InsertRowAt(const QString& heading, int index = -1);
    bool DeleteRowAt(int index);
    bool DeleteNonFixedRows();

    int GetRowHeight(int row) const;
    bool SetRowHeightAt(int row, int pixels);
    int GetColumnWidth(int column) const;
    /// A width of 0 hides the column.
    bool SetColumnWidth(int column, int pixels);
    /// Fits every column wider than 0 to its widest content and recomputes the scroll bars.
    void FitAllColumns(FitStyle style = FitStyle::Both);
    /// Fits one row's height to its tallest content.
    bool FitRow(int row);
    /// A column of long free text that gives way when the fitted columns are wider than the
    /// view: it takes the room the others leave (never less than its header needs), and a text
    /// cut there shows whole in the title tip. It widens again with the view, up to its fitted
    /// width, until the user sizes it. -1: none.
    void SetGivingColumn(int column) { m_givingColumn = column; }
    /// Fitting keeps the column at least as wide as this text needs in its data cells (the
    /// widest value the column may come to hold, typed ones included).
    void SetColumnLeastText(int column, const QString& text) { m_leastTexts[column] = text; }

    // --- cells ---
    CGridCellBase* CellAt(int row, int column) const;
    /// Sets the attributes named by the mask; refused in virtual mode and outside the grid.
    bool ApplyItem(const GridItem& item);
    /// Reads the attributes named by item.mask of the cell (item.row, item.column).
    bool GetItem(GridItem& item) const;
    bool SetCellText(int row, int column, const QString& text);
    QString GetCellText(int row, int column) const;
    bool SetCellData(int row, int column, std::int32_t data);
    std::int32_t GetCellData(int row, int column) const;
    /// Bit 0x02 adds the cell to the selection, its absence removes it. The fixed and focus bits
    /// follow the cell's place and the focus cell whatever is passed.
    bool SetCellState(int row, int column, unsigned state);
    unsigned GetCellState(int row, int column) const;
    bool SetCellImage(int row, int column, int image);
    int GetCellImage(int row, int column) const;
    bool SetCellFormat(int row, int column, std::uint32_t format);
    bool SetCellTextColour(int row, int column, GridColour colour);
    bool SetCellBackColour(int row, int column, GridColour colour);
    bool SetCellFont(int row, int column, const QFont& font);
    bool IsCellReadOnly(int row, int column) const;
    bool SetCellReadOnly(int row, int column, bool readOnly = true);
    bool IsCellEditable(int row, int column) const;
    /// Replaces the cell by a new cell of the kind registered as `className`, keeping its
    /// attributes. Refused for unknown kinds and in virtual mode.
    bool SetCellKind(int row, int column, const char* className);
    template <class Kind> bool SetCellKind(int row, int column)
    {
        return SetCellKind(row, column, Kind().GetRuntimeClassName());
    }
    /// The default cell for a place of the grid.
    CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedColumn) const;
    /// The run-time class new cells are made of ("CGridCell" at start).
    bool SetDefaultCellKind(const char* className);

    // --- geometry ---
    /// The cell under a viewport point; (-1, -1) outside, or on a fixed cell without allowFixed.
    GridCellCoord CellFromPoint(const QPoint& point, bool allowFixed = true) const;
    /// The cell's rectangle in viewport coordinates; empty when it is not in view.
    QRect CellRect(int row, int column) const;
    /// Scrolls so the cell is in view.
    void EnsureVisible(int row, int column);
    /// The first non-fixed row in view.
    int GetTopRow() const;
    /// Non-fixed rows in view, partly shown ones included.
    int GetVisibleRowCount() const;

    // --- selection and focus ---
    GridCellCoord GetFocusCell() const { return m_focus; }
    void SetFocusCell(int row, int column);
    bool IsCellSelected(int row, int column) const;
    int GetSelectedCount() const { return int(m_selection.size()); }
    void ClearSelection();
    /// Selects the cells of the rectangle between two corners (whole rows in list mode).
    void SelectRange(int row1, int column1, int row2, int column2);
    void SelectAllCells();

    // --- modes ---
    void SetListMode(bool on);
    bool GetListMode() const { return m_listMode; }
    void SetSortOnClick(bool on) { m_sortOnClick = on; }
    bool GetSortOnClick() const { return m_sortOnClick; }
    void SetEditable(bool on) { m_editable = on; }
    bool IsEditable() const { return m_editable; }
    void SetRowResize(bool on) { m_rowResize = on; }
    void SetColumnResize(bool on) { m_columnResize = on; }
    /// Lets a divider drag shrink a row or column to 0 (hidden).
    void SetHiddenByResize(bool on) { m_hiddenByResize = on; }
    void SetTitleTips(bool on) { m_titleTips = on; }
    bool GetTitleTips() const { return m_titleTips; }
    /// Gives cells a tooltip, shown when the pointer rests on them.
    void SetCellTipFunction(CellTipFunction tip) { m_cellTip = std::move(tip); }
    /// The tooltip of a cell; empty without a tip function or outside the grid.
    QString CellTip(int row, int column) const;
    void SetHandleTabKey(bool on) { m_handleTab = on; }
    MouseMode GetMouseMode() const { return m_mouseMode; }

    // --- sorting ---
    void SetCompareCallback(CompareFunction compare) { m_compare = std::move(compare); }
    const CompareFunction& GetCompareCallback() const { return m_compare; }
    /// Sorts the non-fixed rows by a column; clears the selection and the focus cell.
    bool SortByColumn(int column, bool ascending, std::intptr_t user = 0);
    int GetSortColumn() const { return m_sortColumn; }
    bool GetSortAscending() const { return m_sortAscending; }

    // --- virtual mode ---
    /// In virtual mode the grid holds no cells and asks the display callback (or the parent,
    /// through displayRequest) for every cell it needs. Switching clears all cells.
    void SetVirtualMode(bool on);
    bool GetVirtualMode() const { return m_virtualMode; }
    void SetDisplayCallback(DisplayFunction callback, std::intptr_t userData = 0);

    // --- images, colours and the rest ---
    void SetImageList(const QList<QPixmap>& images) { m_images = images; }
    /// Cuts a strip into square pieces of `size` pixels, left to right.
    void SetImageStrip(const QPixmap& strip, int size = 16);
    const QList<QPixmap>& GetImageList() const { return m_images; }
    void SetGridLineColour(GridColour colour) { m_gridLineColour = colour; }
    void SetTextColour(GridColour colour);
    void SetBackColour(GridColour colour);
    int GetControlId() const { return m_controlId; }
    void SetControlId(int id) { m_controlId = id; }
    /// Where CTamrikGrideCellCheck cells store their marks; the grid does not own it.
    void SetTradeMarkStore(TradeMarkStore* store) { m_markStore = store; }
    TradeMarkStore* GetTradeMarkStore() const { return m_markStore; }
    CTitleTip* GetTitleTip() const { return m_titleTip; }

    // --- editing ---
    /// Starts editing a cell as a click on it would; false when it is not editable or the
    /// parent refused.
    bool EditCell(int row, int column, int firstChar = 0);
    /// Ends the open in-place editor, keeping its text.
    void EndEditing();
    bool IsEditingCell() const;
    /// Called by an in-place editor when it ends, once.
    void OnEndInPlaceEdit(int row, int column, const QString& text, int endKey);

    // --- clipboard commands ---
    bool CanCopy() const;
    bool CanCut() const;
    bool CanPaste() const;
    bool CanSelectAll() const;
    /// The selected cells as tab-separated lines, one per row holding a selected cell.
    QString SelectedText() const;
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();
    void OnEditSelectAll();

    /// What assistive technology reads for a cell: its text; a grid whose cells show images
    /// names what they show.
    virtual QString AccessibleText(int row, int column) const { return GetCellText(row, column); }

    /// Repaints one cell, if it is in view.
    void RedrawCell(int row, int column);
    /// Repaints everything in view.
    void Refresh();

signals:
    /// Every notification: a grid_notify code and the cell it is about ((-1, -1) for none).
    void notify(int code, int row, int column);
    /// Before editing (row, column) starts; set *refuse to true to prevent it.
    void editStarting(int row, int column, bool* refuse);
    /// After an edit changed the text of (row, column); set *refuse to true to put the old text
    /// back. `endKey` is the Qt key that ended the edit (0 when the editor lost the focus).
    void editEnded(int row, int column, const QString& text, int endKey, bool* refuse);
    /// Virtual mode without a display callback: fill *item.
    void displayRequest(GridItem* item);
    /// Posted after every left-button release, once the release is handled.
    void released();

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    /// Sends a notification; returns the answer (negative = refused) for the questions.
    int SendNotify(int code, int row, int column);
    /// Shows the title tip for the cell under `point` when its text does not fit.
    virtual void UpdateTitleTip(const QPoint& point);
    void MoveFocus(int key, Qt::KeyboardModifiers modifiers);
    /// Space on the focused cell: flips its check box as a click in the box does and sends the
    /// click notification; false when the focused cell has no check box. A grid whose rows
    /// keep their marks elsewhere overrides it.
    virtual bool ToggleFocusedCheck();
    void UpdateScrollBars();
    /// Narrows (or widens back) the giving column to the view; see SetGivingColumn.
    void GiveWayToView();
    int LeastTextWidth(int column, const QString& text) const;
    int FixedRowsHeight() const;
    int FixedColumnsWidth() const;

    // --- provided rows ---
    // A derived grid that keeps its own list of rows (a whole catalogue) switches them on after
    // setting up its fixed rows: rows below the fixed ones then hold no cells, only a height.
    // The grid asks ProvidedCell for a cell whenever it needs one (painting, a click, an edit)
    // and the derived grid hands out cells it keeps as long as it likes; selection and focus
    // stay the grid's. Sorting, fitting and reading texts go through the hooks below, so that
    // nothing has to build a cell for every row.
    void SetProvidedRows(bool on) { m_providedRows = on; }
    bool HasProvidedRows() const { return m_providedRows; }
    /// Appends rows without cells (provided rows); the scroll bars follow once events run, or
    /// at once where a scroll position is set.
    void AppendProvidedRows(int count, int height);
    virtual CGridCellBase* ProvidedCell(int /*row*/, int /*column*/) const { return nullptr; }
    /// The text of a provided cell without building it; the default builds it.
    virtual QString ProvidedText(int row, int column) const;
    /// Puts the provided rows in the order of a column.
    virtual void SortProvidedRows(int /*column*/, bool /*ascending*/, std::intptr_t /*user*/) {}
    /// The widest content extent of a column over the provided rows (0: nothing to fit).
    virtual int ProvidedColumnWidth(int /*column*/) const { return 0; }

private:
    struct Row {
        std::vector<std::unique_ptr<CGridCellBase>> cells;
        int height = 0;
    };

    std::unique_ptr<CGridCellBase> MakeCell(int row, int column) const;
    unsigned PlaceBits(int row, int column) const;
    void RefreshPlaceBits(int firstRow, int lastRow);
    void RenumberRows(int fromRow);
    void ShiftSelection(int fromRow, int delta);
    bool ValidCell(int row, int column) const;
    bool IsProvidedRow(int row) const { return m_providedRows && row >= m_fixedRows; }
    /// Closes the open in-place editor without a report and forgets it: its cell is going away.
    void DropEditor();
    /// The cell object the grid itself stores for a place, or null (virtual or provided rows).
    CGridCellBase* StoredCell(int row, int column) const;
    void FlushScrollBars();
    CGridCellBase* VirtualCell(int row, int column) const;
    void QuickSort(int low, int high, int column, bool ascending, std::intptr_t user);
    int CompareCells(int rowA, int rowB, int column, std::intptr_t user) const;
    int CompareToPivot(int row, const CGridCellBase* pivot, int column, std::intptr_t user) const;
    void SwapRows(int a, int b);
    void SelectCell(int row, int column, bool on);
    void SetSelection(const std::unordered_set<std::uint64_t>& cells);
    void StartMouseSelection(const GridCellCoord& cell, Qt::KeyboardModifiers modifiers);
    void ExtendMouseSelection(const GridCellCoord& cell);
    void OnAutoScroll();
    void HandleHeaderClick(const GridCellCoord& cell);
    bool DividerAt(const QPoint& point, bool columns, int* index) const;
    int ColumnLeft(int column) const;
    int RowTop(int row) const;
    void PaintCells(QPainter& painter, const QRect& clip, int rowFrom, int rowTo, int top,
                    int columnFrom, int columnTo, int left);
    void HideTitleTip();
    void PasteText(const QString& text);
    void ChangeCellText(int row, int column, const QString& text, int endKey);

    static std::uint64_t SelectionKey(int row, int column)
    {
        return (std::uint64_t(std::uint32_t(row)) << 16) | std::uint32_t(column & 0xFFFF);
    }

    std::vector<Row> m_rows; // in virtual mode rows keep their height and hold no cells
    std::vector<int> m_columnWidths;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    std::array<std::unique_ptr<CGridDefaultCell>, 4> m_defaultCells;
    std::string m_defaultKind = "CGridCell";
    std::function<std::unique_ptr<CGridCellBase>()> m_createCell;

    GridCellCoord m_focus;
    std::unordered_set<std::uint64_t> m_selection;
    std::unordered_set<std::uint64_t> m_selectionBeforeDrag;
    GridCellCoord m_selectionStart;
    GridCellCoord m_lastDragCell;

    int m_sortColumn = -1;
    bool m_sortAscending = true;
    CompareFunction m_compare;

    bool m_listMode = false;
    bool m_sortOnClick = false;
    bool m_virtualMode = false;
    bool m_providedRows = false;
    bool m_scrollBarsPending = false;
    bool m_editable = true;
    bool m_rowResize = true;
    bool m_columnResize = true;
    bool m_hiddenByResize = false;
    bool m_titleTips = true;
    CellTipFunction m_cellTip;
    bool m_handleTab = true;
    bool m_allowColumnSelection = true;
    bool m_allowRowSelection = true;
    DisplayFunction m_display;
    std::intptr_t m_displayUser = 0;
    mutable std::unique_ptr<CGridCellBase> m_virtualCell;

    MouseMode m_mouseMode = MouseMode::Nothing;
    QPoint m_pressPoint;
    GridCellCoord m_pressCell;
    int m_resizeIndex = -1;
    int m_resizeOrigin = 0;
    QTimer* m_autoScroll = nullptr;
    QPoint m_lastMousePoint;
    GridCellCoord m_hoverCell;

    QList<QPixmap> m_images;
    // Unset: taken from the palette when painting (see grid_palette::LineColour).
    GridColour m_gridLineColour = kGridColourUnset;
    int m_controlId = 0;
    int m_givingColumn = -1;
    int m_givingFitted = 0; // its fitted width; 0 once the user sized it
    int m_givingLeast = 0;  // its header's width
    std::map<int, QString> m_leastTexts;
    TradeMarkStore* m_markStore = nullptr;
    CTitleTip* m_titleTip = nullptr;
    QWidget* m_editor = nullptr;
    GridCellCoord m_editCell;
    // Counts the destructions of cells, so code that notified the parent (which may rebuild the
    // grid) knows whether the cell objects it holds still exist.
    std::uint64_t m_cellGeneration = 0;
};
