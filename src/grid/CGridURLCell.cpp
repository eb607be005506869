#include "grid/CGridURLCell.h"

#include "grid/CGridCtrl.h"
#include "grid/GridPalette.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QPalette>
#include <QUrl>
#include <QWidget>

namespace {

const char* const kLinkPrefixes[] = {"www.",    "http:",   "mailto:", "ftp:",  "https:", "news:",
                                     "gopher:", "telnet:", "url:",    "file:", "ftp."};

void OpenWithDesktop(const QString& word)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(word));
}

CGridURLCell::LinkOpener& Opener()
{
    static CGridURLCell::LinkOpener opener = OpenWithDesktop;
    return opener;
}

} // namespace

CGridURLCell::CGridURLCell() = default;

bool CGridURLCell::HasUrl(const QString& text)
{
    for (const char* prefix : kLinkPrefixes) {
        if (text.contains(QLatin1String(prefix), Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

void CGridURLCell::SetLinkOpener(LinkOpener opener)
{
    Opener() = opener ? std::move(opener) : LinkOpener(OpenWithDesktop);
}

void CGridURLCell::CopyFrom(const CGridCellBase& other)
{
    CGridCell::CopyFrom(other);
    if (auto* link = dynamic_cast<const CGridURLCell*>(&other)) {
        m_linkColour = link->m_linkColour;
        m_launch = link->m_launch;
    }
}

QColor CGridURLCell::ResolvedTextColour() const
{
    if (HasUrl(GetText())) {
        // Unset: the palette's link colour, made readable on the cell's background.
        return m_linkColour != kGridColourUnset
                   ? GridColourToQColor(m_linkColour)
                   : grid_palette::LinkColour(QApplication::palette(), ResolvedBackColour());
    }
    return CGridCell::ResolvedTextColour();
}

QString CGridURLCell::WordAt(int xInText) const
{
    const QString text = GetText();
    if (xInText < 0 || text.isEmpty()) {
        return {};
    }
    // Measured character by character, so a click lands on the word drawn under the pointer
    // even in a proportional font.
    const QFontMetrics metrics = Metrics();
    int index = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (metrics.horizontalAdvance(text.left(i + 1)) > xInText) {
            index = i;
            break;
        }
    }
    if (index < 0 || text.at(index) == QLatin1Char(' ')) {
        return {};
    }
    const int start = text.lastIndexOf(QLatin1Char(' '), index) + 1;
    int end = text.indexOf(QLatin1Char(' '), index);
    if (end < 0) {
        end = int(text.size());
    }
    return text.mid(start, end - start);
}

QString CGridURLCell::LinkAt(const QPoint& pointInCell) const
{
    const QRect cellRect = CurrentRect();
    if (cellRect.isEmpty()) {
        return {};
    }
    QRect textRect(QPoint(0, 0), cellRect.size());
    GetTextRect(textRect);
    const std::uint32_t format = GetFormat();
    int start = textRect.left();
    const int textWidth = Metrics().horizontalAdvance(GetText());
    if (format & grid_format::kCenter) {
        start += (textRect.width() - textWidth) / 2;
    } else if (format & grid_format::kRight) {
        start = textRect.right() + 1 - textWidth;
    }
    const QString word = WordAt(pointInCell.x() - start);
    return HasUrl(word) ? word : QString();
}

void CGridURLCell::OnClick(const QPoint& pointInCell)
{
    if (!m_launch) {
        return;
    }
    const QString word = LinkAt(pointInCell);
    if (!word.isEmpty()) {
        Opener()(word);
    }
}

bool CGridURLCell::OnSetCursor(const QPoint& pointInCell)
{
    CGridCtrl* grid = GetOwner();
    if (!grid || LinkAt(pointInCell).isEmpty()) {
        return false;
    }
    grid->viewport()->setCursor(Qt::PointingHandCursor);
    return true;
}
