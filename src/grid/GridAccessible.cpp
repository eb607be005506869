#include "grid/GridAccessible.h"

#include "grid/CGridCellBase.h"
#include "grid/CGridCellCheck.h"
#include "grid/CGridCtrl.h"

#include <QPointer>
#include <QWindow>

namespace {

// A limit on the cell interfaces kept: a reader walking a whole catalogue would otherwise
// leave one behind for every cell it passed.
constexpr std::size_t kKeptCells = 4096;

// One cell of a grid, known by its place.
class GridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(CGridCtrl* grid, int row, int column)
        : m_grid(grid), m_row(row), m_column(column)
    {
    }

    bool isValid() const override
    {
        return m_grid && m_row < m_grid->GetRowCount() && m_column < m_grid->GetColumnCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_grid ? m_grid->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_grid.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text kind) const override
    {
        if (!isValid()) {
            return {};
        }
        if (kind == QAccessible::Name) {
            // Values are padded to line up on screen; a reader needs no blanks.
            return m_grid->AccessibleText(m_row, m_column).trimmed();
        }
        if (kind == QAccessible::Description && m_row >= m_grid->GetFixedRowCount()) {
            return m_grid->AccessibleText(0, m_column); // the column's header
        }
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!isValid()) {
            return {};
        }
        const QRect cell = m_grid->CellRect(m_row, m_column);
        return cell.isEmpty() ? QRect()
                              : QRect(m_grid->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override
    {
        return isValid() && m_row < m_grid->GetFixedRowCount() ? QAccessible::ColumnHeader
                                                               : QAccessible::Cell;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const bool header = m_row < m_grid->GetFixedRowCount();
        state.invisible = m_grid->CellRect(m_row, m_column).isEmpty();
        state.offscreen = state.invisible;
        state.selectable = !header;
        state.focusable = !header;
        state.selected = m_grid->IsCellSelected(m_row, m_column);
        state.focused =
            m_grid->hasFocus() && m_grid->GetFocusCell() == GridCellCoord{m_row, m_column};
        state.readOnly = m_grid->IsCellReadOnly(m_row, m_column);
        state.editable = !header && m_grid->IsCellEditable(m_row, m_column);
        if (const auto* box =
                dynamic_cast<const CGridCellCheck*>(m_grid->CellAt(m_row, m_column))) {
            state.checkable = true;
            state.checked = box->GetCheck();
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override
    {
        return isValid() && m_grid->IsCellSelected(m_row, m_column);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        QList<QAccessibleInterface*> headers;
        auto* table = dynamic_cast<GridAccessible*>(parent());
        for (int row = 0; table != nullptr && isValid() && row < m_grid->GetFixedRowCount();
             ++row) {
            if (row != m_row) {
                headers.append(table->GridCell(row, m_column));
            }
        }
        return headers;
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_column; }
    int rowIndex() const override { return m_grid ? m_row - m_grid->GetFixedRowCount() : -1; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<CGridCtrl> m_grid;
    int m_row;
    int m_column;
};

} // namespace

GridAccessible::GridAccessible(CGridCtrl* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

GridAccessible::~GridAccessible()
{
    for (const auto& [place, id] : m_cells) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessibleInterface* GridAccessible::Factory(const QString&, QObject* object)
{
    if (auto* grid = qobject_cast<CGridCtrl*>(object)) {
        return new GridAccessible(grid);
    }
    return nullptr;
}

CGridCtrl* GridAccessible::Grid() const
{
    return static_cast<CGridCtrl*>(widget());
}

QAccessibleInterface* GridAccessible::GridCell(int gridRow, int column) const
{
    CGridCtrl* grid = Grid();
    if (gridRow < 0 || column < 0 || gridRow >= grid->GetRowCount() ||
        column >= grid->GetColumnCount()) {
        return nullptr;
    }
    const auto found = m_cells.find({gridRow, column});
    if (found != m_cells.end()) {
        return QAccessible::accessibleInterface(found->second);
    }
    if (m_cells.size() >= kKeptCells) {
        for (const auto& [place, id] : m_cells) {
            QAccessible::deleteAccessibleInterface(id);
        }
        m_cells.clear();
    }
    auto* cell = new GridCellAccessible(grid, gridRow, column);
    m_cells.emplace(std::make_pair(gridRow, column),
                    QAccessible::registerAccessibleInterface(cell));
    return cell;
}

int GridAccessible::childCount() const
{
    return Grid()->GetRowCount() * Grid()->GetColumnCount();
}

QAccessibleInterface* GridAccessible::child(int index) const
{
    const int columns = Grid()->GetColumnCount();
    return index < 0 || columns == 0 ? nullptr : GridCell(index / columns, index % columns);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (child == nullptr || child->parent() != this) {
        return -1;
    }
    auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
    if (cell == nullptr) {
        return -1;
    }
    const int gridRow = cell->rowIndex() + Grid()->GetFixedRowCount();
    return gridRow * Grid()->GetColumnCount() + cell->columnIndex();
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const
{
    const GridCellCoord at = Grid()->CellFromPoint(Grid()->viewport()->mapFromGlobal(QPoint(x, y)));
    return at.IsValid() ? GridCell(at.row, at.column) : nullptr;
}

QAccessibleInterface* GridAccessible::focusChild() const
{
    const GridCellCoord focus = Grid()->GetFocusCell();
    return Grid()->hasFocus() && focus.IsValid() ? GridCell(focus.row, focus.column) : nullptr;
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const
{
    return GridCell(row + Grid()->GetFixedRowCount(), column);
}

int GridAccessible::selectedCellCount() const
{
    return Grid()->GetSelectedCount();
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    for (const int row : selectedRows()) {
        for (int column = 0; column < columnCount(); ++column) {
            if (Grid()->IsCellSelected(row + Grid()->GetFixedRowCount(), column)) {
                cells.append(cellAt(row, column));
            }
        }
    }
    return cells;
}

QString GridAccessible::columnDescription(int column) const
{
    return Grid()->GetFixedRowCount() > 0 ? Grid()->AccessibleText(0, column) : QString();
}

QString GridAccessible::rowDescription(int) const
{
    return {};
}

int GridAccessible::columnCount() const
{
    return Grid()->GetColumnCount();
}

int GridAccessible::rowCount() const
{
    return Grid()->GetRowCount() - Grid()->GetFixedRowCount();
}

int GridAccessible::selectedRowCount() const
{
    return int(selectedRows().size());
}

QList<int> GridAccessible::selectedRows() const
{
    // A selection is a few rows the user marked; the whole list is walked only when cells
    // are selected at all.
    QList<int> rows;
    if (Grid()->GetSelectedCount() == 0) {
        return rows;
    }
    for (int row = 0; row < rowCount(); ++row) {
        if (isRowSelected(row)) {
            rows.append(row);
        }
    }
    return rows;
}

bool GridAccessible::isRowSelected(int row) const
{
    const int gridRow = row + Grid()->GetFixedRowCount();
    for (int column = 0; column < columnCount(); ++column) {
        if (Grid()->IsCellSelected(gridRow, column)) {
            return true;
        }
    }
    return false;
}

bool GridAccessible::selectRow(int row)
{
    if (row < 0 || row >= rowCount() || columnCount() == 0) {
        return false;
    }
    const int gridRow = row + Grid()->GetFixedRowCount();
    Grid()->SelectRange(gridRow, 0, gridRow, columnCount() - 1);
    Grid()->SetFocusCell(gridRow, 0);
    return true;
}

bool GridAccessible::unselectRow(int row)
{
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    const int gridRow = row + Grid()->GetFixedRowCount();
    for (int column = 0; column < columnCount(); ++column) {
        Grid()->SetCellState(gridRow, column,
                             Grid()->GetCellState(gridRow, column) & ~grid_state::kSelected);
    }
    Grid()->Refresh();
    return true;
}

void GridAccessible::NotifyFocus(CGridCtrl* grid)
{
    if (!QAccessible::isActive() || !grid->hasFocus()) {
        return;
    }
    auto* table = dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(grid));
    const GridCellCoord focus = grid->GetFocusCell();
    if (table != nullptr && focus.IsValid()) {
        QAccessibleEvent event(table->GridCell(focus.row, focus.column), QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void GridAccessible::NotifyChecked(CGridCtrl* grid, int row, int column)
{
    if (!QAccessible::isActive()) {
        return;
    }
    auto* table = dynamic_cast<GridAccessible*>(QAccessible::queryAccessibleInterface(grid));
    if (QAccessibleInterface* cell = table != nullptr ? table->GridCell(row, column) : nullptr) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(cell, changed);
        QAccessible::updateAccessibility(&event);
    }
}
