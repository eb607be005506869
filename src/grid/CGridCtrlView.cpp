// Geometry, scrolling, painting, column fitting and the title tip of the grid.
#include "grid/CGridCtrl.h"

#include "grid/CGridCellBase.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CTitleTip.h"
#include "grid/GridPalette.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

int CGridCtrl::FixedRowsHeight() const
{
    int height = 0;
    for (int r = 0; r < m_fixedRows; ++r) {
        height += m_rows[size_t(r)].height;
    }
    return height;
}

int CGridCtrl::FixedColumnsWidth() const
{
    int width = 0;
    for (int c = 0; c < m_fixedColumns; ++c) {
        width += m_columnWidths[size_t(c)];
    }
    return width;
}

int CGridCtrl::GetTopRow() const
{
    return m_fixedRows + verticalScrollBar()->value();
}

int CGridCtrl::GetVisibleRowCount() const
{
    const int bottom = viewport()->height();
    int y = FixedRowsHeight();
    int count = 0;
    for (int r = GetTopRow(); r < GetRowCount() && y < bottom; ++r) {
        y += m_rows[size_t(r)].height;
        ++count;
    }
    return count;
}

int CGridCtrl::ColumnLeft(int column) const
{
    int x = 0;
    if (column < m_fixedColumns) {
        for (int c = 0; c < column; ++c) {
            x += m_columnWidths[size_t(c)];
        }
        return x;
    }
    x = FixedColumnsWidth() - horizontalScrollBar()->value();
    for (int c = m_fixedColumns; c < column; ++c) {
        x += m_columnWidths[size_t(c)];
    }
    return x;
}

int CGridCtrl::RowTop(int row) const
{
    int y = 0;
    if (row < m_fixedRows) {
        for (int r = 0; r < row; ++r) {
            y += m_rows[size_t(r)].height;
        }
        return y;
    }
    const int top = GetTopRow();
    y = FixedRowsHeight();
    if (row < top) {
        for (int r = row; r < top; ++r) {
            y -= m_rows[size_t(r)].height;
        }
        return y;
    }
    // Rows below the view are not measured one by one: the caller only needs "below".
    const int bottom = viewport()->height();
    for (int r = top; r < row; ++r) {
        y += m_rows[size_t(r)].height;
        if (y > bottom) {
            return bottom + 1;
        }
    }
    return y;
}

QRect CGridCtrl::CellRect(int row, int column) const
{
    if (!ValidCell(row, column)) {
        return {};
    }
    if (row >= m_fixedRows && row < GetTopRow()) {
        return {};
    }
    const int top = RowTop(row);
    const int left = ColumnLeft(column);
    const QRect rect(left, top, m_columnWidths[size_t(column)], m_rows[size_t(row)].height);
    if (rect.isEmpty() || !rect.intersects(viewport()->rect())) {
        return {};
    }
    return rect;
}

GridCellCoord CGridCtrl::CellFromPoint(const QPoint& point, bool allowFixed) const
{
    if (point.x() < 0 || point.y() < 0) {
        return {};
    }
    int column = -1;
    const int fixedWidth = FixedColumnsWidth();
    if (point.x() < fixedWidth) {
        int x = 0;
        for (int c = 0; c < m_fixedColumns && column < 0; ++c) {
            x += m_columnWidths[size_t(c)];
            if (point.x() < x) {
                column = c;
            }
        }
    } else {
        int x = fixedWidth - horizontalScrollBar()->value();
        for (int c = m_fixedColumns; c < GetColumnCount() && column < 0; ++c) {
            x += m_columnWidths[size_t(c)];
            if (point.x() < x) {
                column = c;
            }
        }
    }
    int row = -1;
    const int fixedHeight = FixedRowsHeight();
    if (point.y() < fixedHeight) {
        int y = 0;
        for (int r = 0; r < m_fixedRows && row < 0; ++r) {
            y += m_rows[size_t(r)].height;
            if (point.y() < y) {
                row = r;
            }
        }
    } else {
        int y = fixedHeight;
        for (int r = GetTopRow(); r < GetRowCount() && row < 0 && y <= point.y(); ++r) {
            y += m_rows[size_t(r)].height;
            if (point.y() < y) {
                row = r;
            }
        }
    }
    if (row < 0 || column < 0) {
        return {};
    }
    if (!allowFixed && (row < m_fixedRows || column < m_fixedColumns)) {
        return {};
    }
    return {row, column};
}

void CGridCtrl::UpdateScrollBars()
{
    m_scrollBarsPending = false;
    const int fixedHeight = FixedRowsHeight();
    const int room = std::max(0, viewport()->height() - fixedHeight);
    // Rows that fit under the last scroll position, counted from the end.
    int fitting = 0;
    int used = 0;
    for (int r = GetRowCount() - 1; r >= m_fixedRows; --r) {
        used += m_rows[size_t(r)].height;
        if (used > room) {
            break;
        }
        ++fitting;
    }
    const int scrollable = GetRowCount() - m_fixedRows;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, scrollable - fitting));
    vertical->setPageStep(std::max(1, fitting));

    int width = 0;
    for (int c = m_fixedColumns; c < GetColumnCount(); ++c) {
        width += m_columnWidths[size_t(c)];
    }
    const int across = std::max(0, viewport()->width() - FixedColumnsWidth());
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, width - across));
    horizontal->setPageStep(std::max(1, across));
}

