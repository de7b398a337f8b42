// Popup menus: the column of rows, widening, hover and click messages posted to the creator,
// closing rules, row looks; a two-level key-function menu screenshot.
#include <gtest/gtest.h>

#include <vector>

#include "tests/toolkit/controls/skin_copy.h"
#include "tests/toolkit/support/buffer_png.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/menu_item.h"
#include "toolkit/controls/menu_layout.h"
#include "toolkit/controls/menu_wnd.h"
#include "toolkit/controls/qxkb_menu_wnd.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/ui_notify.h"

namespace {

// Bound of every wait for a window's reaction: generous, for a loaded machine.
constexpr int kWait = 10000;

using QxUI::CPoint;
using QxUI::CRect;
using QxUI::MenuColumn;
using QxUI::MenuMetrics;
using QxUI::MenuRowShape;

constexpr UINT kMenuMessage = WM_APP + 40;
constexpr int kHostX = 100, kHostY = 100;
constexpr DWORD kHoverFill = 0x479CEB;

// The window that creates the menus and receives their posted message.
class MenuHost : public qxtest::RecordingDialog {
public:
    struct Posted {
        WPARAM wParam;
        LPARAM lParam;
    };
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kMenuMessage) {
            posted.push_back(Posted{wParam, lParam});
            return 0;
        }
        return RecordingDialog::OnWindowMessage(msg, wParam, lParam);
    }
    int Count(WPARAM wParam, LPARAM id) const {
        int n = 0;
        for (const Posted& p : posted) n += p.wParam == wParam && p.lParam == id;
        return n;
    }
    std::vector<Posted> posted;
};

// A MenuWnd that says when it is deleted (it deletes itself).
class WatchedMenu : public QxUI::MenuWnd {
public:
    WatchedMenu(QxUI::MObject* parent, bool* deleted) : MenuWnd(parent), m_deleted(deleted) {}
    ~WatchedMenu() override { *m_deleted = true; }

private:
    bool* m_deleted;
};

DWORD Rgb(DWORD argb) { return argb & 0x00FFFFFF; }

DWORD PixelOf(QxUI::MMenuWindow& menu, int x, int y) {
    QxUI::OffScreenSurface surface;
    CRect client;
    menu.GetClientRect(&client);
    if (!menu.GetPaintManager()->PaintToSurface(surface, client)) return 0xDEADBEEF;
    return Rgb(surface.GetPixel(x, y));
}

bool Near(DWORD a, DWORD b, int tolerance) {
    for (int shift : {0, 8, 16}) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d < -tolerance || d > tolerance) return false;
    }
    return true;
}

CRect WindowRectOf(HWND hwnd) {
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return CRect(r);
}

TEST(MenuLayout, ColumnHeightsAndRows) {
    const MenuMetrics kb{36, 10, true, 12, 12};
    const MenuMetrics small{40, 2, false, 0, 0};
    std::vector<MenuRowShape> seven(7, MenuRowShape{true, false});
    MenuColumn k = QxUI::LayoutMenuColumn(kb, 180, 12, seven);
    EXPECT_EQ(k.height, 12 + 7 * 36 + 12);
    EXPECT_EQ(k.rows[0], CRect(10, 12, 170, 48));
    EXPECT_EQ(k.rows[6], CRect(10, 12 + 6 * 36, 170, 12 + 7 * 36));
    MenuColumn s = QxUI::LayoutMenuColumn(small, 120, 12, std::vector<MenuRowShape>(3, MenuRowShape{true, false}));
    EXPECT_EQ(s.height, 120);
    EXPECT_EQ(s.rows[2], CRect(2, 80, 118, 120));

    // A separator is a one-pixel line in 4 pixels; a hidden row takes no room; margins of 0 count as 2.
    MenuColumn mixed = QxUI::LayoutMenuColumn(MenuMetrics{36, 10, true, 0, 0}, 180, 12,
                                              {{true, false}, {true, true}, {false, false}, {true, false}});
    EXPECT_EQ(mixed.rows[0], CRect(10, 2, 170, 38));
    EXPECT_EQ(mixed.rows[1], CRect(13, 39, 179, 40));
    EXPECT_TRUE(mixed.rows[2].IsRectEmpty());
    EXPECT_EQ(mixed.rows[3], CRect(10, 42, 170, 78));
    EXPECT_EQ(mixed.height, 78 + 2);
    EXPECT_EQ(QxUI::LayoutMenuColumn(kb, 180, 12, {}).height, 24);
}

