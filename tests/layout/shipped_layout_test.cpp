// The KeyboardLayout.xml the program ships: every section loads, with the keys the keyboards
// have and slots that fit each protocol family's reports.
#include <algorithm>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "device/key_codes.h"
#include "resources/keyboard_layout.h"
#include "storage/config_database.h"
#include "tests/layout/layout_test_support.h"

namespace qx {
namespace {

// Next to the test binary; see CMakeLists.txt.
const wchar_t kShippedLayout[] = L"KeyboardLayout.xml";

struct Loaded {
    test::RecordingView view;
    KeyboardLayoutTables tables;
    LayoutLoadResult result;
};

Loaded LoadSection(int deviceType)
{
    Loaded out;
    ConfigDatabase closed;   // colour rows are not the subject here
    out.result = LoadKeyboardLayout({kShippedLayout, LayoutSectionForDevice(deviceType, kInitialLayoutSection), deviceType, 1},
                                    out.view, closed, out.tables);
    return out;
}

struct Family {
    int deviceType;
    size_t keys;
    int maxKeyIndex;     // the largest key index the family's key report has room for
    int maxLightIndex;   // likewise for the colour report
};

// Type 1: key map frame up to index 158, 144 LED entries (0-143). Type 3 (same section as type
// 2): key map up to 142, colour frame entries 0-125. Types 5 and 6: factory defaults for key
// indexes 1-131, colour table slots up to 133.
const Family kFamilies[] = {{1, 104, 158, 143}, {2, 61, 142, 125}, {3, 61, 142, 125}, {5, 82, 131, 133}, {6, 82, 131, 133}};

class ShippedLayoutTest : public ::testing::TestWithParam<Family> {};

TEST_P(ShippedLayoutTest, SectionLoadsWithEveryKeyInTheTables)
{
    const Family f = GetParam();
    const Loaded l = LoadSection(f.deviceType);
    ASSERT_EQ(l.result, LayoutLoadResult::Loaded);
    EXPECT_EQ(l.view.keys.size(), f.keys);
    EXPECT_EQ(l.tables.keyIndex.size(), f.keys);
    EXPECT_EQ(l.tables.lightIndex.size(), f.keys);
    ASSERT_EQ(l.view.images.size(), 1u);
    EXPECT_EQ(l.view.images[0].rfind(L"keyboard\\kb_", 0), 0u);
}

TEST_P(ShippedLayoutTest, CodesAndSlotsAreUniqueAndFitTheReports)
{
    const Family f = GetParam();
    const Loaded l = LoadSection(f.deviceType);
    std::set<int> keyIndexes, lightIndexes;
    for (const auto& [code, index] : l.tables.keyIndex) {
        EXPECT_TRUE(keyIndexes.insert(index).second) << "key index twice: " << index;
        EXPECT_GE(index, 1);
        EXPECT_LE(index, f.maxKeyIndex) << code;
        EXPECT_GT(code, 0u);
        EXPECT_LE(code, 0xFFu);   // HID keyboard usages
    }
    for (const auto& [code, index] : l.tables.lightIndex) {
        EXPECT_TRUE(lightIndexes.insert(index).second) << "light index twice: " << index;
        EXPECT_GE(index, 1);
        EXPECT_LE(index, f.maxLightIndex) << code;
    }
}

TEST_P(ShippedLayoutTest, KeysLieInsideThePictureWithoutOverlapping)
{
    const Loaded l = LoadSection(GetParam().deviceType);
    const LayoutRect view = l.view.rect;
    const int width = view.right - view.left, height = view.bottom - view.top;
    EXPECT_GE(view.left, 0);
    EXPECT_LE(view.right, 1060);   // the main window's client width
    EXPECT_GE(view.top, 72);       // below the title bar
    EXPECT_LE(view.bottom, 418);   // above the reset and profile buttons
    const auto& keys = l.view.keys;
    for (size_t i = 0; i < keys.size(); ++i) {
        const LayoutRect& r = keys[i].rect;
        EXPECT_FALSE(keys[i].name.empty());
        EXPECT_FALSE(keys[i].desc.empty());
        EXPECT_GE(r.right - r.left, 20) << keys[i].desc;
        EXPECT_GE(r.bottom - r.top, 20) << keys[i].desc;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height) << keys[i].desc;
        for (size_t j = 0; j < i; ++j) {
            const LayoutRect& o = keys[j].rect;
            const bool overlap = std::max(r.left, o.left) < std::min(r.right, o.right) &&
                                 std::max(r.top, o.top) < std::min(r.bottom, o.bottom);
            EXPECT_FALSE(overlap) << keys[i].desc << " / " << keys[j].desc;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Families, ShippedLayoutTest, ::testing::ValuesIn(kFamilies),
                         [](const auto& info) { return "Type" + std::to_string(info.param.deviceType); });

TEST(ShippedLayout, TypeTwoKeysAreExactlyTheKeyboardsPositions)
{
    const Loaded l = LoadSection(2);
    std::set<int> positions;
    for (const test::RecordedKey& key : l.view.keys) {
        const int position = HidUsageToType2KeyPosition(key.keyValue);
        EXPECT_NE(position, 0) << key.desc;
        positions.insert(position);
    }
    EXPECT_EQ(positions.size(), 61u);   // all 61 positions, each once
}

TEST(ShippedLayout, OutputReportKeysSitInTheSlotsOfTheirFactoryFunction)
{
    const Loaded l = LoadSection(5);
    for (const auto& [code, keyIndex] : l.tables.keyIndex) {
        const KeyEntry entry = DefaultKeyEntry(keyIndex - 1);
        if (entry[0] == kKeyEntryInternal) {
            EXPECT_EQ(code, 0xAFu) << "only Fn is a keyboard-internal function";
            continue;
        }
        ASSERT_EQ(entry[0], kKeyEntryKeyboard) << std::hex << code;
        if (entry[2] != 0) {
            EXPECT_EQ(entry[2], code) << std::hex << code;
            EXPECT_EQ(entry[1], 0);
        } else {
            EXPECT_EQ(entry[1], ModifierUsageToBit(code)) << std::hex << code;
        }
        EXPECT_EQ(l.tables.lightIndex.at(code), keyIndex);
    }
}

TEST(ShippedLayout, FeatureFamilyIndexesFollowTheSwitchMatrix)
{
    for (int deviceType : {1, 3}) {
        const Loaded l = LoadSection(deviceType);
        for (const auto& [code, keyIndex] : l.tables.keyIndex) {
            EXPECT_LE((keyIndex - 1) % 21, 20);
            EXPECT_LE((keyIndex - 1) / 21, 5);
            EXPECT_EQ(l.tables.lightIndex.at(code), keyIndex);
        }
    }
}

TEST(ShippedLayout, InitialSectionShowsTheSixtyPercentBoard)
{
    ConfigDatabase closed;
    Loaded initial;
    ASSERT_EQ(LoadKeyboardLayout({kShippedLayout, kInitialLayoutSection, 0, 1}, initial.view, closed, initial.tables),
              LayoutLoadResult::Loaded);
    const Loaded rs40 = LoadSection(2);
    EXPECT_EQ(initial.view.keys.size(), rs40.view.keys.size());
    EXPECT_EQ(initial.tables.keyIndex, rs40.tables.keyIndex);
}

TEST(ShippedLayout, FirstLoadCreatesOneRowPerKey)
{
    test::ScratchDataDir dir;
    ConfigDatabase db;
    ASSERT_TRUE(db.OpenForModel(dir.DataDir(), L"QxKB52"));
    test::RecordingView view;
    KeyboardLayoutTables tables;
    ASSERT_EQ(LoadKeyboardLayout({kShippedLayout, L"LayoutQxKB52", 1, 2}, view, db, tables), LayoutLoadResult::Loaded);
    EXPECT_EQ(db.CountKeyRgbs(), 104);
}

}  // namespace
}  // namespace qx
