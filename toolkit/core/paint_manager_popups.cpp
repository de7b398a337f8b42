// Tooltips, balloon tips and dropped data.
#include "toolkit/core/windows_include.h"  // before the other system headers
#include <commctrl.h>
#include <shellapi.h>

#include "toolkit/core/gdi_handles.h"
#include "toolkit/core/m_air_bladder.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

namespace {
constexpr UINT_PTR kToolId = 1313;

TOOLINFOW MakeTool(HWND owner, const wchar_t* text) {
    TOOLINFOW ti = {};
    ti.cbSize = sizeof(ti);
    ti.uFlags = TTF_PARSELINKS;
    ti.hwnd = owner;
    ti.uId = kToolId;
    ti.lpszText = const_cast<wchar_t*>(text);
    ::GetClientRect(owner, &ti.rect);
    return ti;
}
}  // namespace

HWND PaintManager::EnsureTooltipWindow() {
    if (m_tooltip && ::IsWindow(m_tooltip)) return m_tooltip;
    if (!IsLive()) return nullptr;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    m_tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"tooltips_class32",
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, m_hWndPaint, nullptr, nullptr, nullptr);
    if (!m_tooltip) return nullptr;
    ::SendMessageW(m_tooltip, TTM_SETMAXTIPWIDTH, 0, 256);
    ::SendMessageW(m_tooltip, TTM_SETTIPBKCOLOR, 0xF5F5F5, 0);
    TOOLINFOW ti = MakeTool(m_hWndPaint, L"");
    ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    if (::GetACP() == 936) {
        RECT margin = {2, 3, 0, 0};
        ::SendMessageW(m_tooltip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    }
    return m_tooltip;
}

void PaintManager::SetTooltip(const wchar_t* text, CRect) {
    bool empty = !text || !*text;
    HWND tip = empty ? m_tooltip : EnsureTooltipWindow();
    if (!tip || !::IsWindow(tip)) return;
    TOOLINFOW ti = MakeTool(m_hWndPaint, empty ? L"" : text);
    ::SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    ::SendMessageW(tip, TTM_ACTIVATE, empty ? FALSE : TRUE, 0);
}

void PaintManager::ClearTooltip() {
    SetTooltip(nullptr);
    m_tooltipCtrlID = 0;
}

// The balloon is made on first use, owned by the paint window, and lives as long as the manager.
BOOL PaintManager::SetAirBladderMsg(const wchar_t* text, POINT point, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode) {
    if (!text) return FALSE;
    // Its window may have gone (closed, or destroyed with an earlier paint window): made anew.
    if (m_airBladder && !::IsWindow(m_airBladder->GetSafeHwnd())) DestroyAirBladder();
    if (!m_airBladder) {
        if (!IsLive()) return FALSE;
        auto* balloon = new MAirBladder;
        if (!balloon->Create(m_hWndPaint, L"AirBladder Window", 0x96000080, 0, CRect())) {
            delete balloon;
            return FALSE;
        }
        balloon->LoadBKImage(L"img_tip_bk.png");
        balloon->LoadArrowLImage(L"img_tip_arrow_left.png");
        balloon->LoadArrowRImage(L"img_tip_arrow_right.png");
        balloon->LoadArrowTImage(L"img_tip_arrow_top.png");
        m_airBladder = balloon;
    }
    return m_airBladder->SetAirBladderMsg(text, point, type, mode);
}

BOOL PaintManager::ShowAirBladder(int nCmdShow, int id) {
    if (!m_airBladder) return FALSE;
    if (id != 0) {
        if (nCmdShow == SW_HIDE && id != m_airBladderId) return FALSE;
        m_airBladderId = id;
    }
    return m_airBladder->ShowWindow(nCmdShow);
}

void PaintManager::DestroyAirBladder() {
    delete m_airBladder;
    m_airBladder = nullptr;
    m_airBladderId = 0;
}

