#include "windows/custom_light_dialog.h"

#include "resources/ui_texts.h"
#include "toolkit/controls/c_area.h"
#include "toolkit/controls/c_color_button.h"
#include "toolkit/controls/m_button.h"
#include "toolkit/controls/m_palette_bar.h"
#include "toolkit/controls/picture_palette.h"
#include "toolkit/core/ui_notify.h"
#include "windows/key_function_menu.h"

namespace qx {

namespace {
constexpr UINT kFirstSwatch = 31;
constexpr UINT kLastSwatch = 38;
constexpr UINT kPaletteId = 39;
constexpr UINT kPaletteBarId = 40;
constexpr UINT kPreviewId = 41;
constexpr UINT kTurnOffId = 42;
// Red, orange, yellow, green, cyan, blue, purple, pink (COLORREF: red in the low byte).
constexpr COLORREF kSwatchColors[8] = {0x0000FF, 0x007FFF, 0x00FFFF, 0x00FF00,
                                       0xFFFF00, 0xFF0000, 0xFF008B, 0xC1B6FF};

QxUI::CRect SwatchRect(int index) {
    const int left = 13 + 28 * (index % 4);
    const int top = index < 4 ? 20 : 48;
    return QxUI::CRect(left, top, left + 20, top + 22);
}
}  // namespace

CustomLightDlg::CustomLightDlg(HWND owner) : KeyMenuPopup(owner) {}

CustomLightDlg::~CustomLightDlg() = default;

COLORREF CustomLightDlg::SwatchColor(UINT id) {
    return id >= kFirstSwatch && id <= kLastSwatch ? kSwatchColors[id - kFirstSwatch] : 0;
}

void CustomLightDlg::InitUI(QxUI::CRect client) {
    for (int i = 0; i < 8; ++i) {
        swatches_[i] = CreateControl(L"CColorButton", kFirstSwatch + i, SwatchRect(i), L"", 1, 1);
        if (auto* swatch = static_cast<QxUI::CColorButton*>(swatches_[i])) {
            swatch->SetGroupName(L"CustomLight");
            swatch->SetColor(kSwatchColors[i]);
        }
    }
    palette_ = CreateControl(L"PicturePalette", kPaletteId, client, L"", 1, 1);
    if (palette_) static_cast<QxUI::PicturePalette*>(palette_)->SetImage(L"img_palettebar.png", 1);
    paletteBar_ = CreateControl(L"MPaletteBar", kPaletteBarId, client, L"", 1, 1);
    if (paletteBar_) static_cast<QxUI::MPaletteBar*>(paletteBar_)->SetImage(L"img_palettebar.png", 4);
    preview_ = CreateArea(L"CArea", kPreviewId, client, L"", 1, 1);
    Preview(kSwatchColors[0]);
    turnOff_ = CreateControl(L"MButton", kTurnOffId, client, GetUIText(93).c_str(), 1, 1);
    if (auto* button = static_cast<QxUI::MButton*>(turnOff_)) {
        button->SetImage(L"img_button.png", 4);
        button->SetTextColor(Gdiplus::Color(0xFFFFFFFF));
    }
    UISize(client);
}

void CustomLightDlg::UISize(QxUI::CRect client) {
    if (!palette_) return;
    const int h = client.Height();
    for (int i = 0; i < 8; ++i)
        if (swatches_[i]) swatches_[i]->SetRect(SwatchRect(i));
    palette_->SetRect(QxUI::CRect(13, 73, 33, 133));
    if (paletteBar_) paletteBar_->SetRect(QxUI::CRect(41, 73, 89, 133));
    if (preview_) preview_->SetRect(QxUI::CRect(97, 73, 117, 133));
    if (turnOff_) turnOff_->SetRect(QxUI::CRect(18, h - 40, 118, h - 10));
}

void CustomLightDlg::Preview(COLORREF colour) {
    if (preview_) static_cast<QxUI::CArea*>(preview_)->SetTransparent(0, 0, colour);
}

void CustomLightDlg::CheckSwatch(UINT id) {
    for (int i = 0; i < 8; ++i)
        if (auto* swatch = static_cast<QxUI::CColorButton*>(swatches_[i]))
            swatch->SetControlCheck(kFirstSwatch + i == id ? 1 : 0);
}

LRESULT CustomLightDlg::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    if (id == kPaletteId && code == QxUI::NOTIFY_COLOR && palette_) {
        const COLORREF colour = static_cast<QxUI::PicturePalette*>(palette_)->GetSelectColor();
        if (paletteBar_) static_cast<QxUI::MPaletteBar*>(paletteBar_)->SetSelectColor(colour);
        Preview(colour);
        PostToOwner(kMessageCustomLight, static_cast<LPARAM>(colour));
        return 0;
    }
    if (id == kPaletteBarId && paletteBar_ && (code == QxUI::NOTIFY_COLOR || code == QxUI::NOTIFY_CLICK)) {
        // Dragging on the bar only previews; the release sends.
        const COLORREF colour = static_cast<QxUI::MPaletteBar*>(paletteBar_)->GetSelectColor();
        Preview(colour);
        if (code == QxUI::NOTIFY_CLICK) PostToOwner(kMessageCustomLight, static_cast<LPARAM>(colour));
        return code == QxUI::NOTIFY_CLICK ? 1 : 0;
    }
    if (code != QxUI::NOTIFY_CLICK) return 0;
    if (id >= kFirstSwatch && id <= kLastSwatch) {
        CheckSwatch(id);
        PostToOwner(kMessageCustomLight, static_cast<LPARAM>(SwatchColor(id)));
    }
    if (id == kTurnOffId) PostToOwner(kMessageCustomLight, 0);
    return 1;
}

}  // namespace qx
