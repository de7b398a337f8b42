#pragma once
#include "toolkit/controls/hsl_color.h"
#include "toolkit/controls/palette_paint.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A bar of one hue at one lightness, full saturation at the top fading to grey at the bottom.
// Dragging with the left button reports code 27, a release code 2; the pointer's height picks
// the saturation, so GetSelectColor is the colour under the marker.
class QXUI_API MPaletteBar : public MControlFont {
public:
    MPaletteBar(MObject* parent, UINT id, CRect rect, BOOL visible);
    const wchar_t* GetClassNameW() const override { return L"MPaletteBar"; }

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlScroll(int steps, UINT direction, CPoint point) override { return 1; }
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override { return 0; }

    DWORD GetSelectColor() const { return HslStepsToRgb(m_hsl); }
    // Takes hue and lightness (and saturation) from `colour`, refills the bar, marker to the top.
    void SetSelectColor(DWORD colour);
    void SetPalletHeight(int height) { m_palletHeight = height; }
    int GetPalletHeight() const { return m_palletHeight; }
    void UpdateBarData();
    DWORD GetPickedColor() const { return m_picked; }

    static constexpr int kBarWidth = 400;
    static constexpr int kBarRows = 200;
    // Saturation (0 ... 200) of the bar row shown at `y` pixels down a bar `height` high.
    static int SaturationAt(int y, int height);

private:
    void PlaceMarker(CPoint point);

    HslSteps m_hsl;
    CPoint m_marker;  // relative to the control
    DWORD m_picked;
    ColourImage m_bar;
    int m_palletHeight;
};

}  // namespace QxUI
