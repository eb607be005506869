#include "grid/GridPalette.h"

#include <QPalette>

namespace grid_palette {

namespace {
constexpr double kLineShare = 0.25;
constexpr double kMarkShare = 0.6;
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

} // namespace grid_palette
