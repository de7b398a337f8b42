#include "windows/lighting_page_layout.h"

namespace qx {

namespace {
constexpr int kColumnLeft[] = {90, 260, 430, 600};

const LightEffectFamily kFeatureFamily{
    45, 60, 2, true, 33, {535, 570, 605, 640},
    {45, 47, 46, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60},
    {{45, 201, L"icon//icon_light_continued.png"},    {46, 202, L"icon//icon_light_continued.png"},
     {47, 203, L"icon//icon_light_continued.png"},    {48, 204, L"icon//icon_light_continued.png"},
     {49, 205, L"icon//icon_light_fallenflowers.png"}, {50, 206, L"icon//icon_light_colorful.png"},
     {51, 207, L"icon//icon_light_breathing.png"},    {52, 208, L"icon//icon_light_spectrumcycle.png"},
     {53, 209, L"icon//icon_light_continued.png"},    {54, 210, L"icon//icon_light_series.png"},
     {55, 211, L"icon//icon_light_adrift.png"},       {56, 212, L"icon//icon_light_continued.png"},
     {57, 213, L"icon//icon_light_continued.png"},    {58, 214, L"icon//icon_light_continued.png"},
     {59, 215, L"icon//icon_light_pointing.png"},     {60, 216, L"icon//icon_light_eggshells.png"}}};

// Text 229 is not used: the tenth effect takes 230.
const LightEffectFamily kType2Family{
    61, 70, 1, true, 33, {535, 570, 605},
    {61, 63, 62, 64, 65, 66, 67, 68, 69, 70},
    {{61, 220, L"icon//icon_light_continued.png"}, {62, 221, L"icon//icon_light_singleon.png"},
     {63, 222, L"icon//icon_light_singleoff.png"}, {64, 223, L"icon//icon_light_adrift.png"},
     {65, 224, L"icon//icon_light_ripples.png"},   {66, 225, L"icon//icon_light_breathing.png"},
     {67, 226, L"icon//icon_light_spectrumcycle.png"}, {68, 227, L"icon//icon_light_flowing.png"},
     {69, 228, L"icon//icon_light_scrolling.png"}, {70, 230, L"icon//icon_light_turnoff.png"}}};

const LightEffectFamily kOutputFamily{
    71, 88, 2, false, 26, {525, 560, 595, 630, 665},
    {71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88},
    {{71, 251, L"icon//icon_light_continued.png"},    {72, 252, L"icon//icon_light_continued.png"},
     {73, 253, L"icon//icon_light_continued.png"},    {74, 254, L"icon//icon_light_continued.png"},
     {75, 255, L"icon//icon_light_fallenflowers.png"}, {76, 256, L"icon//icon_light_colorful.png"},
     {77, 257, L"icon//icon_light_breathing.png"},    {78, 258, L"icon//icon_light_spectrumcycle.png"},
     {79, 259, L"icon//icon_light_continued.png"},    {80, 260, L"icon//icon_light_series.png"},
     {81, 261, L"icon//icon_light_adrift.png"},       {82, 262, L"icon//icon_light_continued.png"},
     {83, 263, L"icon//icon_light_continued.png"},    {84, 264, L"icon//icon_light_continued.png"},
     {85, 265, L"icon//icon_light_pointing.png"},     {86, 266, L"icon//icon_light_eggshells.png"},
     {87, 267, L"icon//icon_light_continued.png"},    {88, 268, L"icon//icon_light_eggshells.png"}}};
}  // namespace

const LightEffectFamily* LightEffectFamilyOf(int deviceType) {
    switch (deviceType) {
        case 1:
        case 3:
            return &kFeatureFamily;
        case 2:
            return &kType2Family;
        case 5:
        case 6:
            return &kOutputFamily;
        default:
            return nullptr;
    }
}

LayoutRect LightEffectButtonRect(const LightEffectFamily& family, int id) {
    for (size_t i = 0; i < family.order.size(); ++i) {
        if (family.order[i] != id) continue;
        const size_t row = i / 4, column = i % 4;
        if (row >= family.rowTops.size()) return {};
        const int left = kColumnLeft[column], top = family.rowTops[row];
        return {left, top, left + kEffectColumnWidth, top + family.buttonHeight};
    }
    return {};
}

int EffectNumberOfButton(int id) {
    if (id >= 45 && id <= 60) return id - 44;
    if (id >= 61 && id <= 70) return id - 60;
    if (id >= 71 && id <= 88) return id - 70;
    return 0;
}

}  // namespace qx
