#include "toolkit/controls/hsl_color.h"

namespace QxUI {

namespace {

double HueChannel(double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (6 * t < 1) return p + (q - p) * 6 * t;
    if (2 * t < 1) return q;
    if (3 * t < 2) return p + (q - p) * (2.0 / 3.0 - t) * 6;
    return p;
}

// Truncation, as the stored colours were always made; out-of-range input is held to a byte.
std::uint32_t ToByte(double v) {
    int b = static_cast<int>(v * 255);
    return static_cast<std::uint32_t>(b < 0 ? 0 : b > 255 ? 255 : b);
}

}  // namespace

std::uint32_t HslToRgb(double h, double s, double l) {
    if (s == 0) {
        std::uint32_t grey = ToByte(l);
        return grey | grey << 8 | grey << 16;
    }
    double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    double p = 2 * l - q;
    std::uint32_t r = ToByte(HueChannel(p, q, h + 1.0 / 3.0));
    std::uint32_t g = ToByte(HueChannel(p, q, h));
    std::uint32_t b = ToByte(HueChannel(p, q, h - 1.0 / 3.0));
    return r | g << 8 | b << 16;
}

HslColor RgbToHsl(std::uint32_t colour) {
    double r = (colour & 0xFF) / 255.0;
    double g = ((colour >> 8) & 0xFF) / 255.0;
    double b = ((colour >> 16) & 0xFF) / 255.0;
    double max = r > g ? (r > b ? r : b) : (g > b ? g : b);
    double min = r < g ? (r < b ? r : b) : (g < b ? g : b);
    HslColor out{0, 0, (max + min) / 2};
    if (max == min) return out;
    double d = max - min;
    out.s = out.l < 0.5 ? d / (max + min) : d / (2 - max - min);
    double dr = ((max - r) / 6 + d / 2) / d;
    double dg = ((max - g) / 6 + d / 2) / d;
    double db = ((max - b) / 6 + d / 2) / d;
    if (r == max)
        out.h = db - dg;
    else if (g == max)
        out.h = 1.0 / 3.0 + dr - db;
    else
        out.h = 2.0 / 3.0 + dg - dr;
    if (out.h < 0) out.h += 1;
    if (out.h > 1) out.h -= 1;
    return out;
}

std::uint32_t HslStepsToRgb(const HslSteps& steps) {
    return HslToRgb(steps.hue / 360.0, steps.saturation / 200.0, steps.lightness / 200.0);
}

HslSteps RgbToHslSteps(std::uint32_t colour) {
    HslColor c = RgbToHsl(colour);
    return HslSteps{static_cast<int>(c.h * 360), static_cast<int>(c.s * 200), static_cast<int>(c.l * 200)};
}

}  // namespace QxUI
