// Screenshots of the key-function menu with an open submenu and of the three popups beside it,
// in English and Chinese, for a person to look at. Each also checks the popup is where it belongs.
#include "tests/keymenu/key_menu_fixture.h"
#include "windows/custom_light_dialog.h"
#include "windows/menu_custom_key_dialog.h"
#include "windows/menu_macro_dialog.h"

namespace qx::test {
namespace {

std::string UnixPath(const QxUI::CString& path) {
    std::wstring w = path.GetString();
    if (w.size() < 3 || (w[0] != L'Z' && w[0] != L'z') || w[1] != L':') return std::string();
    std::string out;
    for (size_t i = 2; i < w.size(); ++i) out += w[i] == L'\\' ? '/' : static_cast<char>(w[i]);
    return out;
}

void SaveScreen(const std::wstring& name) {
    const QxUI::CString png = qxtest::ScreenshotPath(name.c_str());
    const std::string unix = UnixPath(png);
    ASSERT_FALSE(unix.empty()) << "the build tree is expected on Z:";
    ::DeleteFileW(png.GetString());
    qxtest::PumpMessages();
    ASSERT_TRUE(qxtest::RunXdotool({"exec", "--sync", "import", "-window", "root", "-crop", "1100x760+0+0", unix}));
    EXPECT_NE(::GetFileAttributesW(png.GetString()), INVALID_FILE_ATTRIBUTES);
}

// The popup's top-left corner is 12 pixels right of its row's top-right corner.
void ExpectBesideRow(HWND popup, QxUI::QxKBMenuWnd& menu, UINT row) {
    RECT r;
    ASSERT_TRUE(::GetWindowRect(popup, &r));
    const POINT corner = menu.GetItemScreenPoint(row);
    EXPECT_EQ(r.left, corner.x + 12);
    EXPECT_EQ(r.top, corner.y);
}

class KeyMenuScreens : public KeyMenuFixture, public ::testing::WithParamInterface<int> {
protected:
    std::wstring Suffix() const { return GetParam() == kLangChinese ? L"_zh.png" : L"_en.png"; }
    void Open() {
        SetCurrentLanguage(GetParam());
        Start(5);
        MacroRow macro;
        for (const wchar_t* name : {L"Copy paste", L"连发 Fire"}) {
            macro.name = name;
            controller->Database().InsertMacro(macro);
        }
        OpenMenuOn(0x04);
    }
};

TEST_P(KeyMenuScreens, MenuWithSubmenu) {
    Open();
    PointAtCategory(601, [&] { return menu->Submenu() != nullptr; });
    ExpectBesideRow(menu->Submenu()->GetSafeHwnd(), *menu->KeyMenu(), 601);
    ASSERT_TRUE(PointAtRow(*menu->Submenu(), 636));
    SaveScreen(L"keymenu_submenu" + Suffix());
}

TEST_P(KeyMenuScreens, KeyCombinationDialog) {
    Open();
    PointAtCategory(604, [&] { return menu->CustomKeyDialog() != nullptr; });
    MenuCustomKeyDlg& dialog = *menu->CustomKeyDialog();
    ExpectBesideRow(dialog.GetSafeHwnd(), *menu->KeyMenu(), 604);
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 70, 23));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return dialog.IsCapturing(); }, kWait));
    ASSERT_TRUE(qxtest::KeyDown("shift"));
    ASSERT_TRUE(qxtest::KeyPress("f"));
    ASSERT_TRUE(qxtest::KeyUp("shift"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return dialog.Captured().keyName == L"F"; }, kWait));
    SaveScreen(L"keymenu_keycombination" + Suffix());
}

TEST_P(KeyMenuScreens, MacroDialog) {
    Open();
    PointAtCategory(602, [&] { return menu->MacroDialog() != nullptr; });
    ExpectBesideRow(menu->MacroDialog()->GetSafeHwnd(), *menu->KeyMenu(), 602);
    SaveScreen(L"keymenu_macro" + Suffix());
}

TEST_P(KeyMenuScreens, ColourDialog) {
    Open();
    PointAtCategory(605, [&] { return menu->LightDialog() != nullptr; });
    ExpectBesideRow(menu->LightDialog()->GetSafeHwnd(), *menu->KeyMenu(), 605);
    SaveScreen(L"keymenu_colour" + Suffix());
}

INSTANTIATE_TEST_SUITE_P(Languages, KeyMenuScreens, ::testing::Values(kLangEnglish, kLangChinese));

}  // namespace
}  // namespace qx::test
