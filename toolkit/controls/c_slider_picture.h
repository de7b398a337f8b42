#pragma once
#include "toolkit/controls/picture_fit.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// Direction in which a CSliderPicture reveals its picture.
enum SLIDER_MODE {
    SLIDER_LEFT_TO_RIGHT = 1,
    SLIDER_TOP_TO_BOTTOM = 2,
    SLIDER_RIGHT_TO_LEFT = 3,
};

// The part of a W x H box a slide shows after `revealed` pixels: a strip growing from the
// mode's start edge (clamped to the box).
QXUI_API CRect SlideRevealedPart(int W, int H, SLIDER_MODE mode, int revealed);

// A picture fitted like MPicture that is shown only while it slides in: SetRun starts a reveal
// from one edge by a hundredth of the size per step of the animation timer; the rest of the
// control is light grey. Drawn while not running, it hides itself.
class QXUI_API CSliderPicture : public MControlFont {
public:
    CSliderPicture(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
    ~CSliderPicture() override;
    const wchar_t* GetClassNameW() const override { return L"CSliderPicture"; }

    BOOL SetImage(const wchar_t* file, int count) override;
    BOOL SetImage(UINT resId, CString type, int count) override;
    BOOL SetShowMode(enumShowMode mode, int border);
    BOOL SetShowModeMID(int left, int top, int right, int bottom);
    int SetRun(int run, SLIDER_MODE mode);
    BOOL IsRunning() const { return m_running; }

    BOOL OnControlTimer() override;
    void DrawControl(HDC& hdc, CRect paint) override;

private:
    PictureFit m_fit;
    SLIDER_MODE m_mode;
    int m_ticks;
    int m_ticksPerStep;
    int m_position;
    int m_end;
    BOOL m_running;
};

}  // namespace QxUI
