#pragma once
// What the three popups beside the key-function menu share: the round corners, the menu's
// background, layering, the main window they report to, and a UISize that waits for the
// controls InitUI makes.
#include "toolkit/core/m_dialog.h"

namespace qx {

class KeyMenuPopup : public QxUI::MDialog {
public:
    explicit KeyMenuPopup(HWND owner);
    BOOL OnInitDialog() override;
    // Creates the window as a hidden owned popup titled title, w x h at the screen origin.
    HWND CreatePopup(const wchar_t* title, int width, int height);
    // Shows the window and moves its top-left corner to screenPoint, size kept.
    void ShowAt(POINT screenPoint);

protected:
    // Posts message to the main window with wParam 0.
    void PostToOwner(UINT message, LPARAM lParam) const;
    HWND owner_;
};

}  // namespace qx