TEST(MenuLayout, WideningNeverNarrows) {
    struct Case {
        int width, text, expected;
    };
    const Case cases[] = {{180, 100, 180}, {180, 164, 180}, {180, 165, 181}, {120, 200, 216}, {216, 10, 216}};
    for (const Case& c : cases) EXPECT_EQ(QxUI::WidenMenu(c.width, 12, c.text), c.expected) << c.width << "/" << c.text;
}

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(host.CreateAt(kHostX, kHostY, 600, 400), nullptr);
        qxtest::PumpMessages();
    }
    void TearDown() override {
        host.DestroyWindow();
        qxtest::PumpMessages();
    }
    // A QxKBMenuWnd at client point (x, y) of the host with rows "Row 0" ... on ids 100 + i.
    void OpenKeyMenu(QxUI::QxKBMenuWnd& menu, int rows, int x = 200, int y = 40) {
        menu.GetPaintManager()->AddTempFont(L"Arial", qxtest::TestFontPath());
        menu.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
        ASSERT_TRUE(menu.Create(host.GetSafeHwnd(), CPoint(kHostX + x, kHostY + y), kMenuMessage));
        for (int i = 0; i < rows; ++i) {
            wchar_t text[16];
            swprintf(text, 16, L"Row %d", i);
            menu.AddMenu(text, 100 + i, QxUI::CString(), 0, 0);
        }
        menu.ShowWindow(SW_SHOW);
        qxtest::PumpMessages();
    }
    static int RowMiddle(int row) { return 12 + row * 36 + 18; }
    MenuHost host;
};

TEST_F(MenuTest, HeightsFollowTheRows) {
    QxUI::QxKBMenuWnd keyMenu(&host);
    OpenKeyMenu(keyMenu, 7);
    CRect k = WindowRectOf(keyMenu.GetSafeHwnd());
    EXPECT_EQ(k.Height(), 276);
    EXPECT_EQ(k.Width(), 180);
    EXPECT_EQ(k.left, kHostX + 200);
    // A tool window owned by its creator, without caption or sizing frame.
    HWND kh = keyMenu.GetSafeHwnd();
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(kh, GWL_EXSTYLE)), static_cast<DWORD>(WS_EX_TOOLWINDOW));
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(kh, GWL_STYLE)) & (WS_CAPTION | WS_THICKFRAME), 0u);
    EXPECT_EQ(::GetWindow(kh, GW_OWNER), host.GetSafeHwnd());
    wchar_t title[32] = {};
    ::GetWindowTextW(kh, title, 32);
    EXPECT_STREQ(title, L"Menu Window");

    auto* small = new QxUI::MenuWnd(&host);
    small->GetPaintManager()->AddTempFont(L"Arial", qxtest::TestFontPath());
    // The background does not exist: the menu works without it.
    ASSERT_TRUE(small->Create(host.GetSafeHwnd(), CPoint(kHostX + 20, kHostY + 20), kMenuMessage,
                              QxUI::CString(L"no_such_background.png"), 30, 120, QxUI::BACK_MODE_FRAME));
    for (UINT id : {1u, 2u, 3u}) small->AddMenu(L"Item", id, QxUI::CString(), 0, 0);
    CRect s = WindowRectOf(small->GetSafeHwnd());
    EXPECT_EQ(s.Height(), 120);
    EXPECT_EQ(s.Width(), 120);
    // A separator between two rows takes 4 pixels.
    QxUI::QxKBMenuWnd split(&host);
    OpenKeyMenu(split, 1, 400, 40);
    split.AddSeparator(50, QxUI::CString());
    split.AddMenu(L"After", 51, QxUI::CString(), 0, 0);
    EXPECT_EQ(WindowRectOf(split.GetSafeHwnd()).Height(), 12 + 36 + 4 + 36 + 12);
    EXPECT_EQ(split.GetControl(51)->GetRect(), CRect(10, 52, 170, 88));

    HWND smallHwnd = small->GetSafeHwnd();
    small->CloseWindow();  // the object deletes itself with its window
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !::IsWindow(smallHwnd); }, kWait));
}

