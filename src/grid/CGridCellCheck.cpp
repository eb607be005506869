#include "grid/CGridCellCheck.h"

#include "grid/CGridCtrl.h"
#include "grid/GridAccessible.h"
#include "grid/GridPalette.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

int CGridCellCheck::BoxSide()
{
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

bool CGridCellCheck::SetCheck(bool checked)
{
    const bool previous = m_checked;
    m_checked = checked;
    if (CGridCtrl* grid = GetOwner(); grid && GetCoords().IsValid()) {
        grid->RedrawCell(GetCoords().row, GetCoords().column);
        if (previous != checked) {
            GridAccessible::NotifyChecked(grid, GetCoords().row, GetCoords().column);
        }
    }
    return previous;
}

QRect CGridCellCheck::GetCheckPlacement(const QRect& cellRect) const
{
    const int margin = int(GetMargin());
    const int side = BoxSide();
    return QRect(cellRect.left() + margin, cellRect.top() + margin, side, side);
}

void CGridCellCheck::CopyFrom(const CGridCellBase& other)
{
    CGridCell::CopyFrom(other);
    if (auto* check = dynamic_cast<const CGridCellCheck*>(&other)) {
        m_checked = check->m_checked;
    }
}

bool CGridCellCheck::Draw(QPainter& painter, int row, int column, const QRect& rect,
                          bool eraseBackground)
{
    if (!CGridCell::Draw(painter, row, column, rect, eraseBackground)) {
        return false;
    }
    QStyleOptionButton option;
    option.rect = GetCheckPlacement(rect);
    option.state = QStyle::State_Enabled | (m_checked ? QStyle::State_On : QStyle::State_Off);
    option.palette = QApplication::palette();
    const bool highlighted = (IsSelected() || IsDropHighlighted()) && !IsFixed();
    const QColor background =
        highlighted ? option.palette.color(QPalette::Highlight) : ResolvedBackColour();
    const QColor text =
        highlighted ? option.palette.color(QPalette::HighlightedText) : ResolvedTextColour();
    // The check mark follows the cell's text colour, and the box's own face the cell.
    option.palette.setColor(QPalette::Text, text);
    option.palette.setColor(QPalette::WindowText, text);
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
    // Styles outline the box in a shade of the window colour, which disappears on a dark cell:
    // an outline from the cell's own colours keeps an unticked box visible in every scheme.
    painter.setPen(grid_palette::MarkColour(text, background));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter.restore();
    return true;
}

bool CGridCellCheck::GetTextRect(QRect& rect) const
{
    const int margin = int(GetMargin());
    const int left = std::min(rect.left() + BoxSide() + 2 * margin, rect.right() + 1);
    rect.setLeft(left);
    return CGridCell::GetTextRect(rect);
}

QSize CGridCellCheck::GetCellExtent() const
{
    const int extra = BoxSide() + 2 * int(GetMargin());
    return CGridCell::GetCellExtent() + QSize(extra, extra);
}

bool CGridCellCheck::OnToggleKey()
{
    SetCheck(!m_checked);
    return true;
}

void CGridCellCheck::OnClick(const QPoint& pointInCell)
{
    const QRect cell(QPoint(0, 0), QSize(1 << 20, 1 << 20));
    if (GetCheckPlacement(cell).contains(pointInCell)) {
        SetCheck(!m_checked);
    }
}
