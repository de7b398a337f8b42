#include "toolkit/core/m_layered_popup.h"

#include "toolkit/core/gdi_handles.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/popup_message_router.h"

namespace QxUI {

namespace {
constexpr UINT kEmbeddedFontId = 106;
}

MLayeredPopup::MLayeredPopup()
    : m_backImage(nullptr), m_backWidth(0), m_backHeight(0), m_backMode(BACK_MODE_FRAME), m_backValue(18) {}

// The window goes first: a message arriving during destruction must not reach freed images.
MLayeredPopup::~MLayeredPopup() {
    DetachAndDestroy();
    delete m_backImage;
}

LRESULT MLayeredPopup::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (RoutePopupMessage<true>(*this, msg, wParam, lParam, &result)) return result;
    return ::CallWindowProcW(m_oldWndProc, m_hWnd, msg, wParam, lParam);
}

BOOL MLayeredPopup::PreTranslateMessage(MSG*) { return FALSE; }
BOOL MLayeredPopup::OnInitDialog() { return TRUE; }
void MLayeredPopup::OnDestroyMessage(HWND) { PostNcDestroy(); }

LRESULT MLayeredPopup::OnUserCloseWindow(UINT wParam, LPARAM lParam) {
    PostMessageW(WM_CLOSE, wParam, lParam);
    return 1;
}

void MLayeredPopup::CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }

BOOL MLayeredPopup::OnCreate(CREATESTRUCTW*) {
    // No caption or frame, and no taskbar button: a tool window drawn entirely by itself.
    DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>((style & 0xFF3BFFFF) | 0x06000008));
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    return TRUE;
}

BOOL MLayeredPopup::OnSize(UINT type, int, int) {
    if (type != SIZE_MINIMIZED) SetupRegion(type == SIZE_MAXIMIZED ? 0 : 3);
    RECT client;
    if (GetClientRect(&client)) ::InvalidateRect(m_hWnd, &client, FALSE);
    return TRUE;
}

BOOL MLayeredPopup::OnMouseMove(UINT, CPoint) { return 0; }
BOOL MLayeredPopup::OnMouseLeave(UINT, LPARAM) { return 0; }
BOOL MLayeredPopup::OnMouseHover(UINT, LPARAM) { return 0; }
BOOL MLayeredPopup::OnMouseWheel(UINT, short, CPoint) { return 0; }
BOOL MLayeredPopup::OnLButtonDown(UINT, CPoint) { return 0; }
BOOL MLayeredPopup::OnLButtonUp(UINT, CPoint) { return 0; }
BOOL MLayeredPopup::OnLButtonDblClk(UINT, CPoint) { return 0; }
BOOL MLayeredPopup::OnRButtonDown(UINT, CPoint) { return 0; }
BOOL MLayeredPopup::OnRButtonUp(UINT, CPoint) { return 0; }
BOOL MLayeredPopup::OnRButtonDblClk(UINT, CPoint) { return 0; }
BOOL MLayeredPopup::OnKeyDown(UINT, UINT, UINT) { return 0; }
BOOL MLayeredPopup::OnNcHitTest(CPoint) { return 0; }
BOOL MLayeredPopup::OnGetMinMaxInfo(MINMAXINFO*) { return 0; }
BOOL MLayeredPopup::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { return 0; }
BOOL MLayeredPopup::OnNcActivate(BOOL) { return TRUE; }
BOOL MLayeredPopup::OnSetFocus(MWindow*) { return TRUE; }
BOOL MLayeredPopup::OnKillFocus(MWindow*) { return 0; }
BOOL MLayeredPopup::OnWindowPosChanging(WINDOWPOS*) { return 0; }
BOOL MLayeredPopup::OnWindowPosChanged(WINDOWPOS*) { return TRUE; }
BOOL MLayeredPopup::OnPaint() { return 0; }
void MLayeredPopup::OnTimer(UINT) {}
BOOL MLayeredPopup::OnNcPaint() { return 0; }
BOOL MLayeredPopup::OnClose() { return TRUE; }
BOOL MLayeredPopup::PostNcDestroy() { return 0; }
BOOL MLayeredPopup::OnDestroy() { return 0; }

Gdiplus::Image* MLayeredPopup::LoadSkinImage(const CString& file, int* width, int* height) {
    Gdiplus::Image* image = MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file);
    *width = image ? static_cast<int>(image->GetWidth()) : 0;
    *height = image ? static_cast<int>(image->GetHeight()) : 0;
    return image;
}