TEST_F(MenuTest, WideTextWidensTheMenuAndShortTextNeverNarrowsIt) {
    QxUI::QxKBMenuWnd menu(&host);
    OpenKeyMenu(menu, 1);
    HWND hwnd = menu.GetSafeHwnd();
    EXPECT_EQ(WindowRectOf(hwnd).Width(), 180);

    const wchar_t* longText = L"Multimedia and system functions of the key";
    Gdiplus::FontFamily* family = menu.GetPaintManager()->FindTempFont(L"Arial");
    ASSERT_NE(family, nullptr);
    Gdiplus::Font font(family, 15, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    int textWidth = QxUI::MRender::GetTextBounds(font, format, longText).Width;
    ASSERT_GT(textWidth, 180 - 16);

    menu.AddMenu(longText, 200, QxUI::CString(), 0, 0);
    int wide = WindowRectOf(hwnd).Width();
    EXPECT_EQ(wide, textWidth + 12 + 4);
    EXPECT_EQ(menu.GetControl(100)->GetRect().right, wide - 10) << "earlier rows widen with the menu";
    EXPECT_EQ(WindowRectOf(hwnd).Height(), 12 + 2 * 36 + 12);

    menu.AddMenu(L"Mute", 201, QxUI::CString(), 0, 0);
    EXPECT_EQ(WindowRectOf(hwnd).Width(), wide);
    EXPECT_EQ(WindowRectOf(hwnd).Height(), 12 + 3 * 36 + 12);
}

TEST_F(MenuTest, EveryMoveWithinARowPostsHover) {
    QxUI::QxKBMenuWnd menu(&host);
    OpenKeyMenu(menu, 3);
    HWND hwnd = menu.GetSafeHwnd();
    const int y = RowMiddle(1);
    int expected = 0;
    for (int x : {40, 60, 80, 100, 120}) {
        ASSERT_TRUE(qxtest::MoveTo(hwnd, x, y + (x % 3)));
        ++expected;
        EXPECT_TRUE(qxtest::PumpUntil([&] { return host.Count(QxUI::NOTIFY_HOVER_ITEM, 101) >= expected; }, kWait))
            << "move to x " << x;
    }
    EXPECT_EQ(host.Count(QxUI::NOTIFY_HOVER_ITEM, 100), 0);
    // The hovered row shows the hover fill, the others do not.
    EXPECT_TRUE(Near(PixelOf(menu, 14, 12 + 36 + 3), kHoverFill, 2));
    EXPECT_FALSE(Near(PixelOf(menu, 14, 12 + 3), kHoverFill, 20));

    // Moving on to the next row hovers it and drops the first one's look.
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 50, RowMiddle(2)));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return host.Count(QxUI::NOTIFY_HOVER_ITEM, 102) >= 1; }, kWait));
    EXPECT_FALSE(Near(PixelOf(menu, 14, 12 + 36 + 3), kHoverFill, 20));
    EXPECT_EQ(host.Count(QxUI::NOTIFY_CLICK, 101), 0);
}

