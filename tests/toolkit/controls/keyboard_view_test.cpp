// The keyboard view: hover, clicks, rubber-band frames with either button, Ctrl, colours for the
// program, outlines and the key tip; driven by the real pointer and checked through what the
// owner was told and what was painted.
#include <gtest/gtest.h>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/keyboard_frame_rules.h"
#include "toolkit/controls/qx_keyboard_ctrl.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using QxUI::QxKeyboardCtrl;
using Notification = qxtest::RecordingDialog::Notification;

TEST(KeyboardFrameRules, SizeStepAndContact) {
    struct Case {
        POINT a, b;
        bool selects;
    };
    const Case sizes[] = {
        {{10, 10}, {15, 40}, false},  // 5 wide
        {{10, 10}, {16, 40}, true},   // 6 wide
        {{40, 40}, {10, 35}, false},  // 5 high, corners in any order
        {{40, 40}, {10, 34}, true},
    };
    for (const Case& c : sizes)
        EXPECT_EQ(!QxUI::SelectingFrame(c.a, c.b).IsRectEmpty(), c.selects) << c.b.x << "," << c.b.y;

    const CRect key(100, 100, 140, 140);
    EXPECT_FALSE(QxUI::FrameSelectsKey(CRect(60, 100, 100, 140), key)) << "touching the left edge";
    EXPECT_FALSE(QxUI::FrameSelectsKey(CRect(100, 140, 140, 160), key)) << "touching the bottom edge";
    EXPECT_TRUE(QxUI::FrameSelectsKey(CRect(60, 100, 101, 140), key)) << "one pixel column shared";

    EXPECT_FALSE(QxUI::FrameFollows(POINT{50, 50}, POINT{70, 70}));
    EXPECT_TRUE(QxUI::FrameFollows(POINT{50, 50}, POINT{71, 50}));
    EXPECT_TRUE(QxUI::FrameFollows(POINT{50, 50}, POINT{50, 29}));
}

// Keys of a small test keyboard, relative to the view: a row of five 40 x 40 keys 10 apart,
// and one key overlapping the first.
class KeyboardViewTest : public ::testing::Test {
protected:
    static constexpr int kLeft = 20, kTop = 30;

    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(150, 120, 520, 260), nullptr);
        dialog.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF204060), Gdiplus::Color(0xFF204060));
        view = static_cast<QxKeyboardCtrl*>(
            dialog.CreateControl(L"QxKeyboardCtrl", 40, CRect(kLeft, kTop, kLeft + 460, kTop + 200), L"", 1, 1));
        ASSERT_NE(view, nullptr);
        view->SetKeyPosition(0, 0);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(view->AddKeyItem(kNames[i], nullptr, 0x10 + i, CRect(20 + 50 * i, 20, 60 + 50 * i, 60)), i);
        EXPECT_EQ(view->AddKeyItem(L"Over", L"Overlapping", 0x30, CRect(30, 30, 70, 70)), 5);
        qxtest::PumpMessages();
        // Start with the pointer away from every key and no button or modifier held.
        qxtest::MoveTo(dialog.GetSafeHwnd(), 500, 250);
        qxtest::PumpUntil([&] { return view->GetHoverIndex() == -1; }, 2000);
    }
    void TearDown() override {
        qxtest::KeyUp("ctrl");
        qxtest::ButtonUp(1);
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }

    // Window client point of a point given relative to the view.
    static CPoint At(int x, int y) { return CPoint(kLeft + x, kTop + y); }
    HWND Window() { return dialog.GetSafeHwnd(); }
    void Move(CPoint p) { ASSERT_TRUE(qxtest::MoveTo(Window(), p)); }
    bool WaitFor(UINT code) {
        return qxtest::PumpUntil([&] { return Last(code) != nullptr; }, 5000);
    }
    const Notification* Last(UINT code) {
        for (auto it = dialog.notifications.rbegin(); it != dialog.notifications.rend(); ++it)
            if (it->id == 40 && it->code == code) return &*it;
        return nullptr;
    }
    DWORD Pixel(CPoint p) {
        QxUI::OffScreenSurface surface;
        dialog.GetPaintManager()->PaintToSurface(surface, CRect(0, 0, 520, 260));
        return surface.GetPixel(p.x, p.y) & 0x00FFFFFF;
    }
    std::vector<DWORD> CheckedValues() {
        std::vector<DWORD> values;
        for (QxUI::KEY_INFO* key : view->GetKeyItems())
            if (key->checked) values.push_back(key->key_value);
        return values;
    }
    // A left-button frame from `from` to `to` (relative to the view) in steps of the given size.
    void DragFrame(CPoint from, CPoint to, int button = 1) {
        Move(At(from.x, from.y));
        qxtest::PumpUntil([&] { return view->GetHoverIndex() >= -1; }, 200);
        ASSERT_TRUE(qxtest::ButtonDown(button));
        qxtest::PumpUntil([&] { return button != 1 || Last(QxUI::NOTIFY_PRESS) != nullptr; }, 3000);
        Move(At(to.x, to.y));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return view->IsFrameDragging() != FALSE; }, 3000));
    }

    static constexpr const wchar_t* kNames[] = {L"A", L"B", L"C", L"D", L"E"};
    qxtest::RecordingDialog dialog;
    QxKeyboardCtrl* view = nullptr;
};

