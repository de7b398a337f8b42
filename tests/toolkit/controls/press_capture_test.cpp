// A control under a held button keeps the mouse: the capture (left and right button), the moves
// it gets outside itself, and the hover that no other control takes meanwhile. Real pointer
// input; checked through notifications and painted pixels.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using qxtest::ProbeControl;
using qxtest::RecordingDialog;

// A horizontal track with a 10-pixel thumb that a left drag moves (kept inside the track, like a
// scroll thumb), and a right-button frame drag like the keyboard view's: the right release
// reports NOTIFY_FRAME_RBUTTON with wParam 1 inside, 0 outside. A left release reports
// NOTIFY_CLICK the same way.
class TrackProbe : public QxUI::MControl {
public:
    TrackProbe(QxUI::MObject* parent, UINT id, CRect rect) : MControl(parent, id, rect, TRUE, TRUE, TRUE) {
        m_thumb = rect.left;
    }
    static constexpr DWORD kTrack = 0xFF202020;
    static constexpr DWORD kThumb = 0xFFF0F0F0;

    void DrawControl(HDC& hdc, CRect) override {
        CRect r = GetRect();
        Gdiplus::Graphics g(hdc);
        Gdiplus::SolidBrush track{Gdiplus::Color(kTrack)};
        g.FillRectangle(&track, static_cast<INT>(r.left), static_cast<INT>(r.top), r.Width(), r.Height());
        Gdiplus::SolidBrush thumb{Gdiplus::Color(kThumb)};
        g.FillRectangle(&thumb, m_thumb, static_cast<INT>(r.top), 10, r.Height());
    }
    BOOL OnControlMouseMove(UINT flags, CPoint point) override {
        if (flags & MK_RBUTTON) lastRightDragX = point.x;
        if (!m_dragging) return FALSE;
        MoveThumb(point);
        return TRUE;
    }
    BOOL OnControlLButtonDown(UINT, CPoint point) override {
        m_dragging = true;
        MoveThumb(point);
        SendMessageW(QxUI::NOTIFY_PRESS);
        return TRUE;
    }
    BOOL OnControlLButtonUp(UINT, CPoint point) override {
        m_dragging = false;
        SendMessageW(QxUI::NOTIFY_CLICK, GetRect().PtInRect(point) ? 1 : 0);
        return TRUE;
    }
    BOOL OnControlRButtonDown(UINT, CPoint) override { return TRUE; }
    BOOL OnControlRButtonUp(UINT, CPoint point) override {
        SendMessageW(QxUI::NOTIFY_FRAME_RBUTTON, GetRect().PtInRect(point) ? 1 : 0);
        return TRUE;
    }
    int lastRightDragX = -1;  // x of the last move that reached it with the right button held

private:
    void MoveThumb(CPoint point) {
        CRect r = GetRect();
        int x = std::clamp(static_cast<int>(point.x) - 5, static_cast<int>(r.left), static_cast<int>(r.right) - 10);
        if (x == m_thumb) return;
        m_thumb = x;
        UpdateControl(TRUE);
    }
    bool m_dragging = false;
    int m_thumb;
};

class PressCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = dialog.CreateAt(200, 150, 300, 120);
        ASSERT_NE(hwnd, nullptr);
        manager = dialog.GetPaintManager();
        track = new TrackProbe(&dialog, 20, CRect(10, 10, 140, 60));
        other = new ProbeControl(&dialog, 21, CRect(150, 10, 290, 60));
        manager->AddControl(1, track);
        manager->AddControl(1, other);
        // Start with the pointer off the window, so the first move of a test is a real one.
        ASSERT_TRUE(qxtest::MoveTo(hwnd, -30, -30));
        qxtest::PumpMessages();
    }
    void TearDown() override {
        qxtest::ButtonUp(1);
        qxtest::ButtonUp(3);
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    DWORD PixelAt(int x, int y) {
        QxUI::OffScreenSurface surface;
        manager->PaintToSurface(surface, CRect(0, 0, 300, 120));
        return surface.GetPixel(x, y) | 0xFF000000;
    }
    // The notifications of one code, in order.
    std::vector<RecordingDialog::Notification> Sent(UINT code) {
        std::vector<RecordingDialog::Notification> found;
        for (const auto& n : dialog.notifications)
            if (n.code == code) found.push_back(n);
        return found;
    }
    bool Arrived(UINT code) { return !Sent(code).empty(); }

    RecordingDialog dialog;
    HWND hwnd = nullptr;
    QxUI::PaintManager* manager = nullptr;
    TrackProbe* track = nullptr;
    ProbeControl* other = nullptr;
};

TEST_F(PressCaptureTest, LeftDragPastTheEndKeepsTheControlAndLeavesOthersAlone) {
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 15, 30));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return manager->GetHoverControl() == track; }, 5000));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Arrived(QxUI::NOTIFY_PRESS); }, 5000));
    EXPECT_EQ(::GetCapture(), hwnd);

    // Over the other control: the thumb runs to the end of its track, the other control stays cold.
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 220, 30));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return PixelAt(135, 30) == TrackProbe::kThumb; }, 5000));
    EXPECT_EQ(PixelAt(220, 30), ProbeControl::kNormal);
    EXPECT_EQ(manager->GetHoverControl(), track);

    // Far outside the window, past the start: the thumb stops at the start of the track.
    ASSERT_TRUE(qxtest::MoveTo(hwnd, -120, 30));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return PixelAt(15, 30) == TrackProbe::kThumb; }, 5000));
    EXPECT_EQ(PixelAt(135, 30), TrackProbe::kTrack);

    // The release outside reaches the pressed control, which reports it as outside.
    ASSERT_TRUE(qxtest::ButtonUp(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Arrived(QxUI::NOTIFY_CLICK); }, 5000));
    auto clicks = Sent(QxUI::NOTIFY_CLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].id, 20u);
    EXPECT_EQ(clicks[0].wParam, 0u);
    EXPECT_TRUE(qxtest::PumpUntil([&] { return ::GetCapture() != hwnd; }, 5000));

    // Once the button is up, hover follows the pointer again.
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 220, 30));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return PixelAt(220, 30) == ProbeControl::kHot; }, 5000));
}

TEST_F(PressCaptureTest, RightDragHoldsTheCaptureAndItsReleaseOutsideTheWindow) {
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 40, 30));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return manager->GetHoverControl() == track; }, 5000));
    ASSERT_TRUE(qxtest::ButtonDown(3));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetCapture() == hwnd; }, 5000));

    // A right drag over another control leaves it cold and the hover where the press was.
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 220, 30));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return track->lastRightDragX == 220; }, 5000));
    EXPECT_EQ(manager->GetHoverControl(), track);
    EXPECT_EQ(PixelAt(220, 30), ProbeControl::kNormal);

    // Released below the window: only the capture brings that release to the window.
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 150, 260));
    ASSERT_TRUE(qxtest::ButtonUp(3));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Arrived(QxUI::NOTIFY_FRAME_RBUTTON); }, 5000));
    auto ends = Sent(QxUI::NOTIFY_FRAME_RBUTTON);
    ASSERT_EQ(ends.size(), 1u);
    EXPECT_EQ(ends[0].id, 20u);
    EXPECT_EQ(ends[0].wParam, 0u);
    EXPECT_TRUE(qxtest::PumpUntil([&] { return ::GetCapture() != hwnd; }, 5000));
    for (const auto& n : dialog.notifications) EXPECT_NE(n.id, 21u) << "code " << n.code;
}

}  // namespace