TEST_F(MenuTest, PressOnOneRowAndReleaseOnAnotherIsNoChoice) {
    QxUI::QxKBMenuWnd menu(&host);
    OpenKeyMenu(menu, 4);
    HWND hwnd = menu.GetSafeHwnd();
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 60, RowMiddle(0)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return host.Count(QxUI::NOTIFY_HOVER_ITEM, 100) >= 1; }, kWait));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 60, RowMiddle(2)));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    // The pressed row lets go of its pressed look once the release reached it.
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !Near(PixelOf(menu, 14, 12 + 3), kHoverFill, 20); }, kWait));
    qxtest::PumpMessages();
    EXPECT_EQ(host.Count(QxUI::NOTIFY_CLICK, 100), 0);
    EXPECT_EQ(host.Count(QxUI::NOTIFY_CLICK, 102), 0);
    EXPECT_TRUE(::IsWindow(hwnd));

    // A real click on a row posts its id and closes the window; the object lives on.
    ASSERT_TRUE(qxtest::ClickAt(hwnd, 80, RowMiddle(3)));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return host.Count(QxUI::NOTIFY_CLICK, 103) == 1 && !::IsWindow(hwnd); }, kWait));
    EXPECT_EQ(menu.GetSafeHwnd(), nullptr);
    EXPECT_EQ(menu.GetMenuWidth(), 180);
}

TEST_F(MenuTest, ChoosingAButtonMenuRowPostsItsIdAndTheMenuDeletesItself) {
    bool deleted = false;
    auto* menu = new WatchedMenu(&host, &deleted);
    menu->GetPaintManager()->AddTempFont(L"Arial", qxtest::TestFontPath());
    ASSERT_TRUE(menu->Create(host.GetSafeHwnd(), CPoint(kHostX + 40, kHostY + 60), kMenuMessage));
    menu->SetTextColor(Gdiplus::Color(0xFFFFFFFF), Gdiplus::Color(0xFF646464));
    for (UINT id : {7u, 8u, 9u}) menu->AddMenu(L"Language", id, QxUI::CString(), 1, 0);
    HWND hwnd = menu->GetSafeHwnd();
    menu->ShowWindow(SW_SHOW);
    // Rows 40 high from the top: the third one is 80 ... 120.
    ASSERT_TRUE(qxtest::ClickAt(hwnd, 60, 100));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return deleted; }, kWait));
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(host.Count(QxUI::NOTIFY_CLICK, 9), 1);
    EXPECT_EQ(host.Count(QxUI::NOTIFY_CLICK, 8), 0);
}

TEST_F(MenuTest, ClickOutsideClosesAButtonMenuButNotAKeyMenu) {
    QxUI::QxKBMenuWnd keyMenu(&host);
    OpenKeyMenu(keyMenu, 2, 300, 40);
    HWND keyHwnd = keyMenu.GetSafeHwnd();
    ::SetForegroundWindow(keyHwnd);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetForegroundWindow() == keyHwnd; }, kWait));
    ASSERT_TRUE(qxtest::ClickAt(host.GetSafeHwnd(), 30, 30));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetForegroundWindow() == host.GetSafeHwnd(); }, kWait));
    qxtest::PumpMessages();
    EXPECT_TRUE(::IsWindow(keyHwnd));
    EXPECT_TRUE(::IsWindowVisible(keyHwnd));

    bool deleted = false;
    auto* menu = new WatchedMenu(&host, &deleted);
    ASSERT_TRUE(menu->Create(host.GetSafeHwnd(), CPoint(kHostX + 40, kHostY + 60), kMenuMessage));
    for (UINT id : {1u, 2u, 3u}) menu->AddMenu(L"Item", id, QxUI::CString(), 0, 0);
    HWND hwnd = menu->GetSafeHwnd();
    menu->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(hwnd);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetForegroundWindow() == hwnd; }, kWait));
    ASSERT_TRUE(qxtest::ClickAt(host.GetSafeHwnd(), 30, 300));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return deleted; }, kWait)) << "the button menu deletes itself once closed";
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_TRUE(::IsWindow(keyHwnd));
    EXPECT_TRUE(host.posted.empty());
}

