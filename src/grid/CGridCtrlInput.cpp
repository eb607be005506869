// Mouse and keyboard handling of the grid.
#include "grid/CGridCtrl.h"

#include "grid/CGridCellBase.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CTitleTip.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <utility>

namespace {

constexpr int kResizeCaptureRange = 3;

} // namespace

int CGridCtrl::SendNotify(int code, int row, int column)
{
    emit notify(code, row, column);
    if (code == grid_notify::kBeginEdit) {
        bool refuse = false;
        emit editStarting(row, column, &refuse);
        return refuse ? -1 : 0;
    }
    return 0;
}

bool CGridCtrl::event(QEvent* event)
{
    // Tab moves between cells instead of leaving the grid.
    if (event->type() == QEvent::KeyPress && m_handleTab) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            !(key->modifiers() & Qt::ControlModifier)) {
            keyPressEvent(key);
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn && !m_focus.IsValid() && GetRowCount() > m_fixedRows &&
        GetColumnCount() > m_fixedColumns &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
        // Reached by the keyboard, the grid shows where the keys act: on its first cell. A click
        // picks its own cell.
        SetFocusCell(m_fixedRows, m_fixedColumns);
    }
    if (event->type() == QEvent::FontChange) {
        const QFont gridFont = font();
        for (auto& cell : m_defaultCells) {
            cell->SetFont(&gridFont);
        }
    }
    return QAbstractScrollArea::event(event);
}

bool CGridCtrl::DividerAt(const QPoint& point, bool columns, int* index) const
{
    if (columns) {
        if (point.y() >= FixedRowsHeight()) {
            return false;
        }
        for (int c = GetColumnCount() - 1; c >= 0; --c) {
            const int width = m_columnWidths[size_t(c)];
            if (width <= 0) {
                continue;
            }
            const int right = ColumnLeft(c) + width;
            if (std::abs(point.x() - right) <= kResizeCaptureRange) {
                *index = c;
                return true;
            }
        }
        return false;
    }
    if (point.x() >= FixedColumnsWidth()) {
        return false;
    }
    int y = 0;
    for (int r = 0; r < m_fixedRows; ++r) {
        y += m_rows[size_t(r)].height;
        if (std::abs(point.y() - y) <= kResizeCaptureRange && m_rows[size_t(r)].height > 0) {
            *index = r;
            return true;
        }
    }
    const int bottom = viewport()->height();
    for (int r = GetTopRow(); r < GetRowCount() && y <= bottom + kResizeCaptureRange; ++r) {
        y += m_rows[size_t(r)].height;
        if (std::abs(point.y() - y) <= kResizeCaptureRange && m_rows[size_t(r)].height > 0) {
            *index = r;
            return true;
        }
    }
    return false;
}

void CGridCtrl::StartMouseSelection(const GridCellCoord& cell, Qt::KeyboardModifiers modifiers)
{
    SendNotify(grid_notify::kSelectionChanging, cell.row, cell.column);
    const bool extend = (modifiers & Qt::ShiftModifier) && m_selectionStart.IsValid() &&
                        ValidCell(m_selectionStart.row, m_selectionStart.column);
    if (!extend) {
        m_selectionStart = cell;
    }
    m_selectionBeforeDrag.clear();
    if (modifiers & Qt::ControlModifier) {
        m_selectionBeforeDrag = m_selection;
    }
    SetFocusCell(cell.row, cell.column);
    m_mouseMode = m_listMode ? MouseMode::SelectRow : MouseMode::SelectCells;
    m_lastDragCell = {};
    ExtendMouseSelection(cell);
}

void CGridCtrl::ExtendMouseSelection(const GridCellCoord& cell)
{
    if (!cell.IsValid() || cell == m_lastDragCell) {
        return;
    }
    m_lastDragCell = cell;
    int column1 = std::min(m_selectionStart.column, cell.column);
    int column2 = std::max(m_selectionStart.column, cell.column);
    if (m_listMode) {
        column1 = m_fixedColumns;
        column2 = GetColumnCount() - 1;
    }
    std::unordered_set<std::uint64_t> cells = m_selectionBeforeDrag;
    const int row1 = std::min(m_selectionStart.row, cell.row);
    const int row2 = std::max(m_selectionStart.row, cell.row);
    for (int r = row1; r <= row2; ++r) {
        for (int c = column1; c <= column2; ++c) {
            cells.insert(SelectionKey(r, c));
        }
    }
    SetSelection(cells);
}

