#pragma once
// The key-function menu: a click on a key of the keyboard picture opens a two-level menu of
// function categories; pointing at a category opens its submenu or dialog beside it, and a
// choice assigns that function to the clicked key. A frame selection of two or more keys opens
// the colour dialog instead. This object owns every popup it opens and the menu state.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "windows/key_menu_host.h"

namespace QxUI { class QxKBMenuWnd; }

namespace qx {

class KeyNameSource;
class MenuCustomKeyDlg;
class MenuMacroDlg;
class CustomLightDlg;

// Window messages of the menu and its popups, posted to the host's main window.
constexpr UINT kMessageKeyMenu = 1624;          // first-level menu: wParam event, lParam item id
constexpr UINT kMessageKeySubmenu = 1625;       // second-level menu: wParam event, lParam item id
constexpr UINT kMessageCustomLight = 1834;      // colour dialog: lParam colour (0 = off)
constexpr UINT kMessageMacroChosen = 1835;      // macro choice: lParam macro_id (0 = new macro)
constexpr UINT kMessageKeyCombination = 1836;   // key combination dialog: OK

class KeyFunctionMenu {
public:
    explicit KeyFunctionMenu(KeyMenuHost& host);
    ~KeyFunctionMenu();
    KeyFunctionMenu(const KeyFunctionMenu&) = delete;
    KeyFunctionMenu& operator=(const KeyFunctionMenu&) = delete;

    // A notification of the keyboard view (control 41), any code; returns the result the
    // window's OnMessage gives back.
    LRESULT OnKeyboardViewNotify(UINT code);
    // Messages 1624, 1625, 1834, 1835 and 1836: true with result set; false for every other
    // message (the window handles those itself).
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Closes the popups below the first level, and the first-level menu too when closeMain.
    // The main window calls it on every click into its own area.
    void CloseKeyMenus(bool closeMain);
    // Where the key combination dialog takes key names from; null (the default) for the
    // system's. Kept, not owned.
    void SetKeyNameSource(KeyNameSource* names) { keyNames_ = names; }

    uint32_t SelectedKey() const { return selectedKey_; }
    int HoveredItem() const { return hoveredItem_; }
    // The open popups, null when closed (tests look at them).
    QxUI::QxKBMenuWnd* KeyMenu() const { return keyMenu_; }
    QxUI::QxKBMenuWnd* Submenu() const { return submenu_; }
    CustomLightDlg* LightDialog() const { return lightDlg_; }
    MenuMacroDlg* MacroDialog() const { return macroDlg_; }
    MenuCustomKeyDlg* CustomKeyDialog() const { return customKeyDlg_; }

private:
    LRESULT OnMenuEvent(UINT code, int itemId);
    LRESULT OnSubmenuEvent(UINT code, int itemId);
    LRESULT OnMacroChosen(int macroId);
    LRESULT OnKeyCombination();
    void OpenCategory(int itemId, POINT anchor);
    QxUI::QxKBMenuWnd* CreateMenu(POINT at, UINT message);
    void OpenLightDialog(POINT at);
    void Assign(const KeyMacroRow& row);

    KeyMenuHost& host_;
    KeyNameSource* keyNames_ = nullptr;
    uint32_t selectedKey_ = 0;
    int hoveredItem_ = 0;
    QxUI::QxKBMenuWnd* keyMenu_ = nullptr;
    QxUI::QxKBMenuWnd* submenu_ = nullptr;
    CustomLightDlg* lightDlg_ = nullptr;
    MenuMacroDlg* macroDlg_ = nullptr;
    MenuCustomKeyDlg* customKeyDlg_ = nullptr;
};

}  // namespace qx
