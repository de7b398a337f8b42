#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A picture of colours with a thumb the user drags across it. Every move of the thumb reads the
// picture's colour under the new point and reports it (code 27, lParam the COLORREF).
class QXUI_API PicturePalette : public MControlFont {
public:
    PicturePalette(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
    const wchar_t* GetClassNameW() const override { return L"PicturePalette"; }

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;

    DWORD GetSelectColor() const { return m_selectColor; }
    // Stores and repaints; the thumb stays where it is.
    void SetSelectColor(DWORD colour);
    // Centres the thumb on `point` (window coordinates) and reports the colour found there.
    void MoveThumbPos(CPoint point);
    int GetDistanse(CPoint point) const;
    CRect GetThumb() const { return m_thumb; }
    int GetState() const { return m_state; }

protected:
    // Whether the thumb may go to `point`; the circle palette keeps it on its ring.
    virtual bool AcceptsThumbPoint(CPoint point) const { return true; }

private:
    static CRect HomeThumb(const CRect& rect);

    DWORD m_selectColor;
    CRect m_thumb;
    CPoint m_lastThumbPoint;
    int m_state;  // 0 idle, 1 over the thumb, 2 dragging it
};

}  // namespace QxUI
