#include "toolkit/controls/c_color_select.h"

#include "toolkit/controls/c_color_button.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CColorSelect", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new CColorSelect(p, id, r, a);
});

namespace {
const DWORD kColours[CColorSelect::kSwatches] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF,
                                                 0xFF00FF, 0xFFFF00, 0xFFFFFF};
}  // namespace

CColorSelect::CColorSelect(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MPanel(parent, id, rect, visible), m_swatches{} {}

CRect CColorSelect::SwatchRect(const CRect& panel, int index) {
    int top = panel.top + 5 + 25 * index;
    return CRect(panel.left, top, panel.left + 20, top + 20);
}

void CColorSelect::InitControl(PaintManager* manager) {
    MPanel::InitControl(manager);
    if (m_swatches[0]) return;  // made once, with the first manager
    for (int i = 0; i < kSwatches; ++i) {
        m_swatches[i] = dynamic_cast<CColorButton*>(
            CreateControl(L"CColorButton", kFirstSwatchId + i, SwatchRect(CRect(m_rect), i), L"", 1, 1));
        if (!m_swatches[i]) continue;
        m_swatches[i]->SetColor(kColours[i]);
        m_swatches[i]->SetGroupName(L"clr_palette_group");
    }
    MPanel::SetControlRect(CRect(m_rect));
}

void CColorSelect::DrawControl(HDC&, CRect) {}

void CColorSelect::SetControlRect(CRect rect) {
    for (int i = 0; i < kSwatches; ++i)
        if (m_swatches[i]) m_swatches[i]->SetRect(SwatchRect(rect, i));
    MPanel::SetControlRect(rect);
}

void CColorSelect::SetControlEnabled(BOOL enabled) { MPanel::SetControlEnabled(enabled); }

void CColorSelect::SetColorIndex(int index) {
    if (index == -1) {
        for (CColorButton* swatch : m_swatches)
            if (swatch) swatch->SetCheck(0);
    } else if (CColorButton* swatch = GetSwatch(index)) {
        swatch->SetCheck(1);
    }
}

LRESULT CColorSelect::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    LRESULT result = MPanel::OnMessage(id, code, wParam, lParam);
    if (code != NOTIFY_PRESS || id < kFirstSwatchId || id >= kFirstSwatchId + kSwatches) return result;
    for (int i = 0; i < kSwatches; ++i) {
        if (!m_swatches[i] || !m_swatches[i]->GetCheck()) continue;
        DWORD colour = m_swatches[i]->GetColor();
        if (colour != 0) SendMessageW(NOTIFY_COLOR, static_cast<WPARAM>(i), static_cast<LPARAM>(colour));
        break;
    }
    return result;
}

}  // namespace QxUI
