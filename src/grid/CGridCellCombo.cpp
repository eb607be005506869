#include "grid/CGridCellCombo.h"

#include "grid/CGridCtrl.h"
#include "grid/CInPlaceCombo.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

static QSize ArrowSize()
{
    const int extent = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {extent, extent};
}

void CGridCellCombo::CopyFrom(const CGridCellBase& other)
{
    CGridCell::CopyFrom(other);
    if (auto* combo = dynamic_cast<const CGridCellCombo*>(&other)) {
        m_options = combo->m_options;
        m_style = combo->m_style;
    }
}

bool CGridCellCombo::Draw(QPainter& painter, int row, int column, const QRect& rect,
                          bool eraseBackground)
{
    CGridCtrl* grid = GetOwner();
    const QSize arrow = ArrowSize();
    const bool editable = grid && grid->IsCellEditable(row, column);
    if (!editable || IsEditing() || rect.width() <= arrow.width() ||
        rect.height() < arrow.height()) {
        return CGridCell::Draw(painter, row, column, rect, eraseBackground);
    }
    const QRect button(rect.right() - arrow.width() + 1, rect.top(), arrow.width(),
                       std::min(arrow.height(), rect.height()));
    CGridCell::Draw(painter, row, column, rect.adjusted(0, 0, -arrow.width(), 0), eraseBackground);
    QStyleOption option;
    option.rect = button;
    option.state = QStyle::State_Enabled;
    option.palette = QApplication::palette();
    painter.save();
    painter.fillRect(button, option.palette.color(QPalette::Button));
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter);
    painter.restore();
    return true;
}

QSize CGridCellCombo::GetCellExtent() const
{
    const QSize arrow = ArrowSize();
    return CGridCell::GetCellExtent() + QSize(arrow.width(), arrow.height());
}

bool CGridCellCombo::Edit(int row, int column, const QRect& rect, const QPoint& /*point*/,
                          int /*controlId*/, int firstChar)
{
    if (IsEditing() || !GetOwner()) {
        return IsEditing();
    }
    SetEditor(
        new CInPlaceCombo(GetOwner(), rect, row, column, m_options, m_style, GetText(), firstChar));
    return true;
}

void CGridCellCombo::EndEdit()
{
    CGridCell::EndEdit();
}
