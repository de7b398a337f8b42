#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

struct ImgResInfo;

// A horizontal slider: a track image (row 0 the filled part, row 1 the track), a thumb of four
// looks (normal, hover, dragged, disabled) and an optional value text under it. The value is
// minimum + offset; a thumb moved by the user notifies NOTIFY_VALUE with the value and a
// release NOTIFY_CLICK.
class QXUI_API MSlider : public MControlFont {
public:
    MSlider(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    BOOL SetImage(const wchar_t* file, int count) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    using MControlFont::SetImage;

    BOOL SetThumbImage(const wchar_t* file);
    // Sets the value by program (no notification): limited to the maximum; values outside
    // 0 ... maximum change nothing.
    int SetProgress(int value);
    int GetProgress() const { return m_minimum + m_offset; }
    void SetMaxProgress(int maximum) {
        m_maximum = maximum;
        PlaceThumb();
    }
    int GetMaxProgress() const { return m_maximum; }
    void SetMinProgress(int minimum) {
        m_minimum = minimum;
        PlaceThumb();
    }
    int GetMinProgress() const { return m_minimum; }
    void SetScale(int scale) { m_scale = scale > 0 ? scale : 1; }
    void SetShowText(BOOL show) { m_showText = show; }
    // Moves the thumb to the value under `point`; notifies when the value changed.
    int MoveThumbPos(CPoint point);
    CRect GetThumbRect() const { return CRect(m_thumb); }

private:
    void PlaceThumb();

    int m_thumbState;
    int m_offset;
    int m_scale;
    BOOL m_showText;
    int m_minimum;
    int m_maximum;
    ImgResInfo* m_thumbImage;
    int m_thumbWidth;
    int m_thumbHeight;
    RECT m_thumb;
};

}  // namespace QxUI