void CGridCtrl::HandleHeaderClick(const GridCellCoord& cell)
{
    const bool inFixedRow = cell.row < m_fixedRows;
    const bool inFixedColumn = cell.column < m_fixedColumns;
    if (inFixedRow && m_sortOnClick && !inFixedColumn) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool ascending = cell.column != m_sortColumn || !m_sortAscending;
        SortByColumn(cell.column, ascending);
        QApplication::restoreOverrideCursor();
        viewport()->update();
        return;
    }
    if (GetRowCount() <= m_fixedRows || GetColumnCount() <= m_fixedColumns) {
        return;
    }
    SendNotify(grid_notify::kSelectionChanging, cell.row, cell.column);
    if (inFixedRow && inFixedColumn) {
        SelectRange(m_fixedRows, m_fixedColumns, GetRowCount() - 1, GetColumnCount() - 1);
    } else if (inFixedRow && m_allowColumnSelection && !m_listMode) {
        SelectRange(m_fixedRows, cell.column, GetRowCount() - 1, cell.column);
    } else if (inFixedColumn && m_allowRowSelection) {
        SelectRange(cell.row, m_fixedColumns, cell.row, GetColumnCount() - 1);
        SetFocusCell(cell.row, m_fixedColumns);
    }
}

void CGridCtrl::mousePressEvent(QMouseEvent* event)
{
    HideTitleTip();
    setFocus(Qt::MouseFocusReason);
    if (m_editor) {
        EndEditing();
    }
    const QPoint point = event->position().toPoint();
    m_pressPoint = point;
    m_lastMousePoint = point;
    if (event->button() != Qt::LeftButton) {
        return;
    }
    int index = -1;
    if (m_columnResize && DividerAt(point, true, &index)) {
        m_mouseMode = MouseMode::SizingColumn;
        m_resizeIndex = index;
        m_resizeOrigin = ColumnLeft(index);
        return;
    }
    if (m_rowResize && DividerAt(point, false, &index)) {
        m_mouseMode = MouseMode::SizingRow;
        m_resizeIndex = index;
        m_resizeOrigin = RowTop(index);
        return;
    }
    const GridCellCoord cell = CellFromPoint(point);
    m_pressCell = cell;
    CGridCellBase* object = CellAt(cell.row, cell.column);
    if (!object) {
        m_mouseMode = MouseMode::Nothing;
        return;
    }
    const QRect rect = CellRect(cell.row, cell.column);
    object->OnClickDown(point - rect.topLeft());
    if (cell.row < m_fixedRows || cell.column < m_fixedColumns) {
        m_mouseMode =
            cell.row < m_fixedRows
                ? (cell.column < m_fixedColumns ? MouseMode::SelectAll : MouseMode::SelectColumn)
                : MouseMode::SelectRow;
        m_pressCell = cell;
        return;
    }
    QRect textRect = rect;
    object->GetTextRect(textRect);
    if (cell == m_focus && !(event->modifiers() & Qt::ControlModifier) &&
        textRect.contains(point) && IsCellEditable(cell.row, cell.column)) {
        m_mouseMode = MouseMode::PrepareEdit;
        return;
    }
    StartMouseSelection(cell, event->modifiers());
    m_pressCell = cell;
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_lastMousePoint = point;
    if (!(event->buttons() & Qt::LeftButton)) {
        int index = -1;
        if (m_columnResize && DividerAt(point, true, &index)) {
            viewport()->setCursor(Qt::SplitHCursor);
        } else if (m_rowResize && DividerAt(point, false, &index)) {
            viewport()->setCursor(Qt::SplitVCursor);
        } else {
            const GridCellCoord cell = CellFromPoint(point);
            CGridCellBase* object = CellAt(cell.row, cell.column);
            const QPoint inCell = point - CellRect(cell.row, cell.column).topLeft();
            if (!object || !object->OnSetCursor(inCell)) {
                viewport()->unsetCursor();
            }
            if (!(cell == m_hoverCell)) {
                if (CGridCellBase* old = CellAt(m_hoverCell.row, m_hoverCell.column)) {
                    old->OnMouseLeave();
                }
                m_hoverCell = cell;
                if (object) {
                    object->OnMouseEnter();
                }
            } else if (object) {
                object->OnMouseOver();
            }
        }
        UpdateTitleTip(point);
        return;
    }
    switch (m_mouseMode) {
    case MouseMode::SizingColumn: {
        const int least = m_hiddenByResize ? 0 : 1;
        if (m_resizeIndex == m_givingColumn) {
            m_givingFitted = 0; // the user's width holds from now on
        }
        SetColumnWidth(m_resizeIndex, std::max(least, point.x() - m_resizeOrigin));
        break;
    }
    case MouseMode::SizingRow: {
        const int least = m_hiddenByResize ? 0 : 1;
        SetRowHeightAt(m_resizeIndex, std::max(least, point.y() - m_resizeOrigin));
        break;
    }
    case MouseMode::PrepareEdit:
        if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            StartMouseSelection(m_pressCell, event->modifiers());
        }
        break;
    case MouseMode::SelectCells:
    case MouseMode::SelectRow: {
        if (m_pressCell.row < m_fixedRows || m_pressCell.column < m_fixedColumns) {
            break; // a press on a header selects on release
        }
        const QRect area = viewport()->rect();
        const bool outside = point.y() < FixedRowsHeight() || point.y() >= area.height() ||
                             point.x() < FixedColumnsWidth() || point.x() >= area.width();
        if (outside) {
            if (!m_autoScroll->isActive()) {
                m_autoScroll->start();
            }
        } else {
            m_autoScroll->stop();
            ExtendMouseSelection(CellFromPoint(point, false));
        }
        break;
    }
    default:
        break;
    }
}

