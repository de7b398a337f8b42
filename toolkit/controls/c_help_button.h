#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A help mark: its skin image stretched over the control; its title appears as a balloon while
// the pointer is over it. Sends nothing.
class QXUI_API CHelpButton : public MControlFont {
public:
    CHelpButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
};

}  // namespace QxUI
