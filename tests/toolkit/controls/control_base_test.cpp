// The control base as a user and an owner meet it: repaint requests of the state setters,
// double-click modes, the capture child, cursors, and factory names of the value controls.
#include <gtest/gtest.h>

#include <memory>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_area.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/m_panel.h"
#include "toolkit/core/ui_notify.h"

namespace {

using qxtest::ProbeControl;
using QxUI::CPoint;
using QxUI::CRect;
using QxUI::MControl;

// An owner that records the repaint requests its controls make.
class UpdateRecorder : public QxUI::MObject {
public:
    LRESULT OnControlUpdate(CRect rect, int flag, MControl*) override {
        requests.push_back({rect, flag});
        return 0;
    }
    struct Request {
        CRect rect;
        int flag;
    };
    std::vector<Request> requests;
};

TEST(ControlRepaint, HidingAHiddenControlAsksForNothing) {
    UpdateRecorder owner;
    QxUI::CArea area(&owner, 1, CRect(10, 10, 50, 40), FALSE, TRUE);
    area.SetVisible(FALSE);
    area.SetVisible(FALSE, TRUE);
    EXPECT_TRUE(owner.requests.empty());
    area.SetVisible(TRUE);
    ASSERT_EQ(owner.requests.size(), 1u);
    EXPECT_EQ(owner.requests[0].rect, CRect(10, 10, 50, 40));
    EXPECT_NE(owner.requests[0].flag, 0) << "showing drops the cached rendering";
    area.SetEnabled(TRUE);
    EXPECT_EQ(owner.requests.size(), 1u) << "no change of the enabled flag, no repaint";
}

TEST(ControlRepaint, MovingRepaintsOldAndNewPlace) {
    UpdateRecorder owner;
    QxUI::CArea area(&owner, 1, CRect(10, 10, 50, 40), TRUE, TRUE);
    area.SetRect(CRect(100, 60, 130, 90));
    ASSERT_EQ(owner.requests.size(), 1u);
    EXPECT_EQ(owner.requests[0].rect, CRect(10, 10, 130, 90));
    EXPECT_NE(owner.requests[0].flag, 0);
    area.SetRect(5, 5, 10, 10);  // x, y, cx, cy
    EXPECT_EQ(area.GetRect(), CRect(5, 5, 15, 15));
    EXPECT_EQ(owner.requests.back().rect, CRect(5, 5, 130, 90));
    // A hidden control moves silently.
    area.SetVisible(FALSE);
    size_t before = owner.requests.size();
    area.SetRect(CRect(0, 0, 5, 5));
    EXPECT_EQ(owner.requests.size(), before);
}

TEST(ControlFactoryNames, ValueControlsAndPanelsByExactName) {
    struct Case {
        const wchar_t* name;
        bool made;
    };
    const Case cases[] = {
        {L"MSlider", true},          {L"mslider", false},    {L"MSLIDER", false},  {L"MSpinButton", true},
        {L"mspinbutton", false},     {L"MListBox", true},    {L"MListbox", false}, {L"MComboBox", true},
        {L"MTabCtrl", true},         {L"MRichEdit", true},   {L"MEditEx", true},   {L"CSpinButton", true},
        {L"MLevelCtrl", true},       {L"CDeviceCtrl", true}, {L"CTextArea", true}, {L"CComboBoxList", true},
        {L"MComboBoxEdit", true},    {L"MTabLayout", true},  {L"mtext", false},    {L"MScroll", false},
        {L"CScrollVertical", false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<MControl> control(
            QxUI::ControlFactory::Create(nullptr, c.name, 7, CRect(0, 0, 40, 20), L"t", 1, 0));
        EXPECT_EQ(control != nullptr, c.made) << testing::PrintToString(std::wstring(c.name));
        if (control) EXPECT_EQ(control->GetControlID(), 7u);
    }
}

TEST(ControlFactoryNames, FlagsReachTheConstructors) {
    // (a, b) controls take both flags; (a, 1) controls are always enabled.
    std::unique_ptr<MControl> slider(QxUI::ControlFactory::Create(nullptr, L"MSlider", 1, CRect(), L"", 0, 0));
    ASSERT_NE(slider, nullptr);
    EXPECT_FALSE(slider->IsVisible());
    EXPECT_FALSE(slider->IsEnabled());
    std::unique_ptr<MControl> device(QxUI::ControlFactory::Create(nullptr, L"CDeviceCtrl", 1, CRect(), L"", 1, 0));
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(device->IsEnabled());
    std::unique_ptr<MControl> rich(QxUI::ControlFactory::Create(nullptr, L"MRichEdit", 1, CRect(), L"text", 1, 0));
    ASSERT_NE(rich, nullptr);
    EXPECT_FALSE(rich->IsEnabled());
    EXPECT_EQ(static_cast<QxUI::MControlFont*>(rich.get())->GetTitle(), QxUI::CString(L"text"));
}

// A probe whose double-click handling is chosen by the test.
class DoubleClickProbe : public ProbeControl {
public:
    DoubleClickProbe(QxUI::MObject* parent, UINT id, CRect rect, BOOL mode, BOOL notify)
        : ProbeControl(parent, id, rect) {
        m_dblClkMode = mode;
        m_dblClkNotify = notify;
    }
    BOOL OnControlLButtonDblClk(UINT, CPoint) override {
        ++doubleClicks;
        return TRUE;
    }
    int doubleClicks = 0;
};

class ControlInputTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(dialog.CreateAt(150, 150, 300, 200), nullptr); }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    size_t Count(UINT id, UINT code) const {
        size_t n = 0;
        for (const auto& note : dialog.notifications)
            if (note.id == id && note.code == code) ++n;
        return n;
    }
    qxtest::RecordingDialog dialog;
};

