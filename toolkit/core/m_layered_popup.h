#pragma once
#include <functional>
#include <memory>

#include "toolkit/core/c_point.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/m_window.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/ui_enums.h"

namespace QxUI {

// Borderless popup that renders its whole client area off screen and pushes it with
// UpdateLayeredWindow (per-pixel alpha): the base of the balloon, the key tip and the loading
// screen. It routes native messages to the handlers below (results ignored; the default
// procedure always answers), keeps the background image and the embedded font family, and
// keeps the last frame it pushed so that it can be inspected.
class QXUI_API MLayeredPopup : public MWindow {
public:
    MLayeredPopup();
    ~MLayeredPopup() override;

    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnInitDialog() override;
    // WM_NCDESTROY never reaches OnWindowMessage: it arrives here and goes to PostNcDestroy.
    void OnDestroyMessage(HWND hwnd) override;

    virtual LRESULT OnUserCloseWindow(UINT wParam, LPARAM lParam);
    virtual void CloseWindow();
    virtual BOOL OnCreate(CREATESTRUCTW* cs);
    virtual BOOL OnSize(UINT type, int cx, int cy);
    virtual BOOL OnMouseMove(UINT flags, CPoint point);
    virtual BOOL OnMouseLeave(UINT wParam, LPARAM lParam);
    virtual BOOL OnMouseHover(UINT wParam, LPARAM lParam);
    virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    virtual BOOL OnLButtonDown(UINT flags, CPoint point);
    virtual BOOL OnLButtonUp(UINT flags, CPoint point);
    virtual BOOL OnLButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnRButtonDown(UINT flags, CPoint point);
    virtual BOOL OnRButtonUp(UINT flags, CPoint point);
    virtual BOOL OnRButtonDblClk(UINT flags, CPoint point);
    virtual BOOL OnKeyDown(UINT vk, UINT repeat, UINT flags);
    virtual BOOL OnNcHitTest(CPoint point);
    virtual BOOL OnGetMinMaxInfo(MINMAXINFO* info);
    virtual BOOL OnNcCalcSize(BOOL calcValid, NCCALCSIZE_PARAMS* params);
    virtual BOOL OnNcActivate(BOOL active);
    virtual BOOL OnSetFocus(MWindow* previous);
    virtual BOOL OnKillFocus(MWindow* next);
    virtual BOOL OnWindowPosChanging(WINDOWPOS* pos);
    virtual BOOL OnWindowPosChanged(WINDOWPOS* pos);
    virtual BOOL OnPaint();
    virtual void OnTimer(UINT id);
    virtual BOOL OnNcPaint();
    virtual BOOL OnClose();
    virtual BOOL PostNcDestroy();
    virtual BOOL OnDestroy();

    // Background image from the skin directory + `file`, or from a resource of the application
    // module. FALSE (and no image) when it cannot be loaded.
    BOOL LoadBKImage(CString file);
    BOOL LoadBKImage(UINT resId, CString type);
    // Stored only: these windows always draw their background as a nine-part frame.
    void SetBackMode(enumBackMode mode, int value) { m_backMode = mode; m_backValue = value; }

    // The frame last pushed to the screen (premultiplied ARGB, client size).
    const OffScreenSurface& GetLayeredSurface() const { return m_surface; }

protected:
    // Window region: rounded rectangle over the whole window, corner ellipse `diameter`.
    void SetupRegion(int diameter);
    // The first family of the toolkit's embedded font (resource 106, type "ttf").
    void LoadTempFont();
    // The embedded family, or GDI+'s generic sans-serif one when the toolkit carries no font.
    const Gdiplus::FontFamily* TextFamily() const;
    // Clears the surface to transparent at the client size; FALSE when there is nothing to draw.
    BOOL BeginLayeredFrame(int* width, int* height);
    // Pushes the surface with per-pixel alpha and `constantAlpha` on top.
    BOOL PushLayeredFrame(BYTE constantAlpha);
    // The bubbles' paint: the background as a nine-part frame with `border`, then `drawContent`
    // on the client-sized surface, pushed with `constantAlpha`. Answers WM_PAINT either way.
    BOOL PaintBubble(int border, BYTE constantAlpha, const std::function<void(Gdiplus::Graphics&, int w, int h)>& drawContent);
    // Shared by the balloon and the key tip: timer 10 hides; losing the focus stops the timer
    // and hides unless `keepOnFocusLoss`.
    void OnBubbleTimer(UINT id);
    void OnBubbleKillFocus(bool keepOnFocusLoss);
    static Gdiplus::Image* LoadSkinImage(const CString& file, int* width, int* height);

    static constexpr UINT kHideTimer = 10;
    static constexpr UINT kHideDelayMs = 5000;

    Gdiplus::Image* m_backImage;
    int m_backWidth;
    int m_backHeight;
    enumBackMode m_backMode;
    int m_backValue;
    std::unique_ptr<Gdiplus::PrivateFontCollection> m_fontCollection;
    std::unique_ptr<Gdiplus::FontFamily> m_fontFamily;
    OffScreenSurface m_surface;
};

}  // namespace QxUI
