// Check boxes: clicks toggle and report after the toggle; Space checks only after the focus
// mark; a disabled box keeps its check.
#include "tests/toolkit/controls/button_test_support.h"
#include "tests/toolkit/support/test_controls.h"
#include "toolkit/controls/c_check_button.h"

namespace {

using QxUI::CCheckButton;
using QxUI::CRect;
using qxtest::IsNearColour;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr UINT kBox = 10;
constexpr UINT kSentinel = 99;

// Records the check the box reports at the moment its click arrives.
class CheckReadingDialog : public qxtest::RecordingDialog {
public:
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override {
        if (box && id == box->GetControlID() && code == QxUI::NOTIFY_CLICK) checksSeen.push_back(box->GetCheck());
        return RecordingDialog::OnMessage(id, code, wParam, lParam);
    }
    CCheckButton* box = nullptr;
    std::vector<int> checksSeen;
};

class CheckButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"img_check_macro.png")) << "the skin is not built";
        ASSERT_TRUE(dialog.CreateAt(150, 120, 400, 160));
        dialog.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF202830), Gdiplus::Color(0xFF202830));
        dialog.GetPaintManager()->AddTempFont(L"Arial", qxtest::TestFontPath());
        box = dynamic_cast<CCheckButton*>(dialog.CreateControl(L"CCheckButton", kBox, CRect(20, 20, 180, 50),
                                                               L"Record delays", 1, 1));
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(box->SetImage(L"img_check_macro.png", 8));
        dialog.box = box;
        dialog.GetPaintManager()->AddControl(1, new qxtest::ProbeControl(&dialog, kSentinel, CRect(340, 110, 390, 150)));
        // Keys go to the window under the pointer: rest it on an empty part of the window.
        ASSERT_TRUE(qxtest::MoveTo(dialog.GetSafeHwnd(), 250, 130));
        ::SetForegroundWindow(dialog.GetSafeHwnd());
        qxtest::PumpMessages();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    std::vector<UINT> Codes(UINT id) const {
        std::vector<UINT> codes;
        for (const auto& n : dialog.notifications)
            if (n.id == id) codes.push_back(n.code);
        return codes;
    }
    bool WaitForCodes(UINT id, size_t count) {
        return qxtest::PumpUntil([&] { return Codes(id).size() >= count; }, 5000);
    }
    // Input is handled in order: once the sentinel's click arrived, all earlier input was handled.
    // The click also moves the focus to the sentinel, which takes the box's focus mark away.
    bool Barrier() {
        size_t before = Codes(kSentinel).size();
        return qxtest::ClickAt(dialog.GetSafeHwnd(), 365, 130) && WaitForCodes(kSentinel, before + 2) &&
               qxtest::MoveTo(dialog.GetSafeHwnd(), 250, 130);
    }
    DWORD BulletPixel() {
        QxUI::OffScreenSurface surface;
        dialog.GetPaintManager()->PaintToSurface(surface, CRect(0, 0, 400, 160));
        QxUI::OffScreenSurface::Flush();
        return surface.GetPixel(20 + 3, 35) & 0xFFFFFF;  // the bullet's left rim, row 9 of 18
    }
    static DWORD BulletState(int i) { return qxtest::ShippedSkinPixel(L"img_check_macro.png", i * 18 + 3, 9) & 0xFFFFFF; }

    CheckReadingDialog dialog;
    CCheckButton* box = nullptr;
};

TEST_F(CheckButtonTest, ClickTogglesBeforeTheOwnerHearsOfIt) {
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 60, 35));
    ASSERT_TRUE(WaitForCodes(kBox, 1));
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 60, 35));
    ASSERT_TRUE(WaitForCodes(kBox, 2));
    EXPECT_THAT(Codes(kBox), ElementsAre(QxUI::NOTIFY_CLICK, QxUI::NOTIFY_CLICK));
    EXPECT_THAT(dialog.checksSeen, ElementsAre(1, 0));
    // Unchecked and hovered: look 1. A third click: checked and hovered, look 5.
    EXPECT_THAT(BulletPixel(), IsNearColour(BulletState(1), 6));
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 60, 35));
    ASSERT_TRUE(WaitForCodes(kBox, 3));
    EXPECT_THAT(BulletPixel(), IsNearColour(BulletState(5), 6));
}

TEST_F(CheckButtonTest, PressMovedOutDoesNotToggle) {
    ASSERT_TRUE(qxtest::PressMoveRelease(dialog.GetSafeHwnd(), QxUI::CPoint(60, 35), QxUI::CPoint(250, 130)));
    ASSERT_TRUE(Barrier());
    EXPECT_THAT(Codes(kBox), IsEmpty());
    EXPECT_EQ(box->GetCheck(), 0);
    EXPECT_THAT(BulletPixel(), IsNearColour(BulletState(0), 6));
}

TEST_F(CheckButtonTest, DisabledBoxKeepsItsCheck) {
    box->SetCheck(1);
    box->SetEnabled(FALSE);
    EXPECT_EQ(box->SetCheck(0), 1);
    EXPECT_EQ(box->GetCheck(), 1);
    EXPECT_THAT(BulletPixel(), IsNearColour(BulletState(7), 6));
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 60, 35));
    ASSERT_TRUE(Barrier());
    EXPECT_THAT(Codes(kBox), IsEmpty());
    box->SetEnabled(TRUE);
    EXPECT_EQ(box->GetCheck(), 1);  // the check survives disabling
    EXPECT_THAT(BulletPixel(), IsNearColour(BulletState(4), 6));
}

// Space checks only after the focus mark, and only without Shift or Ctrl.
TEST_F(CheckButtonTest, SpaceAfterTheFocusMark) {
    struct Step {
        bool giveMark;
        const char* keys;
        int checkAfter;    // -1: no notification
    };
    const Step steps[] = {
        {false, "space", -1}, {true, "shift+space", -1}, {true, "ctrl+space", -1},
        {true, "space", 1},   {true, "space", 0},        {false, "Return", -1},
    };
    size_t expected = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.keys);
        if (step.giveMark) EXPECT_EQ(box->SetControlFocus(TRUE), 1);
        ASSERT_TRUE(qxtest::KeyPress(step.keys));
        if (step.checkAfter < 0) {
            ASSERT_TRUE(Barrier());
            EXPECT_EQ(Codes(kBox).size(), expected);
            continue;
        }
        ASSERT_TRUE(WaitForCodes(kBox, ++expected));
        const auto& n = dialog.notifications.back();
        EXPECT_EQ(n.code, QxUI::NOTIFY_CHECK);
        EXPECT_EQ(n.lParam, step.checkAfter);
        EXPECT_EQ(box->GetCheck(), step.checkAfter);
        EXPECT_THAT(BulletPixel(), IsNearColour(BulletState(step.checkAfter ? 4 : 0), 6));
    }
}

// A press while checked also leaves the mark: Space then unchecks.
TEST_F(CheckButtonTest, PressWhileCheckedGivesTheMark) {
    box->SetCheck(1);
    ASSERT_TRUE(qxtest::PressMoveRelease(dialog.GetSafeHwnd(), QxUI::CPoint(60, 35), QxUI::CPoint(250, 130)));
    ASSERT_TRUE(qxtest::KeyPress("space"));
    ASSERT_TRUE(WaitForCodes(kBox, 1));
    EXPECT_EQ(dialog.notifications.back().code, QxUI::NOTIFY_CHECK);
    EXPECT_EQ(dialog.notifications.back().lParam, 0);
}

}  // namespace
