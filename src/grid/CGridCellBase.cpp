#include "grid/CGridCellBase.h"

#include "grid/CGridCtrl.h"
#include "grid/CGridDefaultCell.h"

#include <QApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

#include <cmath>

CGridCellBase::~CGridCellBase() = default;

std::uint32_t CGridCellBase::GetFormat() const
{
    return GetDefaultCell()->GetFormat();
}

unsigned CGridCellBase::GetMargin() const
{
    return GetDefaultCell()->GetMargin();
}

QFont CGridCellBase::GetFontObject() const
{
    if (const QFont* own = GetFont()) {
        return *own;
    }
    return GetDefaultCell()->GetFontObject();
}

const CGridDefaultCell* CGridCellBase::GetDefaultCell() const
{
    if (CGridCtrl* grid = GetOwner()) {
        return grid->GetDefaultCell(IsFixedRow(), IsFixedColumn());
    }
    // A cell outside any grid still needs defaults to measure and draw with.
    static CGridDefaultCell* const detached = [] {
        auto* cell = new CGridDefaultCell;
        cell->MeasureFromFont();
        return cell;
    }();
    return detached;
}

QFontMetrics CGridCellBase::Metrics() const
{
    if (const QFont* own = GetFont()) {
        return QFontMetrics(*own);
    }
    return GetDefaultCell()->GetMetrics();
}

void CGridCellBase::CopyFrom(const CGridCellBase& other)
{
    SetText(other.GetText());
    SetImage(other.GetImage());
    SetData(other.GetData());
    SetState(other.GetState());
    SetFormat(other.GetFormat());
    SetTextColour(other.GetTextColour());
    SetBackColour(other.GetBackColour());
    SetFont(other.GetFont());
    SetMargin(other.GetMargin());
}

void CGridCellBase::Reset()
{
    SetText(QString());
    SetImage(-1);
    SetData(0);
    SetState(0);
    SetTextColour(kGridColourUnset);
    SetBackColour(kGridColourUnset);
    SetFont(nullptr);
}

QRect CGridCellBase::CurrentRect() const
{
    CGridCtrl* grid = GetOwner();
    const GridCellCoord at = GetCoords();
    if (!grid || !at.IsValid()) {
        return {};
    }
    return grid->CellRect(at.row, at.column);
}

namespace {

// The cell's own colour, else its default cell's, else the palette's `role`.
QColor ResolvedColour(GridColour own, GridColour fallback, QPalette::ColorRole role)
{
    const GridColour colour = own != kGridColourUnset ? own : fallback;
    return colour != kGridColourUnset ? GridColourToQColor(colour)
                                      : QApplication::palette().color(role);
}

} // namespace

QColor CGridCellBase::ResolvedTextColour() const
{
    return ResolvedColour(GetTextColour(), GetDefaultCell()->GetTextColour(),
                          IsFixed() ? QPalette::ButtonText : QPalette::Text);
}

QColor CGridCellBase::ResolvedBackColour() const
{
    return ResolvedColour(GetBackColour(), GetDefaultCell()->GetBackColour(),
                          IsFixed() ? QPalette::Button : QPalette::Base);
}

void CGridCellBase::DrawBackground(QPainter& painter, const QRect& rect) const
{
    const QPalette palette = QApplication::palette();
    const bool highlighted = (IsSelected() || IsDropHighlighted()) && !IsFixed();
    painter.fillRect(rect, highlighted ? palette.color(QPalette::Highlight) : ResolvedBackColour());
    if (IsFixed()) {
        // A raised header look: light top-left, shadow bottom-right.
        painter.setPen(palette.color(QPalette::Light));
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
        painter.setPen(palette.color(QPalette::Dark));
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
    }
}

static Qt::Alignment AlignmentFromFormat(std::uint32_t format)
{
    Qt::Alignment alignment = Qt::AlignLeft;
    if (format & grid_format::kCenter) {
        alignment = Qt::AlignHCenter;
    } else if (format & grid_format::kRight) {
        alignment = Qt::AlignRight;
    }
    if (format & grid_format::kVCenter) {
        alignment |= Qt::AlignVCenter;
    } else if (format & grid_format::kBottom) {
        alignment |= Qt::AlignBottom;
    } else {
        alignment |= Qt::AlignTop;
    }
    return alignment;
}

