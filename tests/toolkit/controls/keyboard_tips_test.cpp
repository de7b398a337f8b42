// The key tip: its fixed rectangle above the anchor, the empty-title rule, hiding on focus
// loss, and the frame it pushes (transparent corners, opaque body, blue title, white text).
#include <gtest/gtest.h>

#include <memory>

#include "tests/toolkit/controls/popup_test_images.h"
#include "tests/toolkit/support/gtest_printers.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/air_bladder_geometry.h"
#include "toolkit/core/c_keyboard_tips.h"

namespace {

using QxUI::CRect;

TEST(KeyTipGeometry, FixedBubbleAboveTheAnchor) {
    EXPECT_EQ(QxUI::PlaceKeyTip(POINT{400, 200}), CRect(325, 120, 475, 200));
    EXPECT_EQ(QxUI::PlaceKeyTip(POINT{10, 5}), CRect(-65, -75, 85, 5));
}

class KeyTipTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qxtest::WritePopupSkin());
        ASSERT_NE(dialog.CreateAt(150, 300, 300, 200), nullptr);
        tip = std::make_unique<QxUI::CKeyboardTips>();
        ASSERT_NE(tip->Create(dialog.GetSafeHwnd(), L"KeyboardTip Window", 0x96000080, 0, CRect()), nullptr);
        ASSERT_TRUE(tip->LoadBKImage(L"test_keytip_bk.png"));
        qxtest::PumpMessages();
    }
    void TearDown() override {
        tip.reset();
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    CRect TipRect() {
        CRect r;
        ::GetWindowRect(tip->GetSafeHwnd(), &r);
        return r;
    }
    qxtest::RecordingDialog dialog;
    std::unique_ptr<QxUI::CKeyboardTips> tip;
};

TEST_F(KeyTipTest, SitsAboveTheAnchorAndIgnoresAnEmptyTitle) {
    ASSERT_TRUE(tip->SetAirBladderMsg(L"Mute", L"601", L"Multimedia", POINT{400, 200}));
    tip->ShowWindow(SW_SHOWNA);
    EXPECT_EQ(TipRect(), CRect(325, 120, 475, 200));
    // Without a title the strings are kept but the tip stays where it was.
    ASSERT_TRUE(tip->SetAirBladderMsg(L"", L"", L"Copy", POINT{700, 500}));
    EXPECT_EQ(TipRect(), CRect(325, 120, 475, 200));
    ASSERT_TRUE(tip->SetAirBladderMsg(L"Ctrl+C", L"", L"Copy", POINT{700, 500}));
    EXPECT_EQ(TipRect(), CRect(625, 420, 775, 500));
    EXPECT_FALSE(tip->SetAirBladderMsg(nullptr, L"", L"", POINT{1, 1}));
}

TEST_F(KeyTipTest, LayeredFrameShowsTitleAndText) {
    ASSERT_TRUE(tip->SetAirBladderMsg(L"Mute", L"", L"Multimedia", POINT{400, 200}));
    const QxUI::OffScreenSurface& frame = tip->GetLayeredSurface();
    ASSERT_EQ(frame.Width(), 150);
    ASSERT_EQ(frame.Height(), 80);
    QxUI::OffScreenSurface::Flush();
    for (POINT corner : {POINT{0, 0}, POINT{149, 0}, POINT{0, 79}, POINT{149, 79}})
        EXPECT_EQ(frame.GetPixel(corner.x, corner.y) >> 24, 0u) << corner.x << "," << corner.y;
    EXPECT_EQ(frame.GetPixel(75, 10), qxtest::kKeyTipBody);
    EXPECT_EQ(frame.GetPixel(5, 40), qxtest::kKeyTipBody);
    // Title row (y 30-50): bluish pixels; text row (y 50-70): near-white ones.
    int blue = 0, white = 0;
    for (int x = 10; x < 140; ++x) {
        for (int y = 30; y < 50; ++y) {
            DWORD p = frame.GetPixel(x, y);
            if ((p & 0xFF) > 0x80 && ((p >> 16) & 0xFF) < 0x70) ++blue;
        }
        for (int y = 50; y < 70; ++y) {
            DWORD p = frame.GetPixel(x, y);
            if ((p & 0xFF) > 0xC0 && ((p >> 16) & 0xFF) > 0xC0 && ((p >> 8) & 0xFF) > 0xC0) ++white;
        }
    }
    EXPECT_GT(blue, 10);
    EXPECT_GT(white, 10);
}

TEST_F(KeyTipTest, TimerTenHidesItAndUserCloseDestroysIt) {
    ASSERT_TRUE(tip->SetAirBladderMsg(L"Mute", L"", L"Multimedia", POINT{400, 200}));
    tip->ShowWindow(SW_SHOWNA);
    EXPECT_FALSE(::KillTimer(tip->GetSafeHwnd(), 10)) << "the tip starts no timer of its own";
    ::SendMessageW(tip->GetSafeHwnd(), WM_TIMER, 100, 0);
    EXPECT_TRUE(tip->IsWindowVisible());
    ::SendMessageW(tip->GetSafeHwnd(), WM_TIMER, 10, 0);
    EXPECT_FALSE(tip->IsWindowVisible());
    HWND hwnd = tip->GetSafeHwnd();
    EXPECT_EQ(::SendMessageW(hwnd, QxUI::WM_USERCLOSEWINDOW, 0, 0), 1);
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !::IsWindow(hwnd); }, 3000));
    EXPECT_EQ(tip->GetSafeHwnd(), nullptr);
}

TEST_F(KeyTipTest, HidesWhenItLosesTheFocus) {
    ASSERT_TRUE(tip->SetAirBladderMsg(L"Mute", L"", L"Multimedia", POINT{400, 200}));
    tip->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(tip->GetSafeHwnd());
    ::SetFocus(tip->GetSafeHwnd());
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetFocus() == tip->GetSafeHwnd(); }, 3000));
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 150, 100));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !tip->IsWindowVisible(); }, 5000));
}

}  // namespace
