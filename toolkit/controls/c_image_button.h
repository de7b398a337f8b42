#pragma once
#include "toolkit/controls/m_button.h"
#include "toolkit/core/ui_enums.h"

namespace QxUI {

// Title-bar style button: state i of its image strip unscaled, the icon centred on it, no
// title. Its title, when set, is shown as a balloon while the pointer is over it.
class QXUI_API CImageButton : public MButton {
public:
    CImageButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    // 0 no balloon, 1 balloon at the right edge, 2 at the left edge.
    void SetAlrBladderMode(AIRBLADDER_MODE mode) { m_balloonMode = mode; }

protected:
    void DrawLook(HDC dc, int index, const CRect& frame) override;

private:
    void UpdateBalloon();

    AIRBLADDER_MODE m_balloonMode;
};

}  // namespace QxUI
