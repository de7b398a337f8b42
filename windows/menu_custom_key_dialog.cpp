#include "windows/menu_custom_key_dialog.h"

#include "resources/ui_texts.h"
#include "resources/win32/raw_input_win32.h"
#include "toolkit/controls/m_button.h"
#include "toolkit/controls/m_edit.h"
#include "toolkit/controls/m_text.h"
#include "toolkit/core/ui_notify.h"
#include "windows/key_function_menu.h"

namespace qx {

namespace {
constexpr UINT kEditId = 31;   // the hint text shares it; notifications with it are the edit's
constexpr UINT kCancelId = 33;
constexpr UINT kOkId = 34;

// Mouse and keyboard to this window even while another window of the program has the focus
// (the edit field's own window has it). A refused registration is tried once more.
void RegisterRawInput(HWND window) {
    RAWINPUTDEVICE devices[2] = {{1, 2, RIDEV_INPUTSINK, window}, {1, 6, RIDEV_INPUTSINK, window}};
    if (!RegisterRawInputDevices(devices, 2, sizeof devices[0])) RegisterRawInputDevices(devices, 2, sizeof devices[0]);
}

QxUI::CString UIText(int id) { return QxUI::CString(GetUIText(id).c_str()); }
}  // namespace

MenuCustomKeyDlg::MenuCustomKeyDlg(HWND owner, KeyNameSource* names) : KeyMenuPopup(owner), names_(names) {}

MenuCustomKeyDlg::~MenuCustomKeyDlg() = default;

void MenuCustomKeyDlg::InitUI(QxUI::CRect client) {
    edit_ = static_cast<QxUI::MEdit*>(CreateControl(L"MEdit", kEditId, client, L"", 1, 1));
    if (edit_) {
        edit_->SetImage(L"img_edit.png", 4);
        edit_->EnableCharMessage(FALSE);
        edit_->SetAlignment(1);
        edit_->SetEditBKColor(0xFFFFFF);
    }
    hint_ = CreateArea(L"MText", kEditId, client, UIText(90), 1, 1);
    if (auto* text = static_cast<QxUI::MText*>(hint_)) {
        text->SetTextColor(Gdiplus::Color(0xFFA0A0A0));
        text->SetAlignment(1);
        text->EnableMultiLine(TRUE);
    }
    cancel_ = CreateControl(L"MButton", kCancelId, client, UIText(91), 1, 1);
    if (cancel_) static_cast<QxUI::MButton*>(cancel_)->SetImage(L"img_btn_addmacro.png", 4);
    ok_ = CreateControl(L"MButton", kOkId, client, UIText(92), 1, 1);
    if (ok_) static_cast<QxUI::MButton*>(ok_)->SetImage(L"img_btn_addmacro.png", 4);
    UISize(client);
}

void MenuCustomKeyDlg::UISize(QxUI::CRect client) {
    if (!edit_) return;
    const int w = client.Width();
    edit_->SetRect(QxUI::CRect(8, 8, w - 8, 38));
    if (hint_) hint_->SetRect(QxUI::CRect(8, 43, w - 8, 93));
    if (cancel_) cancel_->SetRect(QxUI::CRect(8, 98, 68, 128));
    if (ok_) ok_->SetRect(QxUI::CRect(73, 98, 133, 128));
}

LRESULT MenuCustomKeyDlg::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INPUT && capturing_) OnRawInput(lParam);
    return KeyMenuPopup::OnWindowMessage(msg, wParam, lParam);
}

void MenuCustomKeyDlg::OnRawInput(LPARAM handle) {
    RawInputEvent event;
    Win32KeyNameSource systemNames;
    KeyNameSource& names = names_ ? *names_ : static_cast<KeyNameSource&>(systemNames);
    if (!DecodeRawInput(reinterpret_cast<HRAWINPUT>(handle), names, event)) return;
    // Presses and releases alike: a key held before the field got the focus still counts.
    if (event.kind != kRawKindKeyboard || event.name.empty()) return;
    CaptureCombinationKey(captured_, event.code, event.name);
    ShowCapture();
}

LRESULT MenuCustomKeyDlg::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    if (id == kEditId && code == QxUI::NOTIFY_EDIT_OPENED) {
        ClearCapture();
        capturing_ = true;
        RegisterRawInput(GetSafeHwnd());
        return 0;
    }
    if (id == kEditId && code == QxUI::NOTIFY_EDIT_CLOSED) {
        capturing_ = false;
        return 0;
    }
    if (code != QxUI::NOTIFY_CLICK) return 0;
    if (id == kCancelId) ClearCapture();
    if (id == kOkId) PostToOwner(kMessageKeyCombination, 0);
    return 1;
}

void MenuCustomKeyDlg::ClearCapture() {
    captured_ = KeyCombination{};
    ShowCapture();
}

void MenuCustomKeyDlg::ShowCapture() {
    if (edit_) edit_->SetControlTitle(CombinationDisplayText(captured_).c_str());
}

}  // namespace qx
