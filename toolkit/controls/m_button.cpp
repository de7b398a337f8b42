#include "toolkit/controls/m_button.h"

#include "toolkit/controls/button_layout.h"
#include "toolkit/controls/button_press.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MButton", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new MButton(p, id, r, t, a, b);
});

MButton::MButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE), m_look(0), m_frameSize(8) {
    m_hAlign = 1;
}

void MButton::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 4, m_look, [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

void MButton::DrawSkinFrame(Gdiplus::Graphics& g, int index, const CRect& frame, int border) {
    DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, index, frame, border);
}

CRect MButton::TitleBox(int index, const CRect& frame) const {
    CRect box(frame);
    if (!m_textRect.IsRectEmpty()) {
        box = m_textRect;
        box.OffsetRect(frame.left, 0);
    }
    return ShiftedWhenPressed(box, index == LOOK_PRESSED);
}

void MButton::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    DrawSkinFrame(g, index, frame, m_frameSize);
    // Centred whatever the alignment members say.
    DrawButtonText(*this, g, m_title, TitleBox(index, frame), index == LOOK_DISABLED ? 0xFF808080 : m_textColor, {});
}

void MButton::SetControlEnabled(BOOL enabled) { PushButton::SetEnabled(*this, m_look, enabled); }
BOOL MButton::OnControlMouseMove(UINT, CPoint point) { return PushButton::OnMouseMove(*this, m_look, point); }
BOOL MButton::OnControlLButtonDown(UINT, CPoint point) { return PushButton::OnLButtonDown(*this, m_look, point); }
BOOL MButton::OnControlLButtonUp(UINT, CPoint point) { return PushButton::OnLButtonUp(*this, m_look, point); }

BOOL MButton::SetIconImage(const wchar_t* file, int count) {
    BOOL loaded = m_icon.Load(file, count);
    UpdateControl(TRUE);  // a failed load drops the old icon too
    return loaded;
}

void MButton::SetFrameSize(int size) {
    m_frameSize = size;
    UpdateControl(TRUE);
}

void MButton::SetTextRect(CRect rect) {
    m_textRect = rect;
    UpdateControl(TRUE);
}

}  // namespace QxUI
