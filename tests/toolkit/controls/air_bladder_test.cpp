// The balloon tip: placement rules, the dialog and paint-manager entry points, the self-hide
// timer, hiding on focus loss, and the per-pixel-alpha frame it pushes to the screen.
#include <gtest/gtest.h>

#include "tests/toolkit/controls/popup_test_images.h"
#include "tests/toolkit/support/gtest_printers.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/air_bladder_geometry.h"
#include "toolkit/core/m_air_bladder.h"

namespace {

using QxUI::AirBladderLayout;
using QxUI::CRect;

TEST(AirBladderGeometry, PlacementByMode) {
    struct Case {
        int mode, w, h, lines;
        CRect window;
        int storedLines;
        bool centred;
    };
    const POINT a = {500, 300};
    const Case cases[] = {
        {3, 100, 17, 1, CRect(475, 300, 615, 347), 1, true},   // below, one line: centred
        {3, 100, 17, 2, CRect(475, 300, 615, 364), 2, false},  // below, two lines: near
        {1, 100, 17, 1, CRect(500, 282, 640, 319), 1, true},   // right: top = y - E/2 - 10
        {1, 100, 17, 2, CRect(500, 273, 640, 327), 2, false},  // two lines: top = y - h - 10
        {2, 100, 17, 1, CRect(360, 273, 500, 310), 1, true},   // left
        {4, 100, 17, 2, CRect(435, 246, 565, 300), 2, true},   // above: always centred
        {4, 101, 17, 1, CRect(435, 263, 566, 300), 1, true},   // (w + 30) / 2 rounds down
        {5, 100, 17, 3, CRect(500, 290, 640, 306), 1, false},  // raised: two lines fewer
        {5, 100, 17, 1, CRect(500, 290, 640, 290), -1, true},  // too short: empty, never inverted
        {0, 100, 17, 1, CRect(0, 0, 0, 0), 1, true},
        {9, 100, 17, 2, CRect(0, 0, 0, 0), 2, false},
    };
    for (const Case& c : cases) {
        AirBladderLayout layout = QxUI::PlaceAirBladder(a, c.mode, c.w, c.h, c.lines);
        EXPECT_EQ(layout.window, c.window) << "mode " << c.mode << ", " << c.lines << " lines";
        EXPECT_EQ(layout.lineCount, c.storedLines) << "mode " << c.mode;
        EXPECT_EQ(layout.centred, c.centred) << "mode " << c.mode << ", " << c.lines << " lines";
    }
}

TEST(AirBladderGeometry, LinesAndTextBox) {
    EXPECT_EQ(QxUI::CountTextLines(L""), 1);
    EXPECT_EQ(QxUI::CountTextLines(L"Set Successful!"), 1);
    EXPECT_EQ(QxUI::CountTextLines(L"a\nb"), 2);
    EXPECT_EQ(QxUI::CountTextLines(L"a\n"), 2);
    EXPECT_EQ(QxUI::CountTextLines(L"\n\n\n"), 4);
    EXPECT_EQ(QxUI::CountTextLines(L"a\r\nb"), 2);

    // One line of 17 in a 140 x 47 balloon: centred block, two pixels taller than the text.
    Gdiplus::RectF one = QxUI::AirBladderTextBox(140, 47, 1, 17);
    EXPECT_FLOAT_EQ(one.X, 8.0f);
    EXPECT_FLOAT_EQ(one.Y, 15.0f);
    EXPECT_FLOAT_EQ(one.Width, 124.0f);
    EXPECT_FLOAT_EQ(one.Height, 19.0f);
    // Two lines move down by one pixel per extra line.
    Gdiplus::RectF two = QxUI::AirBladderTextBox(140, 64, 2, 17);
    EXPECT_FLOAT_EQ(two.Y, 16.0f);
    EXPECT_FLOAT_EQ(two.Height, 36.0f);
}

class AirBladderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qxtest::WritePopupSkin());
        ASSERT_NE(dialog.CreateAt(150, 150, 300, 200), nullptr);
        qxtest::PumpMessages();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    QxUI::PaintManager* Manager() { return dialog.GetPaintManager(); }
    HWND Balloon() {
        QxUI::MAirBladder* b = Manager()->GetAirBladder();
        return b ? b->GetSafeHwnd() : nullptr;
    }
    CRect BalloonRect() {
        CRect r;
        ::GetWindowRect(Balloon(), &r);
        return r;
    }
    bool Visible() { return Balloon() && ::IsWindowVisible(Balloon()); }
    // Whether the hide timer runs; asking stops it, as a balloon that hid would have.
    bool TakeHideTimer() { return ::KillTimer(Balloon(), 10) != FALSE; }

    qxtest::RecordingDialog dialog;
};

