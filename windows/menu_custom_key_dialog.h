#pragma once
// The popup in which the user presses a key, or a Shift/Ctrl/Alt key and a key, to assign as a
// key combination. Keys are read through raw input while its edit field has the focus; OK posts
// 1836 to the main window, which reads the capture back from here.
#include "resources/key_name_source.h"
#include "windows/key_menu_popup.h"
#include "windows/key_menu_rules.h"

namespace QxUI { class MEdit; }

namespace qx {

class MenuCustomKeyDlg : public KeyMenuPopup {
public:
    // names: where key names come from; null for the system's. Kept, not owned.
    MenuCustomKeyDlg(HWND owner, KeyNameSource* names);
    ~MenuCustomKeyDlg() override;

    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void InitUI(QxUI::CRect client) override;
    void UISize(QxUI::CRect client) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;

    const KeyCombination& Captured() const { return captured_; }
    bool IsCapturing() const { return capturing_; }
    QxUI::MEdit* EditField() const { return edit_; }

private:
    void ClearCapture();
    void ShowCapture();
    void OnRawInput(LPARAM handle);

    KeyNameSource* names_;
    KeyCombination captured_;
    bool capturing_ = false;
    QxUI::MEdit* edit_ = nullptr;
    QxUI::MControl* hint_ = nullptr;
    QxUI::MControl* cancel_ = nullptr;
    QxUI::MControl* ok_ = nullptr;
};

}  // namespace qx
