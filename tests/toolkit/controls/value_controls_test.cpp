// Scroll bars, slider and spin field driven by real pointer and keys.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_scroll_vertical.h"
#include "toolkit/controls/m_slider.h"
#include "toolkit/controls/m_spin_button.h"
#include "toolkit/core/m_panel.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;

// Colours within a few steps per channel (the selection bar is drawn at alpha 0xFE).
bool Near(DWORD a, DWORD b) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 3) return false;
    return true;
}

class ValueControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(100, 80, 400, 440), nullptr);
        dialog.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
    }
    void TearDown() override {
        qxtest::ButtonUp(1);
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    std::vector<UINT> Values(UINT id, UINT code) const {
        std::vector<UINT> out;
        for (const auto& note : dialog.notifications)
            if (note.id == id && note.code == code) out.push_back(note.wParam);
        return out;
    }
    DWORD PixelAt(int x, int y) {
        QxUI::OffScreenSurface surface;
        dialog.GetPaintManager()->PaintToSurface(surface, CRect(0, 0, 400, 440));
        return surface.GetPixel(x, y) & 0x00FFFFFF;
    }
    qxtest::RecordingDialog dialog;
};

TEST_F(ValueControlsTest, DraggingTheThumbPastEitherEndStopsThere) {
    // A panel 200 high over content 1000 high: its bar's thumb is 100 long with 100 pixels to
    // travel, so each pixel is 10 units.
    auto* panel = dynamic_cast<QxUI::MPanel*>(dialog.CreateControl(L"MListBox", 10, CRect(), L"", 1, 1));
    ASSERT_NE(panel, nullptr);
    auto* content = new qxtest::ProbeControl(panel, 100, CRect(20, 120, 200, 1120));
    panel->AddChildControl(content);
    panel->SetRect(CRect(20, 120, 220, 320));
    QxUI::CScrollVertical* bar = panel->GetScrollVertical();
    ASSERT_TRUE(bar->IsVisible());
    ASSERT_EQ(bar->GetThumbRect(), CRect(215, 120, 220, 220));
    qxtest::PumpMessages();

    HWND hwnd = dialog.GetSafeHwnd();
    auto moveAndWait = [&](int y, size_t notifications) {
        EXPECT_TRUE(qxtest::MoveTo(hwnd, 217, y));
        EXPECT_TRUE(qxtest::PumpUntil([&] { return Values(1, QxUI::NOTIFY_VALUE).size() >= notifications; }, 5000))
            << "moving to y " << y;
    };
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 217, 150));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return bar->GetThumbState() == 2; }, 5000));
    moveAndWait(200, 1);                          // 50 down: 500
    moveAndWait(400, 2);                          // far below the bar: stops at the bottom, 1000
    EXPECT_TRUE(qxtest::MoveTo(hwnd, 217, 430));  // further down: nothing more
    moveAndWait(200, 3);                          // the anchor stayed at the bottom end: 50 up, 500
    moveAndWait(60, 4);                           // far above: stops at the top, 0
    EXPECT_TRUE(qxtest::MoveTo(hwnd, 217, 10));   // further up: nothing more
    moveAndWait(200, 5);                          // 50 down from the top end: 500
    ASSERT_TRUE(qxtest::ButtonUp(1));
    EXPECT_EQ(Values(1, QxUI::NOTIFY_VALUE), (std::vector<UINT>{500, 1000, 500, 0, 500}));
    EXPECT_EQ(bar->GetScrollCurrentPos(), 500);
    EXPECT_EQ(bar->GetThumbRect(), CRect(215, 170, 220, 270));
}

