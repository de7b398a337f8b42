// Input routing of the paint manager: hover, press, notifications, focus, repaint requests.
#include <gtest/gtest.h>

#include "tests/toolkit/support/gtest_printers.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using qxtest::ProbeControl;
using qxtest::RecordingDialog;
using Notification = RecordingDialog::Notification;

class RoutingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(200, 150, 300, 200), nullptr);
        manager = dialog.GetPaintManager();
        a = Add(10, CRect(10, 10, 60, 40));
        b = Add(11, CRect(70, 10, 120, 40));
        c = Add(12, CRect(130, 10, 180, 40));
        qxtest::PumpMessages();
        // Moves of the real pointer may have picked a hover control already: start from none.
        dialog.SendMessageW(WM_MOUSELEAVE);
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
        BYTE keys[256] = {};
        ::SetKeyboardState(keys);
    }
    ProbeControl* Add(UINT id, CRect rect) {
        auto* control = new ProbeControl(&dialog, id, rect);
        manager->AddControl(1, control);
        return control;
    }
    // Puts the real pointer over the point too, so Wine's leave tracking agrees with the test.
    void Move(CPoint p) {
        POINT screen = p;
        ::ClientToScreen(dialog.GetSafeHwnd(), &screen);
        ::SetCursorPos(screen.x, screen.y);
        dialog.SendMessageW(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    }
    void Press(CPoint p) { dialog.SendMessageW(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y)); }
    void Release(CPoint p) { dialog.SendMessageW(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y)); }
    BOOL Key(UINT vk) {
        MSG msg = {dialog.GetSafeHwnd(), WM_KEYDOWN, vk, 1};
        return dialog.PreTranslateMessage(&msg);
    }
    static void HoldKeys(std::initializer_list<int> vks) {
        BYTE keys[256] = {};
        for (int vk : vks) keys[vk] = 0x80;
        ::SetKeyboardState(keys);
    }

    RecordingDialog dialog;
    QxUI::PaintManager* manager = nullptr;
    ProbeControl* a = nullptr;
    ProbeControl* b = nullptr;
    ProbeControl* c = nullptr;
};

TEST_F(RoutingTest, PressAndReleaseSendPressAndClickCodes) {
    Move(CPoint(20, 20));
    EXPECT_EQ(manager->GetHoverControl(), a);
    Press(CPoint(20, 20));
    EXPECT_TRUE(a->pressed);
    EXPECT_EQ(manager->GetFocusControl(), a);
    Release(CPoint(21, 20));
    const std::vector<Notification> expected = {{10, 1, 0, 0}, {10, 2, 0, 0}};
    EXPECT_EQ(dialog.notifications, expected);
    EXPECT_FALSE(a->pressed);
}

TEST_F(RoutingTest, ReleaseOutsideGivesNoClickAndEndsHover) {
    Move(CPoint(20, 20));
    Press(CPoint(20, 20));
    // While the button is held, moving over another control does not change the hover control.
    Move(CPoint(80, 20));
    EXPECT_EQ(manager->GetHoverControl(), a);
    EXPECT_FALSE(b->hot);
    Release(CPoint(80, 20));
    const std::vector<Notification> expected = {{10, 1, 0, 0}};
    EXPECT_EQ(dialog.notifications, expected);
    EXPECT_EQ(manager->GetHoverControl(), nullptr);
}

TEST_F(RoutingTest, HoverFollowsTheMouseAndLeaveClearsIt) {
    Move(CPoint(20, 20));
    EXPECT_TRUE(a->hot);
    Move(CPoint(90, 20));
    EXPECT_FALSE(a->hot);
    EXPECT_TRUE(b->hot);
    EXPECT_EQ(manager->GetHoverControl(), b);
    dialog.SendMessageW(WM_MOUSELEAVE);
    EXPECT_FALSE(b->hot);
    EXPECT_EQ(manager->GetHoverControl(), nullptr);
    Move(CPoint(200, 150));  // empty background
    EXPECT_EQ(manager->GetHoverControl(), nullptr);
}

TEST_F(RoutingTest, TopmostResponsiveControlIsHit) {
    ProbeControl* over = Add(13, CRect(40, 15, 90, 35));  // on top of a and b
    // The real pointer may have left a hover control behind; the hover is only recomputed
    // once the mouse leaves it, so start from no hover.
    dialog.SendMessageW(WM_MOUSELEAVE);
    Move(CPoint(50, 20));
    EXPECT_EQ(manager->GetHoverControl(), over);
    over->SetRresponse(FALSE);
    dialog.SendMessageW(WM_MOUSELEAVE);
    Move(CPoint(50, 21));
    EXPECT_EQ(manager->GetHoverControl(), a);
}

