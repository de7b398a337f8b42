#pragma once
#include "toolkit/controls/hsl_color.h"
#include "toolkit/controls/palette_paint.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// Where the parts of a colour plane control lie (window coordinates): the hue-by-lightness
// plane on the left, the saturation bar to its right with room for the thumb beside it.
struct PaletteGeometry {
    CRect plane;
    CRect bar;
};
QXUI_API PaletteGeometry LayoutPalette(const CRect& control, int palletHeight, int barWidth);
// Pointer to value rules; a plane or bar of no size gives the value at its origin, never a
// division by zero.
QXUI_API int PlaneHue(int x, const CRect& plane);                    // 0 ... 360
QXUI_API int PlaneLightness(int y, const CRect& plane, int palletHeight);  // 20 ... 200
QXUI_API int BarSaturation(int y, const CRect& bar, int palletHeight);     // 0 ... 200

// A colour plane (hue across, lightness down from 10 %) with a saturation bar beside it. A press
// on the plane or the bar reports the new colour (code 27, wParam the COLORREF); dragging on the
// plane does the same whenever the colour changes, dragging on the bar reports code 27 with
// wParam 0.
class QXUI_API MPalette : public MControlFont {
public:
    MPalette(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
    ~MPalette() override;
    const wchar_t* GetClassNameW() const override { return L"MPalette"; }

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
    void SetSelectColor(DWORD colour);
    // Thumb beside the bar (4 states, state 0 drawn), from the skin directory. Returns 0.
    int SetThumbImage(const wchar_t* file);
    void SetPalletHeight(int height);
    int GetPalletHeight() const { return m_palletHeight; }
    void UpdatePaletteData();
    void UpdateBarData();
    HslSteps GetHsl() const { return m_hsl; }

private:
    void Relayout();
    void FollowPlane(CPoint point);
    void FollowBar(CPoint point);
    // Records and reports a colour that differs from the last one reported.
    void ReportColour();

    HslSteps m_hsl;
    DWORD m_selectColor;
    int m_palletHeight;
    int m_barWidth;
    PaletteGeometry m_geometry;
    CPoint m_marker;  // window coordinates
    bool m_planeDrag;
    bool m_barDrag;
    Gdiplus::Image* m_thumb;
    int m_thumbWidth;
    int m_thumbHeight;
    ColourImage m_colours;
};

}  // namespace QxUI
