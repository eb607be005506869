#include "grid/GridPalette.h"

#include <QPalette>

#include <algorithm>
#include <cmath>

namespace grid_palette {

namespace {
constexpr double kLineShare = 0.25;
constexpr double kMarkShare = 0.6;

double Luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
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
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Readable(const QColor& wanted, const QColor& background)
{
    if (Contrast(wanted, background) >= kReadableContrast) {
        return wanted;
    }
    // Towards black on a light background, towards white on a dark one; in small steps, so the
    // colour keeps as much of its hue as it can.
    const QColor end = Luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    for (int step = 1; step <= 20; ++step) {
        const QColor moved = Mix(end, wanted, step / 20.0);
        if (Contrast(moved, background) >= kReadableContrast) {
            return moved;
        }
    }
    return end;
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
