// Every button's looks in the shipped skin: each state reached the way a user reaches it (pointer
// away, over, pressed; disabled; checked) and compared with the state of the skin image it must
// show, pixel by pixel where the image is drawn unscaled.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/toolkit/controls/button_test_support.h"
#include "toolkit/controls/c_check_button.h"
#include "toolkit/controls/c_icon_button.h"
#include "toolkit/controls/c_radio_button.h"
#include "toolkit/controls/c_select_button.h"
#include "toolkit/controls/c_switch_button.h"
#include "toolkit/controls/c_text_button.h"
#include "toolkit/controls/new_button.h"
#include "toolkit/controls/profile_button.h"
#include "toolkit/controls/text_check_button.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using QxUI::MControl;

enum Action { NORMAL, HOVER, PRESSED, DISABLED, CHECKED, CHECKED_HOVER, CHECKED_PRESSED, CHECKED_DISABLED };
const char* const kActionNames[] = {"normal", "hover",   "pressed",          "disabled",
                                    "checked", "checked+hover", "checked+pressed", "checked+disabled"};

struct Step {
    Action action;
    int state;  // the state of the skin image expected
};

struct LookCase;
void PrintTo(const LookCase& c, std::ostream* os);

struct LookCase {
    const wchar_t* className;
    const wchar_t* skin;
    const wchar_t* checkedSkin;  // CSwitchButton's "on" image; NULL for one image
    int count;
    int width, height;   // the control's size
    bool unscaled;       // the state is drawn at its own size at `origin`; else probed at `probe`
    CPoint origin;       // unscaled: where the state's top-left lands in the control
    CPoint probe;        // scaled: a point of the control whose colour is the state's `source`
    CPoint source;
    std::vector<Step> steps;
};

// Checks a control through whichever two-state interface it has.
void SetChecked(MControl* c) {
    if (auto* b = dynamic_cast<QxUI::CCheckButton*>(c)) b->SetCheck(1);
    if (auto* b = dynamic_cast<QxUI::CRadioButton*>(c)) b->SetCheck(1);
    if (auto* b = dynamic_cast<QxUI::CSwitchButton*>(c)) b->SetCheck(1);
    if (auto* b = dynamic_cast<QxUI::CIconButton*>(c)) b->SetCheck(1);
}

const std::vector<Step> kPushSteps = {{NORMAL, 0}, {HOVER, 1}, {PRESSED, 2}, {DISABLED, 3}};
const std::vector<Step> kCheckSteps = {{NORMAL, 0},  {HOVER, 1},         {PRESSED, 2},         {DISABLED, 3},
                                       {CHECKED, 4}, {CHECKED_HOVER, 5}, {CHECKED_PRESSED, 6}, {CHECKED_DISABLED, 7}};

const LookCase kCases[] = {
    {L"MButton", L"img_button.png", nullptr, 4, 123, 43, false, {}, {61, 21}, {61, 21}, kPushSteps},
    {L"GDIButton", L"img_button.png", nullptr, 4, 123, 43, false, {}, {61, 21}, {61, 21}, kPushSteps},
    {L"CTimerButton", L"img_button.png", nullptr, 4, 100, 30, false, {}, {50, 15}, {61, 21}, kPushSteps},
    {L"NewButton", L"img_btn_addmacro.png", nullptr, 4, 225, 43, false, {}, {112, 21}, {112, 21}, kPushSteps},
    {L"ProfileButton", L"img_button.png", nullptr, 4, 123, 43, false, {}, {61, 21}, {61, 21}, kPushSteps},
    {L"CImageButton", L"sysbtn_close.png", nullptr, 4, 43, 32, true, {0, 0}, {}, {}, kPushSteps},
    // Frame 1 while down (pressed), 3 while checked.
    {L"CIconButton", L"img_button.png", nullptr, 4, 123, 43, false, {}, {61, 21}, {61, 21},
     {{NORMAL, 0}, {HOVER, 1}, {DISABLED, 3}, {PRESSED, 1}, {CHECKED, 3}, {CHECKED_HOVER, 3}}},
    {L"CCheckButton", L"img_check_macro.png", nullptr, 8, 160, 30, true, {0, 6}, {}, {}, kCheckSteps},
    {L"CGDICheckButton", L"img_check_macro.png", nullptr, 8, 160, 30, true, {0, 6}, {}, {}, kCheckSteps},
    {L"TextCheckButton", L"img_check_macro.png", nullptr, 8, 160, 30, true, {0, 6}, {}, {}, kCheckSteps},
    {L"CRadioButton", L"img_radio_button.png", nullptr, 8, 160, 26, true, {0, 4}, {}, {}, kCheckSteps},
    // A checked selection button always shows its pressed state.
    {L"CSelectButton", L"img_button.png", nullptr, 4, 160, 43, true, {0, 0}, {}, {},
     {{NORMAL, 0}, {HOVER, 1}, {PRESSED, 2}, {DISABLED, 3}, {CHECKED, 2}, {CHECKED_HOVER, 2}, {CHECKED_DISABLED, 3}}},
    // Off image for unchecked states, on image (states + 4 here) for checked ones; pressed is hover.
    {L"CSwitchButton", L"sysbtn_usb_none.png", L"sysbtn_usb.png", 4, 43, 32, true, {0, 0}, {}, {},
     {{NORMAL, 0}, {HOVER, 1}, {PRESSED, 1}, {DISABLED, 3}, {CHECKED, 4}, {CHECKED_HOVER, 5}, {CHECKED_PRESSED, 5},
      {CHECKED_DISABLED, 7}}},
    {L"CHelpButton", L"img_btn_del.png", nullptr, 1, 20, 20, true, {0, 0}, {}, {}, {{NORMAL, 0}, {HOVER, 0}}},
};

