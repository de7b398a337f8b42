// Push buttons driven by real pointer input: what reaches the owner, and what the button shows.
#include <memory>

#include "tests/toolkit/controls/button_test_support.h"
#include "tests/toolkit/support/test_controls.h"
#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/button_text.h"
#include "toolkit/controls/m_button.h"
#include "toolkit/controls/new_button.h"
#include "toolkit/core/m_control_font.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using qxtest::IsNearColour;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr UINT kButton = 10;
constexpr UINT kSentinel = 99;

class PushButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"img_button.png")) << "the skin is not built";
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"img_btn_addmacro.png"));
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"icon\\icon_addmacro.png"));
        ASSERT_TRUE(qxtest::UseShippedSkinFile(L"sysbtn_close.png"));
        ASSERT_TRUE(window.Create(150, 120, 420, 200));
        sentinel = new qxtest::ProbeControl(&window.dialog, kSentinel, CRect(360, 150, 410, 190));
        window.Manager().AddControl(1, sentinel);
    }
    void TearDown() override { window.Destroy(); }

    // Real input is handled in order: once a click on the sentinel has arrived, everything sent
    // before it has been handled too.
    bool Barrier() {
        size_t before = window.Codes(kSentinel).size();
        return qxtest::ClickAt(window.Hwnd(), 385, 170) && window.WaitForCodes(kSentinel, before + 2);
    }

    qxtest::ButtonWindow window;
    qxtest::ProbeControl* sentinel = nullptr;
};

// Every push button: press, move out and release reports the press only; press and release
// inside reports press then click.
TEST_F(PushButtonTest, PressMovedOutIsNoClickForEveryPushButton) {
    const wchar_t* names[] = {L"MButton",     L"NewButton",      L"ProfileButton", L"CImageButton",
                              L"GDIButton",   L"CTextButton",    L"CGDITextButton", L"CTimerButton"};
    UINT id = kButton;
    for (const wchar_t* name : names) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
        auto* button = window.Make<QxUI::MControlFont>(name, ++id, CRect(20, 20, 143, 63), L"OK");
        ASSERT_NE(button, nullptr);
        button->SetImage(L"img_button.png", 4);
        ASSERT_TRUE(qxtest::PressMoveRelease(window.Hwnd(), CPoint(80, 40), CPoint(200, 120)));
        ASSERT_TRUE(Barrier());
        EXPECT_THAT(window.Codes(id), ElementsAre(QxUI::NOTIFY_PRESS));
        ASSERT_TRUE(qxtest::PressMoveRelease(window.Hwnd(), CPoint(80, 40), CPoint(100, 45)));
        ASSERT_TRUE(window.WaitForCodes(id, 3));
        EXPECT_THAT(window.Codes(id), ElementsAre(QxUI::NOTIFY_PRESS, QxUI::NOTIFY_PRESS, QxUI::NOTIFY_CLICK));
        button->SetVisible(FALSE);  // the next button takes its place
    }
}

// The looks after each release: normal after a cancelled press, hover after a click.
TEST_F(PushButtonTest, LookAfterReleaseOutsideAndInside) {
    auto* button = window.Make<QxUI::MButton>(L"MButton", kButton, CRect(20, 20, 143, 63), L"OK");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->SetImage(L"img_button.png", 4));
    const CPoint probe(40, 41);  // left of the title, in the skin's centre part
    auto state = [](int i) { return qxtest::ShippedSkinPixel(L"img_button.png", i * 123 + 61, 21); };

    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 80, 40));
    ASSERT_TRUE(qxtest::ButtonDown());
    EXPECT_TRUE(qxtest::PumpUntil([&] { return qxtest::ColourDistance(window.PixelAt(probe.x, probe.y), state(2)) < 6; }));
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 200, 120));
    ASSERT_TRUE(qxtest::ButtonUp());
    ASSERT_TRUE(Barrier());
    EXPECT_THAT(window.PixelAt(probe.x, probe.y), IsNearColour(state(0), 6));

    ASSERT_TRUE(qxtest::PressMoveRelease(window.Hwnd(), CPoint(80, 40), CPoint(90, 42)));
    ASSERT_TRUE(window.WaitForCodes(kButton, 3));
    EXPECT_THAT(window.PixelAt(probe.x, probe.y), IsNearColour(state(1), 6));
}

// Disabled: frame 3 with a grey title, and real clicks report nothing. Enabling again picks
// frame 0 of the strip without rendering it anew.
TEST_F(PushButtonTest, DisabledLookHasGreyTitleAndIgnoresClicks) {
    auto* button = window.Make<QxUI::MButton>(L"MButton", kButton, CRect(20, 20, 143, 63), L"OK");
    ASSERT_NE(button, nullptr);
    button->SetFont(L"Arial", 24, Gdiplus::FontStyleBold);
    ASSERT_TRUE(button->SetImage(L"img_button.png", 4));
    button->SetEnabled(FALSE);
    DWORD plate = qxtest::ShippedSkinPixel(L"img_button.png", 3 * 123 + 61, 21);
    EXPECT_THAT(window.PixelAt(40, 41), IsNearColour(plate, 6));
    // The title's strokes are grey 0x808080: nothing as bright as the enabled white title.
    const QxUI::OffScreenSurface& surface = window.Paint();
    int grey = 0, bright = 0;
    for (int y = 24; y < 60; ++y)
        for (int x = 55; x < 110; ++x) {
            DWORD p = surface.GetPixel(x, y);
            if (qxtest::ColourDistance(p, 0xFF808080) <= 12) ++grey;
            if ((p & 0xFF) > 0xA0 && ((p >> 8) & 0xFF) > 0xA0) ++bright;
        }
    EXPECT_GT(grey, 15);
    EXPECT_EQ(bright, 0);

    ASSERT_TRUE(qxtest::ClickAt(window.Hwnd(), 80, 40));
    ASSERT_TRUE(Barrier());
    EXPECT_THAT(window.Codes(kButton), IsEmpty());

    // SetControlEnabled only picks another frame: the strip stays valid and shows frame 0.
    button->SetControlEnabled(TRUE);
    EXPECT_TRUE(button->GetUpdate());
    DWORD normal = qxtest::ShippedSkinPixel(L"img_button.png", 61, 21);
    EXPECT_THAT(window.PixelAt(40, 41), IsNearColour(normal, 6));
}