TEST_F(ValueControlsTest, SpinFieldTakesTypedDigitsAndWraps) {
    auto* spin = dynamic_cast<QxUI::MSpinButton*>(dialog.CreateControl(L"MSpinButton", 20, CRect(), L"", 1, 1));
    ASSERT_NE(spin, nullptr);
    spin->SetRect(CRect(20, 20, 120, 50));
    spin->SetRange(1, 100);
    HWND hwnd = dialog.GetSafeHwnd();
    qxtest::PumpMessages();
    // Not focused yet: no selection bar.
    EXPECT_FALSE(Near(PixelAt(90, 35), 0x3399FF));
    // The arrows come from the factory; without them the field still takes keys. Click left
    // of where they sit.
    ASSERT_TRUE(qxtest::ClickAt(hwnd, 40, 35));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return spin->IsFocused() != FALSE; }, 5000));
    EXPECT_TRUE(Near(PixelAt(90, 35), 0x3399FF)) << "the focused field shows its selection bar";
    struct Step {
        const char* key;
        int value;
    };
    const Step steps[] = {{"1", 1},  {"2", 12},     {"3", 1},     {"4", 14}, {"BackSpace", 1}, {"KP_Subtract", 100},
                          {"Up", 1}, {"Down", 100}, {"KP_Add", 1}};
    size_t expected = 0;
    for (const Step& s : steps) {
        ASSERT_TRUE(qxtest::KeyPress(s.key));
        ++expected;
        ASSERT_TRUE(qxtest::PumpUntil([&] { return Values(20, QxUI::NOTIFY_SPIN).size() >= expected; }, 5000)) << s.key;
        EXPECT_EQ(spin->GetCurValue(), s.value) << "after " << s.key;
    }
    // Up at the maximum shows the minimum and still notifies.
    spin->SetCurValue(100);
    ASSERT_TRUE(qxtest::KeyPress("Up"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Values(20, QxUI::NOTIFY_SPIN).size() == expected + 1; }, 5000));
    EXPECT_EQ(spin->GetCurValue(), 1);
}

TEST_F(ValueControlsTest, SpinArrowsStepWhenThereAreAny) {
    auto* spin = dynamic_cast<QxUI::MSpinButton*>(dialog.CreateControl(L"MSpinButton", 21, CRect(), L"", 1, 1));
    ASSERT_NE(spin, nullptr);
    spin->SetRect(CRect(20, 20, 120, 50));
    spin->SetCurValue(5);
    if (!spin->GetUpButton()) {
        // Built without the image button: the field stands alone and paints.
        EXPECT_EQ(spin->GetDownButton(), nullptr);
        EXPECT_EQ(spin->GetControls()->size(), 2u) << "only the two scroll bars";
        return;
    }
    CRect up = spin->GetUpButton()->GetRect();
    EXPECT_EQ(up.right, 116);
    EXPECT_EQ(up.bottom, 35);
    qxtest::PumpMessages();
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), up.CenterPoint().x, up.CenterPoint().y));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !Values(21, QxUI::NOTIFY_SPIN).empty(); }, 5000));
    EXPECT_EQ(spin->GetCurValue(), 6);
}

TEST_F(ValueControlsTest, SliderFollowsAClickAndReportsTheValue) {
    const DWORD looks[4] = {0xFF2080E0, 0xFF20E080, 0xFFE08020, 0xFF808080};
    ASSERT_TRUE(qxtest::WriteStateStrip(L"test_slider_thumb.png", 64, 27, 4, looks));
    auto* slider = dynamic_cast<QxUI::MSlider*>(dialog.CreateControl(L"MSlider", 30, CRect(), L"", 1, 1));
    ASSERT_NE(slider, nullptr);
    slider->SetRect(CRect(20, 80, 220, 130));
    ASSERT_TRUE(slider->SetThumbImage(L"test_slider_thumb.png"));
    slider->SetShowText(FALSE);
    EXPECT_EQ(PixelAt(28, 90), looks[0] & 0xFFFFFF) << "value 0: the thumb at the left end";
    qxtest::PumpMessages();
    // Half-way along the 192 pixels the value is read from: 5 of 10.
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 20 + 96, 100));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !Values(30, QxUI::NOTIFY_CLICK).empty(); }, 5000));
    EXPECT_EQ(Values(30, QxUI::NOTIFY_VALUE), std::vector<UINT>{5});
    EXPECT_EQ(slider->GetProgress(), 5);
    // Thumb at x 88 ... 104, under the pointer: the hover look.
    EXPECT_EQ(PixelAt(20 + 96, 90), looks[1] & 0xFFFFFF);
    EXPECT_NE(PixelAt(28, 90), looks[0] & 0xFFFFFF);
    // Setting the value by program moves the thumb without a notification.
    slider->SetProgress(10);
    EXPECT_EQ(PixelAt(20 + 192, 90), looks[1] & 0xFFFFFF) << "still the hover look: the pointer has not moved";
    EXPECT_EQ(Values(30, QxUI::NOTIFY_VALUE).size(), 1u);
}

}  // namespace
