#pragma once
#include "toolkit/core/m_panel.h"

namespace QxUI {

class CColorButton;

// A column of seven fixed colour swatches, one checked at a time. A pressed swatch is reported
// as code 27 with its index (wParam) and colour (lParam); the swatches' own notifications pass
// on to the owner unchanged.
class QXUI_API CColorSelect : public MPanel {
public:
    static constexpr UINT kFirstSwatchId = 631;
    static constexpr int kSwatches = 7;

    CColorSelect(MObject* parent, UINT id, CRect rect, BOOL visible);

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    void SetControlEnabled(BOOL enabled) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;

    // 0 ... 6 checks that swatch (SetCheck), -1 unchecks all; other values do nothing.
    void SetColorIndex(int index);
    // The swatches carry the colours; the panel itself has none to give or take.
    DWORD GetSelectColor() const { return 0; }
    void SetSelectColor(DWORD) {}
    CColorButton* GetSwatch(int index) const { return index >= 0 && index < kSwatches ? m_swatches[index] : nullptr; }

    // Swatch `index` of a column whose panel is `panel`: 20 x 20, 25 pixels apart downwards.
    static CRect SwatchRect(const CRect& panel, int index);

private:
    CColorButton* m_swatches[kSwatches];
};

}  // namespace QxUI