void CGridCtrl::EnsureVisible(int row, int column)
{
    if (!ValidCell(row, column)) {
        return;
    }
    FlushScrollBars();
    if (row >= m_fixedRows) {
        const int top = GetTopRow();
        const int room = viewport()->height() - FixedRowsHeight();
        if (row < top) {
            verticalScrollBar()->setValue(row - m_fixedRows);
        } else {
            int bottom = 0;
            for (int r = top; r <= row && bottom <= room; ++r) {
                bottom += m_rows[size_t(r)].height;
            }
            if (bottom > room) {
                // Scroll so the row is the last one wholly in view.
                int newTop = row;
                int used = m_rows[size_t(row)].height;
                while (newTop > m_fixedRows && used + m_rows[size_t(newTop - 1)].height <= room) {
                    --newTop;
                    used += m_rows[size_t(newTop)].height;
                }
                verticalScrollBar()->setValue(newTop - m_fixedRows);
            }
        }
    }
    if (column >= m_fixedColumns) {
        int left = 0;
        for (int c = m_fixedColumns; c < column; ++c) {
            left += m_columnWidths[size_t(c)];
        }
        const int right = left + m_columnWidths[size_t(column)];
        const int across = viewport()->width() - FixedColumnsWidth();
        QScrollBar* horizontal = horizontalScrollBar();
        if (left < horizontal->value()) {
            horizontal->setValue(left);
        } else if (right > horizontal->value() + across) {
            horizontal->setValue(std::min(left, right - across));
        }
    }
}

void CGridCtrl::FitAllColumns(FitStyle style)
{
    const int first = style == FitStyle::Data ? m_fixedRows : 0;
    const int last = style == FitStyle::Header ? m_fixedRows : GetRowCount();
    for (int c = 0; c < GetColumnCount(); ++c) {
        if (m_columnWidths[size_t(c)] <= 0) {
            continue; // hidden columns stay hidden
        }
        int widest = 0;
        if (m_providedRows && style != FitStyle::Header) {
            widest = ProvidedColumnWidth(c);
        }
        const int stored = m_providedRows ? std::min(last, m_fixedRows) : last;
        for (int r = first; r < stored; ++r) {
            if (const CGridCellBase* cell = CellAt(r, c)) {
                widest = std::max(widest, cell->GetCellExtent().width());
            }
        }
        if (const auto least = m_leastTexts.find(c); least != m_leastTexts.end() && widest > 0) {
            widest = std::max(widest, LeastTextWidth(c, least->second));
        }
        if (widest > 0) {
            // The cell is drawn inside the grid line, which takes the column's last pixel.
            m_columnWidths[size_t(c)] = widest + 1;
        }
        if (c == m_givingColumn) {
            m_givingFitted = m_columnWidths[size_t(c)];
            m_givingLeast = 0;
            for (int r = 0; r < m_fixedRows; ++r) {
                if (const CGridCellBase* cell = CellAt(r, c)) {
                    m_givingLeast = std::max(m_givingLeast, cell->GetCellExtent().width());
                }
            }
        }
    }
    GiveWayToView();
    UpdateScrollBars();
    viewport()->update();
}

int CGridCtrl::LeastTextWidth(int column, const QString& text) const
{
    // A data cell of the column measures the text with its own margins, image and tick box.
    const CGridCellBase* cell = CellAt(m_fixedRows, column);
    if (cell == nullptr) {
        return 0;
    }
    return cell->GetCellExtent().width() - cell->GetTextExtent(cell->GetText()).width() +
           cell->GetTextExtent(text).width();
}

void CGridCtrl::GiveWayToView()
{
    if (m_givingColumn < 0 || m_givingColumn >= GetColumnCount() || m_givingFitted <= 0 ||
        m_columnWidths[size_t(m_givingColumn)] <= 0) {
        return;
    }
    int others = 0;
    for (int c = 0; c < GetColumnCount(); ++c) {
        others += c == m_givingColumn ? 0 : m_columnWidths[size_t(c)];
    }
    const int room = viewport()->width() - others;
    m_columnWidths[size_t(m_givingColumn)] =
        std::clamp(room, std::min(m_givingLeast, m_givingFitted), m_givingFitted);
}

bool CGridCtrl::FitRow(int row)
{
    if (row < 0 || row >= GetRowCount()) {
        return false;
    }
    int tallest = 0;
    for (int c = 0; c < GetColumnCount(); ++c) {
        if (const CGridCellBase* cell = CellAt(row, c)) {
            tallest = std::max(tallest, cell->GetCellExtent().height());
        }
    }
    if (tallest > 0) {
        SetRowHeightAt(row, tallest);
    }
    return true;
}

void CGridCtrl::RedrawCell(int row, int column)
{
    const QRect rect = CellRect(row, column);
    if (!rect.isEmpty()) {
        viewport()->update(rect);
    }
}