TEST_F(RoutingTest, TabWalksTheVisibleEnabledTabStops) {
    a->SetTabStop(TRUE);
    b->SetTabStop(TRUE);
    c->SetTabStop(TRUE);
    b->SetEnabled(FALSE);
    EXPECT_TRUE(Key(VK_TAB));
    EXPECT_EQ(manager->GetFocusControl(), a);
    EXPECT_TRUE(Key(VK_TAB));
    EXPECT_EQ(manager->GetFocusControl(), c);  // b is disabled
    EXPECT_TRUE(Key(VK_TAB));
    EXPECT_EQ(manager->GetFocusControl(), a);  // wraps around
    const std::vector<BOOL> focusOfA = {TRUE, FALSE, TRUE};
    EXPECT_EQ(a->focusCalls, focusOfA);
}

TEST_F(RoutingTest, ShiftTabGoesBackAndCtrlTabDoesNothing) {
    a->SetTabStop(TRUE);
    c->SetTabStop(TRUE);
    HoldKeys({VK_SHIFT});
    EXPECT_TRUE(Key(VK_TAB));
    EXPECT_EQ(manager->GetFocusControl(), c);  // no focus yet: the last one
    EXPECT_TRUE(Key(VK_TAB));
    EXPECT_EQ(manager->GetFocusControl(), a);
    HoldKeys({VK_CONTROL});
    EXPECT_FALSE(Key(VK_TAB));
    EXPECT_EQ(manager->GetFocusControl(), a);
}

TEST_F(RoutingTest, TabWithoutTabStopsKeepsTheMessage) {
    EXPECT_FALSE(Key(VK_TAB));
    EXPECT_EQ(manager->GetFocusControl(), nullptr);
}

TEST_F(RoutingTest, ModifierCodes) {
    const struct {
        std::initializer_list<int> keys;
        UINT code;
    } cases[] = {{{}, 0}, {{VK_SHIFT}, 16}, {{VK_MENU}, 18}, {{VK_CONTROL}, 17},
                 {{VK_CONTROL, VK_MENU}, 19}, {{VK_CONTROL, VK_SHIFT}, 17}, {{VK_MENU, VK_SHIFT}, 18}};
    for (const auto& c : cases) {
        HoldKeys(c.keys);
        EXPECT_EQ(QxUI::PaintManager::GetModifierCode(), c.code);
    }
}

TEST_F(RoutingTest, RepaintRequestDropsTheCachesOfLaterOverlappingControls) {
    ProbeControl* above = Add(13, CRect(100, 20, 150, 60));  // overlaps b and c, added last
    ProbeControl* apart = Add(14, CRect(10, 100, 60, 140));
    for (ProbeControl* p : {a, b, c, above, apart}) p->SetUpdate(TRUE, 0);
    CRect rect = b->GetRect();
    manager->OnControlUpdate(rect, TRUE, b);
    EXPECT_TRUE(a->GetUpdate());  // earlier: untouched
    EXPECT_FALSE(b->GetUpdate());
    EXPECT_TRUE(c->GetUpdate());  // later, but does not meet b's rectangle
    EXPECT_FALSE(above->GetUpdate());
    EXPECT_TRUE(apart->GetUpdate());
}

TEST_F(RoutingTest, RemovingTheHoverControlForgetsIt) {
    Move(CPoint(20, 20));
    ASSERT_EQ(manager->GetHoverControl(), a);
    dialog.RemoveControl(a);
    EXPECT_EQ(manager->GetHoverControl(), nullptr);
    EXPECT_EQ(manager->GetControl(10), nullptr);
    EXPECT_EQ(manager->GetControl(11), b);
    Move(CPoint(21, 20));  // nothing left there; must not touch the deleted control
    EXPECT_EQ(manager->GetHoverControl(), nullptr);
}

TEST_F(RoutingTest, ControlTimersRearmAndTick) {
    EXPECT_TRUE(manager->SetTimer(a, 1, 10));
    EXPECT_FALSE(manager->SetTimer(a, 1, 10));  // already running
    EXPECT_TRUE(manager->SetTimer(b, 1, 10));   // same key, other control
    EXPECT_TRUE(qxtest::PumpUntil([&] { return a->timerTicks > 0 && b->timerTicks > 0; }));
    EXPECT_TRUE(manager->KillTimer(a, 1));
    EXPECT_FALSE(manager->KillTimer(a, 1));
    int ticks = a->timerTicks;
    qxtest::PumpUntil([] { return false; }, 60);
    EXPECT_EQ(a->timerTicks, ticks);  // stopped
    EXPECT_TRUE(manager->SetTimer(a, 1, 10));  // re-armed
    EXPECT_TRUE(qxtest::PumpUntil([&] { return a->timerTicks > ticks; }));
    EXPECT_TRUE(manager->KillTimer(a));
    EXPECT_FALSE(manager->KillTimer(a, 1));
}

TEST_F(RoutingTest, AltF4IsConsumedByTheManager) {
    EXPECT_EQ(manager->OnWindowMessage(WM_SYSKEYDOWN, VK_F4, 1 << 29), 1);
    EXPECT_EQ(manager->OnWindowMessage(WM_KEYUP, VK_F4, 0), 0);
}

}  // namespace