void CGridCtrl::OnAutoScroll()
{
    // The mouse mode returns to nothing on the release, which ends the scrolling.
    if (m_mouseMode != MouseMode::SelectCells && m_mouseMode != MouseMode::SelectRow) {
        m_autoScroll->stop();
        return;
    }
    const QPoint point = m_lastMousePoint;
    const QRect area = viewport()->rect();
    QScrollBar* vertical = verticalScrollBar();
    QScrollBar* horizontal = horizontalScrollBar();
    if (point.y() >= area.height()) {
        vertical->setValue(vertical->value() + 1);
    } else if (point.y() < FixedRowsHeight()) {
        vertical->setValue(vertical->value() - 1);
    }
    if (point.x() >= area.width()) {
        horizontal->setValue(horizontal->value() + horizontal->singleStep());
    } else if (point.x() < FixedColumnsWidth()) {
        horizontal->setValue(horizontal->value() - horizontal->singleStep());
    }
    // Extend to the cell at the edge of the view nearest the pointer.
    const QPoint edge(std::clamp(point.x(), FixedColumnsWidth(), std::max(0, area.width() - 1)),
                      std::clamp(point.y(), FixedRowsHeight(), std::max(0, area.height() - 1)));
    GridCellCoord cell = CellFromPoint(edge, false);
    if (!cell.IsValid() && GetRowCount() > m_fixedRows) {
        cell = {point.y() >= area.height() ? GetRowCount() - 1 : GetTopRow(),
                std::max(m_fixedColumns, m_lastDragCell.column)};
    }
    ExtendMouseSelection(cell);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    m_autoScroll->stop();
    const QPoint point = event->position().toPoint();
    const GridCellCoord cell = CellFromPoint(point);
    CGridCellBase* object = CellAt(cell.row, cell.column);
    const QPoint inCell = point - CellRect(cell.row, cell.column).topLeft();
    if (event->button() == Qt::RightButton) {
        if (object) {
            object->OnRightClick(inCell);
        }
        SendNotify(grid_notify::kRightClick, cell.row, cell.column);
        return;
    }
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const MouseMode mode = m_mouseMode;
    m_mouseMode = MouseMode::Nothing;
    if (mode == MouseMode::SizingColumn || mode == MouseMode::SizingRow) {
        UpdateScrollBars();
    }
    const bool headerPress = mode == MouseMode::SelectAll || mode == MouseMode::SelectColumn ||
                             (mode == MouseMode::SelectRow && m_pressCell.column < m_fixedColumns);
    if (headerPress && cell == m_pressCell) {
        HandleHeaderClick(cell);
    }
    const std::uint64_t generation = m_cellGeneration;
    SendNotify(grid_notify::kSelectionChanged, cell.row, cell.column);
    // A handler may have rebuilt the rows; the click then belongs to no cell of ours.
    const bool cellsKept = generation == m_cellGeneration;
    object = cellsKept ? CellAt(cell.row, cell.column) : nullptr;
    const bool pressed = mode != MouseMode::Nothing && mode != MouseMode::SizingColumn &&
                         mode != MouseMode::SizingRow;
    if (pressed && object) {
        object->OnClick(inCell);
        SendNotify(grid_notify::kClick, cell.row, cell.column);
    }
    if (mode == MouseMode::PrepareEdit && cell == m_pressCell && cellsKept &&
        generation == m_cellGeneration) {
        EditCell(cell.row, cell.column);
    }
    QMetaObject::invokeMethod(this, &CGridCtrl::released, Qt::QueuedConnection);
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    const GridCellCoord cell = CellFromPoint(point);
    CGridCellBase* object = CellAt(cell.row, cell.column);
    if (!object) {
        mousePressEvent(event);
        return;
    }
    const QRect rect = CellRect(cell.row, cell.column);
    const std::uint64_t generation = m_cellGeneration;
    SendNotify(grid_notify::kDoubleClick, cell.row, cell.column);
    if (generation != m_cellGeneration) {
        return; // the parent rebuilt the rows in its handler
    }
    object->OnDoubleClick(point - rect.topLeft());
    QRect textRect = rect;
    object->GetTextRect(textRect);
    if (textRect.contains(point) && IsCellEditable(cell.row, cell.column)) {
        m_mouseMode = MouseMode::Nothing;
        SetFocusCell(cell.row, cell.column);
        EditCell(cell.row, cell.column);
        return;
    }
    // Outside the text (a check box, a header) the second click counts as a click.
    mousePressEvent(event);
}

