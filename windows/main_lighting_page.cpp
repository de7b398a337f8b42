// The main window's lighting page: one button per built-in effect of the keyboard family.
#include "app/language.h"
#include "resources/ui_texts.h"
#include "toolkit/controls/light_mode_button.h"
#include "windows/lighting_page_layout.h"
#include "windows/main_window_images.h"
#include "windows/qxkb_main_dlg.h"

namespace qx {

void QxKBMainDlg::BuildLightingPage(int deviceType) {
    for (UINT id = kFirstEffectButtonId; id <= kLastEffectButtonId + 1; ++id) RemoveControl(GetControl(id));
    effectButtons_.clear();
    lightingType_ = deviceType;
    if (const LightEffectFamily* family = LightEffectFamilyOf(deviceType)) {
        for (const LightEffectButton& b : family->buttons) {
            auto* button = dynamic_cast<QxUI::LightModeButton*>(
                CreateControl(L"LightModeButton", b.id, QxUI::CRect(), GetUIText(b.textId).c_str(), 1, 1));
            if (!button) continue;
            button->SetImage(image::kEffectRadio, 8);
            button->SetIconImage(b.icon, family->iconStates);
            if (family->rowBackground) button->SetRowBkgImage(image::kEffectRowBackground, 1);
            button->SetGroupName(kLightModeGroup);
            effectButtons_.push_back(button);
        }
    }
    RECT client;
    ::GetClientRect(GetSafeHwnd(), &client);
    LayoutLightingPage(QxUI::CRect(client));
}

void QxKBMainDlg::LayoutLightingPage(QxUI::CRect) {
    const LightEffectFamily* family = LightEffectFamilyOf(lightingType_);
    if (!family) return;
    for (QxUI::MControlFont* button : effectButtons_) {
        const LayoutRect r = LightEffectButtonRect(*family, static_cast<int>(button->GetControlID()));
        button->SetRect(QxUI::CRect(r.left, r.top, r.right, r.bottom));
    }
    if (QxUI::MControl* firmware = GetControl(kIdFirmware)) firmware->SetVisible(lightingType_ == 1);
    if (QxUI::MControl* profile = GetControl(kIdProfile)) profile->SetVisible(lightingType_ == 2 || lightingType_ == 3);
}

LRESULT QxKBMainDlg::ChooseLightEffect(UINT id) {
    const int effect = EffectNumberOfButton(static_cast<int>(id));
    if (effect > 0) controller_.ChooseLightMode(effect);
    return 1;
}

void QxKBMainDlg::RetitleControls() {
    auto title = [this](UINT id, int textId) {
        if (auto* control = Control<QxUI::MControlFont>(id)) control->SetTitle(GetUIText(textId).c_str());
    };
    title(kIdReset, 30);
    title(kIdLightTitle, 200);
    if (const LightEffectFamily* family = LightEffectFamilyOf(lightingType_))
        for (const LightEffectButton& b : family->buttons) title(static_cast<UINT>(b.id), b.textId);
    if (lightingType_ == 2 || lightingType_ == 3) title(kIdProfile, 30 + controller_.CurrentProfile());
    title(kIdCreateMacro, 350);
    title(kIdWatermark, 351);
}

}  // namespace qx
