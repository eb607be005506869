#include "data/ColourContrast.h"

#include <algorithm>
#include <cmath>

namespace colour_contrast {

namespace {

double Luminance(const Rgb& colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
           0.0722 * linear(colour.blue);
}

Rgb Mix(const Rgb& front, const Rgb& back, double share)
{
    const auto channel = [share](int f, int b) { return int(b + (f - b) * share + 0.5); };
    return {channel(front.red, back.red), channel(front.green, back.green),
            channel(front.blue, back.blue)};
}

} // namespace

double Ratio(const Rgb& a, const Rgb& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb Readable(const Rgb& wanted, const Rgb& background)
{
    if (Ratio(wanted, background) >= kReadable) {
        return wanted;
    }
    // Towards black on a light background, towards white on a dark one; in small steps, so the
    // colour keeps as much of its hue as it can.
    const Rgb end = Luminance(background) > 0.18 ? Rgb{0, 0, 0} : Rgb{255, 255, 255};
    for (int step = 1; step <= 20; ++step) {
        const Rgb moved = Mix(end, wanted, step / 20.0);
        if (Ratio(moved, background) >= kReadable) {
            return moved;
        }
    }
    return end;
}

} // namespace colour_contrast
