#include "grid/GridPalette.h"

#include "data/ColourContrast.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace grid_palette {

namespace {
constexpr double kLineShare = 0.25;
constexpr double kMarkShare = 0.6;

colour_contrast::Rgb ToRgb(const QColor& colour)
{
    return {colour.red(), colour.green(), colour.blue()};
}

} // namespace

QColor Mix(const QColor& front, const QColor& back, double share)
{
    const auto channel = [share](int f, int b) { return int(b + (f - b) * share + 0.5); };
    return QColor(channel(front.red(), back.red()), channel(front.green(), back.green()),
                  channel(front.blue(), back.blue()));
}

QColor LineColour(const QPalette& palette)
{
    return Mix(palette.color(QPalette::Text), palette.color(QPalette::Base), kLineShare);
}

QColor MarkColour(const QColor& text, const QColor& background)
{
    return Mix(text, background, kMarkShare);
}

double Contrast(const QColor& a, const QColor& b)
{
    return colour_contrast::Ratio(ToRgb(a), ToRgb(b));
}

QColor Readable(const QColor& wanted, const QColor& background)
{
    const colour_contrast::Rgb readable =
        colour_contrast::Readable(ToRgb(wanted), ToRgb(background));
    return QColor(readable.red, readable.green, readable.blue);
}

QColor LinkColour(const QPalette& palette, const QColor& background)
{
    return Readable(palette.color(QPalette::Link), background);
}

QColor Tint(const QPalette& palette, const QColor& lightTint)
{
    const QColor base = palette.color(QPalette::Base);
    const auto channel = [](int b, int t) { return std::clamp(b - (255 - t), 0, 255); };
    QColor tint(channel(base.red(), lightTint.red()), channel(base.green(), lightTint.green()),
                channel(base.blue(), lightTint.blue()));
    // A base too dark to take the shade is lifted by it instead.
    if (tint == QColor(Qt::black) || Contrast(tint, base) < 1.05) {
        const auto lift = [](int b, int t) { return std::clamp(b + (255 - t), 0, 255); };
        tint = QColor(lift(base.red(), lightTint.red()), lift(base.green(), lightTint.green()),
                      lift(base.blue(), lightTint.blue()));
    }
    return tint;
}

} // namespace grid_palette