BOOL MLayeredPopup::LoadBKImage(CString file) {
    delete m_backImage;
    m_backImage = LoadSkinImage(file, &m_backWidth, &m_backHeight);
    return m_backImage != nullptr;
}

BOOL MLayeredPopup::LoadBKImage(UINT resId, CString type) {
    delete m_backImage;
    m_backImage = MRender::LoadImageFromIDResource(resId, type, Manager::m_hInstance);
    m_backWidth = m_backImage ? static_cast<int>(m_backImage->GetWidth()) : 0;
    m_backHeight = m_backImage ? static_cast<int>(m_backImage->GetHeight()) : 0;
    return m_backImage != nullptr;
}

void MLayeredPopup::SetupRegion(int diameter) {
    RECT window;
    if (!GetWindowRect(&window)) return;
    int w = window.right - window.left, h = window.bottom - window.top;
    if (w <= 0 || h <= 0) return;
    // A round-rectangle region stops one pixel short of its right and bottom coordinates.
    HRGN region = ::CreateRoundRectRgn(0, 0, w + 1, h + 1, diameter, diameter);
    if (region && !::SetWindowRgn(m_hWnd, region, TRUE)) ::DeleteObject(region);
}

void MLayeredPopup::LoadTempFont() {
    if (m_fontFamily) return;
    HINSTANCE module = Manager::GetToolkitModule();
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(kEmbeddedFontId), L"ttf");
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    DWORD size = resource ? ::SizeofResource(module, resource) : 0;
    if (!data || size == 0) return;
    auto collection = std::make_unique<Gdiplus::PrivateFontCollection>();
    if (collection->AddMemoryFont(data, static_cast<INT>(size)) != Gdiplus::Ok) return;
    if (collection->GetFamilyCount() <= 0) return;
    auto family = std::make_unique<Gdiplus::FontFamily>();
    INT found = 0;
    if (collection->GetFamilies(1, family.get(), &found) != Gdiplus::Ok || found < 1) return;
    // The family refers into its collection: both are kept for the life of the window object.
    m_fontCollection = std::move(collection);
    m_fontFamily = std::move(family);
}

const Gdiplus::FontFamily* MLayeredPopup::TextFamily() const {
    return m_fontFamily ? m_fontFamily.get() : Gdiplus::FontFamily::GenericSansSerif();
}

BOOL MLayeredPopup::BeginLayeredFrame(int* width, int* height) {
    RECT client;
    if (!GetClientRect(&client)) return FALSE;
    *width = client.right - client.left;
    *height = client.bottom - client.top;
    if (*width <= 0 || *height <= 0) return FALSE;
    WindowDC screen(nullptr);
    if (!m_surface.Resize(screen, *width, *height)) return FALSE;
    m_surface.Clear(client);
    return TRUE;
}

BOOL MLayeredPopup::PaintBubble(int border, BYTE constantAlpha,
                                const std::function<void(Gdiplus::Graphics&, int w, int h)>& drawContent) {
    if (!IsLive() || IsIconic()) return TRUE;
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    int w = 0, h = 0;
    if (BeginLayeredFrame(&w, &h)) {
        {
            Gdiplus::Graphics g(m_surface.GetDC());
            if (m_backImage)
                MRender::DrawImageFrame(g, m_backImage, CRect(0, 0, w - 1, h - 1), 0, 0, m_backWidth, m_backHeight,
                                        border);
            drawContent(g, w, h);
        }
        PushLayeredFrame(constantAlpha);
    }
    ::EndPaint(m_hWnd, &ps);
    return TRUE;
}

BOOL MLayeredPopup::PushLayeredFrame(BYTE constantAlpha) {
    if (!IsLive() || !m_surface.IsValid()) return FALSE;
    OffScreenSurface::Flush();
    ModifyExStyle(0, WS_EX_LAYERED);
    WindowDC screen(nullptr);
    SIZE size = {m_surface.Width(), m_surface.Height()};
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
    return ::UpdateLayeredWindow(m_hWnd, screen, nullptr, &size, m_surface.GetDC(), &source, 0, &blend, ULW_ALPHA);
}

void MLayeredPopup::OnBubbleTimer(UINT id) {
    if (id != kHideTimer) return;
    KillTimer(kHideTimer);
    if (IsWindowVisible()) ShowWindow(SW_HIDE);
}

void MLayeredPopup::OnBubbleKillFocus(bool keepOnFocusLoss) {
    if (!keepOnFocusLoss) ShowWindow(SW_HIDE);
    KillTimer(kHideTimer);
}

}  // namespace QxUI
