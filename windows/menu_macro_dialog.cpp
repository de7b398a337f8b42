#include "windows/menu_macro_dialog.h"

#include <vector>

#include "resources/ui_texts.h"
#include "storage/config_database.h"
#include "toolkit/controls/new_button.h"
#include "toolkit/controls/qx_list_box.h"
#include "toolkit/core/ui_notify.h"
#include "windows/key_function_menu.h"
#include "windows/key_menu_rules.h"

namespace qx {

namespace {
constexpr UINT kListId = 31;
constexpr UINT kNewMacroId = 32;
}  // namespace

MenuMacroDlg::MenuMacroDlg(HWND owner, int deviceType, ConfigDatabase& database)
    : KeyMenuPopup(owner), deviceType_(deviceType), database_(database) {}

MenuMacroDlg::~MenuMacroDlg() = default;

BOOL MenuMacroDlg::OnInitDialog() {
    KeyMenuPopup::OnInitDialog();
    FillMacros();
    return TRUE;
}

void MenuMacroDlg::InitUI(QxUI::CRect client) {
    list_ = static_cast<QxUI::QxListBox*>(CreateControl(L"QxListBox", kListId, client, L"", 1, 1));
    if (list_) {
        list_->SetAlignment(1);
        list_->SetTextColor(Gdiplus::Color(0xFF333333));
    }
    newButton_ = CreateControl(L"NewButton", kNewMacroId, client, GetUIText(350).c_str(), 1, 1);
    if (auto* button = static_cast<QxUI::NewButton*>(newButton_)) {
        button->SetIconImage(L"\\icon\\icon_addmacro.png", 1);
        button->SetImage(L"img_btn_addmacro.png", 4);
    }
    UISize(client);
}

void MenuMacroDlg::UISize(QxUI::CRect client) {
    if (!list_) return;
    const int w = client.Width();
    const int h = client.Height();
    list_->SetRect(QxUI::CRect(2, 2, w - 2, h - 33));
    if (newButton_) newButton_->SetRect(QxUI::CRect(2, h - 32, w - 2, h - 2));
}

void MenuMacroDlg::FillMacros() {
    std::vector<MacroRow> macros;
    if (database_.IsOpen()) database_.GetMacros(macros);
    if (list_) {
        list_->DeleteAllItems();
        for (const MacroRow& macro : macros) list_->AddString(macro.name.c_str(), static_cast<long>(macro.macroId), -1);
        if (!macros.empty()) list_->SetCurSel(0);
    }
    RECT r;
    if (::GetWindowRect(GetSafeHwnd(), &r))
        MoveWindow(r.left, r.top, kMacroDialogWidth, MacroDialogHeight(static_cast<int>(macros.size())), TRUE);
}

LRESULT MenuMacroDlg::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    if (code != QxUI::NOTIFY_CLICK) {
        if (id == kListId && code == QxUI::NOTIFY_PRESS && list_ && list_->GetCurSel() >= 0)
            PostToOwner(kMessageMacroChosen, list_->GetItemData(list_->GetCurSel()));
        return 0;
    }
    if (id == kNewMacroId) PostToOwner(kMessageMacroChosen, 0);
    return 1;
}

}  // namespace qx
