// HSL <-> COLORREF conversions of the colour pickers.
#include "toolkit/controls/hsl_color.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using QxUI::HslSteps;

std::string Hex(std::uint32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(c));
    return buffer;
}

TEST(HslColor, PureRedIsHueZeroFullSaturationHalfLightness) {
    HslSteps red = QxUI::RgbToHslSteps(0x0000FF);
    EXPECT_EQ(red.hue, 0);
    EXPECT_EQ(red.saturation, 200);
    EXPECT_EQ(red.lightness, 100);
    EXPECT_EQ(Hex(QxUI::HslStepsToRgb(red)), Hex(0x0000FF));
}

TEST(HslColor, NoSaturationIsTruncatedGrey) {
    // 100 of 200 is 127.5 per channel, truncated: every hue gives the same grey.
    for (int hue : {0, 90, 180, 359})
        EXPECT_EQ(Hex(QxUI::HslStepsToRgb(HslSteps{hue, 0, 100})), Hex(0x7F7F7F)) << "hue " << hue;
    EXPECT_EQ(Hex(QxUI::HslToRgb(0.3, 0, 1.0)), Hex(0xFFFFFF));
    EXPECT_EQ(Hex(QxUI::HslToRgb(0.3, 0, 0.0)), Hex(0x000000));
}

TEST(HslColor, PrimariesAndSecondariesSitAtTheirHues) {
    struct Case {
        std::uint32_t colour;  // COLORREF: red in the low byte
        int hue;
    };
    const Case cases[] = {
        {0x0000FF, 0}, {0x00FFFF, 60}, {0x00FF00, 120}, {0xFFFF00, 180}, {0xFF0000, 240}, {0xFF00FF, 300},
    };
    for (const Case& c : cases) {
        HslSteps s = QxUI::RgbToHslSteps(c.colour);
        // Thirds of a turn are not exact in binary: 120 may come out as 119.99...
        EXPECT_NEAR(s.hue, c.hue, 1) << Hex(c.colour);
        EXPECT_EQ(s.saturation, 200) << Hex(c.colour);
        EXPECT_EQ(s.lightness, 100) << Hex(c.colour);
    }
}

TEST(HslColor, LightAndDarkBranchesOfTheSaturation) {
    // Dark: (max - min) / (max + min); light: (max - min) / (2 - max - min).
    QxUI::HslColor dark = QxUI::RgbToHsl(0x000080);  // red 128
    EXPECT_NEAR(dark.l, 128 / 510.0, 1e-9);
    EXPECT_NEAR(dark.s, 1.0, 1e-9);
    QxUI::HslColor light = QxUI::RgbToHsl(0x8080FF);  // red 255, green and blue 128
    EXPECT_NEAR(light.l, (255 + 128) / 510.0, 1e-9);
    EXPECT_NEAR(light.s, (127 / 255.0) / (2 - 1 - 128 / 255.0), 1e-9);
    EXPECT_NEAR(light.h, 0.0, 1e-9);
}

TEST(HslColor, RoundTripStaysWithinOneStepPerChannel) {
    // Truncation loses at most one step per channel on the way back (yellow comes back as
    // 0x00FEFF: a third of a turn is not exact in binary).
    for (std::uint32_t c : {0x00FFFFu, 0xFFFF00u, 0xFF00FFu, 0x123456u, 0xFEDCBAu, 0x00E1FFu, 0x7F007Cu, 0x010101u, 0xFFFFFEu}) {
        QxUI::HslColor hsl = QxUI::RgbToHsl(c);
        EXPECT_GE(hsl.h, 0.0);
        EXPECT_LE(hsl.h, 1.0);
        std::uint32_t back = QxUI::HslToRgb(hsl.h, hsl.s, hsl.l);
        for (int shift : {0, 8, 16}) {
            int a = static_cast<int>((c >> shift) & 0xFF), b = static_cast<int>((back >> shift) & 0xFF);
            EXPECT_NEAR(b, a, 1) << Hex(c) << " came back as " << Hex(back);
        }
    }
}

TEST(HslColor, HueOutsideOneTurnWrapsAndOutOfRangeInputStaysAColour) {
    EXPECT_EQ(QxUI::HslToRgb(1.0, 1, 0.5), QxUI::HslToRgb(0.0, 1, 0.5));
    // Nonsense lightness never yields more than three bytes.
    EXPECT_EQ(QxUI::HslToRgb(0.5, 1, 3.0) & 0xFF000000u, 0u);
    EXPECT_EQ(QxUI::HslToRgb(0.5, 0, -1.0), 0u);
}

}  // namespace