void PrintTo(const LookCase& c, std::ostream* os) { *os << testing::PrintToString(std::wstring(c.className)); }

class ButtonLooks : public ::testing::TestWithParam<LookCase> {
protected:
    void SetUp() override {
        const LookCase& c = GetParam();
        ASSERT_TRUE(qxtest::UseShippedSkinFile(c.skin)) << "the skin is not built";
        if (c.checkedSkin) ASSERT_TRUE(qxtest::UseShippedSkinFile(c.checkedSkin));
        ASSERT_TRUE(window.Create(150, 120, 320, 120));
        control = window.dialog.CreateControl(c.className, 10, CRect(kAt.x, kAt.y, kAt.x + c.width, kAt.y + c.height),
                                              L"", 1, 1);
        ASSERT_NE(control, nullptr);
        if (auto* sw = dynamic_cast<QxUI::CSwitchButton*>(control))
            sw->SetImage(c.checkedSkin, c.skin, c.count);  // on, off
        else
            ASSERT_TRUE(dynamic_cast<QxUI::MControlFont*>(control)->SetImage(c.skin, c.count));
    }
    void TearDown() override {
        qxtest::ButtonUp();
        window.Destroy();
    }

    // Expected colour of each probed pixel (control coordinates) for skin state `state`.
    std::vector<std::pair<CPoint, DWORD>> Expected(int state) {
        const LookCase& c = GetParam();
        const wchar_t* file = state >= c.count ? c.checkedSkin : c.skin;
        state %= c.count;
        Gdiplus::Bitmap image((qxtest::ShippedSkinDirectory() + file).GetString());
        std::vector<std::pair<CPoint, DWORD>> probes;
        if (!c.unscaled) {
            Gdiplus::Color px;
            image.GetPixel(state * (image.GetWidth() / c.count) + c.source.x, c.source.y, &px);
            probes.push_back({c.probe, px.GetValue()});
            return probes;
        }
        int sw = image.GetWidth() / c.count, sh = image.GetHeight();
        for (int y = 0; y < sh; ++y)
            for (int x = 0; x < sw; ++x) {
                Gdiplus::Color px;
                image.GetPixel(state * sw + x, y, &px);
                // Straight alpha over the window background, as the frame starts with it.
                DWORD a = px.GetA(), bg = qxtest::ButtonWindow::kBackground, blended = 0;
                for (int shift = 0; shift < 24; shift += 8) {
                    DWORD s = (px.GetValue() >> shift) & 0xFF, b = (bg >> shift) & 0xFF;
                    blended |= ((s * a + b * (255 - a) + 127) / 255) << shift;
                }
                probes.push_back({CPoint(c.origin.x + x, c.origin.y + y), blended});
            }
        return probes;
    }
    // Probed pixels off by more than 4 per channel; the first one is described in `first`.
    int Mismatches(const std::vector<std::pair<CPoint, DWORD>>& probes, std::string* first = nullptr) {
        const QxUI::OffScreenSurface& s = window.Paint();
        int n = 0;
        for (const auto& p : probes) {
            DWORD got = s.GetPixel(kAt.x + p.first.x, kAt.y + p.first.y);
            if (qxtest::ColourDistance(got, p.second) <= 4) continue;
            if (n++ == 0 && first) {
                char text[96];
                snprintf(text, sizeof(text), "first at (%ld, %ld): 0x%06lX, expected 0x%06lX", p.first.x, p.first.y,
                         got & 0xFFFFFFul, p.second & 0xFFFFFFul);
                *first = text;
            }
        }
        return n;
    }

