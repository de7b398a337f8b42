#pragma once
#include <map>

#include "toolkit/core/c_string.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

class PaintManager;

// A window's soft drop shadow: a click-through, per-pixel-alpha layered window ("ShadowWnd")
// directly behind its owner, the paint window of a PaintManager. It subclasses the owner to
// follow it as it moves, resizes, shows, hides, minimises and maximises, and is rendered either
// by a blur computed from the owner's window region (ShadowBlur) or from a stretchable picture.
// Setters outside their limits return FALSE and change nothing; a successful one re-renders a
// shown shadow at once. The shadow window dies with its owner; the object lives as long as its
// PaintManager.
class QXUI_API MShadow {
public:
    // Status bits.
    enum : BYTE { kCreated = 1, kShown = 2, kOwnerVisible = 4 };

    MShadow();
    virtual ~MShadow();
    MShadow(const MShadow&) = delete;
    MShadow& operator=(const MShadow&) = delete;

    // Registers the "ShadowWnd" class; FALSE when it already was and `force` is false.
    static BOOL Initialize(HINSTANCE instance, bool force);
    // Creates the shadow of the manager's paint window (nothing while the show flag is off).
    void Create(PaintManager* manager);

    void ShowShadow(BOOL show) { m_show = show; }
    BOOL IsShowShadow() const { return m_show; }
    void DisableShadow(BOOL disable);
    BOOL IsDisableShadow() const { return m_disabled; }
    BOOL SetSize(int size);                 // -35 .. 35
    BOOL SetSharpness(UINT sharpness);      // 0 .. 35
    BOOL SetDarkness(UINT darkness);        // 0 .. 255
    BOOL SetPosition(int x, int y);         // both -35 .. 35, else neither is stored
    BOOL SetColor(DWORD colour);            // 0x00RRGGBB; always TRUE
    // Picture from the skin directory: TRUE even when it cannot be loaded (the shadow is then
    // transparent); FALSE for NULL.
    BOOL SetImage(const wchar_t* file);
    // Picture from the application's "PNG" resource: FALSE in every case.
    BOOL SetImage(UINT resId);
    // The picture's border widths, also how far it reaches beyond each edge; all >= 0.
    BOOL SetShadowCorner(RECT corners);
    // Gives `other` this shadow's settings through its own setters; TRUE.
    BOOL CopyShadow(MShadow* other);
    static DWORD PreMultiply(DWORD colour, BYTE alpha);

    // Owner window -> its shadow, for every shadow alive in the process.
    static std::map<HWND, MShadow*>& GetShadowMap();
    static BOOL s_bHasInit;

    HWND GetShadowWnd() const { return m_hWnd; }
    BYTE GetStatus() const { return m_status; }
    int GetSize() const { return m_size; }
    UINT GetSharpness() const { return m_sharpness; }
    UINT GetDarkness() const { return m_darkness; }
    int GetXOffset() const { return m_xOffset; }
    int GetYOffset() const { return m_yOffset; }
    DWORD GetColor() const { return m_color; }
    BOOL IsImageMode() const { return m_imageMode; }
    int GetImageWidth() const { return m_imageWidth; }
    int GetImageHeight() const { return m_imageHeight; }
    // The last frame handed to UpdateLayeredWindow (empty before the first): what the shadow
    // window shows, kept so it can be inspected.
    const OffScreenSurface& GetLastFrame() const { return m_frame; }

private:
    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnOwnerMessage(HWND owner, UINT msg, WPARAM wParam, LPARAM lParam);
    // Renders the shadow of `owner` into the layered window (only while shown).
    void Update(HWND owner);
    void RenderIfShown();
    POINT Position(const RECT& ownerWindow) const;
    void MoveBehind(HWND owner, UINT flags);
    void StatusFromOwner(HWND owner);
    void DeleteImage();

    PaintManager* m_manager;
    HWND m_hWnd;
    WNDPROC m_previousProc;
    BYTE m_status;
    BOOL m_imageMode;
    BOOL m_show;
    BOOL m_disabled;
    Gdiplus::Image* m_image;
    int m_imageWidth, m_imageHeight;
    BYTE m_darkness;
    BYTE m_sharpness;
    signed char m_size;
    signed char m_xOffset, m_yOffset;
    WORD m_lastWidth, m_lastHeight;
    BOOL m_updatePending;
    DWORD m_color;
    CString m_imageFile;
    UINT m_imageResId;
    RECT m_corners;
    HWND m_owner;
    OffScreenSurface m_frame;
};

}  // namespace QxUI