void CGridCtrl::wheelEvent(QWheelEvent* event)
{
    HideTitleTip();
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) {
        event->ignore();
        return;
    }
    FlushScrollBars();
    const int lines = QApplication::wheelScrollLines();
    const int visible = std::max(1, GetVisibleRowCount() - 1);
    // A setting larger than a page means page scrolling.
    const int step = (lines <= 0 || lines >= visible) ? visible : lines;
    verticalScrollBar()->setValue(verticalScrollBar()->value() - notches * step);
    event->accept();
}

void CGridCtrl::leaveEvent(QEvent* event)
{
    QAbstractScrollArea::leaveEvent(event);
    HideTitleTip();
    if (CGridCellBase* old = CellAt(m_hoverCell.row, m_hoverCell.column)) {
        old->OnMouseLeave();
    }
    m_hoverCell = {};
}

void CGridCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    // The right-click notification carries the grid's answer; no menu of its own.
    event->ignore();
}

void CGridCtrl::MoveFocus(int key, Qt::KeyboardModifiers modifiers)
{
    const int rows = GetRowCount();
    const int columns = GetColumnCount();
    if (rows <= m_fixedRows || columns <= m_fixedColumns) {
        return;
    }
    GridCellCoord next = m_focus;
    if (!next.IsValid()) {
        next = {m_fixedRows, m_fixedColumns};
    } else {
        auto stepColumn = [&](int from, int delta) {
            for (int c = from + delta; c >= m_fixedColumns && c < columns; c += delta) {
                if (m_columnWidths[size_t(c)] > 0) {
                    return c;
                }
            }
            return -1;
        };
        const int page = std::max(1, GetVisibleRowCount() - 1);
        const bool control = modifiers & Qt::ControlModifier;
        switch (key) {
        case Qt::Key_Up:
            next.row = std::max(m_fixedRows, next.row - 1);
            break;
        case Qt::Key_Down:
            next.row = std::min(rows - 1, next.row + 1);
            break;
        case Qt::Key_PageUp:
            next.row = std::max(m_fixedRows, next.row - page);
            break;
        case Qt::Key_PageDown:
            next.row = std::min(rows - 1, next.row + page);
            break;
        case Qt::Key_Left:
            if (int c = stepColumn(next.column, -1); c >= 0) {
                next.column = c;
            }
            break;
        case Qt::Key_Right:
            if (int c = stepColumn(next.column, 1); c >= 0) {
                next.column = c;
            }
            break;
        case Qt::Key_Tab:
            if (int c = stepColumn(next.column, 1); c >= 0) {
                next.column = c;
            } else if (next.row + 1 < rows) {
                ++next.row;
                next.column = std::max(m_fixedColumns, stepColumn(m_fixedColumns - 1, 1));
            }
            break;
        case Qt::Key_Backtab:
            if (int c = stepColumn(next.column, -1); c >= 0) {
                next.column = c;
            } else if (next.row - 1 >= m_fixedRows) {
                --next.row;
                next.column = std::max(m_fixedColumns, stepColumn(columns, -1));
            }
            break;
        case Qt::Key_Home:
            if (control || m_listMode) {
                next.row = m_fixedRows;
            }
            if (!m_listMode || control) {
                next.column = std::max(m_fixedColumns, stepColumn(m_fixedColumns - 1, 1));
            }
            break;
        case Qt::Key_End:
            if (control || m_listMode) {
                next.row = rows - 1;
            }
            if (!m_listMode || control) {
                next.column = std::max(m_fixedColumns, stepColumn(columns, -1));
            }
            break;
        default:
            return;
        }
    }
    SendNotify(grid_notify::kSelectionChanging, next.row, next.column);
    SetFocusCell(next.row, next.column);
    if ((modifiers & Qt::ShiftModifier) && key != Qt::Key_Backtab && m_selectionStart.IsValid() &&
        ValidCell(m_selectionStart.row, m_selectionStart.column)) {
        SelectRange(m_selectionStart.row, m_selectionStart.column, next.row, next.column);
    } else {
        m_selectionStart = next;
        SelectRange(next.row, next.column, next.row, next.column);
    }
    EnsureVisible(next.row, next.column);
    SendNotify(grid_notify::kSelectionChanged, next.row, next.column);
}

