#include "grid/CGridCtrl.h"

#include "grid/CGridCell.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CTitleTip.h"
#include "grid/GridAccessible.h"
#include "grid/GridCellFactory.h"
#include "grid/InPlaceEditor.h"

#include <QApplication>
#include <QPalette>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

int DefaultIndex(bool fixedRow, bool fixedColumn)
{
    return (fixedRow ? 1 : 0) | (fixedColumn ? 2 : 0);
}

} // namespace

CGridCtrl::CGridCtrl(QWidget* parent, int rows, int columns, int fixedRows, int fixedColumns)
    : QAbstractScrollArea(parent)
{
    const QPalette palette = QApplication::palette();
    for (int i = 0; i < 4; ++i) {
        auto cell = std::make_unique<CGridDefaultCell>();
        const bool fixedRow = i & 1;
        const bool fixedColumn = i & 2;
        cell->SetState((fixedRow ? grid_state::kFixedRowBits : 0) |
                       (fixedColumn ? grid_state::kFixedColumnBits : 0));
        const QFont gridFont = font();
        cell->SetFont(&gridFont);
        const bool fixed = fixedRow || fixedColumn;
        cell->SetTextColour(GridColourFromQColor(
            palette.color(fixed ? QPalette::ButtonText : QPalette::WindowText)));
        cell->SetBackColour(
            GridColourFromQColor(palette.color(fixed ? QPalette::Button : QPalette::Base)));
        m_defaultCells[i] = std::move(cell);
    }
    m_createCell = [] { return std::unique_ptr<CGridCellBase>(new CGridCell); };

    // Screen readers see the grid as a table of its cells.
    static const bool accessible = [] {
        QAccessible::installFactory(&GridAccessible::Factory);
        return true;
    }();
    Q_UNUSED(accessible);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setSingleStep(10);
    m_autoScroll = new QTimer(this);
    m_autoScroll->setInterval(25);
    connect(m_autoScroll, &QTimer::timeout, this, &CGridCtrl::OnAutoScroll);
    m_titleTip = new CTitleTip(this);

    SetColumns(columns);
    SetRows(rows);
    SetFixedRows(fixedRows);
    SetFixedColumns(fixedColumns);
}

CGridCtrl::~CGridCtrl()
{
    if (auto* editor = dynamic_cast<InPlaceEditor*>(m_editor)) {
        editor->CancelEdit();
    }
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool fixedRow, bool fixedColumn) const
{
    return m_defaultCells[DefaultIndex(fixedRow, fixedColumn)].get();
}

bool CGridCtrl::SetDefaultCellKind(const char* className)
{
    if (!className || !GridCellFactory::IsCellKind(className)) {
        return false;
    }
    m_defaultKind = className;
    const std::string kind = className;
    m_createCell = [kind] { return GridCellFactory::Create(kind); };
    return true;
}

void CGridCtrl::SetTextColour(GridColour colour)
{
    m_defaultCells[0]->SetTextColour(colour);
    viewport()->update();
}

void CGridCtrl::SetBackColour(GridColour colour)
{
    m_defaultCells[0]->SetBackColour(colour);
    viewport()->update();
}

void CGridCtrl::SetImageStrip(const QPixmap& strip, int size)
{
    m_images.clear();
    if (size <= 0) {
        return;
    }
    for (int x = 0; x + size <= strip.width(); x += size) {
        m_images.append(strip.copy(x, 0, size, std::min(size, strip.height())));
    }
}

// --- shape ------------------------------------------------------------------------------------

unsigned CGridCtrl::PlaceBits(int row, int column) const
{
    return (row < m_fixedRows ? grid_state::kFixedRowBits : 0) |
           (column < m_fixedColumns ? grid_state::kFixedColumnBits : 0);
}

std::unique_ptr<CGridCellBase> CGridCtrl::MakeCell(int row, int column) const
{
    auto cell = m_createCell();
    cell->SetOwner(const_cast<CGridCtrl*>(this));
    cell->SetCoords(row, column);
    cell->SetState(PlaceBits(row, column));
    return cell;
}

bool CGridCtrl::ValidCell(int row, int column) const
{
    return row >= 0 && row < GetRowCount() && column >= 0 && column < GetColumnCount();
}

CGridCellBase* CGridCtrl::StoredCell(int row, int column) const
{
    if (!ValidCell(row, column)) {
        return nullptr;
    }
    const auto& cells = m_rows[size_t(row)].cells;
    return size_t(column) < cells.size() ? cells[size_t(column)].get() : nullptr;
}

