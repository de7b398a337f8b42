#include "windows/key_function_menu.h"

#include <vector>

#include "resources/ui_texts.h"
#include "storage/config_database.h"
#include "toolkit/controls/qx_keyboard_ctrl.h"
#include "toolkit/controls/qxkb_menu_wnd.h"
#include "windows/custom_light_dialog.h"
#include "windows/key_menu_rules.h"
#include "windows/menu_custom_key_dialog.h"
#include "windows/menu_macro_dialog.h"

namespace qx {

namespace {
constexpr UINT kEventClicked = 2;
constexpr UINT kEventPointed = 11;
constexpr UINT kViewReleased = 2;
constexpr UINT kViewFrameRightReleased = 24;
constexpr int kPleaseConnect = 502;
constexpr int kMenuBackBorder = 20;
constexpr int kMenuWidth = 180;

POINT CursorPoint() {
    POINT p = {0, 0};
    ::GetCursorPos(&p);
    return p;
}

POINT ToPoint(ScreenPoint p) { return POINT{p.x, p.y}; }

// Drops the clicked key from the selection, keeping the framed (checked) keys.
void KeepOnlyCheckedKeys(QxUI::QxKeyboardCtrl& view) {
    std::vector<DWORD> framed;
    for (const QxUI::KEY_INFO* key : view.GetKeyItems())
        if (key->checked) framed.push_back(key->key_value);
    view.ResetAllItemCheck(0);
    for (DWORD value : framed) view.SetKeyCheck(value, 1);
}

// Destroys a popup's window (if it still has one) and the object.
template <class Popup>
void Discard(Popup*& popup) {
    if (!popup) return;
    if (popup->GetSafeHwnd()) popup->DestroyWindow();
    delete popup;
    popup = nullptr;
}
}  // namespace

KeyFunctionMenu::KeyFunctionMenu(KeyMenuHost& host) : host_(host) {}

KeyFunctionMenu::~KeyFunctionMenu() { CloseKeyMenus(true); }

LRESULT KeyFunctionMenu::OnKeyboardViewNotify(UINT code) {
    if (!host_.IsConnected()) {
        host_.ShowMessage(kPleaseConnect);
        return 0;
    }
    QxUI::QxKeyboardCtrl* view = host_.KeyboardView();
    selectedKey_ = view ? view->GetCurrentKeyValue() : 0;
    host_.SetSelectedKey(selectedKey_);
    CloseKeyMenus(true);
    if (!view) return 1;
    if (code == kViewFrameRightReleased) {
        // A right-button frame leaves the key clicked before selected; the colour must reach
        // only the framed keys, as after a left-button frame.
        if (view->GetCheckItemCount() < 2) return 1;
        KeepOnlyCheckedKeys(*view);
    } else if (code != kViewReleased) {
        return 1;
    }
    if (view->GetCheckItemCount() >= 2) {
        const POINT cursor = CursorPoint();
        OpenLightDialog(ToPoint(LightDialogOrigin({cursor.x, cursor.y})));
        return 1;
    }
    view->SetDownPoint(QxUI::CPoint(0, 0));
    if (selectedKey_ == 0) return 1;
    keyMenu_ = CreateMenu(CursorPoint(), kMessageKeyMenu);
    if (keyMenu_)
        for (const KeyMenuItem& item : FirstLevelMenuItems())
            keyMenu_->AddMenu(GetUIText(item.textId).c_str(), item.id, QxUI::CString(), item.hasSubmenu ? 1 : 0, -1);
    if (keyMenu_) {
        keyMenu_->ShowWindow(SW_SHOW);
        keyMenu_->UpdateWindow();
    }
    return 1;
}

bool KeyFunctionMenu::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case kMessageKeyMenu: result = OnMenuEvent(static_cast<UINT>(wParam), static_cast<int>(lParam)); return true;
    case kMessageKeySubmenu: result = OnSubmenuEvent(static_cast<UINT>(wParam), static_cast<int>(lParam)); return true;
    case kMessageCustomLight:
        host_.SetSelectedKeysColor(static_cast<uint32_t>(lParam));
        result = 1;
        return true;
    case kMessageMacroChosen: result = OnMacroChosen(static_cast<int>(lParam)); return true;
    case kMessageKeyCombination: result = OnKeyCombination(); return true;
    default: return false;
    }
}

LRESULT KeyFunctionMenu::OnMenuEvent(UINT code, int itemId) {
    if (code == kEventClicked) {
        hoveredItem_ = 0;
        CloseKeyMenus(true);
        // A category opens on pointing; only "Default" does something when clicked.
        if (itemId == kItemDefault) Assign(DefaultKeyRecord());
        return 0;
    }
    if (code != kEventPointed || itemId == hoveredItem_) return 0;
    CloseKeyMenus(false);
    if (itemId == kItemDefault || !keyMenu_) return 0;
    hoveredItem_ = itemId;
    const QxUI::CPoint row = keyMenu_->GetItemScreenPoint(static_cast<UINT>(itemId));
    OpenCategory(itemId, ToPoint(CategoryPopupOrigin({row.x, row.y})));
    return 0;
}

