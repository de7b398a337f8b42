#include "toolkit/controls/profile_button.h"

#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_render.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"ProfileButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new ProfileButton(p, id, r, t, a, 1);
});

namespace {
const LookColours kColours = {0xFFE6E6E6, 0xFFE6E6E6, 0xFF808080};
}

ProfileButton::ProfileButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible,
                             BOOL enabled)
    : IconTitleButton(parent, id, rect, title, visible, enabled, 0xFFC8C8C8, kColours, false) {}

void ProfileButton::DrawLook(HDC dc, int index, const CRect& frame) {
    if (!m_image && (index == LOOK_HOVER || index == LOOK_PRESSED)) MRender::DrawColor(dc, frame, 0xFF898989);
    Gdiplus::Graphics g(dc);
    DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, index, frame, m_frameSize);
    if (m_title.IsEmpty()) return;
    int titleWidth = MeasureButtonText(*this, m_title).Width;
    IconTitleLayout layout =
        TitleLeftOfIcon(frame.left, frame.Width(), frame.Height(), m_icon.FrameWidth(), m_icon.Height(), titleWidth);
    DrawButtonText(*this, g, m_title, layout.title, LookColor(index), {});
    m_icon.DrawFrame(g, 0, layout.icon.x, layout.icon.y);
}

}  // namespace QxUI
