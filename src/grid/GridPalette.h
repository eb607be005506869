#pragma once

#include <QColor>

class QPalette;

/// Colours the program's own widgets derive from the palette, so that lines, marks and texts
/// keep their contrast in light and dark colour schemes alike. A fixed colour (or the style's
/// own outline, which some styles take from the window colour) can vanish against a dark cell
/// background.
namespace grid_palette {

/// `share` of `front` over `back` (0 gives `back`, 1 gives `front`).
QColor Mix(const QColor& front, const QColor& back, double share);
/// The grid lines: a quarter of the way from the base colour to the text colour.
QColor LineColour(const QPalette& palette);
/// An outline drawn on `background` next to text of colour `text`: plainly visible, yet
/// lighter than the text itself.
QColor MarkColour(const QColor& text, const QColor& background);

/// The contrast ratio and the readable colour of colour_contrast, for Qt colours.
double Contrast(const QColor& a, const QColor& b);
QColor Readable(const QColor& wanted, const QColor& background);
/// The palette's link colour, made readable on `background`.
QColor LinkColour(const QPalette& palette, const QColor& background);
/// A row tint for the palette's base colour: `lightTint` is how it looks on white; on another
/// base the base moves by the same amount (so on a dark base the tint is a dark shade of the
/// same hue), and the text stays readable on it.
QColor Tint(const QPalette& palette, const QColor& lightTint);

} // namespace grid_palette
