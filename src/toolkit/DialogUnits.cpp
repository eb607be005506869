#include "toolkit/DialogUnits.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <algorithm>

namespace {

// a * b / c rounded half away from zero, as dialog-unit arithmetic has always rounded.
int mulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : -((-product + half) / c));
}

} // namespace

DialogUnits::DialogUnits(int baseWidth, int baseHeight)
    : m_baseWidth(std::max(1, baseWidth)), m_baseHeight(std::max(1, baseHeight))
{
}

DialogUnits DialogUnits::fromFont(const QFont& font)
{
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(font);
    const int width = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    return DialogUnits(width, metrics.height());
}

QFont DialogUnits::templateFont(const QString& family, int pointSize)
{
    QFont font(family, pointSize);
    // "MS Sans Serif" and "System" are Windows faces; the nearest sans-serif face stands in.
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int DialogUnits::toPixelsX(int units) const
{
    return mulDiv(units, m_baseWidth, 4);
}

int DialogUnits::toPixelsY(int units) const
{
    return mulDiv(units, m_baseHeight, 8);
}

QRect DialogUnits::toPixels(const QRect& units) const
{
    // Each edge is mapped on its own, so controls that touch in units touch in pixels.
    const int left = toPixelsX(units.x());
    const int top = toPixelsY(units.y());
    return QRect(left, top, toPixelsX(units.x() + units.width()) - left,
                 toPixelsY(units.y() + units.height()) - top);
}

QSize DialogUnits::toPixels(const QSize& units) const
{
    return QSize(toPixelsX(units.width()), toPixelsY(units.height()));
}
