#pragma once
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/m_control.h"

namespace QxUI {

// A coloured rectangle that blends over what lies below it: by default a 20 % white veil; with
// both transparencies 0 an opaque swatch. The fade runs top to bottom (direction 1) or left to
// right (0) from (100 - start) % to (100 - end) % opacity.
class QXUI_API CArea : public MControl {
public:
    CArea(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
    const wchar_t* GetClassNameW() const override { return L"CArea"; }

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetTransparent(int startPercent, int endPercent, COLORREF colour);
    void SetFrame(int frame, Gdiplus::Color frameColour, int unused);
    void SetFadeDirection(int direction) { m_direction = direction; }
    COLORREF GetColor() const { return m_colour; }

private:
    void Render(HDC mem, int width, int height);

    int m_direction;
    int m_startPercent;
    int m_endPercent;
    COLORREF m_colour;
    int m_frame;
    Gdiplus::ARGB m_frameColour;
};

}  // namespace QxUI
