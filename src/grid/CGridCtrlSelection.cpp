// Selection, focus and sorting of the grid.
#include "grid/CGridCtrl.h"

#include "grid/CGridCellBase.h"
#include "grid/GridAccessible.h"
#include "grid/InPlaceEditor.h"

#include <algorithm>

namespace {

// Orders texts by code point, which is the byte order of their UTF-8 form.
int CompareTexts(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a.at(i).unicode();
        char16_t y = b.at(i).unicode();
        if (x == y) {
            continue;
        }
        // UTF-16 puts surrogates (code points above 0xFFFF) below 0xE000-0xFFFF; shift them up.
        auto rank = [](char16_t u) {
            return u >= 0xE000 ? int(u) - 0x800 : (u >= 0xD800 ? int(u) + 0x2000 : int(u));
        };
        return rank(x) < rank(y) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

// --- selection and focus ----------------------------------------------------------------------

bool CGridCtrl::IsCellSelected(int row, int column) const
{
    return ValidCell(row, column) && m_selection.count(SelectionKey(row, column)) > 0;
}

void CGridCtrl::SelectCell(int row, int column, bool on)
{
    if (!ValidCell(row, column)) {
        return;
    }
    if (on) {
        m_selection.insert(SelectionKey(row, column));
    } else {
        m_selection.erase(SelectionKey(row, column));
    }
    if (CGridCellBase* cell = StoredCell(row, column)) {
        const unsigned state = cell->GetState();
        cell->SetState(on ? state | grid_state::kSelected : state & ~grid_state::kSelected);
    }
}

void CGridCtrl::SetSelection(const std::unordered_set<std::uint64_t>& cells)
{
    if (!m_virtualMode) {
        for (std::uint64_t key : m_selection) {
            if (!cells.count(key)) {
                CGridCellBase* cell = StoredCell(int(key >> 16), int(key & 0xFFFF));
                if (cell) {
                    cell->SetState(cell->GetState() & ~grid_state::kSelected);
                }
            }
        }
        for (std::uint64_t key : cells) {
            if (!m_selection.count(key)) {
                CGridCellBase* cell = StoredCell(int(key >> 16), int(key & 0xFFFF));
                if (cell) {
                    cell->SetState(cell->GetState() | grid_state::kSelected);
                }
            }
        }
    }
    m_selection = cells;
    viewport()->update();
}

void CGridCtrl::ClearSelection()
{
    SetSelection({});
}

void CGridCtrl::SelectRange(int row1, int column1, int row2, int column2)
{
    if (!ValidCell(row1, column1) || !ValidCell(row2, column2)) {
        return;
    }
    if (row1 > row2) {
        std::swap(row1, row2);
    }
    if (column1 > column2) {
        std::swap(column1, column2);
    }
    if (m_listMode) {
        column1 = m_fixedColumns;
        column2 = GetColumnCount() - 1;
    }
    std::unordered_set<std::uint64_t> cells;
    cells.reserve(size_t(row2 - row1 + 1) * size_t(std::max(0, column2 - column1 + 1)));
    for (int r = row1; r <= row2; ++r) {
        for (int c = column1; c <= column2; ++c) {
            cells.insert(SelectionKey(r, c));
        }
    }
    SetSelection(cells);
}

void CGridCtrl::SelectAllCells()
{
    if (GetRowCount() <= m_fixedRows || GetColumnCount() <= m_fixedColumns) {
        return;
    }
    SendNotify(grid_notify::kSelectionChanging, -1, -1);
    SelectRange(m_fixedRows, m_fixedColumns, GetRowCount() - 1, GetColumnCount() - 1);
    SendNotify(grid_notify::kSelectionChanged, -1, -1);
}

void CGridCtrl::SetFocusCell(int row, int column)
{
    if (!ValidCell(row, column)) {
        row = -1;
        column = -1;
    }
    const GridCellCoord old = m_focus;
    if (old == GridCellCoord{row, column}) {
        return;
    }
    m_focus = {row, column};
    if (!m_virtualMode) {
        if (CGridCellBase* cell = StoredCell(old.row, old.column)) {
            cell->SetState(cell->GetState() & ~grid_state::kFocused);
        }
        if (CGridCellBase* cell = StoredCell(row, column)) {
            cell->SetState(cell->GetState() | grid_state::kFocused);
        }
    }
    viewport()->update();
    GridAccessible::NotifyFocus(this);
}

void CGridCtrl::SetListMode(bool on)
{
    ClearSelection();
    m_sortColumn = -1;
    m_listMode = on;
    viewport()->update();
}

// --- sorting ----------------------------------------------------------------------------------

int CGridCtrl::CompareToPivot(int row, const CGridCellBase* pivot, int column,
                              std::intptr_t user) const
{
    const CGridCellBase* cell = m_rows[size_t(row)].cells[size_t(column)].get();
    return m_compare ? m_compare(cell, pivot, user)
                     : CompareTexts(cell->GetText(), pivot->GetText());
}

int CGridCtrl::CompareCells(int rowA, int rowB, int column, std::intptr_t user) const
{
    return CompareToPivot(rowA, m_rows[size_t(rowB)].cells[size_t(column)].get(), column, user);
}

void CGridCtrl::SwapRows(int a, int b)
{
    std::swap(m_rows[size_t(a)], m_rows[size_t(b)]);
    for (int r : {a, b}) {
        auto& cells = m_rows[size_t(r)].cells;
        for (int c = 0; c < int(cells.size()); ++c) {
            cells[size_t(c)]->SetCoords(r, c);
        }
    }
}

void CGridCtrl::QuickSort(int low, int high, int column, bool ascending, std::intptr_t user)
{
    // The smaller part recurses and the larger one loops, so sorted or hostile input cannot
    // exhaust the stack.
    while (low < high) {
        const CGridCellBase* pivot = m_rows[size_t((low + high) / 2)].cells[size_t(column)].get();
        const int sign = ascending ? 1 : -1;
        int lo = low;
        int hi = high;
        while (lo <= hi) {
            while (lo < high && sign * CompareToPivot(lo, pivot, column, user) < 0) {
                ++lo;
            }
            while (hi > low && sign * CompareToPivot(hi, pivot, column, user) > 0) {
                --hi;
            }
            if (lo <= hi) {
                if (lo != hi && CompareCells(lo, hi, column, user) != 0) {
                    SwapRows(lo, hi);
                }
                ++lo;
                --hi;
            }
        }
        if (hi - low < high - lo) {
            QuickSort(low, hi, column, ascending, user);
            low = lo;
        } else {
            QuickSort(lo, high, column, ascending, user);
            high = hi;
        }
    }
}

bool CGridCtrl::SortByColumn(int column, bool ascending, std::intptr_t user)
{
    if (column < 0 || column >= GetColumnCount()) {
        return false;
    }
    EndEditing();
    m_sortColumn = column;
    m_sortAscending = ascending;
    ClearSelection();
    SetFocusCell(-1, -1);
    if (m_providedRows) {
        SortProvidedRows(column, ascending, user);
    } else if (!m_virtualMode) {
        QuickSort(m_fixedRows, GetRowCount() - 1, column, ascending, user);
    }
    viewport()->update();
    return true;
}
