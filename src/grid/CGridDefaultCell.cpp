#include "grid/CGridDefaultCell.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

CGridDefaultCell::CGridDefaultCell() : m_metrics(m_fontObject) {}

void CGridDefaultCell::SetFont(const QFont* font)
{
    m_fontObject = font ? *font : QFont();
    MeasureFromFont();
}

void CGridDefaultCell::MeasureFromFont()
{
    m_metrics = QFontMetrics(m_fontObject);
    // On an X display text is laid out with hinted, whole-pixel advances; a sum of the
    // fractional advances comes out a few pixels short there, and a fitted text was cut
    // ("Countersp..."). Each character therefore counts its whole-pixel advance.
    const QFontMetricsF exact(m_fontObject);
    for (int i = 0; i < int(m_latinAdvance.size()); ++i) {
        const QChar ch{char16_t(i)};
        m_latinAdvance[size_t(i)] = std::max(float(m_metrics.horizontalAdvance(ch)),
                                             float(std::ceil(exact.horizontalAdvance(ch))));
    }
    const int space = m_metrics.horizontalAdvance(QLatin1Char(' '));
    const int width = m_metrics.horizontalAdvance(QStringLiteral(" XXXXXXXXXXXX "));
    const int height = m_metrics.height();
    if (space <= 0 || width <= 0 || height <= 0) {
        m_defaultMargin = 3;
        m_width = 40;
        m_height = 16;
        return;
    }
    m_defaultMargin = unsigned(space);
    m_width = width;
    m_height = height * 3 / 2;
}

int CGridDefaultCell::TextWidth(const QString& text) const
{
    float width = 0;
    for (const QChar ch : text) {
        const char16_t code = ch.unicode();
        if (code < 0x20 || code > 0xFF || (code >= 0x7F && code < 0xA0)) {
            return m_metrics.horizontalAdvance(text);
        }
        width += m_latinAdvance[code];
    }
    return int(std::ceil(width));
}

int CGridDefaultCell::TextWidthUtf8(std::string_view text) const
{
    float width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        unsigned code = static_cast<unsigned char>(text[i]);
        // Two-byte forms led by 0xC2 or 0xC3 are the rest of Latin-1.
        if ((code == 0xC2 || code == 0xC3) && i + 1 < text.size() &&
            (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            code = ((code & 0x1F) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3F);
            ++i;
        } else if (code >= 0x80) {
            code = 0x100; // beyond Latin-1: the font measures the whole text
        }
        if (code < 0x20 || code > 0xFF || (code >= 0x7F && code < 0xA0)) {
            return m_metrics.horizontalAdvance(
                QString::fromUtf8(text.data(), qsizetype(text.size())));
        }
        width += m_latinAdvance[code];
    }
    return int(std::ceil(width));
}