void CGridCellBase::DrawText(QPainter& painter, const QRect& textRect, const QColor& colour) const
{
    const QString text = GetText();
    if (text.isEmpty() || textRect.width() <= 0) {
        return;
    }
    const std::uint32_t format = GetFormat();
    const QFontMetrics metrics = Metrics();
    QString shown = text;
    int flags = int(AlignmentFromFormat(format));
    if (format & grid_format::kWordBreak) {
        flags |= Qt::TextWordWrap;
    } else if (format & grid_format::kEndEllipsis) {
        shown = metrics.elidedText(text, Qt::ElideRight, textRect.width());
    }
    if (!(format & grid_format::kNoPrefix)) {
        flags |= Qt::TextShowMnemonic;
    }
    painter.setFont(GetFontObject());
    painter.setPen(colour);
    painter.drawText(textRect, flags, shown);
}

bool CGridCellBase::Draw(QPainter& painter, int /*row*/, int /*column*/, const QRect& rect,
                         bool eraseBackground)
{
    if (rect.width() <= 0 || rect.height() <= 0) {
        return false;
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    if (eraseBackground) {
        DrawBackground(painter, rect);
    }
    const int margin = int(GetMargin());
    const int image = GetImage();
    if (CGridCtrl* grid = GetOwner(); grid && image >= 0 && image < grid->GetImageList().size()) {
        const QPixmap& pixmap = grid->GetImageList().at(image);
        const int y = rect.top() + (rect.height() - pixmap.height()) / 2;
        painter.drawPixmap(rect.left() + margin, y, pixmap);
    }
    QRect textRect = rect;
    GetTextRect(textRect);
    const bool highlighted = (IsSelected() || IsDropHighlighted()) && !IsFixed();
    DrawText(painter, textRect,
             highlighted ? QApplication::palette().color(QPalette::HighlightedText)
                         : ResolvedTextColour());
    if (IsFocused() && !IsFixed()) {
        // A plain frame in the highlight colour; on a highlighted (selected) cell the colour of
        // highlighted text, which stands out from it.
        const QPalette palette = QApplication::palette();
        QPen pen(palette.color(highlighted ? QPalette::HighlightedText : QPalette::Highlight));
        pen.setWidth(kFocusFrameWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    }
    painter.restore();
    return true;
}

bool CGridCellBase::GetTextRect(QRect& rect) const
{
    const int margin = int(GetMargin());
    int left = rect.left() + margin;
    const int image = GetImage();
    if (CGridCtrl* grid = GetOwner(); grid && image >= 0 && image < grid->GetImageList().size()) {
        left += grid->GetImageList().at(image).width() + margin;
    }
    rect.setLeft(std::min(left, rect.right() + 1));
    rect.setRight(std::max(rect.left() - 1, rect.right() - margin));
    return true;
}

QSize CGridCellBase::GetTextExtent(const QString& text) const
{
    const int margin = int(GetMargin());
    QSize size;
    if (const QFont* own = GetFont()) {
        // Rounded up, as the default font's widths are: a text a fraction of a pixel wider
        // than its column is drawn cut.
        const double width = QFontMetricsF(*own).horizontalAdvance(text);
        size = QSize(int(std::ceil(width)), QFontMetrics(*own).height());
    } else {
        const CGridDefaultCell* defaults = GetDefaultCell();
        size = QSize(defaults->TextWidth(text), defaults->GetMetrics().height());
    }
    size += QSize(2 * margin, 2 * margin);
    const int image = GetImage();
    if (CGridCtrl* grid = GetOwner(); grid && image >= 0 && image < grid->GetImageList().size()) {
        const QPixmap& pixmap = grid->GetImageList().at(image);
        size.rwidth() += pixmap.width() + margin;
        size.setHeight(std::max(size.height(), pixmap.height() + 2 * margin));
    }
    return size;
}

QSize CGridCellBase::GetCellExtent() const
{
    return GetTextExtent(GetText());
}
