#pragma once
#include <cstdint>

#if defined(_WIN32)
#include "toolkit/core/qxui_export.h"
#else
#define QXUI_API
#endif

// Colour conversions shared by the colour pickers. Plain C++ without Windows headers, so they
// are also built and tested natively. Colours are COLORREF values: red in the low byte, then
// green, then blue (0x00BBGGRR).
namespace QxUI {

struct HslColor {
    double h;  // hue 0 ... 1 (1 is a full turn)
    double s;  // saturation 0 ... 1
    double l;  // lightness 0 ... 1
};

// The pickers keep hue in degrees (0 ... 360) and saturation and lightness in 0 ... 200.
struct HslSteps {
    int hue;
    int saturation;
    int lightness;
};

// Each channel is truncated, so lightness 0.5 at saturation 0 gives the grey 127.
QXUI_API std::uint32_t HslToRgb(double h, double s, double l);
QXUI_API HslColor RgbToHsl(std::uint32_t colour);

// The same through the stepped form: hue / 360, saturation / 200, lightness / 200.
QXUI_API std::uint32_t HslStepsToRgb(const HslSteps& steps);
QXUI_API HslSteps RgbToHslSteps(std::uint32_t colour);

}  // namespace QxUI
