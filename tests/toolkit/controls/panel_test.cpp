// Panels: scroll bars that follow the content, content coordinates for pointer input and
// drawing, the wheel, the panel factory.
#include <gtest/gtest.h>

#include <memory>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_scroll_horizontal.h"
#include "toolkit/controls/c_scroll_vertical.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/m_panel.h"
#include "toolkit/core/ui_notify.h"

namespace {

using qxtest::ProbeControl;
using QxUI::CPoint;
using QxUI::CRect;
using QxUI::MControl;
using QxUI::MPanel;

// A probe that remembers the points its presses arrived with.
class PointProbe : public ProbeControl {
public:
    using ProbeControl::ProbeControl;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override {
        presses.push_back(point);
        return ProbeControl::OnControlLButtonDown(flags, point);
    }
    std::vector<CPoint> presses;
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(100, 100, 400, 300), nullptr);
        dialog.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    // A panel at (20, 20) 200 x 100 from the window factory, with probes stacked 50 high down
    // to `contentBottom` (content coordinates).
    MPanel* MakePanel(int contentBottom, std::vector<PointProbe*>* probes = nullptr) {
        auto* panel = dynamic_cast<MPanel*>(dialog.CreateControl(L"MListBox", 10, CRect(), L"", 1, 1));
        if (!panel) return nullptr;
        for (int top = 20, i = 0; top < contentBottom; top += 50, ++i) {
            auto* probe = new PointProbe(panel, 100 + i, CRect(20, top, 180, std::min(top + 50, contentBottom)));
            probe->SetManager(dialog.GetPaintManager());
            panel->AddChildControl(probe);
            if (probes) probes->push_back(probe);
        }
        panel->SetRect(CRect(20, 20, 220, 120));
        return panel;
    }
    DWORD PixelAt(int x, int y) {
        QxUI::OffScreenSurface surface;
        dialog.GetPaintManager()->PaintToSurface(surface, CRect(0, 0, 400, 300));
        return surface.GetPixel(x, y) & 0x00FFFFFF;
    }
    size_t Count(UINT id, UINT code) const {
        size_t n = 0;
        for (const auto& note : dialog.notifications)
            if (note.id == id && note.code == code) ++n;
        return n;
    }
    qxtest::RecordingDialog dialog;
};

TEST_F(PanelTest, EveryPanelClassOwnsItsTwoBarsFirst) {
    for (const wchar_t* name :
         {L"MListBox", L"MTabLayout", L"MRichEdit", L"MEditEx", L"CSpinButton", L"CComboBoxList", L"MSpinButton"}) {
        auto* panel = dynamic_cast<MPanel*>(dialog.CreateControl(name, 50, CRect(0, 0, 60, 30), L"", 1, 1));
        ASSERT_NE(panel, nullptr) << testing::PrintToString(std::wstring(name));
        const std::vector<MControl*>& children = *panel->GetControls();
        ASSERT_GE(children.size(), 2u);
        EXPECT_EQ(children[0]->GetControlID(), 1u);
        EXPECT_EQ(children[1]->GetControlID(), 2u);
        EXPECT_NE(dynamic_cast<QxUI::CScrollVertical*>(children[0]), nullptr);
        EXPECT_NE(dynamic_cast<QxUI::CScrollHorizontal*>(children[1]), nullptr);
    }
}

TEST_F(PanelTest, BarsFollowTheContentHeight) {
    std::vector<PointProbe*> probes;
    MPanel* tall = MakePanel(270, &probes);  // content reaches 250 below the panel's top
    ASSERT_NE(tall, nullptr);
    EXPECT_TRUE(tall->GetScrollVertical()->IsVisible());
    EXPECT_EQ(tall->GetScrollVertical()->GetScrollMaxRange(), 250);
    EXPECT_EQ(tall->GetScrollVertical()->GetRect(), CRect(215, 20, 220, 120));
    EXPECT_FALSE(tall->GetScrollHorizontal()->IsVisible());
    // The bar is drawn at the panel's right edge; the content beside it.
    DWORD bar = PixelAt(217, 40);
    EXPECT_NE(bar, 0u) << "the thumb shows at the top of the bar";
    EXPECT_EQ(PixelAt(100, 60), ProbeControl::kNormal & 0xFFFFFF);
    // Content that fits: the bar hides again.
    for (PointProbe* p : probes) p->SetRect(CRect(20, 20, 180, 60));
    tall->SetRect(CRect(20, 20, 220, 120));
    EXPECT_FALSE(tall->GetScrollVertical()->IsVisible());
    EXPECT_EQ(tall->GetVirtualHeight(), 40);
}

TEST_F(PanelTest, ScrolledContentIsDrawnShiftedAndCut) {
    std::vector<PointProbe*> probes;
    MPanel* panel = MakePanel(270, &probes);
    ASSERT_NE(panel, nullptr);
    probes.back()->hot = true;  // the last row (content 220 ... 270) looks different
    panel->GetScrollVertical()->SetScrollCurrentPos(250);
    panel->UpdateControl(TRUE);
    // Offset (250 - 100) * 250 / 250 = 150: content y 220 shows at window y 70.
    EXPECT_EQ(PixelAt(100, 110), ProbeControl::kHot & 0xFFFFFF);
    EXPECT_EQ(PixelAt(100, 60), ProbeControl::kNormal & 0xFFFFFF);
    // Nothing of the content leaks below the panel.
    EXPECT_EQ(PixelAt(100, 125), 0u);
    EXPECT_EQ(PixelAt(100, 150), 0u);
}