TEST_F(ControlInputTest, DoubleClickModes) {
    struct Case {
        BOOL mode, notify;
        size_t presses, code3;
        int doubleClicks;
    };
    // Mode 0: the second click is a second press. Mode 1: a double click, code 3 only when asked.
    const Case cases[] = {{0, 1, 2, 0, 0}, {1, 0, 1, 0, 1}, {1, 1, 1, 1, 1}};
    UINT id = 60;
    int left = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " notify " << c.notify);
        // Each case at its own place, so its clicks never pair with the previous case's.
        auto* probe = new DoubleClickProbe(&dialog, id, CRect(left, 20, left + 80, 80), c.mode, c.notify);
        dialog.GetPaintManager()->AddControl(1, probe);
        qxtest::PumpMessages();
        ASSERT_TRUE(qxtest::DoubleClickAt(dialog.GetSafeHwnd(), left + 40, 50));
        // Both clicks complete with a release: two click notifications in every mode.
        ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(id, QxUI::NOTIFY_CLICK) >= 1 && !probe->pressed; }, 5000));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(id, QxUI::NOTIFY_PRESS) + probe->doubleClicks >= 2; }, 5000));
        EXPECT_EQ(Count(id, QxUI::NOTIFY_PRESS), c.presses);
        EXPECT_EQ(Count(id, QxUI::NOTIFY_DBLCLK), c.code3);
        EXPECT_EQ(probe->doubleClicks, c.doubleClicks);
        ++id;
        left += 95;
    }
}

TEST_F(ControlInputTest, ThePressedChildKeepsTheReleaseOutsideIt) {
    // A panel with two probes side by side: press on the first, release over the second.
    auto* panel = dynamic_cast<QxUI::MPanel*>(dialog.CreateControl(L"MListBox", 10, CRect(), L"", 1, 1));
    ASSERT_NE(panel, nullptr);
    auto* first = new ProbeControl(panel, 70, CRect(20, 20, 100, 80));
    auto* second = new ProbeControl(panel, 71, CRect(120, 20, 200, 80));
    panel->AddChildControl(first);
    panel->AddChildControl(second);
    panel->SetRect(CRect(10, 10, 260, 150));
    qxtest::PumpMessages();
    HWND hwnd = dialog.GetSafeHwnd();
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 50, 50));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return first->pressed; }, 5000));
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 150, 50));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !first->pressed; }, 5000)) << "the release went to the first child";
    EXPECT_EQ(Count(70, QxUI::NOTIFY_PRESS), 1u);
    EXPECT_EQ(Count(70, QxUI::NOTIFY_CLICK), 0u) << "released outside: no click";
    EXPECT_EQ(Count(71, QxUI::NOTIFY_PRESS), 0u);
    EXPECT_EQ(Count(71, QxUI::NOTIFY_CLICK), 0u);
}

TEST_F(ControlInputTest, HandCursorOverTheControl) {
    auto* probe = new ProbeControl(&dialog, 80, CRect(20, 20, 120, 80));
    dialog.GetPaintManager()->AddControl(1, probe);
    EXPECT_EQ(probe->SetCursorEx(L"hand"), 0);
    EXPECT_EQ(probe->SetCursorEx(L"no-such-cursor"), 0) << "an unknown name keeps the hand";
    HCURSOR hand = ::LoadCursorW(nullptr, IDC_HAND);
    HWND hwnd = dialog.GetSafeHwnd();
    for (CPoint p : {CPoint(40, 40), CPoint(100, 70)}) {
        ASSERT_TRUE(qxtest::MoveTo(hwnd, 250, 150));
        qxtest::PumpMessages();
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(qxtest::MoveTo(hwnd, p));
        EXPECT_TRUE(qxtest::PumpUntil([&] { return ::GetCursor() == hand; }, 5000)) << p.x << "," << p.y;
    }
}

}  // namespace
