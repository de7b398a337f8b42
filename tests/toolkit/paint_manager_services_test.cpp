// Services the paint manager gives its controls: tooltips, caret, the precise animation timer,
// drop effects.
#include <gtest/gtest.h>

#include "toolkit/core/windows_include.h"  // before commctrl.h

#include <commctrl.h>

#include "tests/toolkit/support/gtest_printers.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using qxtest::ProbeControl;
using qxtest::RecordingDialog;

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(120, 120, 240, 160), nullptr);
        manager = dialog.GetPaintManager();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    RecordingDialog dialog;
    QxUI::PaintManager* manager = nullptr;
};

TEST_F(ServicesTest, ControlTooltipIsShownOnHoverAndCleared) {
    auto* control = new ProbeControl(&dialog, 9, CRect(20, 20, 80, 60));
    control->SetTooltip(L"Profile A");
    manager->AddControl(1, control);
    EXPECT_EQ(manager->GetTooltipWindow(), nullptr);  // made on first use
    POINT screen = {30, 30};
    ::ClientToScreen(dialog.GetSafeHwnd(), &screen);
    ::SetCursorPos(screen.x, screen.y);
    dialog.SendMessageW(WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    HWND tip = manager->GetTooltipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(manager->GetTooltipCtrlID(), 9);
    wchar_t text[64] = {};
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.hwnd = dialog.GetSafeHwnd();
    ti.uId = 1313;
    ti.lpszText = text;
    ::SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, L"Profile A");
    manager->ClearTooltip();
    EXPECT_EQ(manager->GetTooltipCtrlID(), 0);
    text[0] = L'x';
    ::SendMessageW(tip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, L"");
}

TEST_F(ServicesTest, CaretIsDrawnOnlyForAFocusedOwner) {
    auto* edit = new ProbeControl(&dialog, 3, CRect(10, 10, 200, 40));
    manager->AddControl(1, edit);
    ::SetFocus(dialog.GetSafeHwnd());
    ASSERT_TRUE(manager->CreateCaret(nullptr, 2, 16));
    ASSERT_TRUE(manager->SetCaretPos(edit, 50, 15, 0xFF102030));
    EXPECT_EQ(manager->GetCurrentCaretObject(), edit);
    manager->ShowCaret(TRUE);
    QxUI::OffScreenSurface frame;
    ASSERT_TRUE(frame.Resize(nullptr, 240, 160));
    manager->SetFocusControl(edit);  // the owner has the focus
    ASSERT_EQ(::GetFocus(), dialog.GetSafeHwnd());
    manager->DrawCaret(frame.GetDC(), CRect(0, 0, 240, 160));
    frame.Flush();
    EXPECT_EQ(frame.GetPixel(50, 20) & 0x00FFFFFF, 0x102030u);
    EXPECT_EQ(frame.GetPixel(52, 20), 0u);  // 2 pixels wide
    frame.Clear(CRect(0, 0, 240, 160));
    manager->SetFocusControl(nullptr);  // the owner lost the focus: no caret
    manager->DrawCaret(frame.GetDC(), CRect(0, 0, 240, 160));
    frame.Flush();
    EXPECT_EQ(frame.GetPixel(50, 20), 0u);
}

// A control driven by the precise timer.
class AnimatedControl : public ProbeControl {
public:
    using ProbeControl::ProbeControl;
    BOOL OnControlTimer() override {
        threadOfTick = ::GetCurrentThreadId();
        return ProbeControl::OnControlTimer();
    }
    DWORD threadOfTick = 0;
};

TEST_F(ServicesTest, PreciseTimerTicksReachControlsOnTheWindowThread) {
    auto* animated = new AnimatedControl(&dialog, 4, CRect(10, 10, 50, 50));
    auto* idle = new ProbeControl(&dialog, 5, CRect(60, 10, 90, 50));
    manager->AddControl(1, animated);
    manager->AddControl(1, idle);
    animated->SetRunTimer(TRUE);
    animated->AddMTimer();
    manager->AddMTimer(idle);  // listed, but its run-timer flag is off
    dialog.SetMTimer(10);
    EXPECT_TRUE(qxtest::PumpUntil([&] { return animated->timerTicks >= 3; }));
    EXPECT_EQ(animated->threadOfTick, ::GetCurrentThreadId());
    EXPECT_EQ(idle->timerTicks, 0);
    EXPECT_TRUE(manager->DeletePnTimer(animated));
    EXPECT_FALSE(manager->DeletePnTimer(animated));
    manager->KillMTimer();
    int ticks = animated->timerTicks;
    qxtest::PumpUntil([] { return false; }, 50);
    EXPECT_EQ(animated->timerTicks, ticks);
}

TEST(DropTargetTest, EffectFollowsTheKeysAndWhatTheSourceAllows) {
    const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    const struct {
        DWORD keys, allowed, expected;
    } cases[] = {
        {MK_CONTROL | MK_SHIFT, all, DROPEFFECT_LINK},
        {MK_CONTROL | MK_SHIFT, DROPEFFECT_COPY, DROPEFFECT_NONE},
        {MK_CONTROL, all, DROPEFFECT_COPY},
        {MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_NONE},
        {MK_SHIFT, all, DROPEFFECT_MOVE},
        {MK_SHIFT, DROPEFFECT_LINK, DROPEFFECT_NONE},
        {0, all, DROPEFFECT_COPY},
        {0, DROPEFFECT_MOVE | DROPEFFECT_LINK, DROPEFFECT_MOVE},
        {0, DROPEFFECT_LINK, DROPEFFECT_LINK},
        {0, DROPEFFECT_NONE, DROPEFFECT_NONE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QxUI::CIDropTarget::EffectFor(c.keys, c.allowed), c.expected) << c.keys << " " << c.allowed;
}

}  // namespace