TEST_F(PanelTest, AClickOnTheLastRowReachesTheLastContentRow) {
    std::vector<PointProbe*> probes;
    MPanel* panel = MakePanel(270, &probes);
    ASSERT_NE(panel, nullptr);
    panel->GetScrollVertical()->SetScrollCurrentPos(panel->GetScrollVertical()->GetScrollMaxRange());
    panel->UpdateControl(TRUE);
    qxtest::PumpMessages();
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 100, 119));
    PointProbe* last = probes.back();
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !last->presses.empty(); }, 5000));
    EXPECT_EQ(last->presses.back(), CPoint(100, 20 + 250 - 1));
    for (size_t i = 0; i + 1 < probes.size(); ++i) EXPECT_TRUE(probes[i]->presses.empty());
}

TEST_F(PanelTest, WheelScrollsATallPanelAndIsRefusedByAShortOne) {
    MPanel* tall = MakePanel(270);
    ASSERT_NE(tall, nullptr);
    // Direction 1 is towards the user: down by one step of 10.
    EXPECT_TRUE(tall->OnScroll(1, 1, CPoint(210, 60)));
    EXPECT_EQ(tall->GetScrollVertical()->GetScrollCurrentPos(), 10);
    EXPECT_TRUE(tall->OnScroll(1, 0, CPoint(210, 60)));
    EXPECT_TRUE(tall->OnScroll(1, 0, CPoint(210, 60))) << "taken at the top as well";
    EXPECT_EQ(tall->GetScrollVertical()->GetScrollCurrentPos(), 0);

    auto* shortPanel = dynamic_cast<MPanel*>(dialog.CreateControl(L"MListBox", 11, CRect(), L"", 1, 1));
    ASSERT_NE(shortPanel, nullptr);
    shortPanel->SetRect(CRect(240, 20, 380, 200));
    EXPECT_FALSE(shortPanel->OnScroll(1, 1, CPoint(300, 100)));
    EXPECT_EQ(shortPanel->GetScrollVertical()->GetScrollCurrentPos(), 0);
}

TEST_F(PanelTest, RealWheelMovesTheContent) {
    std::vector<PointProbe*> probes;
    MPanel* panel = MakePanel(270, &probes);
    ASSERT_NE(panel, nullptr);
    // Over the panel, right of the probes: no child takes the wheel first.
    ASSERT_TRUE(qxtest::MoveTo(dialog.GetSafeHwnd(), 200, 60));
    ASSERT_TRUE(qxtest::Wheel(-3));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return panel->GetScrollVertical()->GetScrollCurrentPos() == 30; }, 5000));
    // Offset 150 * 30 / 250 = 18: content row 70 (the second probe's top) is at window row 52.
    probes[1]->hot = true;
    probes[1]->UpdateControl(TRUE);
    EXPECT_EQ(PixelAt(100, 53), ProbeControl::kHot & 0xFFFFFF);
    EXPECT_EQ(PixelAt(100, 50), ProbeControl::kNormal & 0xFFFFFF);
}

TEST_F(PanelTest, GetControlFindsBarsAndChildrenButNoUnknownId) {
    MPanel* panel = MakePanel(170);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->GetControl(1), panel->GetScrollVertical());
    EXPECT_EQ(panel->GetControl(2), panel->GetScrollHorizontal());
    ASSERT_NE(panel->GetControl(101), nullptr);
    EXPECT_EQ(panel->GetControl(101)->GetControlID(), 101u);
    EXPECT_EQ(panel->GetControl(9999), nullptr);
    EXPECT_EQ(panel->GetControl(0), nullptr);
}

TEST_F(PanelTest, PanelFactoryRefusesWindowOnlyNamesAndListsNothing) {
    MPanel* panel = MakePanel(0);
    ASSERT_NE(panel, nullptr);
    size_t before = panel->GetControls()->size();
    EXPECT_EQ(panel->CreateControl(L"QxKeyboardCtrl", 40, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    EXPECT_EQ(panel->CreateControl(L"CComboBoxList", 41, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    EXPECT_EQ(panel->CreateControl(L"mslider", 42, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    EXPECT_EQ(panel->GetControls()->size(), before);
    // The window factory knows the window-only panel class.
    EXPECT_NE(dialog.CreateControl(L"CComboBoxList", 43, CRect(0, 0, 10, 10), L"", 1, 1), nullptr);
    // A panel name: made, given the manager, listed, owned by the panel.
    MControl* slider = panel->CreateControl(L"MSlider", 44, CRect(30, 30, 130, 60), L"", 1, 1);
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->GetManager(), dialog.GetPaintManager());
    EXPECT_EQ(slider->GetParantObject(), panel);
    EXPECT_EQ(panel->GetControls()->back(), slider);
    MControl* area = panel->CreateArea(L"CArea", 45, CRect(30, 30, 130, 60), L"", 1, 1);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(panel->GetAreaControls()->back(), area);
}

TEST_F(PanelTest, ChildNotificationsReachTheDialog) {
    std::vector<PointProbe*> probes;
    MPanel* panel = MakePanel(120, &probes);
    ASSERT_NE(panel, nullptr);
    qxtest::PumpMessages();
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 100, 40));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(100, QxUI::NOTIFY_CLICK) == 1; }, 5000));
    EXPECT_EQ(Count(100, QxUI::NOTIFY_PRESS), 1u);
}

}  // namespace
