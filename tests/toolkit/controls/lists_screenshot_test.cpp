// The screenshot people look at for the row lists: the macro editor's step list with 20 steps
// scrolled part way, and the macro list with the delete and edit buttons of the hovered row, in
// the shipped skin.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/toolkit/support/buffer_png.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_area.h"
#include "toolkit/controls/c_record_list.h"
#include "toolkit/controls/c_scroll_vertical.h"
#include "toolkit/controls/qx_list_box.h"
#include "toolkit/core/paint_manager.h"

namespace {

using QxUI::CRect;

int Distance(DWORD a, DWORD b) {
    int d = 0;
    for (int shift : {0, 8, 16})
        d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return d;
}

bool InSkin(const wchar_t* file) {
    return ::GetFileAttributesW(qxtest::TestSkinDirectory() + file) != INVALID_FILE_ATTRIBUTES;
}

TEST(ListsScreenshot, ScrolledStepListAndMacroListWithRowButtons) {
    for (const wchar_t* file : {L"img_btn_del.png", L"img_btn_edit.png", L"img_macrobkg.png", L"img_scroll_v.png"})
        if (!InSkin(file)) GTEST_SKIP() << "the shipped skin is not beside the test program";
    qxtest::RecordingDialog dialog;
    ASSERT_NE(dialog.CreateAt(40, 40, 850, 475), nullptr);
    QxUI::PaintManager* manager = dialog.GetPaintManager();
    ASSERT_TRUE(dialog.LoadBKImage(L"img_macrobkg.png"));
    dialog.SetBackMode(QxUI::BACK_MODE_ORIGIN, 0);
    dialog.SetScrollResID(0, 0);  // the skin's bar image
    manager->AddTempFont(L"Arial", qxtest::TestFontPath());

    // The step list as the macro editor fills it: kinds 0 down, 1 up, 2 delay; data the position.
    auto* steps = dynamic_cast<QxUI::CRecordList*>(dialog.CreateControl(L"CRecordList", 35, CRect(), L"", 1, 1));
    ASSERT_NE(steps, nullptr);
    steps->SetTextColor(Gdiplus::Color(0xFF333333));
    steps->SetRect(CRect(46, 140, 371, 350));  // the macro editor's place
    const wchar_t* keys[] = {L"A", L"S", L"D", L"F", L"G", L"H", L"J"};
    for (int i = 0; i < 20; ++i) {
        std::wstring text = i % 3 == 0   ? std::wstring(L"Keyboard Down ") + keys[(i / 3) % 7]
                            : i % 3 == 1 ? std::wstring(L"Delay 50 ms")
                                         : std::wstring(L"Keyboard Up ") + keys[(i / 3) % 7];
        steps->AddString(text.c_str(), static_cast<long>(i), i % 3 == 1 ? 2 : i % 3 == 0 ? 0 : 1);
    }
    steps->GetScrollVertical()->SetScrollCurrentPos(300);
    steps->SetCurSel(9);
    steps->UpdateControl(TRUE);

    // The macro list on a dark panel, as on the main window's macro page.
    auto* panel = dynamic_cast<QxUI::CArea*>(dialog.CreateArea(L"CArea", 80, CRect(540, 130, 820, 410), L"", 1, 1));
    ASSERT_NE(panel, nullptr);
    panel->SetTransparent(0, 0, RGB(0x2B, 0x30, 0x36));
    auto* macros = dynamic_cast<QxUI::QxListBox*>(dialog.CreateControl(L"QxListBox", 90, CRect(), L"", 1, 1));
    ASSERT_NE(macros, nullptr);
    ASSERT_TRUE(macros->SetDelBtnImage(L"img_btn_del.png", 1));
    ASSERT_TRUE(macros->SetEditBtnImage(L"img_btn_edit.png", 1));
    macros->SetRect(CRect(560, 150, 785, 390));  // the main window's 225 pixels
    for (int i = 0; i < 5; ++i) macros->AddString((L"Macro " + std::to_wstring(i + 1)).c_str(), static_cast<long>(i + 1), -1);
    macros->SetCurSel(0);
    // Real pointer over the third macro shows its buttons.
    ASSERT_TRUE(qxtest::MoveTo(dialog.GetSafeHwnd(), 650, 150 + 2 * 36 + 18));
    QxUI::OffScreenSurface frame;
    auto buttonsShown = [&] {
        manager->PaintToSurface(frame, CRect(0, 0, 850, 475));
        return Distance(frame.GetPixel(650, 150 + 2 * 36 + 18), 0xFF479CFC) < 12;
    };
    ASSERT_TRUE(qxtest::PumpUntil(buttonsShown, 5000));

    QxUI::CString path = qxtest::ScreenshotPath(L"row_lists.png");
    ASSERT_TRUE(qxtest::SaveWindowPng(*manager, path));
    EXPECT_NE(::GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);

    // The shipped buttons are 20 pixels: boxes 10 and 36 pixels from the list's right edge.
    EXPECT_EQ(macros->GetDelBtnBox(), CRect(195, 8, 215, 28));
    EXPECT_EQ(macros->GetEditBtnBox(), CRect(169, 8, 189, 28));
    // Something of both buttons differs from the plain row fill beside them.
    int rowTop = 150 + 2 * 36;
    auto differsInBox = [&](const CRect& box) {
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                if (Distance(frame.GetPixel(560 + x, rowTop + y), 0xFF479CFC) > 60) return true;
        return false;
    };
    EXPECT_TRUE(differsInBox(macros->GetDelBtnBox()));
    EXPECT_TRUE(differsInBox(macros->GetEditBtnBox()));
    // The step list is scrolled: position 300 of 600 hides half of the 600 - 210 pixels that do
    // not fit, so the selected step 9 sits at 9 * 30 - 195 = 75 pixels below the list's top.
    EXPECT_LT(Distance(frame.GetPixel(250, 140 + 75 + 15), 0xFF479CFC), 12);
    EXPECT_GT(Distance(frame.GetPixel(250, 140 + 5), 0xFF479CFC), 60);
    EXPECT_TRUE(steps->GetScrollVertical()->IsVisible());
    dialog.DestroyWindow();
    qxtest::PumpMessages();
}

}  // namespace