void KeyFunctionMenu::OpenCategory(int itemId, POINT anchor) {
    switch (itemId) {
    case kCategoryLight: OpenLightDialog(anchor); return;
    case kCategoryMacro:
        macroDlg_ = new MenuMacroDlg(host_.MainWindow(), host_.DeviceType(), host_.Database());
        macroDlg_->CreatePopup(L"MenuMacroDlg", kMacroDialogWidth, 186);
        macroDlg_->ShowAt(anchor);
        return;
    case kCategoryKeyCombination:
        customKeyDlg_ = new MenuCustomKeyDlg(host_.MainWindow(), keyNames_);
        customKeyDlg_->CreatePopup(L"MenuCustomKeyDlg", 143, 136);
        customKeyDlg_->ShowAt(anchor);
        return;
    default: break;
    }
    if (!CategoryHasSubmenu(itemId)) return;
    submenu_ = CreateMenu(anchor, kMessageKeySubmenu);
    if (!submenu_) return;
    for (const KeyMenuItem& item : SubmenuItems(itemId))
        submenu_->AddMenu(GetUIText(item.textId).c_str(), item.id, QxUI::CString(), 0, -1);
    submenu_->ShowWindow(SW_SHOW);
    submenu_->UpdateWindow();
}

QxUI::QxKBMenuWnd* KeyFunctionMenu::CreateMenu(POINT at, UINT message) {
    auto* menu = new QxUI::QxKBMenuWnd(nullptr);
    if (!menu->Create(host_.MainWindow(), QxUI::CPoint(at.x, at.y), message, QxUI::CString(L"img_menubkg_keyfunc.png"),
                      kMenuBackBorder, kMenuWidth, QxUI::BACK_MODE_FRAME)) {
        Discard(menu);
        return nullptr;
    }
    menu->SetRowHoverImage(QxUI::CString(L"img_menu_rowhover.png"), 1);
    return menu;
}

void KeyFunctionMenu::OpenLightDialog(POINT at) {
    lightDlg_ = new CustomLightDlg(host_.MainWindow());
    lightDlg_->CreatePopup(L"CustomLightDlg", 136, 180);
    lightDlg_->ShowAt(at);
}

LRESULT KeyFunctionMenu::OnSubmenuEvent(UINT code, int itemId) {
    const int category = CategoryOfSubmenuItem(itemId);
    if (code != kEventClicked || category == 0) return 0;
    // The description is taken in the language of this moment and stays so.
    for (const KeyMenuItem& item : SubmenuItems(category)) {
        if (item.id != itemId) continue;
        const KeyMacroRow row = SubmenuChoiceRecord(category, itemId, GetUIText(item.textId));
        CloseKeyMenus(true);
        Assign(row);
        break;
    }
    return 0;
}

LRESULT KeyFunctionMenu::OnMacroChosen(int macroId) {
    CloseKeyMenus(true);
    if (macroId == 0) {
        host_.OpenMacroEditor(0);
        return 1;
    }
    MacroRow macro;
    // A macro deleted meanwhile is no choice: nothing is assigned.
    if (host_.Database().GetMacro(macroId, macro) && macro.macroId == macroId)
        Assign(MacroChoiceRecord(macroId, macro.name));
    return 1;
}

LRESULT KeyFunctionMenu::OnKeyCombination() {
    if (!customKeyDlg_) return 1;
    const KeyMacroRow row = KeyCombinationRecord(customKeyDlg_->Captured());
    CloseKeyMenus(true);
    Assign(row);
    return 1;
}

void KeyFunctionMenu::Assign(const KeyMacroRow& row) {
    host_.SetSelectedKey(selectedKey_);
    host_.AssignKeyFunction(row);
}

void KeyFunctionMenu::CloseKeyMenus(bool closeMain) {
    hoveredItem_ = 0;
    if (closeMain) {
        Discard(keyMenu_);
    } else if (keyMenu_ && keyMenu_->GetSafeHwnd()) {
        // The menu takes the activation back before its popups go. A dialog destroyed while
        // active hands it to its owner, the main window, which then rises above the menu: the
        // menu would no longer get the pointer.
        ::SetActiveWindow(keyMenu_->GetSafeHwnd());
    }
    Discard(submenu_);
    Discard(lightDlg_);
    Discard(macroDlg_);
    Discard(customKeyDlg_);
}

}  // namespace qx
