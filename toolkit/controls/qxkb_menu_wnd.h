#pragma once
#include "toolkit/controls/m_menu_window.h"

namespace QxUI {

// The key-function menu and its second-level menus: rows 36 high, 10 pixels inset, 12-pixel
// margins above and below, grey text, rows that may lead further (right arrow while hovered).
// It stays open when it loses activation; its creator deletes the object.
class QXUI_API QxKBMenuWnd : public MMenuWindow {
public:
    explicit QxKBMenuWnd(MObject* parent);
    const wchar_t* GetWindowClassName() const override { return L"QxKBMenuWnd"; }
    const wchar_t* GetClassNameW() const override { return L"QxKBMenuWnd"; }

    // Moves the window to `point` (screen), size unchanged.
    void ResetMenuPoint(CPoint point);
    void ClearMenuControls();
    void DrawWindow();
    // Invalidates the whole window and repaints it at once.
    void UpdateWindow();
    // Screen position of the top-right corner of the row `id`; the pointer position when no
    // row has that id.
    CPoint GetItemScreenPoint(UINT id);

protected:
    void ApplyPopup(MenuItem* row, int popup) override;
};

}  // namespace QxUI
