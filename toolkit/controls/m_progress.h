#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// The text a progress bar shows: the title, the progress and "%" when the maximum is 100.
QXUI_API CString ProgressText(const CString& title, int progress, int maximum);
// Width of the filled part of a bar `width` wide; 0 for a maximum of 0 or less.
QXUI_API int ProgressFill(int width, int progress, int maximum);

// A progress bar: two nine-part skin images, or a skin strip (state 0 track, state 1 bar), or
// a thin line with a yellow bar; optionally the value as text. SetRun lets it count up by
// itself on the animation timer.
class QXUI_API MProgress : public MControlFont {
public:
    MProgress(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    const wchar_t* GetClassNameW() const override { return L"MProgress"; }

    bool SetBackGroundImage(CString file);
    bool SetBackGroundImage(UINT resId);
    bool SetForeGroundImage(CString file);
    bool SetForeGroundImage(UINT resId);
    int SetProgress(int progress);
    int GetProgress() const { return m_progress; }
    void SetMaxProgress(int maximum);
    int GetMaxProgress() const { return m_maximum; }
    int SetRun(int run, int progress);
    void EnableShowText(BOOL on);

    BOOL OnControlTimer() override;
    void DrawControl(HDC& hdc, CRect paint) override;

private:
    void Render(HDC dc, const CRect& frame);

    int m_ticks;
    int m_ticksPerStep;
    int m_endBorder;
    int m_barHeight;
    Gdiplus::ARGB m_lineColour;
    Gdiplus::ARGB m_barColour;
    Gdiplus::Image* m_back;
    int m_backWidth, m_backHeight;
    Gdiplus::Image* m_fore;
    int m_foreWidth, m_foreHeight;
    int m_maximum;
    int m_progress;
    BOOL m_showText;
    BOOL m_running;
};

}  // namespace QxUI