TEST_F(AirBladderTest, OneAndTwoLinesBelowThePoint) {
    EXPECT_FALSE(Manager()->ShowAirBladder(SW_SHOW, 0)) << "no balloon before the first text";
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"Set Successful!", POINT{500, 300}, QxUI::AIRBLADDER_CENTER));
    ASSERT_NE(Balloon(), nullptr);
    EXPECT_TRUE(Visible());
    CRect one = BalloonRect();
    EXPECT_EQ(one.left, 475);
    EXPECT_EQ(one.top, 300);
    int lineHeight = one.Height() - 30;
    EXPECT_GT(lineHeight, 10);
    EXPECT_GT(one.Width(), 40) << "text width + 40";

    // A second line of the same width: one line height taller, as wide.
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"Set Successful!\nSet Successful!", POINT{500, 300},
                                        QxUI::AIRBLADDER_CENTER));
    CRect two = BalloonRect();
    EXPECT_EQ(two.TopLeft(), one.TopLeft());
    EXPECT_EQ(two.Width(), one.Width());
    EXPECT_EQ(two.Height() - 30, 2 * lineHeight);
    // The widest line decides the width, wherever it is.
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"A\nSet Successful!", POINT{500, 300}, QxUI::AIRBLADDER_CENTER));
    EXPECT_EQ(BalloonRect().Width(), one.Width());

    // Right of the anchor, two lines: top = y - h - 10.
    ASSERT_TRUE(Manager()->SetAirBladderMsg(L"Set Successful!\nSet Successful!", POINT{400, 200},
                                            QxUI::AIRBLADDER_CENTER, QxUI::AIRBLADDER_MODE_RIGHT));
    CRect right = BalloonRect();
    EXPECT_EQ(right.left, 400);
    EXPECT_EQ(right.top, 200 - lineHeight - 10);
    EXPECT_EQ(right.Height(), 2 * lineHeight + 20);
}

TEST_F(AirBladderTest, RefusedWithoutAPointOrText) {
    EXPECT_FALSE(dialog.SetAirBladderMsg(L"tip", POINT{0, 40}, QxUI::AIRBLADDER_CENTER));
    EXPECT_FALSE(dialog.SetAirBladderMsg(L"tip", POINT{40, 0}, QxUI::AIRBLADDER_CENTER));
    EXPECT_FALSE(Manager()->SetAirBladderMsg(nullptr, POINT{40, 40}, QxUI::AIRBLADDER_CENTER,
                                             QxUI::AIRBLADDER_MODE_BELOW));
    EXPECT_EQ(Balloon(), nullptr);
}

TEST_F(AirBladderTest, HidesItselfAfterFiveSeconds) {
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"Device connected!", POINT{500, 300}, QxUI::AIRBLADDER_CENTER));
    ASSERT_TRUE(Visible());
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !Visible(); }, 10000));
    EXPECT_FALSE(TakeHideTimer()) << "the timer stops with the hiding";
}

TEST_F(AirBladderTest, StayTypeRunsNoTimer) {
    ASSERT_TRUE(Manager()->SetAirBladderMsg(L"first", POINT{500, 300}, QxUI::AIRBLADDER_CENTER,
                                            QxUI::AIRBLADDER_MODE_BELOW));
    // Changing to type 4 must also stop the timer of the text before.
    ASSERT_TRUE(Manager()->SetAirBladderMsg(L"stays", POINT{500, 300}, QxUI::AIRBLADDER_STAY,
                                            QxUI::AIRBLADDER_MODE_BELOW));
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(TakeHideTimer());
    // Every other type starts it.
    for (QxUI::AIRBLADDER_TYPE type : {QxUI::AIRBLADDER_LEFT, QxUI::AIRBLADDER_RIGHT, QxUI::AIRBLADDER_HOVER}) {
        ASSERT_TRUE(Manager()->SetAirBladderMsg(L"goes", POINT{500, 300}, type, QxUI::AIRBLADDER_MODE_BELOW));
        EXPECT_TRUE(TakeHideTimer()) << "type " << type;
    }
}

TEST_F(AirBladderTest, OnlyTimerTenHidesIt) {
    ASSERT_TRUE(Manager()->SetAirBladderMsg(L"timer", POINT{500, 300}, QxUI::AIRBLADDER_STAY,
                                            QxUI::AIRBLADDER_MODE_BELOW));
    ASSERT_TRUE(Visible());
    ::SendMessageW(Balloon(), WM_TIMER, 11, 0);
    EXPECT_TRUE(Visible());
    ::SendMessageW(Balloon(), WM_TIMER, 10, 0);
    EXPECT_FALSE(Visible());
}

TEST_F(AirBladderTest, AClosedBalloonIsMadeAgain) {
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"first", POINT{500, 300}, QxUI::AIRBLADDER_STAY));
    HWND first = Balloon();
    EXPECT_EQ(::SendMessageW(first, QxUI::WM_USERCLOSEWINDOW, 0, 0), 1);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !::IsWindow(first); }, 3000));
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"second", POINT{500, 300}, QxUI::AIRBLADDER_STAY));
    ASSERT_NE(Balloon(), nullptr);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(BalloonRect().TopLeft(), QxUI::CPoint(475, 300));
}