    void Perform(Action action) {
        HWND hwnd = window.Hwnd();
        CPoint inside(kAt.x + GetParam().width / 2, kAt.y + GetParam().height / 2);
        if (action >= CHECKED) SetChecked(control);
        switch (action) {
        case NORMAL:
        case CHECKED:
            qxtest::MoveTo(hwnd, kAway);
            break;
        case HOVER:
        case CHECKED_HOVER:
            qxtest::MoveTo(hwnd, inside);
            break;
        case PRESSED:
        case CHECKED_PRESSED:
            qxtest::MoveTo(hwnd, inside);
            qxtest::ButtonDown();
            break;
        case DISABLED:
        case CHECKED_DISABLED:
            qxtest::MoveTo(hwnd, kAway);
            control->SetEnabled(FALSE);
            break;
        }
    }
    // Leaves the state again without clicking: released away from the control, enabled.
    void Undo(Action action) {
        if (action == PRESSED || action == CHECKED_PRESSED) {
            qxtest::MoveTo(window.Hwnd(), kAway);
            qxtest::ButtonUp();
        }
        if (action == DISABLED || action == CHECKED_DISABLED) control->SetEnabled(TRUE);
    }

    const CPoint kAt{20, 20};
    const CPoint kAway{300, 110};
    qxtest::ButtonWindow window;
    MControl* control = nullptr;
};

TEST_P(ButtonLooks, EachStateShowsItsSkinState) {
    for (const Step& step : GetParam().steps) {
        SCOPED_TRACE(kActionNames[step.action]);
        auto probes = Expected(step.state);
        ASSERT_FALSE(probes.empty());
        Perform(step.action);
        bool shown = qxtest::PumpUntil([&] { return Mismatches(probes) == 0; }, 3000);
        std::string first;
        EXPECT_TRUE(shown) << Mismatches(probes, &first) << " of " << probes.size() << " pixels differ from state "
                           << step.state << ", " << first;
        Undo(step.action);
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedSkin, ButtonLooks, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<LookCase>& info) {
                             std::wstring name(info.param.className);
                             return std::string(name.begin(), name.end());
                         });

// Title colours per look, on the buttons whose looks differ in their text.
struct TextCase {
    const wchar_t* className;
    const wchar_t* skin;  // NULL: no skin image
    DWORD colours[4];     // normal, hover, pressed, disabled
};

const TextCase kTextCases[] = {
    {L"MButton", L"img_button.png", {0xFEFEFE, 0xFEFEFE, 0xFEFEFE, 0x808080}},
    {L"NewButton", L"img_button.png", {0xFFFFFF, 0xFFFFFF, 0x1E1E1E, 0x323232}},
    {L"ProfileButton", nullptr, {0xC8C8C8, 0xE6E6E6, 0xE6E6E6, 0x808080}},
    {L"CTextButton", nullptr, {0xCCCCCC, 0xFEDB00, 0xA0A0A0, 0x808080}},
    {L"CGDITextButton", nullptr, {0xCCCCCC, 0xFEDB00, 0xA0A0A0, 0x808080}},
    {L"TextCheckButton", nullptr, {0xFFFFFF, 0xC95100, 0xC95100, 0x808080}},
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << testing::PrintToString(std::wstring(c.className)); }

class ButtonTitleColours : public ::testing::TestWithParam<TextCase> {};

TEST_P(ButtonTitleColours, EachLookDrawsItsTitleColour) {
    const TextCase& c = GetParam();
    if (c.skin) ASSERT_TRUE(qxtest::UseShippedSkinFile(c.skin)) << "the skin is not built";
    qxtest::ButtonWindow window;
    ASSERT_TRUE(window.Create(150, 120, 320, 120));
    const CRect r(20, 20, 200, 80);
    auto* button = dynamic_cast<QxUI::MControlFont*>(window.dialog.CreateControl(c.className, 10, r, L"HHH", 1, 1));
    ASSERT_NE(button, nullptr);
    button->SetFont(L"Arial", 32, Gdiplus::FontStyleBold);
    if (c.skin) ASSERT_TRUE(button->SetImage(c.skin, 4));
    button->SetTitle(L"HHH");  // re-render with the font
    // Pixels of the title in exactly the look's colour: the strokes' solid middle.
    auto strokes = [&](DWORD colour) {
        const QxUI::OffScreenSurface& s = window.Paint();
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (qxtest::ColourDistance(s.GetPixel(x, y), colour) <= 8) ++n;
        return n;
    };
    const char* names[] = {"normal", "hover", "pressed", "disabled"};
    for (int look = 0; look < 4; ++look) {
        SCOPED_TRACE(names[look]);
        if (look == 1 || look == 2) ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 110, 50));
        if (look == 2) ASSERT_TRUE(qxtest::ButtonDown());
        if (look == 3) {
            ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 300, 110));
            qxtest::ButtonUp();
            button->SetEnabled(FALSE);
        }
        EXPECT_TRUE(qxtest::PumpUntil([&] { return strokes(c.colours[look]) >= 20; }, 3000))
            << strokes(c.colours[look]) << " stroke pixels";
    }
    window.Destroy();
}

INSTANTIATE_TEST_SUITE_P(ShippedSkin, ButtonTitleColours, ::testing::ValuesIn(kTextCases),
                         [](const ::testing::TestParamInfo<TextCase>& info) {
                             std::wstring name(info.param.className);
                             return std::string(name.begin(), name.end());
                         });

}  // namespace
