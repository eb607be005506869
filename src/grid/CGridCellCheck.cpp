#include "grid/CGridCellCheck.h"

#include "grid/CGridCtrl.h"

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
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
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

void CGridCellCheck::OnClick(const QPoint& pointInCell)
{
    const QRect cell(QPoint(0, 0), QSize(1 << 20, 1 << 20));
    if (GetCheckPlacement(cell).contains(pointInCell)) {
        SetCheck(!m_checked);
    }
}
