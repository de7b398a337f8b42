#pragma once
#include "toolkit/core/gif_frame_clock.h"
#include "toolkit/core/m_layered_popup.h"

namespace QxUI {

// Loading screen: an animated GIF under a logo with a close button, on a translucent layered
// background. The animation runs on an 18 ms window timer; each GIF frame stays for the delay
// the file gives it. A click on the close button sends kCloseMessage to the owner, which
// decides whether the screen goes.
class QXUI_API LoadingWnd : public MLayeredPopup {
public:
    static constexpr UINT kCloseMessage = WM_USER + 500;  // 1524, wParam 0, lParam 0
    static constexpr UINT kAnimationTimer = 100;
    static constexpr int kAnimationWidth = 232;
    static constexpr int kAnimationHeight = 58;
    static constexpr int kAnimationSlots = 19;

    LoadingWnd();
    ~LoadingWnd() override;

    const wchar_t* GetWindowClassName() const override { return L"LoadingWnd"; }
    BOOL OnInitDialog() override;
    LRESULT OnUserCloseWindow(UINT wParam, LPARAM lParam) override;
    void CloseWindow() override;
    BOOL OnPaint() override;
    void OnTimer(UINT id) override;
    BOOL OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseLeave(UINT wParam, LPARAM lParam) override;
    BOOL OnLButtonDown(UINT flags, CPoint point) override;
    BOOL OnLButtonUp(UINT flags, CPoint point) override;
    BOOL OnClose() override;
    BOOL OnDestroy() override;
    BOOL PostNcDestroy() override;

    // Loads the GIF and the logo from the skin and creates the visible window. NULL on failure.
    HWND CreateDlg(HWND owner, CRect rect);
    // The GIF (skin directory + `file`) with its frame count and frame delays. TRUE when an
    // animation with frames was loaded; otherwise there is no animation.
    BOOL LoadGifImage(CString file);
    // Extra animation images by slot (0-18); kept, not drawn.
    BOOL LoadAnimateImage(CString file, int slot);

    int GetFrameIndex() const { return m_clock.Frame(); }
    int GetFrameCount() const { return m_frameCount; }
    int GetCloseState() const { return m_closeState; }
    CRect GetCloseRect() const { return m_closeRect; }

protected:
    void DrawWindow();
    // Rectangle of the animation, centred; the logo sits 20 pixels above it.
    static CRect AnimationRect(int width, int height);

    static constexpr int kFrameBorder = 10;
    static constexpr Gdiplus::ARGB kPlainBackground = 0xF0FFFFFF;

    Gdiplus::Image* m_logo;
    int m_logoWidth;
    int m_logoHeight;
    Gdiplus::Image* m_gif;
    IStream* m_gifStream;  // the GIF's encoded bytes, which the image reads its frames from
    int m_frameCount;
    GifFrameClock m_clock;
    Gdiplus::Image* m_slots[kAnimationSlots];
    int m_slotWidth[kAnimationSlots];
    int m_slotHeight[kAnimationSlots];
    BOOL m_running;
    Gdiplus::Image* m_closeImage;
    int m_closeWidth;  // one state: the image holds four side by side
    int m_closeHeight;
    CRect m_closeRect;
    int m_closeState;  // 0 normal, 1 hover, 2 pressed
    BOOL m_tracking;
};

}  // namespace QxUI
