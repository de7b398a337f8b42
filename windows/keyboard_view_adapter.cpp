#include "windows/keyboard_view_adapter.h"

#include "toolkit/controls/qx_keyboard_ctrl.h"

namespace qx {

void KeyboardViewAdapter::ClearItem() {
    if (control_) control_->ClearItem();
}

void KeyboardViewAdapter::SetRect(const LayoutRect& rect) {
    if (control_) control_->SetRect(QxUI::CRect(rect.left, rect.top, rect.right, rect.bottom));
}

void KeyboardViewAdapter::SetKeyboardImage(const std::wstring& file) {
    if (control_) control_->SetKeyboardImage(QxUI::CString(file.c_str()));
}

void KeyboardViewAdapter::SetKeyPosition(int x, int y) {
    if (control_) control_->SetKeyPosition(x, y);
}

int KeyboardViewAdapter::AddKeyItem(const wchar_t* name, const wchar_t* desc, uint32_t keyValue,
                                    const LayoutRect& rect) {
    if (!control_) return -1;
    return control_->AddKeyItem(name, desc, keyValue, QxUI::CRect(rect.left, rect.top, rect.right, rect.bottom));
}

void KeyboardViewAdapter::ResetTipKey() {
    if (control_) control_->ResetTipKey();
}

void KeyboardViewAdapter::SetTipKey(uint32_t keyValue, const wchar_t* name, const wchar_t* desc) {
    if (control_) control_->SetTipKey(keyValue, QxUI::CString(name ? name : L""), QxUI::CString(desc ? desc : L""));
}

void KeyboardViewAdapter::UpdateControl(int redraw, int flags) {
    if (control_) control_->UpdateControl(redraw, flags);
}

void KeyboardViewAdapter::SetAllSelectColor(uint32_t colour) {
    if (control_) control_->SetAllSelectColor(colour);
}

void KeyboardViewAdapter::ClearAllKeyColor() {
    if (control_) control_->ClearAllKeyColor();
}

std::vector<KeyItemColour> KeyboardViewAdapter::GetKeyItems() const {
    std::vector<KeyItemColour> items;
    if (!control_) return items;
    for (const QxUI::KEY_INFO* key : control_->GetKeyItems()) items.push_back({key->key_value, key->color});
    return items;
}

}  // namespace qx
