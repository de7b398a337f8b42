#pragma once
#include "toolkit/core/m_panel.h"

namespace QxUI {

class CColorButton;
class MEdit;
class MPalette;
class MSpinButton;
class MText;

// Where the parts of a colour palette panel lie (window coordinates), from the panel's rectangle.
struct ColorPaletteLayout {
    CRect presets[8];  // 20 x 20 swatches in a row, 25 pixels apart
    CRect palette;     // the colour plane with its saturation bar
    int palletHeight;
    CRect current;     // the current-colour swatch
    CRect labels[4];   // "R", "G", "B", "#"
    CRect fields[4];   // red, green and blue spin boxes, then the hexadecimal field
};
QXUI_API ColorPaletteLayout LayoutColorPalette(const CRect& panel);

// The hexadecimal form of a COLORREF: red, green, blue as six upper-case digits ("FF8000").
QXUI_API CString HexColourText(DWORD colour);
// Reads exactly six hexadecimal digits (either case) as red, green, blue into a COLORREF.
// FALSE, and `colour` untouched, for any other text.
QXUI_API BOOL ParseHexColour(const CString& text, DWORD* colour);

// A colour chooser panel: eight preset swatches, a colour plane, a swatch with the current
// colour, red/green/blue spin boxes and a hexadecimal field, all kept in step. Every change of
// the current colour is reported as code 27 with the colour in lParam; the children's own
// notifications pass on to the owner unchanged.
class QXUI_API CColorPalette : public MPanel {
public:
    static constexpr UINT kPaletteId = 620;
    static constexpr UINT kCurrentId = 622;
    static constexpr UINT kFirstPresetId = 631;
    static constexpr UINT kFirstLabelId = 650;
    static constexpr UINT kFirstSpinId = 654;  // red, green, blue
    static constexpr UINT kHexId = 657;

    CColorPalette(MObject* parent, UINT id, CRect rect, BOOL visible);

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    void SetControlEnabled(BOOL enabled) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;

    // The plane's colour; 0 before the panel has its parts.
    DWORD GetSelectColor() const;
    // Shows `colour` in every part; sends nothing.
    void SetSelectColor(DWORD colour);
    // The skin of the spin boxes and of the hexadecimal field.
    BOOL SetImage(const wchar_t* file, int count) override;
    using MPanel::SetImage;
    void SetThumbImage(const wchar_t* file);
    void SetTextColor(Gdiplus::Color colour) override;
    // Repaint request for the panel and every part, with cache invalidation when `flag` is set.
    void UpdateControlEx(int flag);

    MPalette* GetPalette() const { return m_palette; }
    CColorButton* GetCurrentSwatch() const { return m_current; }
    CColorButton* GetPreset(int index) const { return index >= 0 && index < 8 ? m_presets[index] : nullptr; }
    MSpinButton* GetSpin(int channel) const { return channel >= 0 && channel < 3 ? m_spins[channel] : nullptr; }
    MEdit* GetHexField() const { return m_hex; }

private:
    void Layout(const CRect& rect);
    // Gives `colour` to the parts other than `except` (the one that produced it).
    void ShowInParts(DWORD colour, MControl* except);
    // The current-colour swatch takes the colour while it is checked; then code 27 goes out.
    void SetSelItemColor(DWORD colour);
    DWORD SpinColour() const;

    CColorButton* m_presets[8];
    MPalette* m_palette;
    CColorButton* m_current;
    MText* m_labels[4];
    MSpinButton* m_spins[3];
    MEdit* m_hex;
};

}  // namespace QxUI