TEST_F(KeyboardViewTest, HoverHighlightsAndTheFirstAddedKeyWins) {
    const DWORD before = Pixel(At(45, 45));
    Move(At(45, 45));  // inside key A and the overlapping key
    ASSERT_TRUE(qxtest::PumpUntil([&] { return view->GetHoverIndex() != -1; }, 3000));
    EXPECT_EQ(view->GetHoverIndex(), 0);
    EXPECT_NE(Pixel(At(45, 45)), before) << "the hovered key is highlighted";
    Move(At(65, 65));  // only the overlapping key
    ASSERT_TRUE(qxtest::PumpUntil([&] { return view->GetHoverIndex() == 5; }, 3000));
    Move(At(300, 150));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return view->GetHoverIndex() == -1; }, 3000));
    EXPECT_EQ(Pixel(At(45, 45)), before);
}

TEST_F(KeyboardViewTest, ClickReportsTheKeyAndOutlinesIt) {
    ASSERT_TRUE(qxtest::ClickAt(Window(), At(130, 40).x, At(130, 40).y));  // key C
    ASSERT_TRUE(WaitFor(QxUI::NOTIFY_CLICK));
    const Notification* press = Last(QxUI::NOTIFY_PRESS);
    ASSERT_NE(press, nullptr);
    EXPECT_EQ(press->wParam, 2u);
    EXPECT_EQ(press->lParam, 0x12);
    EXPECT_EQ(Last(QxUI::NOTIFY_CLICK)->wParam, 2u);
    EXPECT_EQ(view->GetCurrentKeyValue(), 0x12u);
    EXPECT_EQ(view->GetCheckItemCount(), 0) << "a click selects no frame";
    // The white outline runs on the key's border pixels.
    EXPECT_EQ(Pixel(At(120, 20)), 0xFFFFFFu);
    EXPECT_EQ(Pixel(At(159, 59)), 0xFFFFFFu);
    EXPECT_NE(Pixel(At(140, 40)), 0xFFFFFFu);
}

TEST_F(KeyboardViewTest, PressOnEmptySpaceReportsNoKeyAndClearsTheSelection) {
    view->SetKeyCheck(0x10, 1);
    ASSERT_TRUE(qxtest::ClickAt(Window(), At(300, 150).x, At(300, 150).y));
    ASSERT_TRUE(WaitFor(QxUI::NOTIFY_PRESS));
    EXPECT_EQ(static_cast<int>(Last(QxUI::NOTIFY_PRESS)->wParam), -1);
    EXPECT_EQ(Last(QxUI::NOTIFY_PRESS)->lParam, 0);
    EXPECT_EQ(view->GetCheckItemCount(), 0);
}

TEST_F(KeyboardViewTest, CtrlKeepsTheCheckedKeysAndColoursReachThemAndTheClickedKey) {
    view->SetKeyCheck(0x10, 1);
    view->SetKeyCheck(0x11, 1);
    ASSERT_TRUE(qxtest::KeyDown("ctrl"));
    ASSERT_TRUE(qxtest::ClickAt(Window(), At(230, 40).x, At(230, 40).y));  // key E
    ASSERT_TRUE(WaitFor(QxUI::NOTIFY_CLICK));
    ASSERT_TRUE(qxtest::KeyUp("ctrl"));
    EXPECT_EQ(CheckedValues(), (std::vector<DWORD>{0x10, 0x11}));
    view->SetAllSelectColor(0x00FF8040);
    std::vector<DWORD> coloured;
    for (QxUI::KEY_INFO* key : view->GetKeyItems())
        if (key->color == 0x00FF8040) coloured.push_back(key->key_value);
    EXPECT_EQ(coloured, (std::vector<DWORD>{0x10, 0x11, 0x14}));
    view->ClearAllKeyColor();
    for (QxUI::KEY_INFO* key : view->GetKeyItems()) EXPECT_EQ(key->color, 0u);
}

