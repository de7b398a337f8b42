// The screenshot people look at: one of every button in the shipped skin, in several states.
#include "tests/toolkit/controls/button_test_support.h"
#include "tests/toolkit/support/buffer_png.h"
#include "toolkit/controls/c_check_button.h"
#include "toolkit/controls/c_icon_button.h"
#include "toolkit/controls/c_image_button.h"
#include "toolkit/controls/c_radio_button.h"
#include "toolkit/controls/c_select_button.h"
#include "toolkit/controls/c_switch_button.h"
#include "toolkit/controls/c_timer_button.h"
#include "toolkit/controls/m_button.h"
#include "toolkit/controls/new_button.h"
#include "toolkit/controls/profile_button.h"

namespace {

using QxUI::CRect;
using qxtest::IsNearColour;

TEST(ButtonScreenshot, EveryButtonInSeveralStates) {
    for (const wchar_t* file :
         {L"img_button.png", L"img_btn_addmacro.png", L"icon\\icon_reset.png", L"icon\\icon_profile.png",
          L"icon\\icon_addmacro.png", L"sysbtn_close.png", L"sysbtn_min.png", L"sysbtn_usb.png", L"sysbtn_usb_none.png",
          L"img_check_macro.png", L"img_radio_button.png", L"img_btn_del.png"})
        ASSERT_TRUE(qxtest::UseShippedSkinFile(file)) << "the skin is not built";
    qxtest::ButtonWindow window;
    ASSERT_TRUE(window.Create(60, 60, 760, 460));
    QxUI::MDialog& d = window.dialog;
    auto font = [](QxUI::MControlFont* c) {
        c->SetFont(L"Arial", 14, Gdiplus::FontStyleRegular);
        return c;
    };
    auto make = [&](const wchar_t* cls, UINT id, CRect r, const wchar_t* title) {
        return font(dynamic_cast<QxUI::MControlFont*>(d.CreateControl(cls, id, r, title, 1, 1)));
    };

    // Row 1: push buttons with the nine-part skin: normal, hovered, pressed, disabled.
    for (int i = 0; i < 4; ++i) {
        const wchar_t* titles[] = {L"Normal", L"Hover", L"Pressed", L"Disabled"};
        make(L"MButton", 10 + i, CRect(20 + i * 135, 20, 143 + i * 135, 63), titles[i])->SetImage(L"img_button.png", 4);
    }
    make(L"MButton", 14, CRect(560, 20, 740, 63), L"Turn Off")->SetImage(L"img_button.png", 4);
    d.GetControl(13)->SetEnabled(FALSE);

    // Row 2: icon buttons and the title-bar buttons.
    auto* reset = dynamic_cast<QxUI::NewButton*>(make(L"NewButton", 20, CRect(20, 80, 143, 123), L"Reset"));
    reset->SetImage(L"img_button.png", 4);
    reset->SetIconImage(L"icon\\icon_reset.png", 1);
    auto* create = dynamic_cast<QxUI::NewButton*>(make(L"NewButton", 21, CRect(155, 80, 380, 123), L"Create Macro"));
    create->SetImage(L"img_btn_addmacro.png", 4);
    create->SetIconImage(L"icon\\icon_addmacro.png", 1);
    auto* profile = dynamic_cast<QxUI::ProfileButton*>(make(L"ProfileButton", 22, CRect(392, 80, 515, 123), L"Profile A"));
    profile->SetIconImage(L"icon\\icon_profile.png", 1);
    const wchar_t* sys[] = {L"sysbtn_usb.png", L"sysbtn_min.png", L"sysbtn_close.png"};
    for (int i = 0; i < 3; ++i) make(L"CImageButton", 23 + i, CRect(560 + i * 43, 85, 603 + i * 43, 117), L"")->SetImage(sys[i], 4);

    // Row 3: text buttons and a running countdown.
    make(L"CTextButton", 30, CRect(20, 140, 140, 170), L"Text button");
    make(L"CGDITextButton", 31, CRect(150, 140, 270, 170), L"GDI text");
    auto* gdi = make(L"GDIButton", 32, CRect(280, 135, 403, 178), L"GDI button");
    gdi->SetImage(L"img_button.png", 4);
    auto* timer = dynamic_cast<QxUI::CTimerButton*>(make(L"CTimerButton", 33, CRect(415, 135, 538, 178), L"Send"));
    timer->SetImage(L"img_button.png", 4);
    timer->SetRun(1);
    auto* help = make(L"CHelpButton", 34, CRect(560, 145, 580, 165), L"Help");
    help->SetImage(L"img_btn_del.png", 1);

    // Row 4: check boxes: unchecked, checked, checked and disabled; the GDI and text variants.
    const wchar_t* checkTitles[] = {L"Record delays", L"Record mouse", L"Disabled"};
    for (int i = 0; i < 3; ++i) {
        auto* box = dynamic_cast<QxUI::CCheckButton*>(
            make(L"CCheckButton", 40 + i, CRect(20 + i * 170, 195, 180 + i * 170, 225), checkTitles[i]));
        box->SetImage(L"img_check_macro.png", 8);
        if (i > 0) box->SetCheck(1);
        if (i == 2) box->SetEnabled(FALSE);
    }
    auto* gdiBox = dynamic_cast<QxUI::CCheckButton*>(make(L"CGDICheckButton", 43, CRect(530, 195, 690, 225), L"GDI check"));
    gdiBox->SetImage(L"img_check_macro.png", 8);
    gdiBox->SetCheck(1);
    auto* textBox = dynamic_cast<QxUI::CCheckButton*>(make(L"TextCheckButton", 44, CRect(20, 235, 180, 265), L"Text check"));
    textBox->SetCheck(1);

    // Row 5: a radio group, a selection group; row 6: icon buttons and switches.
    for (int i = 0; i < 3; ++i) {
        auto* radio = dynamic_cast<QxUI::CRadioButton*>(
            make(L"CRadioButton", 50 + i, CRect(200 + i * 110, 235, 300 + i * 110, 265), i == 1 ? L"Mode B" : i ? L"Mode C" : L"Mode A"));
        radio->SetGroupName(L"mode");
        radio->SetImage(L"img_radio_button.png", 8);
        if (i == 1) radio->SetCheck(1);
    }
    for (int i = 0; i < 3; ++i) {
        auto* select = dynamic_cast<QxUI::CSelectButton*>(make(L"CSelectButton", 55 + i, CRect(20 + i * 225, 285, 230 + i * 225, 328), L"Select"));
        select->SetGroupName(L"sel");
        select->SetImage(L"img_button.png", 4);
        if (i == 0) select->SetCheck(1);
    }
    for (int i = 0; i < 2; ++i) {
        auto* sw = dynamic_cast<QxUI::CSwitchButton*>(d.CreateControl(L"CSwitchButton", 60 + i, CRect(440 + i * 60, 350, 483 + i * 60, 382), L"", 1, 1));
        sw->SetImage(L"sysbtn_usb.png", L"sysbtn_usb_none.png", 4);
        sw->SetCheck(i);
    }
    for (int i = 0; i < 3; ++i) {
        auto* icon = dynamic_cast<QxUI::CIconButton*>(make(L"CIconButton", 65 + i, CRect(20 + i * 135, 345, 143 + i * 135, 388), i == 2 ? L"Checked" : L"Icon"));
        icon->SetGroupName(L"icons");
        icon->SetImage(L"img_button.png", 4);
        if (i == 1) icon->SetControlCheck(1);
        if (i == 2) icon->SetCheck(1);
    }

    // Hover one button and hold the press on another, as a user would.
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 220, 41));
    DWORD hover = qxtest::ShippedSkinPixel(L"img_button.png", 123 + 61, 21) & 0xFFFFFF;
    EXPECT_TRUE(qxtest::PumpUntil([&] { return qxtest::ColourDistance(window.PixelAt(165, 41), hover) <= 6; }));
    ASSERT_TRUE(qxtest::MoveTo(window.Hwnd(), 360, 41));
    ASSERT_TRUE(qxtest::ButtonDown());
    DWORD pressed = qxtest::ShippedSkinPixel(L"img_button.png", 2 * 123 + 61, 21) & 0xFFFFFF;
    EXPECT_TRUE(qxtest::PumpUntil([&] { return qxtest::ColourDistance(window.PixelAt(300, 41), pressed) <= 6; }));

    QxUI::CString path = qxtest::ScreenshotPath(L"buttons.png");
    EXPECT_TRUE(qxtest::SaveWindowPng(window.Manager(), path));
    qxtest::MoveTo(window.Hwnd(), 740, 440);
    qxtest::ButtonUp();
    EXPECT_NE(::GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);
    DWORD disabled = qxtest::ShippedSkinPixel(L"img_button.png", 3 * 123 + 61, 21) & 0xFFFFFF;
    EXPECT_THAT(window.PixelAt(430, 41), IsNearColour(disabled, 6));
    window.Destroy();
}

}  // namespace
