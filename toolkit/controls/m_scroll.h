#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// Common part of the two scroll bars: range, position, page and step, the thumb rectangle and
// the thumb's pointer handling along the bar's axis. The subclasses place the thumb (SetRange)
// and draw. Setters neither repaint nor notify; a thumb moved by the user notifies
// NOTIFY_VALUE with the new position.
class QXUI_API MScroll : public MControlFont {
public:
    MScroll(MObject* parent, UINT id, CRect rect, BOOL visible);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;

    // Moves the thumb by `delta` pixels along the bar, as far as the track allows; returns the
    // distance moved (0: nothing happened, nothing sent).
    virtual int MoveRange(int delta);
    virtual int SetRange();
    virtual int SetRangeEx();

    int SetScrollCurrentPos(int position);
    int SetScrollCurrentPosEx(int position);
    int SetScrollMaxRange(int maximum);
    int SetScrollSize(int page, int step);
    int SetScrollInfo(int maximum, int position, int page, int step);
    // Moves the position by `rows` steps (limited to the range); TRUE when it changed.
    BOOL ScrollRow(int rows);
    BOOL IsChangeing() const { return m_changing; }

    int GetScrollMaxRange() const { return m_maximum; }
    int GetScrollCurrentPos() const { return m_position; }
    int GetScrollPage() const { return m_page; }
    int GetScrollStep() const { return m_step; }
    CRect GetThumbRect() const { return CRect(m_thumb); }
    BOOL IsActive() const { return m_active; }
    int GetThumbState() const { return m_thumbState; }

protected:
    // Places the thumb from the range (vertical along y, horizontal along x).
    int ApplyLayout(BOOL pixelPosition, BOOL keepInside);
    int Axis(const CPoint& p) const { return m_vertical ? p.y : p.x; }
    int AxisStart() const { return m_vertical ? m_rect.top : m_rect.left; }
    int AxisEnd() const { return m_vertical ? m_rect.bottom : m_rect.right; }
    int ThumbStart() const { return m_vertical ? m_thumb.top : m_thumb.left; }
    int ThumbLength() const { return m_vertical ? m_thumb.bottom - m_thumb.top : m_thumb.right - m_thumb.left; }
    void PlaceThumb(int start, int length);
    // The thumb moved by the user: limited to the track, position from the thumb, re-render and
    // NOTIFY_VALUE. Returns the distance moved.
    int MoveThumb(int delta);
    // Draws the bar through its cache: the window under it, then (while active) `paint`.
    void PaintBar(HDC& hdc, void (*paint)(MScroll& bar, Gdiplus::Graphics& g, const CRect& box));
    // Takes the scroll image from the toolkit's resource `resId` (or the application's), else
    // from the skin file `file`; columns are a third of the width, `rows` rows high.
    void LoadBarImage(UINT resId, const wchar_t* file);
    // Records `info` with the bar's own cut: a third of the width per column, `rows` rows.
    BOOL AttachBarImage(struct ImgResInfo* info, int rows);
    // Draws source rectangle `src` of the image into `dst` as three slices along the bar's axis:
    // two 6-pixel caps and a stretched middle.
    void DrawSlices(Gdiplus::Graphics& g, const CRect& src, const CRect& dst);

    BOOL m_vertical;
    int m_thumbState;
    BOOL m_hover;
    BOOL m_active;
    int m_margin;
    int m_maximum;
    int m_position;
    int m_page;
    int m_step;
    RECT m_thumb;
    BOOL m_autoPage;
    BOOL m_changing;
    int m_anchor;
};

}  // namespace QxUI
