#include "toolkit/controls/new_button.h"

#include "toolkit/controls/button_layout.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"NewButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int) -> MControl* {
    return new NewButton(p, id, r, t, a, 1);
});

namespace {
const LookColours kColours = {0xFFFFFFFF, 0xFF1E1E1E, 0xFF323232};
}

NewButton::NewButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : IconTitleButton(parent, id, rect, title, visible, enabled, 0xFFFFFFFF, kColours, true) {}

void NewButton::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, index, frame, m_frameSize);
    if (m_title.IsEmpty()) return;
    CRect box;
    if (m_textRect.IsRectEmpty()) {
        int titleWidth = MeasureButtonText(*this, m_title).Width;
        IconTitleLayout layout =
            IconLeftOfTitle(frame.left, frame.Width(), frame.Height(), m_icon.FrameWidth(), m_icon.Height(), titleWidth);
        m_icon.DrawFrame(g, 0, layout.icon.x, layout.icon.y);
        box = layout.title;
    } else {
        box = m_textRect;
        box.OffsetRect(frame.left + 2, 2);
    }
    DrawButtonText(*this, g, m_title, box, LookColor(index), {});
}

}  // namespace QxUI
