#pragma once
#include "toolkit/core/c_rect.h"
#include "toolkit/core/c_string.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// Stateless drawing and loading helpers shared by the paint manager and the controls.
// Colours: GDI+ ARGB (0xAARRGGBB) unless a parameter says COLORREF (0x00BBGGRR). Every drawing
// function accepts a NULL image and then draws nothing. Images returned are owned by the caller.
class QXUI_API MRender {
public:
    // NULL when the file cannot be decoded. A file an ImagePreload has decoded is handed over.
    static Gdiplus::Image* LoadImageFromFile(CString path);
    // Decodes the file now, on this thread.
    static Gdiplus::Image* DecodeImageFile(const CString& path);
    // Image from a resource of `module` of the given type (matched without regard to case);
    // NULL if missing or undecodable. The result owns a decoded copy: nothing stays allocated.
    static Gdiplus::Image* LoadImageFromIDResource(UINT id, CString type, HINSTANCE module);
    static HICON LoadIconFromFile(CString path);

    // Nine-part frame from the source rectangle (sx, sy, sw, sh) with border width `border`:
    // corners keep their size, edges stretch along one axis, the centre along both.
    static void DrawImageFrame(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int sx, int sy, int sw,
                               int sh, int border);
    static void DrawImageFrameMID(Gdiplus::Graphics& g, Gdiplus::Image* image, const CRect& dst, int sx, int sy,
                                  int sw, int sh, int left, int top, int right, int bottom);

    // Blends src onto dst row by row (columns for the horizontal variant) with a constant
    // alpha running from 255 * (100 - start) / 100 to 255 * (100 - end) / 100. Returns the last
    // alpha used (255 when there are no rows).
    static int DrawVerticalTransition(HDC& dst, HDC& src, const CRect& dstRect, const CRect& srcRect,
                                      int startPercent, int endPercent);
    static int DrawHorizontalTransition(HDC& dst, HDC& src, const CRect& dstRect, const CRect& srcRect,
                                        int startPercent, int endPercent);
    static void DrawRightBottomTransition(HDC& dst, HDC& src, CRect rect, int size, DWORD reserved);
    // The alpha of row i of n in a transition (the pure rule behind both transitions).
    static int TransitionAlpha(int i, int n, int startPercent, int endPercent);

    static Gdiplus::Size GetTextBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format,
                                       const CString& text);
    static Gdiplus::Size GetTextBounds(const Gdiplus::Font& font, const Gdiplus::StringFormat& format, int maxWidth,
                                       const CString& text);
    static Gdiplus::Size GetTextBounds(const Gdiplus::Font& font, const CString& text);
    // Height rules of GetTextBounds from the line height F and the ink height H.
    static int OneLineTextHeight(float lineHeight);
    static int WrappedTextHeight(float lineHeight, float inkHeight);

    // Offset of an inner box in an outer one; hAlign 0/1/2 (left/centre/right), vAlign 0/4/8.
    static CPoint GetOriginPoint(int outerW, int outerH, int innerW, int innerH, UINT hAlign, UINT vAlign);
    // The same, absolute in `outer`, two pixels lower than the pure centring.
    static CPoint GetOriginPoint(CRect outer, int innerW, int innerH, UINT hAlign, UINT vAlign);

    // GDI text, transparent background; NULL text draws nothing.
    static void DrawTextW(HDC hdc, CRect& rect, const wchar_t* text, DWORD argb, HFONT font, UINT format);
    // GDI+ solid fill; nothing when alpha is 0.
    static void DrawColor(HDC hdc, const RECT& rect, DWORD argb);
    static void FillSolidRect(HDC& hdc, const RECT* rect, COLORREF colour);
    static void FillSolidRect(HDC& hdc, int x, int y, int cx, int cy, COLORREF colour);
    // Linear gradient with msimg32's GradientFill, blended at the mean alpha of both colours.
    static void DrawGradient(HDC hdc, const RECT& rect, DWORD fromColour, DWORD toColour, bool vertical, int steps);
    // Rounded rectangle whose corner ellipse is w / factor wide and h / factor high.
    static void DrawRoundRectange(Gdiplus::Graphics& g, float x, float y, float w, float h, float factor,
                                  Gdiplus::Color pen, float penWidth, bool fill, Gdiplus::Color fillColour);
    static void DrawRectangle(HDC& hdc, const CRect& rect, int, int, int);

    // 32-bit bottom-up DIB section; `bits` receives the pixels. NULL on failure.
    static HBITMAP CreateARGB32Bitmap(HDC hdc, int width, int height, BYTE** bits);
    static HDC CreateCompatibleDC(HDC hdc);
    static HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
    static BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy);
    static BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy, DWORD rop);
    // BMP file at the display's colour depth; FALSE if the file cannot be written.
    static BOOL SaveBitmapToFile(HBITMAP bitmap, CString path);
    // Turns pure black (low 24 bits 0) into blue 1, so layered painting keeps it visible.
    static void CheckAlphaColor(DWORD& colour);

    // msimg32 entry points, looked up once per process; NULL when the library lacks them.
    using AlphaBlendFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
    using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    static AlphaBlendFn GetAlphaBlend();
    static GradientFillFn GetGradientFill();
    // AlphaBlend with a constant alpha, or the toolkit's own blend when msimg32 has none.
    static void BlendConstant(HDC dst, const CRect& dstRect, HDC src, const CRect& srcRect, BYTE alpha);
};

}  // namespace QxUI
