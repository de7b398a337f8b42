#include <gtest/gtest.h>

#include "device/key_codes.h"
#include "windows/key_menu_rules.h"

namespace qx {
namespace {

TEST(KeyMenuRules, FirstLevelRowsInScreenOrder) {
    const std::vector<std::pair<int, int>> expected = {{600, 50}, {601, 51}, {602, 52}, {603, 53},
                                                       {604, 54}, {605, 55}, {0, 56}};
    const auto& items = FirstLevelMenuItems();
    ASSERT_EQ(items.size(), expected.size());
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].id, expected[i].first);
        EXPECT_EQ(items[i].textId, expected[i].second);
        EXPECT_EQ(items[i].hasSubmenu, items[i].id != 0);
    }
}

TEST(KeyMenuRules, MouseRowsShowRightButtonBeforeMiddle) {
    const auto& items = SubmenuItems(603);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[1].id, 652);
    EXPECT_EQ(items[1].textId, 83);   // "Right Button"
    EXPECT_EQ(items[2].id, 651);
    EXPECT_EQ(items[2].textId, 84);   // "Middle Button"
}

TEST(KeyMenuRules, SubmenusOnlyForTheirCategories) {
    EXPECT_EQ(SubmenuItems(600).size(), 11u);
    EXPECT_EQ(SubmenuItems(601).size(), 7u);
    for (int category : {0, 602, 604, 605, -1, 999}) {
        EXPECT_TRUE(SubmenuItems(category).empty()) << category;
        EXPECT_FALSE(CategoryHasSubmenu(category)) << category;
    }
    EXPECT_EQ(CategoryOfSubmenuItem(620), 600);
    EXPECT_EQ(CategoryOfSubmenuItem(636), 601);
    EXPECT_EQ(CategoryOfSubmenuItem(651), 603);
    EXPECT_EQ(CategoryOfSubmenuItem(601), 0);
    EXPECT_EQ(CategoryOfSubmenuItem(0), 0);
}

TEST(KeyMenuRules, RecordsOfTheChoices) {
    struct Case {
        KeyMacroRow row;
        int type, value, value2;
        std::wstring desc;
    };
    KeyCombination shiftF1{112, 160, L"Shift", L"F1"};
    const Case cases[] = {
        {DefaultKeyRecord(), 0, 0, 0, L""},
        {SubmenuChoiceRecord(601, 636, L"Mute"), 601, 636, 0, L"Mute"},
        {SubmenuChoiceRecord(600, 614, L"全选"), 600, 614, 0, L"全选"},
        {MacroChoiceRecord(7, L"combo"), 602, 7, 0, L"combo"},
        {KeyCombinationRecord(shiftF1), 604, VkToHidUsage(112), VkToHidUsage(160), L"Shift+F1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.row.macroType, c.type);
        EXPECT_EQ(c.row.macroValue, c.value);
        EXPECT_EQ(c.row.macroValue2, c.value2);
        EXPECT_EQ(c.row.macroValue3, 0);
        EXPECT_EQ(c.row.keyId, 0);
        EXPECT_EQ(c.row.macroDesc, c.desc);
    }
}

TEST(KeyMenuRules, CtrlThenAGivesTheCombination) {
    KeyCombination c;
    CaptureCombinationKey(c, 162, L"Ctrl");
    EXPECT_EQ(CombinationDisplayText(c), L"Ctrl");
    CaptureCombinationKey(c, 'A', L"A");
    EXPECT_EQ(CombinationDisplayText(c), L"Ctrl + A");
    EXPECT_EQ(CombinationDescription(c), L"Ctrl+A");
    const KeyMacroRow row = KeyCombinationRecord(c);
    EXPECT_EQ(row.macroValue, 0x04);    // usage of A
    EXPECT_EQ(row.macroValue2, 0xE0);   // usage of left Ctrl
    // B replaces only the key part.
    CaptureCombinationKey(c, 'B', L"B");
    EXPECT_EQ(CombinationDisplayText(c), L"Ctrl + B");
}

TEST(KeyMenuRules, ModifierAloneAndNamelessEvents) {
    KeyCombination c;
    CaptureCombinationKey(c, 'Q', L"");
    EXPECT_EQ(c.keyCode, 0);
    CaptureCombinationKey(c, 160, L"Shift");
    EXPECT_EQ(CombinationDisplayText(c), L"Shift");
    EXPECT_EQ(c.keyCode, 0);
    EXPECT_EQ(c.modifierCode, 160);
    // A key alone keeps its name without a joiner.
    KeyCombination key;
    CaptureCombinationKey(key, 'A', L"A");
    EXPECT_EQ(CombinationDescription(key), L"A");
    EXPECT_EQ(KeyCombinationRecord(key).macroValue2, 0);
    EXPECT_EQ(CombinationDisplayText(KeyCombination{}), L"");
}

TEST(KeyMenuRules, ModifierRangeIsTheSidedShiftCtrlAlt) {
    for (int vk = 0; vk < 300; ++vk) EXPECT_EQ(IsCombinationModifier(vk), vk >= 160 && vk <= 165) << vk;
}

TEST(KeyMenuRules, Placement) {
    const ScreenPoint light = LightDialogOrigin({100, 200});
    EXPECT_EQ(light.x, 108);
    EXPECT_EQ(light.y, 212);
    const ScreenPoint popup = CategoryPopupOrigin({300, 40});
    EXPECT_EQ(popup.x, 312);
    EXPECT_EQ(popup.y, 40);
}

TEST(KeyMenuRules, MacroDialogHeightByCount) {
    const std::pair<int, int> table[] = {{-1, 35}, {0, 35}, {1, 71}, {2, 107}, {5, 215}, {6, 215}, {7, 215}, {1000, 215}};
    for (auto [count, height] : table) EXPECT_EQ(MacroDialogHeight(count), height) << count;
}

}  // namespace
}  // namespace qx
