// Loading a layout section into the view, the lookup tables and the first colour rows.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "resources/keyboard_layout.h"
#include "storage/config_database.h"
#include "storage/sqlite_db.h"
#include "tests/layout/layout_test_support.h"

namespace qx {
namespace {

constexpr char kLayout[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<KeyboardLayout>
  <LayoutOther left="1" top="2" width="3" height="4" image="other.png"/>
  <LayoutQxKB52 left="20" top="80" width="1000" height="330" type="7" image="kb52.png" key_xpos="30" key_ypos="12">
    <Note text="skipped"/>
    <KeyItems>
      <key code="0x29" key_index="1" light_index="1" name="Esc" desc="Escape" rect_left="2" rect_top="3" rect_width="40" rect_height="38"/>
      <key code="3A" key_index="2" light_index="5" name="F1" rect_left="50" rect_top="3" rect_width="40" rect_height="38"/>
      <key code="0x3B" key_index="0" light_index="6" name="F2"/>
      <key code="0x3C" light_index="7" name="F3"/>
      <key code="0x3D" key_index="9" light_index="0" name="F4"/>
      <group><key code="0x77" key_index="3" light_index="3" name="nested"/></group>
      <key code="0x29" key_index="11" light_index="12" name="Esc again" desc="second"/>
      <keys code="0x78" key_index="4" light_index="4" name="not a key"/>
    </KeyItems>
  </LayoutQxKB52>
  <LayoutQxKBRS40 left="120" top="80" width="800" height="330" image="rs40.png" key_xpos="10" key_ypos="20">
    <KeyItems>
      <key code="0x04" key_index="1" light_index="1" name="A"/>
      <key code="0x05" key_index="2" light_index="2" name="B"/>
    </KeyItems>
  </LayoutQxKBRS40>
  <LayoutQxKB74 left="110" top="80" width="840" height="330">
    <KeyItems>
      <key code="0x04" key_index="47" light_index="47" name="A"/>
    </KeyItems>
  </LayoutQxKB74>
  <LayoutNoKeys left="5" top="6" width="10" height="20" image="nokeys.png" key_xpos="7" key_ypos="8">
    <Keyitems><key code="0x04" key_index="1" light_index="1"/></Keyitems>
  </LayoutNoKeys>
</KeyboardLayout>
)";

const wchar_t* ModelOf(int deviceType)
{
    switch (deviceType) {
    case 1: return L"QxKB52";
    case 2: return L"QxKBRS40";
    case 3: return L"QxKBRS40-24G";
    default: return L"QxKB74";
    }
}

class KeyboardLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { path_ = dir_.WriteFile(L"KeyboardLayout.xml", kLayout); }

    LayoutLoadResult Load(int deviceType, int profile, const std::wstring& section, const std::wstring& path = L"")
    {
        if (!db_.IsOpen()) EXPECT_TRUE(db_.OpenForModel(dir_.DataDir(), ModelOf(deviceType)));
        return LoadKeyboardLayout({path.empty() ? path_ : path, section, deviceType, profile}, view_, db_, tables_);
    }
    // Rows of profile that exist, found by colouring every key code of the view in that profile.
    int RowsOfProfile(int profile)
    {
        for (const test::RecordedKey& key : view_.keys) {
            KeyRgbRow row;
            row.profile = profile;
            row.light = kKeyRgbLight;
            row.keyCode = static_cast<int>(key.keyValue);
            row.keyRgb = 0x336699;
            db_.UpdateKeyRgb(row);
        }
        std::vector<KeyRgbRow> rows;
        return db_.GetKeyRgbs(profile, rows);
    }
    void PrefillTables()
    {
        tables_.keyIndex[0x99] = 1;
        tables_.lightIndex[0x99] = 1;
        view_.keys.push_back({L"stale", L"", 0x99, {}});
    }
    void ExpectEmptyView()
    {
        EXPECT_EQ(view_.clears, 1);
        EXPECT_TRUE(view_.keys.empty());
        EXPECT_TRUE(tables_.keyIndex.empty());
        EXPECT_TRUE(tables_.lightIndex.empty());
    }