void CGridCtrl::AppendProvidedRows(int count, int height)
{
    if (count <= 0 || !m_providedRows) {
        return;
    }
    const size_t first = m_rows.size();
    m_rows.resize(first + size_t(count));
    for (size_t r = first; r < m_rows.size(); ++r) {
        m_rows[r].height = height;
    }
    // Appending a whole catalogue row by row must not lay the scroll bars out each time.
    if (!m_scrollBarsPending) {
        m_scrollBarsPending = true;
        QMetaObject::invokeMethod(this, &CGridCtrl::FlushScrollBars, Qt::QueuedConnection);
    }
    viewport()->update();
}

void CGridCtrl::FlushScrollBars()
{
    if (m_scrollBarsPending) {
        m_scrollBarsPending = false;
        UpdateScrollBars();
    }
}

void CGridCtrl::RefreshPlaceBits(int firstRow, int lastRow)
{
    constexpr unsigned placeMask =
        grid_state::kFixed | grid_state::kFixedRow | grid_state::kFixedColumn;
    for (int r = std::max(0, firstRow); r <= lastRow && r < GetRowCount(); ++r) {
        auto& cells = m_rows[size_t(r)].cells;
        for (int c = 0; c < int(cells.size()); ++c) {
            cells[size_t(c)]->SetState((cells[size_t(c)]->GetState() & ~placeMask) |
                                       PlaceBits(r, c));
        }
    }
}

void CGridCtrl::RenumberRows(int fromRow)
{
    for (int r = std::max(0, fromRow); r < GetRowCount(); ++r) {
        auto& cells = m_rows[size_t(r)].cells;
        for (int c = 0; c < int(cells.size()); ++c) {
            cells[size_t(c)]->SetCoords(r, c);
        }
    }
}

void CGridCtrl::ShiftSelection(int fromRow, int delta)
{
    std::unordered_set<std::uint64_t> shifted;
    shifted.reserve(m_selection.size());
    for (std::uint64_t key : m_selection) {
        const int row = int(key >> 16);
        const int column = int(key & 0xFFFF);
        if (row < fromRow) {
            shifted.insert(key);
        } else if (delta > 0 || row != fromRow) {
            shifted.insert(SelectionKey(row + delta, column));
        }
    }
    m_selection.swap(shifted);
}

bool CGridCtrl::SetRows(int count)
{
    if (count < 0) {
        return false;
    }
    const int old = GetRowCount();
    if (count == old) {
        return true;
    }
    if (count < old) {
        if (m_editCell.row >= count) {
            DropEditor();
        }
        if (m_focus.row >= count) {
            m_focus = {};
        }
        std::erase_if(m_selection, [count](std::uint64_t key) { return int(key >> 16) >= count; });
        ++m_cellGeneration;
        m_rows.resize(size_t(count));
        m_fixedRows = std::min(m_fixedRows, count);
    } else {
        m_rows.reserve(size_t(count));
        const int height = GetDefaultCell(false, false)->GetHeight();
        for (int r = old; r < count; ++r) {
            Row row;
            row.height = height;
            if (!m_virtualMode && !IsProvidedRow(r)) {
                row.cells.reserve(m_columnWidths.size());
                for (int c = 0; c < GetColumnCount(); ++c) {
                    row.cells.push_back(MakeCell(r, c));
                }
            }
            m_rows.push_back(std::move(row));
        }
    }
    UpdateScrollBars();
    viewport()->update();
    return true;
}

bool CGridCtrl::SetColumns(int count)
{
    if (count < 0) {
        return false;
    }
    const int old = GetColumnCount();
    if (count == old) {
        return true;
    }
    if (count < old) {
        if (m_editCell.column >= count) {
            DropEditor();
        }
        if (m_focus.column >= count) {
            m_focus = {};
        }
        if (m_sortColumn >= count) {
            m_sortColumn = -1;
        }
        std::erase_if(m_selection,
                      [count](std::uint64_t key) { return int(key & 0xFFFF) >= count; });
        for (Row& row : m_rows) {
            if (!row.cells.empty()) {
                row.cells.resize(size_t(count));
                ++m_cellGeneration;
            }
        }
        m_columnWidths.resize(size_t(count));
        m_fixedColumns = std::min(m_fixedColumns, count);
    } else {
        const int width = GetDefaultCell(false, false)->GetWidth();
        m_columnWidths.resize(size_t(count), width);
        if (!m_virtualMode) {
            for (int r = 0; r < GetRowCount(); ++r) {
                if (IsProvidedRow(r)) {
                    continue;
                }
                auto& cells = m_rows[size_t(r)].cells;
                for (int c = old; c < count; ++c) {
                    cells.push_back(MakeCell(r, c));
                }
            }
        }
    }
    UpdateScrollBars();
    viewport()->update();
    return true;
}

