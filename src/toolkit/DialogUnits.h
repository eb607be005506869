#pragma once

#include <QRect>

class QFont;

/// Turns dialog units into pixels. A horizontal dialog unit is a quarter of the dialog font's
/// average character width, a vertical one an eighth of its height, so windows keep the
/// proportions of their templates whatever font and screen they meet.
class DialogUnits {
public:
    DialogUnits(int baseWidth, int baseHeight);

    /// Base units of a font: the average width of "A".."Z" and "a".."z", rounded, and the
    /// font's line height.
    static DialogUnits fromFont(const QFont& font);
    /// The font a template names, with a sans-serif face where that face is missing here.
    static QFont templateFont(const QString& family, int pointSize);

    int baseWidth() const { return m_baseWidth; }
    int baseHeight() const { return m_baseHeight; }

    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(const QRect& units) const;
    QSize toPixels(const QSize& units) const;

private:
    int m_baseWidth;
    int m_baseHeight;
};
