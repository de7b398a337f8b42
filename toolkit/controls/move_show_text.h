#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A label whose text shows only while the pointer is over it; every pointer move it receives
// is reported (11, lParam 1 inside, 0 outside).
class QXUI_API MoveShowText : public MControlFont {
public:
    MoveShowText(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    const wchar_t* GetClassNameW() const override { return L"MoveShowText"; }
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    BOOL IsHover() const { return m_hover; }

private:
    BOOL m_hover;
};

}  // namespace QxUI