TEST_F(KeyboardViewTest, FrameFollowsInStepsAndSelectsWhatItCovers) {
    // From between the keys above the row, 20 pixels is not enough to start a frame.
    Move(At(15, 5));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(WaitFor(QxUI::NOTIFY_PRESS));
    Move(At(35, 25));
    Move(At(15, 5));
    EXPECT_FALSE(qxtest::PumpUntil([&] { return view->IsFrameDragging() != FALSE; }, 300));
    // 21 pixels starts it; covering A, B and C (C by its left part) and touching nothing else.
    Move(At(36, 5));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return view->IsFrameDragging() != FALSE; }, 3000));
    Move(At(125, 65));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return view->GetCheckItemCount() == 4; }, 3000));
    EXPECT_EQ(CheckedValues(), (std::vector<DWORD>{0x10, 0x11, 0x12, 0x30}));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    ASSERT_TRUE(WaitFor(QxUI::NOTIFY_CLICK));
    EXPECT_FALSE(view->IsFrameDragging());
    EXPECT_EQ(view->GetCheckItemCount(), 4) << "the release keeps the frame's selection";
    EXPECT_EQ(static_cast<int>(Last(QxUI::NOTIFY_CLICK)->wParam), -1) << "the key under the press";
}

TEST_F(KeyboardViewTest, RightReleaseAfterAFrameDragReports24AndKeepsTheSelectedKey) {
    ASSERT_TRUE(qxtest::ClickAt(Window(), At(180, 40).x, At(180, 40).y));  // key D
    ASSERT_TRUE(WaitFor(QxUI::NOTIFY_CLICK));
    ASSERT_EQ(view->GetSelectedIndex(), 3);
    Move(At(15, 5));
    ASSERT_TRUE(qxtest::ButtonDown(3));
    Move(At(60, 70));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return view->IsFrameDragging() != FALSE; }, 3000));
    ASSERT_TRUE(qxtest::ButtonUp(3));
    ASSERT_TRUE(WaitFor(QxUI::NOTIFY_FRAME_RBUTTON));
    EXPECT_EQ(Last(QxUI::NOTIFY_RCLICK), nullptr);
    EXPECT_EQ(view->GetSelectedIndex(), 3);
    EXPECT_EQ(CheckedValues(), (std::vector<DWORD>{0x10, 0x30}));
}

TEST_F(KeyboardViewTest, SetDownPointStopsAHeldDrag) {
    Move(At(15, 5));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(WaitFor(QxUI::NOTIFY_PRESS));
    view->SetDownPoint(CPoint(123, 45));
    Move(At(120, 80));
    EXPECT_FALSE(qxtest::PumpUntil([&] { return view->IsFrameDragging() != FALSE; }, 300));
    EXPECT_EQ(view->GetCheckItemCount(), 0);
}

TEST_F(KeyboardViewTest, ReassignedKeysAreOutlinedAndShowTheirTipOnTheSecondMove) {
    view->SetTipKey(0x13, L"Multimedia", L"Mute");
    view->UpdateControl(TRUE);
    EXPECT_EQ(Pixel(At(170, 20)), 0xFFFFFFu);
    EXPECT_EQ(Pixel(At(199, 59)), 0xFFFFFFu);
    Move(At(180, 40));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return view->GetHoverIndex() == 3; }, 3000));
    Move(At(182, 41));
    HWND tip = nullptr;
    ASSERT_TRUE(qxtest::PumpUntil(
        [&] {
            tip = ::FindWindowW(nullptr, L"KeyboardTip Window");
            RECT placed;
            return tip && ::IsWindowVisible(tip) && ::GetWindowRect(tip, &placed) && placed.right > placed.left;
        },
        3000));
    // 150 x 80, standing on the middle of the key's top edge.
    RECT r;
    ::GetWindowRect(tip, &r);
    POINT anchor{At(190, 20).x, At(190, 20).y};
    ::ClientToScreen(Window(), &anchor);
    EXPECT_EQ(CRect(r), CRect(anchor.x - 75, anchor.y - 80, anchor.x + 75, anchor.y));
    Move(At(300, 150));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return view->GetHoverIndex() == -1; }, 3000));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !::IsWindowVisible(tip); }, 3000));
    view->ResetTipKey();
    view->SetKeyDesc(0x13, L"");
    EXPECT_EQ(std::wstring(view->GetKeyItems()[3]->desc.GetString()), L"D");
}

}  // namespace
