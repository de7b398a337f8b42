// Grouped buttons: radio buttons reset every member of their group under the same owner,
// hidden ones included; selection and icon buttons only the visible, enabled ones.
#include <memory>

#include "tests/toolkit/controls/button_test_support.h"
#include "tests/toolkit/support/test_controls.h"
#include "toolkit/controls/c_icon_button.h"
#include "toolkit/controls/c_radio_button.h"
#include "toolkit/controls/c_select_button.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using qxtest::IsNearColour;
using ::testing::ElementsAre;

class GroupButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"img_radio_button.png")) << "the skin is not built";
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"img_button.png"));
        ASSERT_TRUE(window.Create(150, 120, 520, 260));
    }
    void TearDown() override { window.Destroy(); }

    template <class T>
    T* Add(const wchar_t* className, UINT id, CRect rect, const wchar_t* group, const wchar_t* skin, int count) {
        T* button = window.Make<T>(className, id, rect, L"Item");
        if (!button) return nullptr;
        button->SetGroupName(group);
        button->SetImage(skin, count);
        return button;
    }

    qxtest::ButtonWindow window;
};

TEST_F(GroupButtonTest, RadioClickUnchecksTheWholeGroupHiddenMembersIncluded) {
    using QxUI::CRadioButton;
    CRadioButton* r[5] = {};
    const wchar_t* groups[5] = {L"g", L"g", L"g", L"g", L"other"};
    for (int i = 0; i < 5; ++i) {
        r[i] = Add<CRadioButton>(L"CRadioButton", 10 + i, CRect(20, 20 + i * 30, 180, 46 + i * 30), groups[i],
                                 L"img_radio_button.png", 8);
        ASSERT_NE(r[i], nullptr);
    }
    // 1 checked; 2 checked and hidden; 3 checked and disabled; 4 checked in another group; and a
    // selection button of the same group name, which is another class and must stay checked.
    r[1]->SetControlCheck(1);
    r[2]->SetControlCheck(1);
    r[2]->SetVisible(FALSE);
    r[3]->SetControlCheck(1);
    r[3]->SetEnabled(FALSE);
    r[4]->SetControlCheck(1);
    auto* select = Add<QxUI::CSelectButton>(L"CSelectButton", 30, CRect(300, 20, 460, 46), L"g",
                                            L"img_radio_button.png", 4);
    ASSERT_NE(select, nullptr);
    select->SetControlCheck(1);

    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 60, 33));
    ASSERT_TRUE(window.WaitForCodes(10, 1));
    EXPECT_THAT(window.Codes(10), ElementsAre(QxUI::NOTIFY_CLICK));
    EXPECT_EQ(r[0]->GetCheck(), 1);
    EXPECT_EQ(r[1]->GetCheck(), 0);
    EXPECT_EQ(r[2]->GetCheck(), 0) << "hidden members belong to the group";
    EXPECT_EQ(r[3]->GetCheck(), 0) << "disabled members belong to the group";
    EXPECT_EQ(r[4]->GetCheck(), 1) << "another group";
    EXPECT_EQ(select->GetCheck(), 1) << "another class";
    // What the user sees: the clicked bullet checked and hovered, the next one plain.
    auto bullet = [](int i) { return qxtest::ShippedSkinPixel(L"img_radio_button.png", i * 18 + 9, 9) & 0xFFFFFF; };
    EXPECT_THAT(window.PixelAt(29, 33), IsNearColour(bullet(5), 6));
    EXPECT_THAT(window.PixelAt(29, 63), IsNearColour(bullet(0), 6));

    // Clicking the checked one again keeps it checked and reports again.
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 60, 33));
    ASSERT_TRUE(window.WaitForCodes(10, 2));
    EXPECT_EQ(r[0]->GetCheck(), 1);
    EXPECT_THAT(window.Codes(10), ElementsAre(QxUI::NOTIFY_CLICK, QxUI::NOTIFY_CLICK));
}

// Space after the focus mark checks a radio button (never unchecks it) and reports the check.
TEST_F(GroupButtonTest, SpaceChecksARadioButtonAndResetsItsGroup) {
    using QxUI::CRadioButton;
    auto* a = Add<CRadioButton>(L"CRadioButton", 10, CRect(20, 20, 180, 46), L"g", L"img_radio_button.png", 8);
    auto* b = Add<CRadioButton>(L"CRadioButton", 11, CRect(20, 50, 180, 76), L"g", L"img_radio_button.png", 8);
    ASSERT_TRUE(a && b);
    b->SetCheck(1);
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 400, 200));
    ::SetForegroundWindow(window.Hwnd());
    EXPECT_EQ(a->SetControlFocus(TRUE), 1);
    for (int press = 1; press <= 2; ++press) {
        ASSERT_TRUE(qxtest::KeyPress("space"));
        ASSERT_TRUE(window.WaitForCodes(10, press));
        EXPECT_EQ(window.Last(10)->code, QxUI::NOTIFY_CHECK);
        EXPECT_EQ(window.Last(10)->lParam, 1) << "press " << press;
        EXPECT_EQ(a->GetCheck(), 1);
        EXPECT_EQ(b->GetCheck(), 0);
    }
    auto bullet = [](int i) { return qxtest::ShippedSkinPixel(L"img_radio_button.png", i * 18 + 9, 9) & 0xFFFFFF; };
    EXPECT_THAT(window.PixelAt(29, 33), IsNearColour(bullet(4), 6));
    EXPECT_THAT(window.PixelAt(29, 63), IsNearColour(bullet(0), 6));
}

