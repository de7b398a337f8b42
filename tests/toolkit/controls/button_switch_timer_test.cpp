// The switch reports its new state with each click; the timer button counts ten seconds down in
// its title and then clicks itself.
#include "tests/toolkit/controls/button_test_support.h"
#include "tests/toolkit/support/test_controls.h"
#include "toolkit/controls/c_switch_button.h"
#include "toolkit/controls/c_timer_button.h"
#include "toolkit/controls/m_button.h"

namespace {

using QxUI::CRect;
using qxtest::IsNearColour;
using ::testing::ElementsAre;

constexpr UINT kSentinel = 99;

class SwitchTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"sysbtn_usb.png")) << "the skin is not built";
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"sysbtn_usb_none.png"));
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"img_button.png"));
        ASSERT_TRUE(window.Create(150, 120, 420, 200));
        window.Manager().AddControl(1, new qxtest::ProbeControl(&window.dialog, kSentinel, CRect(360, 150, 410, 190)));
    }
    void TearDown() override { window.Destroy(); }

    // Every pixel of `a` equals the one of `b` (same size) within `tolerance`.
    bool SamePixels(CRect a, CRect b, int tolerance = 2) {
        const QxUI::OffScreenSurface& s = window.Paint();
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (qxtest::ColourDistance(s.GetPixel(a.left + x, a.top + y), s.GetPixel(b.left + x, b.top + y)) >
                    tolerance)
                    return false;
        return true;
    }

    qxtest::ButtonWindow window;
};

TEST_F(SwitchTimerTest, SwitchReportsItsNewStateAndSetCheckIsSilent) {
    auto* sw = dynamic_cast<QxUI::CSwitchButton*>(window.dialog.CreateControl(L"CSwitchButton", 10,
                                                                              CRect(20, 20, 63, 52), L"", 1, 1));
    ASSERT_NE(sw, nullptr);
    EXPECT_EQ(sw->SetImage(L"sysbtn_usb.png", L"sysbtn_usb_none.png", 4), 1);
    auto on = [](int i) { return qxtest::ShippedSkinPixel(L"sysbtn_usb.png", i * 43 + 21, 16) & 0xFFFFFF; };
    auto off = [](int i) { return qxtest::ShippedSkinPixel(L"sysbtn_usb_none.png", i * 43 + 21, 16) & 0xFFFFFF; };
    ASSERT_NE(on(1), off(1));
    EXPECT_THAT(window.PixelAt(41, 36), IsNearColour(off(0), 6));

    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 41, 36));
    ASSERT_TRUE(window.WaitForCodes(10, 1));
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 41, 36));
    ASSERT_TRUE(window.WaitForCodes(10, 2));
    ASSERT_EQ(window.dialog.notifications.size(), 2u);
    EXPECT_EQ(window.dialog.notifications[0].code, QxUI::NOTIFY_CLICK);
    EXPECT_EQ(window.dialog.notifications[0].lParam, 1);
    EXPECT_EQ(window.dialog.notifications[1].lParam, 0);
    EXPECT_THAT(window.PixelAt(41, 36), IsNearColour(off(1), 6));  // off, hovered

    EXPECT_EQ(sw->SetCheck(1), 1);
    EXPECT_THAT(window.PixelAt(41, 36), IsNearColour(on(0), 6));
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 385, 170));  // nothing else arrives before this
    ASSERT_TRUE(window.WaitForCodes(kSentinel, 2));
    EXPECT_EQ(window.Codes(10).size(), 2u);
}

// The countdown title is compared with plain buttons titled as it should read.
TEST_F(SwitchTimerTest, TimerButtonCountsDownAndClicksAfterTenSeconds) {
    EXPECT_EQ(QxUI::CTimerButton::CountdownTitle(L"Send", 10), QxUI::CString(L"Send(10s)"));
    EXPECT_EQ(QxUI::CTimerButton::SecondsLeft(0), 10);
    EXPECT_EQ(QxUI::CTimerButton::SecondsLeft(999), 10);
    EXPECT_EQ(QxUI::CTimerButton::SecondsLeft(1000), 9);

    const CRect timerRect(20, 20, 143, 63);
    auto* timer = window.Make<QxUI::CTimerButton>(L"CTimerButton", 10, timerRect, L"Send");
    ASSERT_NE(timer, nullptr);
    ASSERT_TRUE(timer->SetImage(L"img_button.png", 4));
    // Plain buttons drawn the same way: frame size 4, same skin, the expected titles.
    const wchar_t* titles[] = {L"Send(10s)", L"Send(9s)", L"Send"};
    CRect references[3];
    for (int i = 0; i < 3; ++i) {
        references[i] = CRect(20 + (i % 2) * 140, 80 + (i / 2) * 50, 143 + (i % 2) * 140, 123 + (i / 2) * 50);
        auto* plain = window.Make<QxUI::CTimerButton>(L"CTimerButton", 20 + i, references[i], titles[i]);
        ASSERT_NE(plain, nullptr);
        plain->SetImage(L"img_button.png", 4);
    }
    ASSERT_TRUE(window.Manager().SetTimer(timer, 1, 100));

    DWORD start = ::GetTickCount();
    EXPECT_EQ(timer->SetRun(1), 1);
    EXPECT_TRUE(SamePixels(timerRect, references[0]));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return SamePixels(timerRect, references[1]); }, 4000)) << "9 seconds left";
    EXPECT_TRUE(window.Codes(10).empty());
    ASSERT_TRUE(window.WaitForCodes(10, 1, 15000));
    EXPECT_GE(::GetTickCount() - start, 10000u) << "not before the tenth second";
    EXPECT_THAT(window.Codes(10), ElementsAre(QxUI::NOTIFY_CLICK));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return SamePixels(timerRect, references[2]); }, 2000)) << "plain title again";
}

// A disabled timer button does not start; SetRun(0) stops a running one without a click.
TEST_F(SwitchTimerTest, TimerButtonStartsOnlyWhenEnabled) {
    auto* timer = window.Make<QxUI::CTimerButton>(L"CTimerButton", 10, CRect(20, 20, 143, 63), L"Send");
    ASSERT_NE(timer, nullptr);
    timer->SetEnabled(FALSE);
    EXPECT_EQ(timer->SetRun(1), 0);
    timer->SetEnabled(TRUE);
    EXPECT_EQ(timer->SetRun(1), 1);
    EXPECT_EQ(timer->SetRun(0), 0);
    EXPECT_EQ(timer->OnControlTimer(), 0) << "a stopped countdown ignores ticks";
}

}  // namespace