    test::ScratchDataDir dir_;
    std::wstring path_;
    ConfigDatabase db_;
    test::RecordingView view_;
    KeyboardLayoutTables tables_;
};

TEST_F(KeyboardLayoutTest, SectionSetsRectanglePictureAndKeyOffset)
{
    ASSERT_EQ(Load(1, 1, L"LayoutQxKB52"), LayoutLoadResult::Loaded);
    EXPECT_EQ(view_.clears, 1);
    EXPECT_EQ(view_.rect, (LayoutRect{20, 80, 1020, 410}));
    ASSERT_EQ(view_.images.size(), 1u);
    EXPECT_EQ(view_.images[0], L"keyboard\\kb52.png");
    EXPECT_EQ(view_.offsetX, 30);
    EXPECT_EQ(view_.offsetY, 12);
}

TEST_F(KeyboardLayoutTest, EveryKeyEntersTheViewInFileOrder)
{
    ASSERT_EQ(Load(1, 1, L"LayoutQxKB52"), LayoutLoadResult::Loaded);
    ASSERT_EQ(view_.keys.size(), 6u);   // not the nested key, not "keys"
    const std::vector<uint32_t> codes = {0x29, 0x3A, 0x3B, 0x3C, 0x3D, 0x29};
    for (size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(view_.keys[i].keyValue, codes[i]) << i;
    EXPECT_EQ(view_.keys[0].name, L"Esc");
    EXPECT_EQ(view_.keys[0].desc, L"Escape");
    EXPECT_EQ(view_.keys[0].rect, (LayoutRect{32, 15, 72, 53}));   // (2, 3, 42, 41) moved by (30, 12)
    EXPECT_EQ(view_.keys[1].desc, L"");
    EXPECT_EQ(view_.keys[2].rect, (LayoutRect{30, 12, 30, 12}));   // missing attributes read as 0
    EXPECT_EQ(view_.keys[5].name, L"Esc again");
}

TEST_F(KeyboardLayoutTest, OnlyKeysWithBothIndexesEnterTheTablesAndLaterOnesWin)
{
    PrefillTables();
    ASSERT_EQ(Load(1, 1, L"LayoutQxKB52"), LayoutLoadResult::Loaded);
    const std::map<uint32_t, int> keyIndex = {{0x29, 11}, {0x3A, 2}};
    const std::map<uint32_t, int> lightIndex = {{0x29, 12}, {0x3A, 5}};
    EXPECT_EQ(tables_.keyIndex, keyIndex);     // F2 (key_index 0), F3 (none), F4 (light 0) left out
    EXPECT_EQ(tables_.lightIndex, lightIndex);
}

TEST_F(KeyboardLayoutTest, TypeOneCreatesRowsForTheCurrentProfileOnly)
{
    ASSERT_EQ(Load(1, 3, L"LayoutQxKB52"), LayoutLoadResult::Loaded);
    EXPECT_EQ(db_.CountKeyRgbs(), 6);   // one per key element, duplicates and index-less keys included
    EXPECT_EQ(RowsOfProfile(3), 6);
    for (int profile : {1, 2, 4, 5}) EXPECT_EQ(RowsOfProfile(profile), 0) << profile;
}

TEST_F(KeyboardLayoutTest, OtherFamiliesCreateRowsForAllFiveProfiles)
{
    struct Case {
        int deviceType;
        const wchar_t* section;
        int keys;
    } cases[] = {{2, L"LayoutQxKBRS40", 2}, {3, L"LayoutQxKBRS40", 2}, {5, L"LayoutQxKB74", 1}, {6, L"LayoutQxKB74", 1}};
    for (const Case& c : cases) {
        test::ScratchDataDir dir;
        ConfigDatabase db;
        ASSERT_TRUE(db.OpenForModel(dir.DataDir(), ModelOf(c.deviceType)));
        test::RecordingView view;
        KeyboardLayoutTables tables;
        ASSERT_EQ(LoadKeyboardLayout({path_, c.section, c.deviceType, 2}, view, db, tables), LayoutLoadResult::Loaded);
        EXPECT_EQ(db.CountKeyRgbs(), 5 * c.keys) << c.deviceType;
        for (int profile = 1; profile <= 5; ++profile) {
            for (const test::RecordedKey& key : view.keys) db.UpdateKeyRgb({0, profile, kKeyRgbLight, static_cast<int>(key.keyValue), 7});
            std::vector<KeyRgbRow> rows;
            EXPECT_EQ(db.GetKeyRgbs(profile, rows), c.keys) << c.deviceType << " profile " << profile;
        }
    }
}

TEST_F(KeyboardLayoutTest, RowsGoInProfileOrderKeyByKey)
{
    ASSERT_EQ(Load(5, 1, L"LayoutQxKB74"), LayoutLoadResult::Loaded);
    // rgb_id follows insertion: profile p of the only key got rgb_id p.
    for (int profile = 1; profile <= 5; ++profile) {
        db_.UpdateKeyRgb({0, profile, kKeyRgbLight, 0x04, 100 + profile});
        std::vector<KeyRgbRow> rows;
        ASSERT_EQ(db_.GetKeyRgbs(profile, rows), 1);
        EXPECT_EQ(rows[0].rgbId, profile);
        EXPECT_EQ(rows[0].light, kKeyRgbLight);
    }
}

TEST_F(KeyboardLayoutTest, UnknownDeviceTypesCreateNoRows)
{
    for (int deviceType : {0, 4, 7}) {
        test::ScratchDataDir dir;
        ConfigDatabase db;
        ASSERT_TRUE(db.OpenForModel(dir.DataDir(), L"QxKB74"));
        test::RecordingView view;
        KeyboardLayoutTables tables;
        ASSERT_EQ(LoadKeyboardLayout({path_, L"LayoutQxKB52", deviceType, 1}, view, db, tables), LayoutLoadResult::Loaded);
        EXPECT_EQ(db.CountKeyRgbs(), 0) << deviceType;
        EXPECT_EQ(view.keys.size(), 6u);
    }
}

TEST_F(KeyboardLayoutTest, ASecondLoadCreatesNoRowsEvenForNewKeys)
{
    ASSERT_EQ(Load(2, 1, L"LayoutQxKBRS40"), LayoutLoadResult::Loaded);
    ASSERT_EQ(db_.CountKeyRgbs(), 10);
    ASSERT_EQ(Load(2, 1, L"LayoutQxKBRS40"), LayoutLoadResult::Loaded);
    EXPECT_EQ(db_.CountKeyRgbs(), 10);
    EXPECT_EQ(view_.clears, 2);
    EXPECT_EQ(view_.keys.size(), 2u);   // the first load's keys are gone
    // A section with more keys later on still adds none.
    ASSERT_EQ(Load(2, 1, L"LayoutQxKB52"), LayoutLoadResult::Loaded);
    EXPECT_EQ(db_.CountKeyRgbs(), 10);
}

TEST_F(KeyboardLayoutTest, AClosedDatabaseOnlyCostsTheRows)
{
    ConfigDatabase closed;
    ASSERT_EQ(LoadKeyboardLayout({path_, L"LayoutQxKB52", 1, 1}, view_, closed, tables_), LayoutLoadResult::Loaded);
    EXPECT_EQ(view_.keys.size(), 6u);
    EXPECT_EQ(tables_.keyIndex.size(), 2u);
}

// Another program holding the database: the keys still reach the view and the tables, and the
// colour rows come whole or not at all; the next load makes those that are missing.
TEST_F(KeyboardLayoutTest, ALockedDatabaseGetsItsColourRowsOnTheNextLoad)
{
    struct Case {
        const char* name;
        const char* lockSql;
        bool loadedBefore;
    } cases[] = {{"reserved", "BEGIN IMMEDIATE", false},
                 {"exclusive", "BEGIN EXCLUSIVE", false},
                 {"exclusive_after_first_use", "BEGIN EXCLUSIVE", true}};
    for (const Case& c : cases) {
        test::ScratchDataDir dir;
        ConfigDatabase db;
        ASSERT_TRUE(db.OpenForModel(dir.DataDir(), L"QxKBRS40"));
        test::RecordingView view;
        KeyboardLayoutTables tables;
        const KeyboardLayoutRequest request{path_, L"LayoutQxKBRS40", 2, 1};
        if (c.loadedBefore) ASSERT_EQ(LoadKeyboardLayout(request, view, db, tables), LayoutLoadResult::Loaded);
        const int rowsBefore = db.CountKeyRgbs();

        SQLiteDB other;
        ASSERT_TRUE(other.Open(db.Path().c_str(), kSqliteOpenReadWrite));
        ASSERT_EQ(other.Execute(c.lockSql), kSqliteOk);
        EXPECT_EQ(LoadKeyboardLayout(request, view, db, tables), LayoutLoadResult::Loaded) << c.name;
        EXPECT_EQ(view.keys.size(), 2u) << c.name;
        EXPECT_EQ(tables.keyIndex.size(), 2u) << c.name;
        ASSERT_EQ(other.Execute("ROLLBACK"), kSqliteOk);
        EXPECT_EQ(db.CountKeyRgbs(), rowsBefore) << c.name;

        ASSERT_EQ(LoadKeyboardLayout(request, view, db, tables), LayoutLoadResult::Loaded);
        EXPECT_EQ(db.CountKeyRgbs(), 10) << c.name;
    }
}

TEST_F(KeyboardLayoutTest, MissingOrBrokenFileLeavesTheViewEmpty)
{
    PrefillTables();
    EXPECT_EQ(Load(1, 1, L"LayoutQxKB52", dir_.DataDir() + L"missing.xml"), LayoutLoadResult::FileFailed);
    ExpectEmptyView();
    EXPECT_FALSE(view_.rectSet);
    EXPECT_TRUE(view_.images.empty());
    EXPECT_FALSE(view_.positionSet);

    const std::wstring broken = dir_.WriteFile(L"broken.xml", std::string(kLayout) + "<extra/>");
    test::RecordingView view;
    EXPECT_EQ(LoadKeyboardLayout({broken, L"LayoutQxKB52", 1, 1}, view, db_, tables_), LayoutLoadResult::FileFailed);
    EXPECT_TRUE(view.keys.empty());
    EXPECT_FALSE(view.rectSet);
    EXPECT_EQ(db_.CountKeyRgbs(), 0);
}

TEST_F(KeyboardLayoutTest, MissingRootOrSectionLeavesTheViewEmpty)
{
    const std::wstring otherRoot = dir_.WriteFile(L"other.xml", "<Layouts><LayoutQxKB52 left='1'/></Layouts>");
    PrefillTables();
    EXPECT_EQ(Load(1, 1, L"LayoutQxKB52", otherRoot), LayoutLoadResult::NoRoot);
    ExpectEmptyView();
    EXPECT_FALSE(view_.rectSet);

    test::RecordingView view;
    EXPECT_EQ(LoadKeyboardLayout({path_, L"LayoutQxKBRS40-24G", 3, 1}, view, db_, tables_), LayoutLoadResult::NoSection);
    EXPECT_TRUE(view.keys.empty());
    EXPECT_FALSE(view.rectSet);
    EXPECT_TRUE(view.images.empty());
    // Section names match whole and by case.
    EXPECT_EQ(LoadKeyboardLayout({path_, L"LayoutQxKB5", 1, 1}, view, db_, tables_), LayoutLoadResult::NoSection);
    EXPECT_EQ(LoadKeyboardLayout({path_, L"layoutqxkb52", 1, 1}, view, db_, tables_), LayoutLoadResult::NoSection);
    EXPECT_EQ(db_.CountKeyRgbs(), 0);
}

TEST_F(KeyboardLayoutTest, MissingKeyItemsKeepsRectangleAndPictureButNoKeys)
{
    PrefillTables();
    EXPECT_EQ(Load(5, 1, L"LayoutNoKeys"), LayoutLoadResult::NoKeyItems);
    ExpectEmptyView();
    EXPECT_EQ(view_.rect, (LayoutRect{5, 6, 15, 26}));
    ASSERT_EQ(view_.images.size(), 1u);
    EXPECT_EQ(view_.images[0], L"keyboard\\nokeys.png");
    EXPECT_EQ(view_.offsetX, 7);
    EXPECT_EQ(view_.offsetY, 8);
    EXPECT_EQ(db_.CountKeyRgbs(), 0);
}

TEST_F(KeyboardLayoutTest, SectionWithoutPictureOrOffsetsReadsEmptyAndZero)
{
    ASSERT_EQ(Load(5, 1, L"LayoutQxKB74"), LayoutLoadResult::Loaded);
    ASSERT_EQ(view_.images.size(), 1u);
    EXPECT_EQ(view_.images[0], L"keyboard\\");
    EXPECT_EQ(view_.offsetX, 0);
    EXPECT_EQ(view_.offsetY, 0);
}

TEST_F(KeyboardLayoutTest, ExtremeNumbersDoNotOverflow)
{
    const std::wstring path = dir_.WriteFile(L"big.xml",
        "<KeyboardLayout><S left='2147483000' top='-2147483000' width='99999999999' height='-99999999999'>"
        "<KeyItems><key code='0x1FFFFFFFF' key_index='99999999999' light_index='-5' rect_left='2147483647'"
        " rect_width='2147483647' rect_top='-2147483648' rect_height='-1'/></KeyItems></S></KeyboardLayout>");
    ASSERT_EQ(Load(1, 1, L"S", path), LayoutLoadResult::Loaded);
    EXPECT_EQ(view_.rect, (LayoutRect{2147483000, -2147483000, 2147483647, -2147483647 - 1}));
    ASSERT_EQ(view_.keys.size(), 1u);
    EXPECT_EQ(view_.keys[0].keyValue, 0xFFFFFFFFu);
    EXPECT_TRUE(tables_.keyIndex.empty());
}

TEST(LayoutSection, ChosenByDeviceType)
{
    const std::wstring initial = kInitialLayoutSection;
    EXPECT_EQ(initial, L"LayoutQxKBRS40-24G");
    EXPECT_EQ(LayoutSectionForDevice(1, initial), L"LayoutQxKB52");
    EXPECT_EQ(LayoutSectionForDevice(2, initial), L"LayoutQxKBRS40");
    EXPECT_EQ(LayoutSectionForDevice(3, initial), L"LayoutQxKBRS40");
    EXPECT_EQ(LayoutSectionForDevice(5, initial), L"LayoutQxKB74");
    EXPECT_EQ(LayoutSectionForDevice(6, initial), L"LayoutQxKB74");
    for (int other : {0, 4, 7, -1}) {
        EXPECT_EQ(LayoutSectionForDevice(other, initial), initial);
        EXPECT_EQ(LayoutSectionForDevice(other, L"LayoutQxKB52"), L"LayoutQxKB52");
    }
}

TEST(LayoutFilePath, JoinsTheProgramDirectory)
{
    EXPECT_EQ(KeyboardLayoutFilePath(L"C:\\Program\\"), L"C:\\Program\\KeyboardLayout.xml");
    EXPECT_EQ(KeyboardLayoutFilePath(L"/opt/qx/"), L"/opt/qx/KeyboardLayout.xml");
    const std::wstring joined = KeyboardLayoutFilePath(L"dir");
    EXPECT_TRUE(joined == L"dir\\KeyboardLayout.xml" || joined == L"dir/KeyboardLayout.xml");
    EXPECT_EQ(KeyboardLayoutFilePath(L""), L"KeyboardLayout.xml");
}

}  // namespace
}  // namespace qx
