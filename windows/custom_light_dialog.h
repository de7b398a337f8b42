#pragma once
// The colour popup: eight swatches, a palette and its palette bar, a preview and "Turn Off". Every
// colour chosen is posted to the main window as 1834 (lParam the COLORREF, 0 for off); the popup
// stays open so several colours can be tried.
#include "windows/key_menu_popup.h"

namespace qx {

class CustomLightDlg : public KeyMenuPopup {
public:
    explicit CustomLightDlg(HWND owner);
    ~CustomLightDlg() override;

    void InitUI(QxUI::CRect client) override;
    void UISize(QxUI::CRect client) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;

    // The swatch colour of control id 31-38; 0 for any other id.
    static COLORREF SwatchColor(UINT id);

private:
    void Preview(COLORREF colour);
    void CheckSwatch(UINT id);

    QxUI::MControl* swatches_[8] = {};
    QxUI::MControl* palette_ = nullptr;
    QxUI::MControl* paletteBar_ = nullptr;
    QxUI::MControl* preview_ = nullptr;
    QxUI::MControl* turnOff_ = nullptr;
};

}  // namespace qx
