#include "toolkit/controls/c_color_palette.h"

#include <cwctype>

#include "toolkit/controls/c_color_button.h"
#include "toolkit/controls/m_edit.h"
#include "toolkit/controls/m_palette.h"
#include "toolkit/controls/m_spin_button.h"
#include "toolkit/controls/m_text.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CColorPalette", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new CColorPalette(p, id, r, a);
});

namespace {
const DWORD kPresetColours[8] = {0x001B55, 0x23A2F9, 0x31FEFE, 0x29FF4C, 0xFEFF50, 0xFC1517, 0x7F007C, 0xFC00F7};
constexpr DWORD kCurrentColour = 0x00E1FF;
const wchar_t* const kLabels[4] = {L"R", L"G", L"B", L"#"};
constexpr COLORREF kHexBack = 0xDADADA;

BYTE Channel(DWORD colour, int channel) { return static_cast<BYTE>((colour >> (8 * channel)) & 0xFF); }

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}
}  // namespace

ColorPaletteLayout LayoutColorPalette(const CRect& r) {
    ColorPaletteLayout l;
    for (int i = 0; i < 8; ++i) l.presets[i] = CRect(r.left + 25 * i, r.top + 5, r.left + 25 * i + 20, r.top + 25);
    l.palette = CRect(r.left, r.top + 27, r.left + 233, r.bottom - 4);
    l.palletHeight = l.palette.Height() - 2;
    // 22 rather than 50 high: a taller swatch would lie under the "R" row that starts at top + 52.
    l.current = CRect(r.left + 235, r.top + 27, r.left + 285, r.top + 49);
    for (int i = 0; i < 4; ++i) {
        int y = r.top + 52 + 28 * i;
        l.labels[i] = CRect(r.left + 235, y, r.left + 255, y + 24);
        l.fields[i] = CRect(r.left + 260, y, r.left + 320, y + 24);
    }
    return l;
}

CString HexColourText(DWORD colour) {
    CString text;
    text.Format(L"%02X%02X%02X", Channel(colour, 0), Channel(colour, 1), Channel(colour, 2));
    return text;
}

BOOL ParseHexColour(const CString& text, DWORD* colour) {
    if (!colour || text.GetLength() != 6) return FALSE;
    DWORD value = 0;
    for (int i = 0; i < 6; ++i) {
        int digit = HexDigit(text[i]);
        if (digit < 0) return FALSE;
        // Digits come as red, green, blue pairs; the COLORREF keeps red in the low byte.
        value |= static_cast<DWORD>(digit) << (8 * (i / 2) + (i % 2 == 0 ? 4 : 0));
    }
    *colour = value;
    return TRUE;
}