TEST_F(MenuTest, DisabledRowIsGreyAndPopupArrowShowsOnlyWhileHovered) {
    // A red arrow makes the arrow easy to find.
    ::CreateDirectoryW((qxtest::TestSkinDirectory() + L"icon").GetString(), nullptr);
    ASSERT_TRUE(qxtest::WriteSkinPng(L"icon\\icon_arrow_right.png", 12, 12, [](int, int) { return 0xFFFF0000u; }));
    QxUI::QxKBMenuWnd menu(&host);
    menu.GetPaintManager()->AddTempFont(L"Arial", qxtest::TestFontPath());
    menu.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
    ASSERT_TRUE(menu.Create(host.GetSafeHwnd(), CPoint(kHostX + 200, kHostY + 40), kMenuMessage));
    menu.AddMenu(L"Multimedia", 601, QxUI::CString(), 1, 0);
    menu.AddMenu(L"WWWWWWWW", 602, QxUI::CString(), 0, 0);
    menu.ShowWindow(SW_SHOW);
    HWND hwnd = menu.GetSafeHwnd();

    auto greyTextIn = [&](int row) {
        QxUI::OffScreenSurface s;
        menu.GetPaintManager()->PaintToSurface(s, CRect(0, 0, 180, 96));
        for (int y = 12 + row * 36; y < 12 + row * 36 + 36; ++y)
            for (int x = 10; x < 170; ++x)
                if (Near(Rgb(s.GetPixel(x, y)), 0x808080, 3)) return true;
        return false;
    };
    EXPECT_FALSE(greyTextIn(1)) << "0x646464 text over black never reaches 0x80";
    menu.GetControl(602)->SetControlEnabled(FALSE);
    EXPECT_TRUE(greyTextIn(1));
    menu.GetControl(602)->SetControlEnabled(TRUE);
    EXPECT_FALSE(greyTextIn(1));

    const int arrowX = 170 - 6, arrowY = RowMiddle(0);
    EXPECT_FALSE(Near(PixelOf(menu, arrowX, arrowY), 0xFF0000, 8));
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 60, RowMiddle(0)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return host.Count(QxUI::NOTIFY_HOVER_ITEM, 601) >= 1; }, kWait));
    EXPECT_TRUE(Near(PixelOf(menu, arrowX, arrowY), 0xFF0000, 8));
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 60, RowMiddle(1)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return host.Count(QxUI::NOTIFY_HOVER_ITEM, 602) >= 1; }, kWait));
    EXPECT_FALSE(Near(PixelOf(menu, arrowX, arrowY), 0xFF0000, 8));
    EXPECT_TRUE(Near(PixelOf(menu, 14, 12 + 36 + 3), kHoverFill, 2));
}

TEST_F(MenuTest, PendingRowChangesApplyWhenTheWindowIsMade) {
    QxUI::QxKBMenuWnd menu(&host);
    menu.GetPaintManager()->AddTempFont(L"Arial", qxtest::TestFontPath());
    menu.AddMenu(L"Keep", 1, QxUI::CString(), 0, 0);
    menu.AddMenu(L"Hide", 2, QxUI::CString(), 0, 0);
    menu.AddMenu(L"Off", 3, QxUI::CString(), 0, 0);
    menu.SetItemVisible(L"Hide", 0);
    menu.SetItemEnable(L"Off", 0);
    menu.SetItemTitle(L"Keep", L"Kept");
    menu.SetItemCheck(L"No such row", 1);
    ASSERT_TRUE(menu.Create(host.GetSafeHwnd(), CPoint(kHostX + 10, kHostY + 10), kMenuMessage));
    EXPECT_EQ(WindowRectOf(menu.GetSafeHwnd()).Height(), 12 + 2 * 36 + 12);
    EXPECT_FALSE(menu.GetControl(2)->IsVisible());
    EXPECT_FALSE(menu.GetControl(3)->IsEnabled());
    EXPECT_EQ(static_cast<QxUI::MenuItem*>(menu.GetControl(1))->GetTitle(), L"Kept");
    EXPECT_EQ(menu.GetControl(3)->GetRect(), CRect(10, 48, 170, 84));
}

