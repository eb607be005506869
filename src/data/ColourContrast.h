#pragma once

/// Contrast of colours as the accessibility guidelines measure it, for every view that draws
/// text in colours of its own.
namespace colour_contrast {

/// A colour as red, green and blue from 0 to 255.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

/// The contrast every text keeps against its background (the guidelines' level for ordinary
/// text).
inline constexpr double kReadable = 4.5;

/// The contrast ratio of two colours, from 1 (equal) to 21 (black on white).
double Ratio(const Rgb& a, const Rgb& b);

/// `wanted`, darkened or lightened (towards the side with more room) just enough to reach
/// kReadable against `background`; `wanted` itself when it does already.
Rgb Readable(const Rgb& wanted, const Rgb& background);

} // namespace colour_contrast