CColorPalette::CColorPalette(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MPanel(parent, id, rect, visible), m_presets{}, m_palette(nullptr), m_current(nullptr), m_labels{}, m_spins{},
      m_hex(nullptr) {}

void CColorPalette::InitControl(PaintManager* manager) {
    MPanel::InitControl(manager);
    if (m_palette) return;  // the parts are made once, with the first manager
    const ColorPaletteLayout l = LayoutColorPalette(CRect(m_rect));
    for (int i = 0; i < 8; ++i) {
        m_presets[i] = dynamic_cast<CColorButton*>(CreateControl(L"CColorButton", kFirstPresetId + i, l.presets[i], L"", 1, 1));
        if (!m_presets[i]) continue;
        m_presets[i]->SetColor(kPresetColours[i]);
        m_presets[i]->SetGroupName(L"clr_palette_group");
    }
    m_palette = dynamic_cast<MPalette*>(CreateControl(L"MPalette", kPaletteId, l.palette, L"", 1, 1));
    if (m_palette) {
        m_palette->SetPalletHeight(l.palletHeight);
        m_palette->SetThumbImage(L"img_palette_thumb.png");
    }
    m_current = dynamic_cast<CColorButton*>(CreateControl(L"CColorButton", kCurrentId, l.current, L"", 1, 1));
    if (m_current) {
        m_current->SetColor(kCurrentColour);
        m_current->SetGroupName(L"clr_sel_group");
        m_current->SetControlCheck(1);
    }
    for (int i = 0; i < 4; ++i) m_labels[i] = dynamic_cast<MText*>(CreateControl(L"MText", kFirstLabelId + i, l.labels[i], kLabels[i], 1, 1));
    for (int i = 0; i < 3; ++i) {
        m_spins[i] = dynamic_cast<MSpinButton*>(CreateControl(L"MSpinButton", kFirstSpinId + i, l.fields[i], L"", 1, 1));
        if (m_spins[i]) m_spins[i]->SetRange(0, 255);
    }
    m_hex = dynamic_cast<MEdit*>(CreateControl(L"MEdit", kHexId, l.fields[3], L"", 1, 1));
    if (m_hex) {
        m_hex->SetFontWidth(12);
        m_hex->SetEditBKColor(kHexBack);
        m_hex->SetLimitText(6);
        m_hex->SetEditFont();
    }
    // Spin boxes and the field start showing the plane's colour, as every later change does.
    ShowInParts(GetSelectColor(), m_palette);
    MPanel::SetControlRect(CRect(m_rect));
}

void CColorPalette::Layout(const CRect& rect) {
    const ColorPaletteLayout l = LayoutColorPalette(rect);
    for (int i = 0; i < 8; ++i)
        if (m_presets[i]) m_presets[i]->SetRect(l.presets[i]);
    if (m_palette) {
        m_palette->SetRect(l.palette);
        m_palette->SetPalletHeight(l.palletHeight);
    }
    if (m_current) m_current->SetRect(l.current);
    for (int i = 0; i < 4; ++i)
        if (m_labels[i]) m_labels[i]->SetRect(l.labels[i]);
    for (int i = 0; i < 3; ++i)
        if (m_spins[i]) m_spins[i]->SetRect(l.fields[i]);
    if (m_hex) m_hex->SetRect(l.fields[3]);
}

void CColorPalette::DrawControl(HDC&, CRect) {}

void CColorPalette::SetControlRect(CRect rect) {
    Layout(rect);
    // The panel measures its content from the parts, so they move first.
    MPanel::SetControlRect(rect);
}

void CColorPalette::SetControlEnabled(BOOL enabled) { MPanel::SetControlEnabled(enabled); }

DWORD CColorPalette::GetSelectColor() const { return m_palette ? m_palette->GetSelectColor() : 0; }

void CColorPalette::SetSelectColor(DWORD colour) {
    if (m_palette) m_palette->SetSelectColor(colour);
    ShowInParts(colour, m_palette);
    if (m_current && m_current->GetCheck()) m_current->SetColor(colour);
}

BOOL CColorPalette::SetImage(const wchar_t* file, int count) {
    BOOL ok = TRUE;
    for (MSpinButton* spin : m_spins)
        if (spin) ok = spin->SetImage(file, count) && ok;
    if (m_hex) ok = m_hex->SetImage(file, count) && ok;
    return ok;
}

void CColorPalette::SetThumbImage(const wchar_t* file) {
    if (m_palette) m_palette->SetThumbImage(file);
}

void CColorPalette::SetTextColor(Gdiplus::Color colour) {
    MPanel::SetTextColor(colour);
    for (MText* label : m_labels)
        if (label) label->SetTextColor(colour);
    for (MSpinButton* spin : m_spins)
        if (spin) spin->SetTextColor(colour);
    if (m_hex) m_hex->SetTextColor(colour);
    UpdateControlEx(TRUE);
}

void CColorPalette::UpdateControlEx(int flag) {
    std::vector<MControl*> children;
    {
        CriticalSectionLock lock(m_controlLock);
        children = m_controls;
    }
    for (MControl* child : children)
        if (child->IsVisible()) child->UpdateControl(flag);
    UpdateControl(flag);
}

DWORD CColorPalette::SpinColour() const {
    DWORD colour = 0;
    for (int i = 0; i < 3; ++i)
        if (m_spins[i]) colour |= static_cast<DWORD>(m_spins[i]->GetCurValue() & 0xFF) << (8 * i);
    return colour;
}

void CColorPalette::ShowInParts(DWORD colour, MControl* except) {
    for (int i = 0; i < 3; ++i)
        if (m_spins[i] && m_spins[i] != except && m_spins[i]->GetCurValue() != Channel(colour, i))
            m_spins[i]->SetCurValue(Channel(colour, i));
    if (m_palette && m_palette != except) m_palette->SetSelectColor(colour);
    // The field is left alone while the user types into it.
    if (m_hex && m_hex != except) m_hex->SetControlTitle(HexColourText(colour));
}

void CColorPalette::SetSelItemColor(DWORD colour) {
    if (m_current && m_current->GetCheck() && m_current->GetColor() != colour) m_current->SetColor(colour);
    SendMessageW(NOTIFY_COLOR, 0, static_cast<LPARAM>(colour));
}

LRESULT CColorPalette::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    LRESULT result = MPanel::OnMessage(id, code, wParam, lParam);
    if (id == kPaletteId && code == NOTIFY_COLOR && m_palette) {
        DWORD colour = m_palette->GetSelectColor();
        ShowInParts(colour, m_palette);
        SetSelItemColor(colour);
    } else if (id >= kFirstSpinId && id < kFirstSpinId + 3 && code == NOTIFY_SPIN) {
        DWORD colour = SpinColour();
        ShowInParts(colour, m_spins[id - kFirstSpinId]);
        SetSelItemColor(colour);
    } else if (id == kCurrentId && code == NOTIFY_PRESS && m_current) {
        DWORD colour = m_current->GetColor();
        ShowInParts(colour, nullptr);
        SetSelItemColor(colour);
    } else if (id >= kFirstPresetId && id < kFirstPresetId + 8 && code == NOTIFY_PRESS) {
        for (CColorButton* preset : m_presets) {
            if (!preset || !preset->GetCheck()) continue;
            DWORD colour = preset->GetColor();
            if (colour == 0) break;
            ShowInParts(colour, nullptr);
            SetSelItemColor(colour);
            break;
        }
    } else if (id == kHexId && code == NOTIFY_EDIT_CHANGED && m_hex) {
        DWORD colour = 0;
        // Five digits or a stray character change nothing; the sixth digit applies the colour.
        if (ParseHexColour(m_hex->GetEditText(), &colour)) {
            ShowInParts(colour, m_hex);
            SetSelItemColor(colour);
        }
    }
    return result;
}

}  // namespace QxUI