bool CGridCtrl::ToggleFocusedCheck()
{
    const GridCellCoord cell = m_focus;
    if (cell.row < m_fixedRows || cell.column < m_fixedColumns) {
        return false;
    }
    CGridCellBase* object = CellAt(cell.row, cell.column);
    if (!object || !object->OnToggleKey()) {
        return false;
    }
    SendNotify(grid_notify::kClick, cell.row, cell.column);
    return true;
}

void CGridCtrl::keyPressEvent(QKeyEvent* event)
{
    HideTitleTip();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    static constexpr std::pair<QKeySequence::StandardKey, void (CGridCtrl::*)()> kEditKeys[] = {
        {QKeySequence::Copy, &CGridCtrl::OnEditCopy},
        {QKeySequence::Cut, &CGridCtrl::OnEditCut},
        {QKeySequence::Paste, &CGridCtrl::OnEditPaste},
        {QKeySequence::SelectAll, &CGridCtrl::OnEditSelectAll},
    };
    for (const auto& [keys, command] : kEditKeys) {
        if (event->matches(keys)) {
            (this->*command)();
            return;
        }
    }
    const int key = event->key();
    if (IsArrowOrPageKey(key) || key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Tab ||
        key == Qt::Key_Backtab) {
        MoveFocus(key, modifiers);
        return;
    }
    switch (key) {
    case Qt::Key_F2:
        EditCell(m_focus.row, m_focus.column);
        return;
    case Qt::Key_Escape:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    case Qt::Key_Space:
        // A check box is flipped from the keyboard as by a click in its box, never edited.
        if (modifiers == Qt::NoModifier && m_mouseMode == MouseMode::Nothing &&
            ToggleFocusedCheck()) {
            return;
        }
        break;
    default:
        break;
    }
    // A key held with Ctrl, Alt or Meta is a shortcut, never the first character of an edit.
    const QString text = event->text();
    const CGridCellBase* focused = CellAt(m_focus.row, m_focus.column);
    if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        m_mouseMode == MouseMode::Nothing && text.size() == 1 && text.at(0).isPrint() && focused &&
        focused->StartsEditWith(text.at(0))) {
        if (EditCell(m_focus.row, m_focus.column, text.at(0).unicode())) {
            return;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}