TEST_F(GroupButtonTest, SelectButtonLeavesHiddenAndDisabledSiblingsAlone) {
    using QxUI::CSelectButton;
    CSelectButton* s[4] = {};
    for (int i = 0; i < 4; ++i) {
        s[i] = Add<CSelectButton>(L"CSelectButton", 10 + i, CRect(20, 20 + i * 50, 180, 63 + i * 50), L"s",
                                  L"img_button.png", 4);
        ASSERT_NE(s[i], nullptr);
    }
    s[1]->SetControlCheck(1);
    s[2]->SetControlCheck(1);
    s[2]->SetVisible(FALSE);
    s[3]->SetControlCheck(1);
    s[3]->SetEnabled(FALSE);

    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 100, 40));
    ASSERT_TRUE(window.WaitForCodes(10, 1));
    EXPECT_EQ(s[0]->GetCheck(), 1);
    EXPECT_EQ(s[1]->GetCheck(), 0);
    EXPECT_EQ(s[2]->GetCheck(), 1) << "hidden siblings are skipped";
    EXPECT_EQ(s[3]->GetCheck(), 1) << "disabled siblings are skipped";
    // A checked selection button shows the pressed look even under the pointer.
    auto plate = [](int i) { return qxtest::ShippedSkinPixel(L"img_button.png", i * 123 + 61, 21) & 0xFFFFFF; };
    EXPECT_THAT(window.PixelAt(20 + 61, 41), IsNearColour(plate(2), 6));
    EXPECT_THAT(window.PixelAt(20 + 61, 91), IsNearColour(plate(0), 6));
    EXPECT_THAT(window.PixelAt(20 + 61, 191), IsNearColour(plate(3), 6));
}

// Group walks under a control owner, and without an owner.
TEST_F(GroupButtonTest, GroupOfAControlOwnerAndNoOwner) {
    using QxUI::CRadioButton;
    auto* panel = new qxtest::ProbeControl(&window.dialog, 50, CRect(200, 20, 500, 200));
    window.Manager().AddControl(1, panel);
    auto* a = new CRadioButton(panel, 51, CRect(210, 30, 370, 56), L"A", TRUE, TRUE);
    auto* b = new CRadioButton(panel, 52, CRect(210, 60, 370, 86), L"B", TRUE, TRUE);
    panel->AddChildControl(a);
    panel->AddChildControl(b);
    auto* outside = Add<CRadioButton>(L"CRadioButton", 53, CRect(20, 20, 180, 46), L"g", L"img_radio_button.png", 8);
    ASSERT_NE(outside, nullptr);
    a->SetGroupName(L"g");
    b->SetGroupName(L"g");
    outside->SetCheck(1);
    a->SetCheck(1);
    EXPECT_EQ(outside->GetCheck(), 1) << "a different owner";
    b->SetCheck(1);
    EXPECT_EQ(a->GetCheck(), 0);
    EXPECT_EQ(b->GetCheck(), 1);

    CRadioButton orphan(nullptr, 60, CRect(0, 0, 10, 10), L"", TRUE, TRUE);
    EXPECT_EQ(orphan.ResetGroupCheck(), 0);
    EXPECT_EQ(orphan.SetCheck(1), 1);
}

// An icon button stays down (frame 1) after its click until another of its group is clicked;
// a checked one shows frame 3.
TEST_F(GroupButtonTest, IconButtonDownStateAndCheckedFrame) {
    using QxUI::CIconButton;
    CIconButton* b[2] = {};
    for (int i = 0; i < 2; ++i) {
        b[i] = Add<CIconButton>(L"CIconButton", 10 + i, CRect(20 + i * 140, 20, 143 + i * 140, 63), L"i",
                                L"img_button.png", 4);
        ASSERT_NE(b[i], nullptr);
        b[i]->SetTitle(L"");
    }
    auto plate = [](int i) { return qxtest::ShippedSkinPixel(L"img_button.png", i * 123 + 61, 21) & 0xFFFFFF; };
    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 80, 40));
    ASSERT_TRUE(window.WaitForCodes(10, 2));
    EXPECT_THAT(window.Codes(10), ElementsAre(QxUI::NOTIFY_PRESS, QxUI::NOTIFY_CLICK));
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 300, 200));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return qxtest::ColourDistance(window.PixelAt(81, 41), plate(1)) <= 6; }));
    // A press on the other one that is moved out and released is no click: it does not stay down.
    ASSERT_TRUE(qxtest::PressMoveRelease(window.Hwnd(), CPoint(220, 40), CPoint(300, 200)));
    ASSERT_TRUE(window.WaitForCodes(11, 1));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return qxtest::ColourDistance(window.PixelAt(221, 41), plate(0)) <= 6; }));
    EXPECT_THAT(window.PixelAt(81, 41), IsNearColour(plate(1), 6));
    EXPECT_THAT(window.Codes(11), ElementsAre(QxUI::NOTIFY_PRESS));

    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 220, 40));
    ASSERT_TRUE(window.WaitForCodes(11, 3));
    EXPECT_THAT(window.PixelAt(81, 41), IsNearColour(plate(0), 6));
    b[0]->SetCheck(1);
    EXPECT_THAT(window.PixelAt(81, 41), IsNearColour(plate(3), 6));
}

}  // namespace
