#pragma once
#include "toolkit/controls/m_menu_window.h"

namespace QxUI {

// The small menu anchored below a button: rows 40 high, 2 pixels inset, no margins, white text
// unless SetTextColor says otherwise. It closes when it loses activation, and the object
// deletes itself once its window is gone: create it with new and never delete it.
class QXUI_API MenuWnd : public MMenuWindow {
public:
    explicit MenuWnd(MObject* parent);
    const wchar_t* GetWindowClassName() const override { return L"MenuWnd"; }
    const wchar_t* GetClassNameW() const override { return L"MenuWnd"; }
    BOOL OnNcActivate(BOOL active) override;
    BOOL PostNcDestroy() override;
    // Colours of the rows at the next layout (GDI+ ARGB), hover text first.
    void SetTextColor(Gdiplus::Color hoverText, Gdiplus::Color text);
};

}  // namespace QxUI
