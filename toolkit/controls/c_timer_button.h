#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// Push button that can count ten seconds down in its title ("Title(7s)") and then clicks itself.
// It keeps no timer of its own: its owner's timer ticks reach it (the run-timer flag is set).
class QXUI_API CTimerButton : public MControlFont {
public:
    CTimerButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlTimer() override;
    BOOL SetControlFocus(BOOL focus) override;

    // Starts (1) or stops (0) the countdown; a disabled button keeps its state. Returns the flag.
    int SetRun(int run);
    void SetFrameSize(int size);

    // The countdown: seconds left after `elapsedMs`, and the title shown while it runs.
    static int SecondsLeft(DWORD elapsedMs) { return 10 - static_cast<int>(elapsedMs / 1000); }
    static CString CountdownTitle(const CString& title, int seconds);

private:
    void DrawLook(HDC dc, int index, const CRect& frame, const CString& text);

    int m_look;
    int m_frameSize;
    DWORD m_startTick;
    DWORD m_lastRepaintTick;
    BOOL m_running;
};

}  // namespace QxUI
