#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// An animated image (GIF frames in the time dimension) stretched to the control; every fifth
// tick of the animation timer shows the next frame while it runs. With mouse-move activation
// it runs while the pointer is over it.
class QXUI_API CGifPicture : public MControlFont {
public:
    CGifPicture(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
    const wchar_t* GetClassNameW() const override { return L"CGifPicture"; }

    // Image from the window's image cache; always 0.
    BOOL SetImage(const wchar_t* file, int count) override;
    BOOL SetRunState(int run, int frame);
    void SetMouseMoveActive(bool on) { m_mouseMoveActive = on; }
    int GetFrameCount() const { return m_frameCount; }
    int GetCurrentFrame() const { return m_frame; }
    BOOL IsRunning() const { return m_running; }

    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlTimer() override;
    void DrawControl(HDC& hdc, CRect paint) override;

private:
    int m_frameCount;
    GUID m_dimension;
    int m_frame;
    int m_ticks;
    BOOL m_running;
    bool m_mouseMoveActive;
};

}  // namespace QxUI
