#pragma once

#include <QColor>

class QPalette;

/// Colours the grid derives from the palette, so that lines and marks keep their contrast in
/// light and dark colour schemes alike. A fixed colour (or the style's own outline, which some
/// styles take from the window colour) can vanish against a dark cell background.
namespace grid_palette {

/// `share` of `front` over `back` (0 gives `back`, 1 gives `front`).
QColor Mix(const QColor& front, const QColor& back, double share);
/// The grid lines: a quarter of the way from the base colour to the text colour.
QColor LineColour(const QPalette& palette);
/// An outline drawn on `background` next to text of colour `text`: plainly visible, yet
/// lighter than the text itself.
QColor MarkColour(const QColor& text, const QColor& background);

} // namespace grid_palette