// Composes what the screen shows: the host and each menu blended at its place.
bool SaveScreenshot(MenuHost& host, std::vector<QxUI::MMenuWindow*> menus, const wchar_t* name) {
    CRect hostRect = WindowRectOf(host.GetSafeHwnd());
    QxUI::OffScreenSurface canvas;
    if (!host.GetPaintManager()->PaintToSurface(canvas, CRect(0, 0, hostRect.Width(), hostRect.Height()))) return false;
    for (QxUI::MMenuWindow* menu : menus) {
        QxUI::OffScreenSurface s;
        CRect r = WindowRectOf(menu->GetSafeHwnd());
        if (!menu->GetPaintManager()->PaintToSurface(s, CRect(0, 0, r.Width(), r.Height()))) return false;
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        QxUI::MRender::GetAlphaBlend()(canvas.GetDC(), r.left - hostRect.left, r.top - hostRect.top, r.Width(),
                                       r.Height(), s.GetDC(), 0, 0, r.Width(), r.Height(), blend);
    }
    QxUI::OffScreenSurface::Flush();
    return qxtest::SaveSurfacePng(canvas, qxtest::ScreenshotPath(name), false);
}

TEST_F(MenuTest, ScreenshotOfATwoLevelKeyFunctionMenu) {
    for (const wchar_t* file : {L"img_menubkg_keyfunc.png", L"img_menu_rowhover.png", L"icon\\icon_arrow_right.png"})
        if (!qxtest::CopyGeneratedSkinFile(file)) GTEST_SKIP() << "the skin is not built (target qx_skin)";
    host.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF30343C), Gdiplus::Color(0xFF30343C));
    auto setUp = [&](QxUI::QxKBMenuWnd& menu, CPoint screen) {
        menu.GetPaintManager()->AddTempFont(L"Arial", qxtest::TestFontPath());
        EXPECT_TRUE(menu.Create(host.GetSafeHwnd(), screen, kMenuMessage, QxUI::CString(L"img_menubkg_keyfunc.png"),
                                20, 180, QxUI::BACK_MODE_FRAME));
        EXPECT_TRUE(menu.SetRowHoverImage(L"img_menu_rowhover.png", 0));
    };
    QxUI::QxKBMenuWnd first(&host);
    setUp(first, CPoint(kHostX + 40, kHostY + 30));
    const wchar_t* kinds[] = {L"System", L"Multimedia", L"Macro", L"Mouse", L"Key Combination", L"Lighting"};
    for (UINT i = 0; i < 6; ++i) first.AddMenu(kinds[i], 600 + i, QxUI::CString(), 1, 0);
    first.AddMenu(L"Default", 0, QxUI::CString(), 0, 0);
    first.ShowWindow(SW_SHOW);
    first.UpdateWindow();
    ASSERT_TRUE(qxtest::MoveTo(first.GetSafeHwnd(), 70, RowMiddle(1)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return host.Count(QxUI::NOTIFY_HOVER_ITEM, 601) >= 1; }, kWait));

    // As the program does on a hover: the second level opens beside the hovered row, which
    // keeps its lit look (the checked look) while the pointer is in the second level.
    static_cast<QxUI::MenuItem*>(first.GetControl(601))->SetControlCheck(1);
    QxUI::QxKBMenuWnd second(&host);
    CPoint at = first.GetItemScreenPoint(601);
    setUp(second, CPoint(at.x + 10, at.y - 12));
    const wchar_t* media[] = {L"Play/Pause", L"Stop", L"Previous", L"Next", L"Volume +", L"Volume -", L"Mute"};
    for (UINT i = 0; i < 7; ++i) second.AddMenu(media[i], 630 + i, QxUI::CString(), 0, 0);
    second.ShowWindow(SW_SHOWNOACTIVATE);
    second.UpdateWindow();
    ASSERT_TRUE(qxtest::MoveTo(second.GetSafeHwnd(), 70, RowMiddle(6)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return host.Count(QxUI::NOTIFY_HOVER_ITEM, 636) >= 1; }, kWait));
    EXPECT_EQ(WindowRectOf(first.GetSafeHwnd()).Height(), 276);
    EXPECT_EQ(WindowRectOf(second.GetSafeHwnd()).left, WindowRectOf(first.GetSafeHwnd()).right);
    EXPECT_TRUE(::IsWindowVisible(first.GetSafeHwnd())) << "the first level stays open beside the second";
    EXPECT_TRUE(SaveScreenshot(host, {&first, &second}, L"menu_two_levels.png"));
}

}  // namespace
