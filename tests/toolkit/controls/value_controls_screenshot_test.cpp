// The screenshot people look at for the value controls: a scrolled panel of colour swatches
// with both bars, a slider and two spin fields, with the generated skin's images.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/toolkit/support/buffer_png.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_area.h"
#include "toolkit/controls/c_scroll_horizontal.h"
#include "toolkit/controls/c_scroll_vertical.h"
#include "toolkit/controls/m_slider.h"
#include "toolkit/controls/m_spin_button.h"
#include "toolkit/core/m_panel.h"
#include "toolkit/core/manager.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;

int Distance(DWORD a, DWORD b) {
    int d = 0;
    for (int shift : {0, 8, 16})
        d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return d;
}

// The generated skin lies in the build tree's bin folder; the test program reads its own skin
// directory, so the images it needs are copied there.
bool CopyBuildSkin(std::initializer_list<const wchar_t*> files) {
    QxUI::CString from = QxUI::Manager::GetProgramDirectory() + L"..\\..\\bin\\skins\\theme1\\";
    for (const wchar_t* file : files)
        if (!::CopyFileW(from + file, qxtest::TestSkinDirectory() + file, FALSE)) return false;
    return true;
}

bool WriteSliderImages() {
    // Track: row 0 the filled part (orange), row 1 the groove (dark), 6 pixels each.
    bool ok = qxtest::WriteSkinPng(L"test_slider_track.png", 40, 12, [](int, int y) -> DWORD {
        if (y < 6) return (y == 0 || y == 5) ? 0x00000000 : 0xFFF08A24;
        return (y == 6 || y == 11) ? 0x00000000 : 0xFF3A4048;
    });
    // Thumb: four 16 x 27 looks, a rounded light knob.
    return ok && qxtest::WriteSkinPng(L"test_slider_thumb.png", 64, 27, [](int x, int y) -> DWORD {
               int look = x / 16, cx = x % 16;
               bool edge = cx == 0 || cx == 15 || y == 0 || y == 26;
               static const DWORD fill[4] = {0xFFE8ECF0, 0xFFFFFFFF, 0xFFF0B070, 0xFF909090};
               if (edge && (y == 0 || y == 26) && (cx == 0 || cx == 15)) return 0;
               return edge ? 0xFF50565E : fill[look];
           });
}

