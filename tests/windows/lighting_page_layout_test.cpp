// The lighting page's effect buttons: families per keyboard type, their places and numbers.
#include <gtest/gtest.h>

#include "device/device_types.h"
#include "windows/lighting_page_layout.h"

namespace qx {
namespace {

TEST(LightingPageLayout, EachTypeGetsItsFamilyWithOneButtonPerEffect) {
    for (int type : {1, 2, 3, 5, 6}) {
        const LightEffectFamily* family = LightEffectFamilyOf(type);
        ASSERT_NE(family, nullptr) << type;
        const DeviceTypeInfo* info = FindDeviceType(type);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(static_cast<int>(family->buttons.size()), info->effectCount) << type;
        EXPECT_EQ(family->lastId - family->firstId + 1, info->effectCount) << type;
        EXPECT_EQ(family->order.size(), family->buttons.size());
        for (const LightEffectButton& b : family->buttons) {
            EXPECT_FALSE(LightEffectButtonRect(*family, b.id) == LayoutRect{}) << b.id;
            EXPECT_EQ(EffectNumberOfButton(b.id), b.id - family->firstId + 1);
        }
    }
    EXPECT_EQ(LightEffectFamilyOf(0), nullptr);
    EXPECT_EQ(LightEffectFamilyOf(4), nullptr);
}

TEST(LightingPageLayout, PlacesButtonsInColumnsWithTheFirstRowSwap) {
    struct Case {
        int type, id;
        LayoutRect rect;
    };
    const Case cases[] = {
        {3, 45, {90, 535, 250, 568}},  {3, 47, {260, 535, 420, 568}}, {3, 46, {430, 535, 590, 568}},
        {3, 48, {600, 535, 760, 568}}, {3, 60, {600, 640, 760, 673}}, {2, 63, {260, 535, 420, 568}},
        {2, 62, {430, 535, 590, 568}}, {2, 70, {260, 605, 420, 638}}, {5, 72, {260, 525, 420, 551}},
        {5, 87, {90, 665, 250, 691}},  {6, 88, {260, 665, 420, 691}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LightEffectButtonRect(*LightEffectFamilyOf(c.type), c.id), c.rect) << c.type << "/" << c.id;
    EXPECT_EQ(LightEffectButtonRect(*LightEffectFamilyOf(5), 45), LayoutRect{}) << "not of that family";
}

TEST(LightingPageLayout, EffectNumbersAreRelativeToTheFamily) {
    EXPECT_EQ(EffectNumberOfButton(47), 3);  // SingleOff on types 1, 2 and 3
    EXPECT_EQ(EffectNumberOfButton(63), 3);
    EXPECT_EQ(EffectNumberOfButton(73), 3);  // Serpentine on types 5 and 6
    for (int id : {0, 44, 89, 100, -1}) EXPECT_EQ(EffectNumberOfButton(id), 0) << id;
    EXPECT_EQ(LightEffectFamilyOf(2)->buttons.back().textId, 230) << "text 229 is skipped";
}

}  // namespace
}  // namespace qx
