// The main window's commands: language and profile menus, firmware update, the macro panel.
#include <windows.h>
#include <shellapi.h>

#include "app/language.h"
#include "app/win32/app_paths.h"
#include "device/hid_device_manager.h"
#include "resources/ui_texts.h"
#include "toolkit/controls/menu_wnd.h"
#include "toolkit/controls/qx_list_box.h"
#include "toolkit/core/ui_notify.h"
#include "windows/macro_editor_dialog.h"
#include "windows/main_window_images.h"
#include "windows/qxkb_main_dlg.h"

namespace qx {

namespace {
constexpr wchar_t kFirmwareUpdater[] = L"\\Firmware\\Olvar_52_rgb_v1.15_202106.exe";
constexpr int kLanguageChinese = 2052;
constexpr int kLanguageEnglish = 1033;

// A modal menu of the main window at `point` (screen), posting `message` with the chosen id.
void RunMenu(HWND owner, QxUI::MObject* parent, POINT point, UINT message, const wchar_t* background, int width,
             const std::vector<std::pair<std::wstring, UINT>>& items, bool hoverRows) {
    // The menu deletes itself when its window goes away.
    auto* menu = new QxUI::MenuWnd(parent);
    if (hoverRows) {
        menu->SetRowHoverImage(QxUI::CString(L"img_menu_rowhover.png"), 1);
        menu->SetTextColor(Gdiplus::Color(0xFFFFFFFF), Gdiplus::Color(0xFF646464));
    }
    for (const auto& item : items) menu->AddMenu(QxUI::CString(item.first.c_str()), item.second, QxUI::CString(), 0, -1);
    if (!menu->Create(owner, QxUI::CPoint(point.x, point.y), message, QxUI::CString(background), 30, width,
                      QxUI::BACK_MODE_FRAME)) {
        delete menu;
        return;
    }
    menu->ShowModal(SW_SHOW);
}
}  // namespace

void QxKBMainDlg::OpenLanguageMenu() {
    QxUI::MControl* button = GetControl(kIdLanguage);
    if (!button) return;
    QxUI::CRect r = button->GetRect();
    POINT corner{r.right, r.bottom};
    ::ClientToScreen(GetSafeHwnd(), &corner);
    corner.x -= 46;
    corner.y -= 5;
    RunMenu(GetSafeHwnd(), this, corner, kMessageLanguageMenu, L"img_msgboxbkg.png", 120,
            {{L"\u7B80\u4F53\u4E2D\u6587", kLanguageChinese}, {L"English", kLanguageEnglish}}, true);
}

void QxKBMainDlg::OpenProfileMenu() {
    QxUI::MControl* button = GetControl(kIdProfile);
    if (!button) return;
    QxUI::CRect r = button->GetRect();
    POINT corner{r.left, r.top};
    ::ClientToScreen(GetSafeHwnd(), &corner);
    corner.y -= 165;
    // Profiles D, C, B and A from the top; profile E is not offered.
    RunMenu(GetSafeHwnd(), this, corner, kMessageProfileMenu, L"img_menubkg.png", 123,
            {{GetUIText(34), 4}, {GetUIText(33), 3}, {GetUIText(32), 2}, {GetUIText(31), 1}}, false);
}

void QxKBMainDlg::ChangeLanguage(int languageId) {
    if (languageId != kLanguageChinese && languageId != kLanguageEnglish) return;
    WriteLanguageId(registry_, languageId);
    SetCurrentLanguage(languageId);
    SetImage(kIdLanguage, LanguageButtonImage(languageId), 4);
    RetitleControls();
}

LRESULT QxKBMainDlg::StartFirmwareUpdate() {
    if (!controller_.IsConnected()) {
        ShowMessageBox(kTextPleaseConnect, kMessageBoxWidth);
        return 0;
    }
    // The updater opens the keyboard itself.
    controller_.Manager().CloseAllDevices();
    const std::wstring updater = GetModuleDir() + kFirmwareUpdater;
    ::ShellExecuteW(nullptr, L"open", updater.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return 1;
}

// --- macro panel -------------------------------------------------------------------------------

void QxKBMainDlg::RefreshMacroList() {
    auto* list = Control<QxUI::QxListBox>(kIdMacroList);
    if (!list) return;
    list->DeleteAllItems();
    std::vector<MacroRow> macros;
    controller_.Database().GetMacros(macros);
    int added = 0;
    for (const MacroRow& macro : macros) {
        list->AddString(macro.name.c_str(), static_cast<long>(macro.macroId), -1);
        ++added;
    }
    if (added > 0) list->SetCurSel(0);
}

LRESULT QxKBMainDlg::OnMacroListNotify(UINT code, LPARAM lParam) {
    auto* list = Control<QxUI::QxListBox>(kIdMacroList);
    if (!list) return 0;
    const int selected = list->GetCurSel();
    if (code == QxUI::NOTIFY_DBLCLK) {
        if (selected < 0) return 0;
        const long macroId = list->GetItemData(selected);
        if (macroId >= 1) OpenMacroEditor(static_cast<int>(macroId));
        return 1;
    }
    if (code != QxUI::NOTIFY_PRESS) return 0;
    if (lParam == 200) {
        if (selected < 0) return 0;
        OpenMacroEditor(static_cast<int>(list->GetItemData(selected)));
        return 1;
    }
    if (lParam == 100) {
        if (selected < 0) return 0;
        DeleteSelectedMacro();
        return 1;
    }
    return 0;
}

void QxKBMainDlg::DeleteSelectedMacro() {
    auto* list = Control<QxUI::QxListBox>(kIdMacroList);
    if (!list) return;
    const int selected = list->GetCurSel();
    if (selected < 0) return;
    const int macroId = static_cast<int>(list->GetItemData(selected));
    if (!controller_.Database().DeleteMacro(macroId)) return;
    list->DeleteItem(selected);
    // The item before it; deleting the first selects nothing.
    list->SetCurSel(selected - 1);
    controller_.UploadMacros();
}

void QxKBMainDlg::OpenMacroEditor(int macroId) {
    MacroEditorHooks hooks;
    hooks.uploadLibrary = [this] { controller_.UploadMacros(); };
    hooks.showMessage = [this](HWND, const std::wstring& text) { ShowMessageText(MessageGroup::Window, text); };
    if (RunMacroEditor(GetSafeHwnd(), macroId, controller_.DeviceType(), GetDocumentsDataDir(), std::move(hooks)))
        RefreshMacroList();
}

}  // namespace qx