namespace {
HBITMAP BitmapFromFile(const wchar_t* path) {
    Gdiplus::Bitmap image(path);
    HBITMAP bitmap = nullptr;
    if (image.GetLastStatus() == Gdiplus::Ok) image.GetHBITMAP(Gdiplus::Color(0, 0, 0, 0), &bitmap);
    return bitmap;
}

HBITMAP BitmapFromMetafile(HENHMETAFILE emf) {
    ENHMETAHEADER header = {};
    if (!::GetEnhMetaFileHeader(emf, sizeof(header), &header)) return nullptr;
    // The frame is in 0.01 mm; the screen's pixels per millimetre give the bitmap size.
    WindowDC screen(nullptr);
    double pxPerMmX = static_cast<double>(::GetDeviceCaps(screen, HORZRES)) / ::GetDeviceCaps(screen, HORZSIZE);
    double pxPerMmY = static_cast<double>(::GetDeviceCaps(screen, VERTRES)) / ::GetDeviceCaps(screen, VERTSIZE);
    int w = static_cast<int>((header.rclFrame.right - header.rclFrame.left) * pxPerMmX / 100.0);
    int h = static_cast<int>((header.rclFrame.bottom - header.rclFrame.top) * pxPerMmY / 100.0);
    if (w <= 0 || h <= 0) return nullptr;
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
    MemoryDC dc(screen);
    {
        ScopedSelect select(dc, bitmap);
        RECT r = {0, 0, w, h};
        ::PlayEnhMetaFile(dc, emf, &r);
    }
    return bitmap;
}
}  // namespace

bool PaintManager::OnDrop(FORMATETC* format, STGMEDIUM& medium, DWORD*) {
    if (!format || !IsLive()) return true;
    POINT cursor;
    ::GetCursorPos(&cursor);
    ::ScreenToClient(m_hWndPaint, &cursor);
    ::SendMessageW(m_hWndPaint, WM_LBUTTONUP, 0, MAKELPARAM(cursor.x, cursor.y));

    HBITMAP bitmap = nullptr;
    switch (format->cfFormat) {
    case CF_BITMAP:
        if (medium.hBitmap)
            bitmap = static_cast<HBITMAP>(::CopyImage(medium.hBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        break;
    case CF_DIB:
        if (auto* info = static_cast<BITMAPINFO*>(::GlobalLock(medium.hGlobal))) {
            const BITMAPINFOHEADER& h = info->bmiHeader;
            DWORD colours = h.biClrUsed ? h.biClrUsed : (h.biBitCount <= 8 ? (1u << h.biBitCount) : 0);
            DWORD masks = (h.biCompression == BI_BITFIELDS) ? 3 * sizeof(DWORD) : 0;
            const BYTE* bits = reinterpret_cast<const BYTE*>(info) + h.biSize + masks + colours * sizeof(RGBQUAD);
            WindowDC screen(nullptr);
            bitmap = ::CreateDIBitmap(screen, &h, CBM_INIT, bits, info, DIB_RGB_COLORS);
            ::GlobalUnlock(medium.hGlobal);
        }
        break;
    case CF_HDROP: {
        auto drop = static_cast<HDROP>(::GlobalLock(medium.hGlobal));
        if (drop) {
            wchar_t path[MAX_PATH] = {};
            if (::DragQueryFileW(drop, 0, path, MAX_PATH)) bitmap = BitmapFromFile(path);
            ::GlobalUnlock(medium.hGlobal);
        }
        break;
    }
    case CF_ENHMETAFILE:
        if (medium.hEnhMetaFile) bitmap = BitmapFromMetafile(medium.hEnhMetaFile);
        break;
    default: break;
    }
    if (bitmap) {
        auto previous = reinterpret_cast<HBITMAP>(
            ::SendMessageW(m_hWndPaint, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
        if (previous) ::DeleteObject(previous);
    }
    return true;
}

}  // namespace QxUI