TEST(ValueControlsScreenshot, ScrolledPanelSliderAndSpinFieldsInTheSkin) {
    if (!CopyBuildSkin({L"img_scroll_v.png", L"img_scroll_h.png", L"img_edit.png", L"img_spin_up.png",
                        L"img_spin_down.png", L"img_macrobkg.png"}))
        GTEST_SKIP() << "the generated skin is not built (tools/install-deps.sh installs its tools)";
    ASSERT_TRUE(WriteSliderImages());
    qxtest::RecordingDialog dialog;
    ASSERT_NE(dialog.CreateAt(60, 60, 520, 260), nullptr);
    ASSERT_TRUE(dialog.LoadBKImage(L"img_macrobkg.png"));
    dialog.SetBackMode(QxUI::BACK_MODE_ORIGIN, 0);
    dialog.SetScrollResID(0, 0);  // the skin's bar images, not the toolkit's embedded ones

    // 4 x 6 swatches of 70 x 40 in a panel 240 x 180: the content is 320 x 300.
    auto* panel = dynamic_cast<QxUI::MPanel*>(dialog.CreateControl(L"MListBox", 10, CRect(), L"", 1, 1));
    ASSERT_NE(panel, nullptr);
    auto colourOf = [](int row, int col) -> COLORREF { return RGB(40 + col * 60, 70 + row * 30, 200 - row * 25); };
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 4; ++col) {
            auto* swatch = static_cast<QxUI::CArea*>(panel->CreateControl(
                L"CArea", 100 + row * 4 + col,
                CRect(30 + col * 80 + 5, 30 + row * 50 + 5, 30 + col * 80 + 75, 30 + row * 50 + 45), L"", 1, 1));
            ASSERT_NE(swatch, nullptr);
            swatch->SetTransparent(0, 0, colourOf(row, col));
        }
    panel->SetRect(CRect(30, 30, 270, 210));
    ASSERT_TRUE(panel->GetScrollVertical()->IsVisible());
    ASSERT_TRUE(panel->GetScrollHorizontal()->IsVisible());
    panel->GetScrollVertical()->SetScrollCurrentPos(200);
    panel->GetScrollHorizontal()->SetScrollCurrentPos(160);
    panel->UpdateControl(TRUE);

    auto* slider = dynamic_cast<QxUI::MSlider*>(dialog.CreateControl(L"MSlider", 20, CRect(), L"Speed ", 1, 1));
    ASSERT_NE(slider, nullptr);
    slider->SetRect(CRect(300, 40, 490, 90));
    ASSERT_TRUE(slider->SetImage(L"test_slider_track.png", 1));
    ASSERT_TRUE(slider->SetThumbImage(L"test_slider_thumb.png"));
    slider->SetTitle(L"Speed ");  // the factory passes no title to a slider
    slider->SetMaxProgress(100);
    slider->SetProgress(60);

    auto* spin = dynamic_cast<QxUI::MSpinButton*>(dialog.CreateControl(L"MSpinButton", 21, CRect(), L"", 1, 1));
    auto* focused = dynamic_cast<QxUI::MSpinButton*>(dialog.CreateControl(L"MSpinButton", 22, CRect(), L"", 1, 1));
    ASSERT_NE(spin, nullptr);
    ASSERT_NE(focused, nullptr);
    for (auto* s : {spin, focused}) ASSERT_TRUE(s->SetImage(L"img_edit.png", 4));
    spin->SetRect(CRect(300, 120, 400, 150));
    focused->SetRect(CRect(300, 170, 400, 200));
    spin->SetCurValue(42);
    focused->SetCurValue(7);
    focused->SetControlFocus(TRUE);

    QxUI::CString path = qxtest::ScreenshotPath(L"value_controls.png");
    ASSERT_TRUE(qxtest::SaveWindowPng(*dialog.GetPaintManager(), path));
    EXPECT_NE(::GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);

    QxUI::OffScreenSurface frame;
    ASSERT_TRUE(dialog.GetPaintManager()->PaintToSurface(frame, CRect(0, 0, 520, 260)));
    // Every swatch whose centre shows inside the panel (clear of the bars) is found where the
    // scroll offset puts it; the swatches differ, so a wrong offset shows a wrong colour.
    CPoint offset = panel->GetScrollOffset();
    EXPECT_GT(offset.x, 0);
    EXPECT_GT(offset.y, 0);
    int checked = 0;
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 4; ++col) {
            CPoint centre(30 + col * 80 + 40 - offset.x, 30 + row * 50 + 25 - offset.y);
            if (!CRect(35, 35, 260, 200).PtInRect(centre)) continue;
            COLORREF c = colourOf(row, col);
            DWORD expected = 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
            EXPECT_LE(Distance(frame.GetPixel(centre.x, centre.y), expected), 6) << row << "," << col;
            ++checked;
        }
    EXPECT_GE(checked, 4);
    // Nothing of the content outside the panel: left of it the background picture shows.
    QxUI::OffScreenSurface bare;
    panel->SetVisible(FALSE);
    ASSERT_TRUE(dialog.GetPaintManager()->PaintToSurface(bare, CRect(0, 0, 520, 260)));
    EXPECT_EQ(frame.GetPixel(20, 100), bare.GetPixel(20, 100));
    EXPECT_EQ(frame.GetPixel(150, 220), bare.GetPixel(150, 220));
    // Both bars draw their thumbs over the panel's edges.
    CRect vThumb = panel->GetScrollVertical()->GetThumbRect();
    CRect hThumb = panel->GetScrollHorizontal()->GetThumbRect();
    EXPECT_NE(frame.GetPixel(vThumb.left + 2, vThumb.CenterPoint().y),
              bare.GetPixel(vThumb.left + 2, vThumb.CenterPoint().y));
    EXPECT_NE(frame.GetPixel(hThumb.CenterPoint().x, hThumb.top + 2),
              bare.GetPixel(hThumb.CenterPoint().x, hThumb.top + 2));
    // The focused spin field shows its selection bar; the other one does not.
    EXPECT_LE(Distance(frame.GetPixel(370, 185), 0xFF3399FF), 6);
    EXPECT_GT(Distance(frame.GetPixel(370, 135), 0xFF3399FF), 60);
    dialog.DestroyWindow();
    qxtest::PumpMessages();
}

}  // namespace