// The icon and title of a NewButton are centred as one block: the title box is 10 wider than the
// title and sits 8 right of the icon, so the ink's right margin is 5 larger than its left one.
TEST(NewButtonLayout, IconAndTitleBlockIsCentred) {
    struct Case {
        int W, H, iconW, iconH, titleW;
        QxUI::CPoint icon;
        CRect title;
    };
    const Case cases[] = {
        {225, 43, 20, 20, 80, {(225 - 20 - 90 - 8) / 2, 11}, CRect(53 + 28, 2, 53 + 28 + 90, 43)},
        {123, 43, 20, 20, 40, {(123 - 20 - 50 - 8) / 2, 11}, CRect(22 + 28, 2, 22 + 28 + 50, 43)},
        {100, 30, 0, 0, 30, {(100 - 40 - 8) / 2, 15}, CRect(26 + 8, 2, 26 + 8 + 40, 30)},
        {60, 30, 20, 20, 70, {(60 - 20 - 80 - 8) / 2, 5}, CRect(-24 + 28, 2, -24 + 28 + 80, 30)},  // too narrow
    };
    for (const Case& c : cases) {
        QxUI::IconTitleLayout l = QxUI::IconLeftOfTitle(0, c.W, c.H, c.iconW, c.iconH, c.titleW);
        EXPECT_EQ(l.icon, c.icon) << c.W << "x" << c.H;
        EXPECT_EQ(l.title, c.title) << c.W << "x" << c.H;
        // In frame i everything moves by the frame's left edge.
        QxUI::IconTitleLayout moved = QxUI::IconLeftOfTitle(3 * c.W, c.W, c.H, c.iconW, c.iconH, c.titleW);
        EXPECT_EQ(moved.icon.x, l.icon.x + 3 * c.W);
        EXPECT_EQ(moved.title.left, l.title.left + 3 * c.W);
    }
}

TEST_F(PushButtonTest, NewButtonDrawsIconAndTitleAsOneCentredBlock) {
    auto* button = window.Make<QxUI::NewButton>(L"NewButton", kButton, CRect(20, 20, 245, 63), L"Create Macro");
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->SetImage(L"img_btn_addmacro.png", 4));
    ASSERT_TRUE(button->SetIconImage(L"icon\\icon_addmacro.png", 1));
    DWORD plate = qxtest::ShippedSkinPixel(L"img_btn_addmacro.png", 112, 21);
    const QxUI::OffScreenSurface& surface = window.Paint();
    // Ink columns (icon and title) in the button's middle rows, away from its border.
    int first = -1, last = -1;
    for (int x = 30; x < 235; ++x)
        for (int y = 30; y < 53; ++y)
            if (qxtest::ColourDistance(surface.GetPixel(x, y), plate) > 40) {
                if (first < 0) first = x;
                last = x;
                break;
            }
    ASSERT_GE(first, 0);
    // The icon's glyph starts 2 pixels into its 20-pixel frame.
    int left = first - 2 - 20, right = 244 - last;
    EXPECT_NEAR(right - left, 5, 3) << "ink from " << first << " to " << last;
    // The icon sits where the block layout puts it for the measured title: its white centre.
    int titleWidth = QxUI::MeasureButtonText(*button, L"Create Macro").Width;
    ASSERT_GT(titleWidth, 40);
    QxUI::IconTitleLayout layout = QxUI::IconLeftOfTitle(0, 225, 43, 20, 20, titleWidth);
    EXPECT_THAT(surface.GetPixel(20 + layout.icon.x + 10, 20 + layout.icon.y + 10), IsNearColour(0xFFFFFFFF, 12));
    EXPECT_NEAR(first, 20 + layout.icon.x + 2, 1);

    // An icon that does not load is not drawn, but the title keeps its place beside its room.
    EXPECT_FALSE(button->SetIconImage(L"icon\\no_such_icon.png", 1));
    const QxUI::OffScreenSurface& again = window.Paint();
    EXPECT_THAT(again.GetPixel(20 + layout.icon.x + 10, 20 + layout.icon.y + 10), IsNearColour(plate, 6));
    int titleStart = -1;
    for (int x = 20 + layout.icon.x + 20; x < 235 && titleStart < 0; ++x)
        for (int y = 30; y < 53; ++y)
            if (qxtest::ColourDistance(again.GetPixel(x, y), plate) > 40) {
                titleStart = x;
                break;
            }
    EXPECT_GT(titleStart, 20 + layout.title.left) << "the title did not move into the icon's room";

    // Without a title neither title nor icon is drawn: the plate only.
    button->SetTitle(L"");
    EXPECT_EQ(window.CountInk(CRect(30, 28, 235, 55), plate, 12), 0);
}

}  // namespace
