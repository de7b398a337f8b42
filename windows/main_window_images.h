#pragma once
// The skin images of the main window's first frame, named once for the window that draws them
// and for the start-up that decodes them ahead on a thread of its own.
#include <string>
#include <vector>

namespace qx {

namespace image {
constexpr wchar_t kBackground[] = L"qxkb_bkg.png";
constexpr wchar_t kLightPanel[] = L"qxkb_light_bkg.png";
constexpr wchar_t kMacroPanel[] = L"qxkb_macro_bkg.png";
constexpr wchar_t kClose[] = L"sysbtn_close.png";
constexpr wchar_t kMinimise[] = L"sysbtn_min.png";
constexpr wchar_t kNotConnected[] = L"sysbtn_usb_none.png";
constexpr wchar_t kConnected[] = L"sysbtn_usb.png";
constexpr wchar_t kLanguage1033[] = L"sysbtn_lan_1033.png";
constexpr wchar_t kLanguage2052[] = L"sysbtn_lan_2052.png";
constexpr wchar_t kFirmware[] = L"sysbtn_upgrade.png";
constexpr wchar_t kLogo[] = L"\\logo\\logo.png";
constexpr wchar_t kResetIcon[] = L"\\icon\\icon_reset.png";
constexpr wchar_t kProfileIcon[] = L"\\icon\\icon_profile.png";
constexpr wchar_t kButton[] = L"img_button.png";
constexpr wchar_t kKeyBackground[] = L"img_key_bkg.png";
constexpr wchar_t kDeleteButton[] = L"img_btn_del.png";
constexpr wchar_t kEditButton[] = L"img_btn_edit.png";
constexpr wchar_t kCreateMacroIcon[] = L"\\icon\\icon_addmacro.png";
constexpr wchar_t kCreateMacroButton[] = L"img_btn_addmacro.png";
constexpr wchar_t kEffectRadio[] = L"img_radio_button.png";
constexpr wchar_t kEffectRowBackground[] = L"img_lightmode_row_bkg.png";
}  // namespace image

// The language button's image for a language id.
const wchar_t* LanguageButtonImage(int language);

// Every image of the first frame for a keyboard of deviceType in language, in the order the window
// asks for them, each name once.
std::vector<std::wstring> FirstFrameImages(int deviceType, int language);

}  // namespace qx
