#pragma once

#include <QAccessibleWidget>

#include <map>
#include <utility>

class CGridCtrl;

/// What a screen reader sees of a grid, which draws its cells itself: a table whose rows are
/// the data rows, whose column headers are the cells of the fixed row, with the focused cell,
/// the selection and every cell's text and check state. Cells are reached by their place; an
/// interface made for a place reads the cell that is there now.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(CGridCtrl* grid);
    ~GridAccessible() override;

    /// Installed once as Qt's accessibility factory: a grid gets this interface.
    static QAccessibleInterface* Factory(const QString& className, QObject* object);
    /// Tells assistive technology that the grid's focus cell changed (while the grid has the
    /// keyboard focus) or that a cell's check state changed.
    static void NotifyFocus(CGridCtrl* grid);
    static void NotifyChecked(CGridCtrl* grid, int row, int column);

    // QAccessibleInterface
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTableInterface; rows count data rows from 0.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    /// The interface of the cell at a grid row (fixed rows included); null outside the grid.
    QAccessibleInterface* GridCell(int gridRow, int column) const;

private:
    CGridCtrl* Grid() const;

    // Interfaces made so far, by place; Qt owns them once registered.
    mutable std::map<std::pair<int, int>, QAccessible::Id> m_cells;
};
