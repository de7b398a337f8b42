#include "toolkit/controls/dpi_control.h"

#include <cwchar>

#include "toolkit/controls/c_check_button.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"DPIControl", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new DPIControl(p, id, r, a);
});

namespace {
// The DPI value of the checked look stands out in the selection colour.
constexpr Gdiplus::ARGB kCheckedValueColour = 0xFECA5180;
constexpr int kFrameBorder = 4;
}  // namespace

DPIControl::DPIControl(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MPanel(parent, id, rect, visible), m_checkBox(nullptr), m_colorButton(nullptr), m_checkState(0),
      m_dpiValue(500), m_color(255), m_groupName(L"DPIControl") {}

const wchar_t* DPIControl::GetClassNameW() const { return L"DPIControl"; }

void DPIControl::InitControl(PaintManager* manager) {
    MPanel::InitControl(manager);
    m_checkBox = CreateControl(L"CCheckButton", kCheckBoxId, CRect(), L"", 1, 1);
    if (auto* box = dynamic_cast<CCheckButton*>(m_checkBox)) {
        box->SetImage(L"btn_checkbox.png", 8);
        if (box->IsEnabled()) box->SetCheck(1);
    }
    // The colour swatch exists only where its class is part of the toolkit build; the card
    // works without it.
    m_colorButton = CreateControl(L"CColorButton", kColorButtonId, CRect(), L"", 1, 1);
    if (auto* swatch = dynamic_cast<MControlFont*>(m_colorButton)) swatch->SetImage(L"btn_checkbox.png", 4);
    SetControlRect(GetRect());
}

void DPIControl::SetControlRect(CRect rect) {
    m_rect = rect;
    if (m_checkBox) m_checkBox->SetRect(CRect(rect.left, rect.top + 30, rect.left + 24, rect.bottom));
    if (m_colorButton) m_colorButton->SetRect(CRect(rect.right - 20, rect.top + 35, rect.right, rect.bottom - 5));
    SetUpdate(FALSE, 0);
}

CRect DPIControl::GetInnerFrame() const {
    return CRect(m_rect.left + 22, m_rect.top + 35, m_rect.right - 22, m_rect.bottom - 5);
}

void DPIControl::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 2, m_checkState ? 1 : 0,
                   [this](HDC dc, int i, const CRect& frame) { DrawLook(dc, i, frame); });
}

void DPIControl::DrawLook(HDC dc, int index, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    int w = frame.Width(), h = frame.Height();
    if (m_image && m_stateWidth > 0)
        MRender::DrawImageFrame(g, m_image, CRect(frame.left + 22, 35, frame.left + w - 22, h - 5),
                                index * m_stateWidth, 0, m_stateWidth, m_stateHeight, kFrameBorder);
    if (m_title.IsEmpty()) return;
    Gdiplus::FontFamily* family = GetFontFamily(m_fontFace);
    if (!family) return;
    Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(m_fontSize - 2), m_fontStyle, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    format.SetAlignment(Gdiplus::StringAlignmentCenter);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    g.SetTextRenderingHint(m_renderingHint);
    Gdiplus::SolidBrush text{Gdiplus::Color(m_textColor)};
    Gdiplus::RectF titleBox(static_cast<Gdiplus::REAL>(frame.left), 10.0f, static_cast<Gdiplus::REAL>(w), 20.0f);
    g.DrawString(m_title, m_title.GetLength(), &font, titleBox, &format, &text);
    wchar_t value[16];
    std::swprintf(value, 16, L"%d", m_dpiValue);
    Gdiplus::SolidBrush valueBrush{Gdiplus::Color(index ? kCheckedValueColour : m_textColor)};
    Gdiplus::RectF valueBox(static_cast<Gdiplus::REAL>(frame.left + 22), 35.0f, static_cast<Gdiplus::REAL>(w - 44),
                            20.0f);
    g.DrawString(value, -1, &font, valueBox, &format, &valueBrush);
}

BOOL DPIControl::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || !GetInnerFrame().PtInRect(point)) return 0;
    ResetGroupCheck();
    m_checkState = 1;
    // Sent on every press, also when the card was already the selected one.
    if (m_parent) m_parent->OnBaseMessage(m_id, 1, 0, 3);
    if (m_visible) UpdateControl(FALSE);
    return 0;
}

BOOL DPIControl::OnControlLButtonUp(UINT, CPoint point) {
    if (m_enabled && CRect(m_rect).PtInRect(point) && GetInnerFrame().PtInRect(point) && m_parent)
        m_parent->OnBaseMessage(m_id, 2, 0, 3);
    return 0;
}

BOOL DPIControl::OnControlMouseMove(UINT, CPoint) { return 0; }

LRESULT DPIControl::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    if (id == kCheckBoxId) {
        if (m_checkState != 1) {
            ResetGroupCheck();
            m_checkState = 1;
            UpdateControl(FALSE);
        }
        if (m_parent) m_parent->OnBaseMessage(m_id, code, 0, 1);
    } else if (id == kColorButtonId) {
        if (m_parent) m_parent->OnBaseMessage(m_id, code, 0, 2);
    }
    // The child's own notification goes on unchanged (the panel passes it to the parent).
    return MPanel::OnMessage(id, code, wParam, lParam);
}

void DPIControl::SetDPIValue(int value) {
    if (value == m_dpiValue) return;
    m_dpiValue = value;
    if (m_visible) UpdateControl(TRUE);
}

BOOL DPIControl::SetCheckState(int state) {
    if (state == m_checkState) return TRUE;
    ResetGroupCheck();
    m_checkState = state;
    if (m_visible) UpdateControl(FALSE);
    return TRUE;
}

int DPIControl::SetCheck(int check) {
    auto* box = dynamic_cast<CCheckButton*>(m_checkBox);
    if (!box) return 0;
    return box->SetCheck(check);  // a disabled box keeps its check
}

int DPIControl::GetCheck() const {
    auto* box = dynamic_cast<CCheckButton*>(m_checkBox);
    return box ? box->GetCheck() : 0;
}

void DPIControl::SetColor(COLORREF colour) {
    m_color = colour;
    if (m_colorButton && m_visible) m_colorButton->UpdateControl(TRUE);
}

void DPIControl::SetGroupName(const wchar_t* name) { m_groupName = name ? name : L""; }

BOOL DPIControl::ResetGroupCheck() {
    if (!m_parent) return 0;
    std::vector<MControl*>* siblings = nullptr;
    if (std::wcscmp(m_parent->GetClassNameW(), L"MDialog") == 0) {
        if (m_manager) siblings = m_manager->GetControls();
    } else if (auto* parent = dynamic_cast<MControl*>(m_parent)) {
        siblings = parent->GetControls();
    }
    if (!siblings) return 1;
    for (MControl* c : *siblings) {
        if (c == this || !c->IsClass(L"DPIControl")) continue;
        auto* card = dynamic_cast<DPIControl*>(c);
        if (card && card->m_groupName == m_groupName) card->SetCheckState(0);
    }
    return 1;
}

}  // namespace QxUI