void CGridCtrl::Refresh()
{
    viewport()->update();
}

void CGridCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    GiveWayToView();
    UpdateScrollBars();
}

void CGridCtrl::scrollContentsBy(int, int)
{
    HideTitleTip();
    EndEditing();
    viewport()->update();
}

void CGridCtrl::PaintCells(QPainter& painter, const QRect& clip, int rowFrom, int rowTo, int top,
                           int columnFrom, int columnTo, int left)
{
    if (clip.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRect(clip);
    const QColor lines = m_gridLineColour == kGridColourUnset
                             ? grid_palette::LineColour(QApplication::palette())
                             : GridColourToQColor(m_gridLineColour);
    const int bottom = clip.bottom();
    const int right = clip.right();
    int y = top;
    for (int r = rowFrom; r < rowTo && y <= bottom; ++r) {
        const int height = m_rows[size_t(r)].height;
        if (height > 0 && y + height > clip.top()) {
            int x = left;
            for (int c = columnFrom; c < columnTo && x <= right; ++c) {
                const int width = m_columnWidths[size_t(c)];
                if (width > 0 && x + width > clip.left()) {
                    const QRect rect(x, y, width, height);
                    // The cell draws inside the grid lines, which take its right and bottom pixel.
                    if (CGridCellBase* cell = CellAt(r, c)) {
                        cell->Draw(painter, r, c, rect.adjusted(0, 0, -1, -1));
                    }
                    painter.setPen(lines);
                    painter.drawLine(rect.topRight(), rect.bottomRight());
                    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
                }
                x += width;
            }
        }
        y += height;
    }
    painter.restore();
}

void CGridCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect area = viewport()->rect();
    painter.fillRect(event->rect(), QApplication::palette().color(QPalette::Window));
    const int fixedHeight = std::min(FixedRowsHeight(), area.height());
    const int fixedWidth = std::min(FixedColumnsWidth(), area.width());
    const int scrolledLeft = FixedColumnsWidth() - horizontalScrollBar()->value();
    const int rows = GetRowCount();
    const int columns = GetColumnCount();
    const QRect dirty = event->rect();

    const QRect body = QRect(QPoint(fixedWidth, fixedHeight), area.bottomRight()) & dirty;
    PaintCells(painter, body, GetTopRow(), rows, FixedRowsHeight(), m_fixedColumns, columns,
               scrolledLeft);
    const QRect header = QRect(fixedWidth, 0, area.width() - fixedWidth, fixedHeight) & dirty;
    PaintCells(painter, header, 0, m_fixedRows, 0, m_fixedColumns, columns, scrolledLeft);
    const QRect side = QRect(0, fixedHeight, fixedWidth, area.height() - fixedHeight) & dirty;
    PaintCells(painter, side, GetTopRow(), rows, FixedRowsHeight(), 0, m_fixedColumns, 0);
    const QRect corner = QRect(0, 0, fixedWidth, fixedHeight) & dirty;
    PaintCells(painter, corner, 0, m_fixedRows, 0, 0, m_fixedColumns, 0);
}

void CGridCtrl::HideTitleTip()
{
    if (m_titleTip) {
        m_titleTip->HideTip();
    }
}

void CGridCtrl::UpdateTitleTip(const QPoint& point)
{
    if (!m_titleTips || !m_titleTip) {
        return;
    }
    if (m_titleTip->isVisible()) {
        if (m_titleTip->geometry().contains(viewport()->mapToGlobal(point))) {
            return;
        }
        m_titleTip->HideTip();
    }
    if (m_mouseMode != MouseMode::Nothing || m_editor) {
        return;
    }
    const GridCellCoord at = CellFromPoint(point);
    CGridCellBase* cell = CellAt(at.row, at.column);
    if (!cell || cell->IsEditing()) {
        return;
    }
    const QRect rect = CellRect(at.row, at.column);
    QRect textRect = rect;
    cell->GetTipTextRect(textRect);
    const QString text = cell->GetTipText();
    const QFont font = cell->GetFontObject();
    const QFontMetrics metrics(font);
    if (text.isEmpty() || metrics.horizontalAdvance(text) <= textRect.width()) {
        return;
    }
    const int offset =
        std::max(0, textRect.left() - rect.left() - metrics.horizontalAdvance(QLatin1Char(' ')));
    const QRect global(viewport()->mapToGlobal(rect.topLeft()), rect.size());
    m_titleTip->ShowTip(global, text, offset, QRect(), font, cell->GetTextColour(),
                        cell->GetBackColour());
}

QString CGridCtrl::CellTip(int row, int column) const
{
    if (!m_cellTip || row < 0 || row >= GetRowCount() || column < 0 ||
        column >= GetColumnCount()) {
        return {};
    }
    return m_cellTip(row, column);
}

bool CGridCtrl::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_cellTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const GridCellCoord cell = CellFromPoint(help->pos());
        const QString tip = CellTip(cell.row, cell.column);
        if (tip.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport(), CellRect(cell.row, cell.column));
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}
