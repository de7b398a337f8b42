#include "windows/main_window_images.h"

#include <algorithm>

#include "windows/lighting_page_layout.h"

namespace qx {

const wchar_t* LanguageButtonImage(int language) {
    return language == 2052 ? image::kLanguage2052 : image::kLanguage1033;
}

std::vector<std::wstring> FirstFrameImages(int deviceType, int language) {
    std::vector<std::wstring> files = {
        image::kBackground,     image::kLightPanel, image::kMacroPanel,       image::kClose,
        image::kMinimise,       image::kNotConnected, LanguageButtonImage(language), image::kFirmware,
        image::kLogo,           image::kResetIcon,  image::kButton,           image::kProfileIcon,
        image::kKeyBackground,  image::kDeleteButton, image::kEditButton,     image::kCreateMacroIcon,
        image::kCreateMacroButton, image::kConnected,
    };
    if (const LightEffectFamily* family = LightEffectFamilyOf(deviceType)) {
        files.push_back(image::kEffectRadio);
        if (family->rowBackground) files.push_back(image::kEffectRowBackground);
        for (const LightEffectButton& b : family->buttons)
            if (std::find(files.begin(), files.end(), b.icon) == files.end()) files.push_back(b.icon);
    }
    return files;
}

}  // namespace qx
