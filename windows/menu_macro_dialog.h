#pragma once
// The popup listing the stored macros for assignment, with a button to create a new one. A chosen
// row posts 1835 with its macro_id, the button 1835 with 0. Its height follows the macro count.
#include "windows/key_menu_popup.h"

namespace QxUI { class QxListBox; }

namespace qx {

class ConfigDatabase;

class MenuMacroDlg : public KeyMenuPopup {
public:
    // database: the current model's open store (the main window's; it outlives the popup).
    MenuMacroDlg(HWND owner, int deviceType, ConfigDatabase& database);
    ~MenuMacroDlg() override;

    BOOL OnInitDialog() override;
    void InitUI(QxUI::CRect client) override;
    void UISize(QxUI::CRect client) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;

    int DeviceType() const { return deviceType_; }
    QxUI::QxListBox* List() const { return list_; }

private:
    void FillMacros();

    int deviceType_;
    ConfigDatabase& database_;
    QxUI::QxListBox* list_ = nullptr;
    QxUI::MControl* newButton_ = nullptr;
};

}  // namespace qx