TEST_F(AirBladderTest, SameCallTwiceNeitherMovesNorRestartsTheTimer) {
    const POINT at = {500, 300};
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"Reset Successful!", at, QxUI::AIRBLADDER_CENTER));
    EXPECT_TRUE(TakeHideTimer());
    // Moved away by hand: an unchanged call must leave it there and start no timer.
    ::SetWindowPos(Balloon(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"Reset Successful!", at, QxUI::AIRBLADDER_CENTER));
    EXPECT_EQ(BalloonRect().TopLeft(), QxUI::CPoint(20, 30));
    EXPECT_FALSE(TakeHideTimer());
    // Any change places it again and gives it its five seconds.
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"Reset Successful!", POINT{501, 300}, QxUI::AIRBLADDER_CENTER));
    EXPECT_EQ(BalloonRect().TopLeft(), QxUI::CPoint(476, 300));
    EXPECT_TRUE(TakeHideTimer());
}

TEST_F(AirBladderTest, ShowRequestsFollowTheCurrentId) {
    ASSERT_TRUE(Manager()->SetAirBladderMsg(L"help", POINT{500, 300}, QxUI::AIRBLADDER_HOVER,
                                            QxUI::AIRBLADDER_MODE_LEFT));
    ASSERT_TRUE(Visible()) << "made visible";
    Manager()->ShowAirBladder(SW_HIDE, 0);
    ASSERT_FALSE(Visible());
    Manager()->ShowAirBladder(SW_SHOWNA, 7);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(Manager()->ShowAirBladder(SW_HIDE, 8)) << "another owner's hide is refused";
    EXPECT_TRUE(Visible());
    Manager()->ShowAirBladder(SW_HIDE, 7);
    EXPECT_FALSE(Visible());
}

TEST_F(AirBladderTest, LosingTheFocusHidesUnlessSticky) {
    struct Case {
        QxUI::AIRBLADDER_MODE mode;
        bool staysVisible;
    };
    for (Case c : {Case{QxUI::AIRBLADDER_MODE_BELOW, false}, Case{QxUI::AIRBLADDER_MODE_STICKY, true}}) {
        ASSERT_TRUE(Manager()->SetAirBladderMsg(L"focus\nsecond\nthird", POINT{500, 300}, QxUI::AIRBLADDER_STAY,
                                                c.mode));
        Manager()->ShowAirBladder(SW_SHOW, 0);
        ::SetForegroundWindow(Balloon());
        ::SetFocus(Balloon());
        ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetFocus() == Balloon(); }, 3000)) << "mode " << c.mode;
        ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 30, 30));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetFocus() != Balloon(); }, 5000)) << "mode " << c.mode;
        if (c.staysVisible)
            EXPECT_TRUE(Visible()) << "mode " << c.mode;
        else
            EXPECT_TRUE(qxtest::PumpUntil([&] { return !Visible(); }, 3000)) << "mode " << c.mode;
    }
}

TEST_F(AirBladderTest, LayeredFrameHasTransparentCornersAndAnOpaqueBody) {
    ASSERT_TRUE(Manager()->SetAirBladderMsg(L"Device not connected!", POINT{500, 300}, QxUI::AIRBLADDER_STAY,
                                            QxUI::AIRBLADDER_MODE_BELOW));
    const QxUI::OffScreenSurface& frame = Manager()->GetAirBladder()->GetLayeredSurface();
    CRect client;
    ::GetClientRect(Balloon(), &client);
    ASSERT_EQ(frame.Width(), client.Width());
    ASSERT_EQ(frame.Height(), client.Height());
    QxUI::OffScreenSurface::Flush();
    int w = frame.Width(), h = frame.Height();
    for (POINT corner : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
        EXPECT_EQ(frame.GetPixel(corner.x, corner.y) >> 24, 0u) << corner.x << "," << corner.y;
    // The body between the border and the text is the image's body, fully opaque.
    EXPECT_EQ(frame.GetPixel(w / 2, 3), qxtest::kBalloonBody);
    EXPECT_EQ(frame.GetPixel(3, h / 2), qxtest::kBalloonBody);
    EXPECT_EQ(frame.GetPixel(w / 2, 0), qxtest::kBalloonBorder);
    // The text: dark, opaque pixels inside the text box.
    int dark = 0;
    for (int y = 8; y < h - 8; ++y)
        for (int x = 8; x < w - 8; ++x) {
            DWORD p = frame.GetPixel(x, y);
            if ((p >> 24) == 0xFF && ((p >> 8) & 0xFF) < 0x60) ++dark;
        }
    EXPECT_GT(dark, 20);
}

}  // namespace
