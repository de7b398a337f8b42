// The screenshot people look at for labels, pictures, a progress bar and edit fields: one idle
// with its tip text, one open for typing with Latin and Chinese text. Taken from the screen, so
// the native edit window shows as the user sees it.
#include <gtest/gtest.h>

#include "tests/toolkit/controls/keyboard_layout.h"
#include "tests/toolkit/support/buffer_png.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_edit_wnd.h"
#include "toolkit/controls/m_edit.h"
#include "toolkit/controls/m_picture.h"
#include "toolkit/controls/m_progress.h"
#include "toolkit/controls/m_text.h"
#include "toolkit/core/paint_manager.h"

namespace {

using QxUI::CRect;

// Frame-like edit skin: four 40 x 30 states with a 1-pixel border, lighter per state.
DWORD EditSkin(int x, int y) {
    static const DWORD borders[4] = {0xFF5A6068, 0xFF8A9098, 0xFFFFC000, 0xFF404448};
    int state = x / 40, lx = x % 40;
    bool edge = lx == 0 || lx == 39 || y == 0 || y == 29;
    return edge ? borders[state] : 0xFF2A2E33;
}

DWORD Tile(int x, int y) {
    bool check = ((x / 8) + (y / 8)) % 2 == 0;
    return check ? 0xFF2E86DE : 0xFFF5B041;
}

TEST(ControlsScreenshot, LabelsPicturesAndEdits) {
    qxtest::RecordingDialog dialog;
    const int X = 60, Y = 60, W = 600, H = 380;
    ASSERT_NE(dialog.CreateAt(X, Y, W, H), nullptr);
    QxUI::PaintManager* m = dialog.GetPaintManager();
    m->AddTempFont(L"Arial", qxtest::TestFontPath());
    m->SetBackColor(Gdiplus::Color(0xFF1E2226), Gdiplus::Color(0xFF3A3F45));
    ASSERT_TRUE(qxtest::WriteSkinPng(L"shot_edit.png", 160, 30, EditSkin));
    ASSERT_TRUE(qxtest::WriteSkinPng(L"shot_tile.png", 24, 24, Tile));
    ASSERT_TRUE(qxtest::WriteFrameImage(L"shot_frame.png", 24, 6, 0xFFE74C3C, 0xFFF1C40F, 0xFF27AE60));
    DWORD iconColour = 0xFFFFE100;
    ASSERT_TRUE(qxtest::WriteStateStrip(L"shot_icon.png", 14, 14, 1, &iconColour));

    auto text = [&](UINT id, CRect r, const wchar_t* title, int size, DWORD colour) {
        auto* t = static_cast<QxUI::MText*>(dialog.CreateControl(L"MText", id, r, title, 1, 1));
        t->SetFont(L"Arial", size, Gdiplus::FontStyleRegular);
        t->SetTextColor(Gdiplus::Color(colour));
        return t;
    };
    text(10, CRect(20, 14, 580, 44), L"QxKB Keyboard Settings", 22, 0xFEFFFFFF);
    text(11, CRect(20, 46, 580, 74), L"\u952E\u76D8\u8BBE\u7F6E \u00B7 \u5B8F\u7F16\u8F91 Macro editor", 18,
         0xFEFFE100);
    text(12, CRect(20, 78, 580, 100), L"Press Fn + F1 to switch profiles", 14, 0xFEE0E0E0)
        ->SetMarkText(L"Fn + F1", Gdiplus::Color(0xFEED801B), 0);
    auto* icon = text(13, CRect(20, 102, 580, 126), L"\u914D\u7F6E\u6587\u4EF6 Profile A (shadow)", 14, 0xFEFFFFFF);
    icon->SetImage(L"shot_icon.png", 1);
    icon->EnableShadow(TRUE);

    const wchar_t* names[] = {L"original", L"tiled", L"stretched", L"nine-part"};
    for (int i = 0; i < 4; ++i) {
        CRect r(20 + i * 140, 136, 140 + i * 140, 196);
        auto* p = static_cast<QxUI::MPicture*>(dialog.CreateControl(L"MPicture", 20 + i, r, L"", 1, 1));
        p->SetImage(i == 3 ? L"shot_frame.png" : L"shot_tile.png", 1);
        p->SetAlignment(1, 4);
        p->SetShowMode(static_cast<QxUI::enumShowMode>(i == 3 ? QxUI::SHOW_MODE_FRAME : i), 6);
        text(30 + i, CRect(r.left, 198, r.right, 216), names[i], 12, 0xFEA0A8B0)->SetAlignment(1, 4);
    }
    auto* bar = static_cast<QxUI::MProgress*>(dialog.CreateControl(L"MProgress", 40, CRect(20, 226, 400, 250),
                                                                   L"", 1, 1));
    bar->SetFont(L"Arial", 12, Gdiplus::FontStyleRegular);
    bar->EnableShowText(TRUE);
    bar->SetProgress(45);

    auto edit = [&](UINT id, CRect r, const wchar_t* tip) {
        auto* e = static_cast<QxUI::MEdit*>(dialog.CreateControl(L"MEdit", id, r, tip, 1, 1));
        e->SetImage(L"shot_edit.png", 4);
        e->SetTextColor(Gdiplus::Color(0xFEF0F0F0));
        e->SetEditBKColor(0x332E2A);  // COLORREF: the skin's inner colour
        // A face the Wine prefix maps to a font with both Latin and Chinese glyphs.
        e->SetEditFont(L"Microsoft YaHei", 14, FALSE, FALSE, FALSE);
        return e;
    };
    text(50, CRect(20, 262, 280, 282), L"Idle, with its tip text:", 12, 0xFEA0A8B0);
    text(51, CRect(300, 262, 580, 282), L"Editing:", 12, 0xFEA0A8B0);
    edit(60, CRect(20, 286, 280, 322), L"Enter a macro name");
    QxUI::MEdit* typing = edit(61, CRect(300, 286, 580, 322), L"Enter a macro name");
    qxtest::PumpMessages();

    qxtest::ChineseKeys layout("\xE5\xAE\x8F");  // 宏
    ASSERT_TRUE(layout.IsBound());
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 440, 304));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return typing->IsEditFocused(); }, 5000));
    ASSERT_TRUE(qxtest::TypeText("Macro \xE5\xAE\x8F 1"));  // "Macro 宏 1"
    ASSERT_TRUE(qxtest::PumpUntil([&] { return typing->GetTitleEx() == L"Macro \u5B8F 1"; }, 8000));

    // What the screen shows: wait (bounded) until the native edit's background is on screen.
    QxUI::OffScreenSurface shot;
    HDC screen = ::GetDC(nullptr);
    ASSERT_TRUE(shot.Resize(screen, W, H));
    CRect editBox;
    ::GetWindowRect(typing->GetEditWindow()->GetSafeHwnd(), &editBox);
    DWORD inside = 0, centre = 0;
    auto capture = [&] {
        ::RedrawWindow(dialog.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        qxtest::PumpMessages();
        ::BitBlt(shot.GetDC(), 0, 0, W, H, screen, X, Y, SRCCOPY);
        QxUI::OffScreenSurface::Flush();
        // The edit's right end holds no text: its background colour, and the idle edit's frame.
        inside = shot.GetPixel(editBox.right - X - 3, (editBox.top + editBox.bottom) / 2 - Y) & 0xFFFFFF;
        centre = shot.GetPixel(500, 166) & 0xFFFFFF;  // the nine-part picture's centre
        return inside == 0x2A2E33 && centre == 0x27AE60;
    };
    bool seen = qxtest::PumpUntil(capture, 5000);
    ::ReleaseDC(nullptr, screen);
    EXPECT_TRUE(seen) << "the screen never showed the open edit: " << std::hex << inside << " " << centre;
    EXPECT_TRUE(qxtest::SaveSurfacePng(shot, qxtest::ScreenshotPath(L"texts_pictures_edits.png"), false));
    dialog.DestroyWindow();
    qxtest::PumpMessages();
}

}  // namespace