bool CGridCtrl::SetFixedRows(int count)
{
    if (count < 0) {
        return false;
    }
    if (count > GetRowCount()) {
        SetRows(count);
    }
    const int old = m_fixedRows;
    m_fixedRows = count;
    RefreshPlaceBits(std::min(old, count), std::max(old, count) - 1);
    for (int r = old; r < count; ++r) {
        if (!m_virtualMode) {
            for (auto& cell : m_rows[size_t(r)].cells) {
                cell->SetTextColour(kGridColourUnset);
                cell->SetBackColour(kGridColourUnset);
            }
        }
        for (int c = 0; c < GetColumnCount(); ++c) {
            SelectCell(r, c, false);
        }
        if (m_focus.row == r) {
            SetFocusCell(-1, -1);
        }
    }
    UpdateScrollBars();
    viewport()->update();
    return true;
}

bool CGridCtrl::SetFixedColumns(int count)
{
    if (count < 0) {
        return false;
    }
    if (count > GetColumnCount()) {
        SetColumns(count);
    }
    const int old = m_fixedColumns;
    m_fixedColumns = count;
    RefreshPlaceBits(0, GetRowCount() - 1);
    for (int c = old; c < count; ++c) {
        for (int r = 0; r < GetRowCount(); ++r) {
            if (CGridCellBase* cell = StoredCell(r, c)) {
                cell->SetTextColour(kGridColourUnset);
                cell->SetBackColour(kGridColourUnset);
            }
            SelectCell(r, c, false);
        }
        if (m_focus.column == c) {
            SetFocusCell(-1, -1);
        }
    }
    UpdateScrollBars();
    viewport()->update();
    return true;
}

int CGridCtrl::InsertRowAt(const QString& heading, int index)
{
    if (index != -1 && (index < m_fixedRows || index >= GetRowCount())) {
        return -1;
    }
    if (GetColumnCount() == 0) {
        SetColumns(1);
    }
    EndEditing();
    const bool append = index == -1;
    if (append) {
        index = GetRowCount();
    }
    Row row;
    row.height = GetDefaultCell(false, false)->GetHeight();
    if (!m_virtualMode && !IsProvidedRow(index)) {
        row.cells.reserve(m_columnWidths.size());
        for (int c = 0; c < GetColumnCount(); ++c) {
            row.cells.push_back(MakeCell(index, c));
        }
    }
    m_rows.insert(m_rows.begin() + index, std::move(row));
    if (!append) {
        RenumberRows(index + 1);
        ShiftSelection(index, 1);
        if (m_focus.row >= index) {
            ++m_focus.row;
        }
    }
    if (!heading.isEmpty() && !m_rows[size_t(index)].cells.empty()) {
        CGridCellBase* cell = m_rows[size_t(index)].cells[0].get();
        cell->SetText(heading);
        m_rows[size_t(index)].height = cell->GetCellExtent().height();
    }
    UpdateScrollBars();
    viewport()->update();
    return index;
}

bool CGridCtrl::DeleteRowAt(int index)
{
    if (index < 0 || index >= GetRowCount()) {
        return false;
    }
    if (m_editCell.row == index) {
        DropEditor();
    }
    EndEditing();
    ++m_cellGeneration;
    m_rows.erase(m_rows.begin() + index);
    if (index < m_fixedRows) {
        --m_fixedRows;
    }
    if (m_focus.row == index) {
        m_focus = {};
    } else if (m_focus.row > index) {
        --m_focus.row;
    }
    ShiftSelection(index, -1);
    RenumberRows(index);
    UpdateScrollBars();
    viewport()->update();
    return true;
}

bool CGridCtrl::DeleteNonFixedRows()
{
    if (m_editCell.row >= m_fixedRows) {
        DropEditor();
    }
    // Destroyed from the last row to the first.
    while (GetRowCount() > m_fixedRows) {
        m_rows.pop_back();
        ++m_cellGeneration;
    }
    if (m_focus.row >= m_fixedRows) {
        m_focus = {};
    }
    const int fixedRows = m_fixedRows;
    std::erase_if(m_selection,
                  [fixedRows](std::uint64_t key) { return int(key >> 16) >= fixedRows; });
    m_hoverCell = {};
    UpdateScrollBars();
    viewport()->update();
    return true;
}

int CGridCtrl::GetRowHeight(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_rows[size_t(row)].height : -1;
}

bool CGridCtrl::SetRowHeightAt(int row, int pixels)
{
    if (row < 0 || row >= GetRowCount() || pixels < 0) {
        return false;
    }
    m_rows[size_t(row)].height = pixels;
    UpdateScrollBars();
    viewport()->update();
    return true;
}

int CGridCtrl::GetColumnWidth(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columnWidths[size_t(column)] : -1;
}

bool CGridCtrl::SetColumnWidth(int column, int pixels)
{
    if (column < 0 || column >= GetColumnCount() || pixels < 0) {
        return false;
    }
    m_columnWidths[size_t(column)] = pixels;
    UpdateScrollBars();
    viewport()->update();
    return true;
}
