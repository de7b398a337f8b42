#include "toolkit/core/m_shadow.h"

#include <algorithm>
#include <cstring>

#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/shadow_blur.h"

namespace QxUI {

BOOL MShadow::s_bHasInit = FALSE;

namespace {
constexpr wchar_t kClassName[] = L"ShadowWnd";
constexpr int kLimit = 35;
}  // namespace

std::map<HWND, MShadow*>& MShadow::GetShadowMap() {
    static std::map<HWND, MShadow*> shadows;
    return shadows;
}

MShadow::MShadow()
    : m_manager(nullptr), m_hWnd(nullptr), m_previousProc(nullptr), m_status(0), m_imageMode(FALSE), m_show(FALSE),
      m_disabled(FALSE), m_image(nullptr), m_imageWidth(0), m_imageHeight(0), m_darkness(150), m_sharpness(5),
      m_size(0), m_xOffset(5), m_yOffset(5), m_lastWidth(0), m_lastHeight(0), m_updatePending(FALSE), m_color(0),
      m_imageResId(0), m_corners{0, 0, 0, 0}, m_owner(nullptr) {}

MShadow::~MShadow() {
    DeleteImage();
    // Normally the owner died first and took the map entry with it. When this object goes
    // while the owner still lives, the owner's procedure must not find a dead shadow.
    auto& shadows = GetShadowMap();
    auto it = shadows.find(m_owner);
    if (it != shadows.end() && it->second == this) {
        shadows.erase(it);
        if (::IsWindow(m_owner) && m_previousProc)
            ::SetWindowLongPtrW(m_owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
        if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    }
}

void MShadow::DeleteImage() {
    delete m_image;
    m_image = nullptr;
    m_imageWidth = m_imageHeight = 0;
}

BOOL MShadow::Initialize(HINSTANCE instance, bool force) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(instance, kClassName, &existing) && !force) return FALSE;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);  // a second registration fails harmlessly
    s_bHasInit = TRUE;
    return TRUE;
}

void MShadow::StatusFromOwner(HWND owner) {
    LONG_PTR style = ::GetWindowLongPtrW(owner, GWL_STYLE);
    if (!(style & WS_VISIBLE))
        m_status = kCreated;
    else if (style & (WS_MINIMIZE | WS_MAXIMIZE))
        m_status = kCreated | kOwnerVisible;
    else
        m_status = kCreated | kShown | kOwnerVisible;
}

void MShadow::Create(PaintManager* manager) {
    if (!m_show || !manager) return;
    HWND owner = manager->GetPaintWnd();
    // One shadow per window, and never one for a window that is not there.
    if (!::IsWindow(owner) || m_hWnd) return;
    m_manager = manager;
    m_owner = owner;
    GetShadowMap()[owner] = this;
    LONG_PTR style = ::GetWindowLongPtrW(owner, GWL_STYLE);
    m_hWnd = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kClassName, nullptr,
                               WS_POPUP | WS_BORDER | WS_SYSMENU | (static_cast<DWORD>(style) & WS_DLGFRAME),
                               CW_USEDEFAULT, 0, 0, 0, owner, nullptr, Manager::m_hInstance, nullptr);
    StatusFromOwner(owner);
    if (m_status & kShown) {
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        Update(owner);
    }
    m_previousProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MShadow::ParentProc)));
}

POINT MShadow::Position(const RECT& w) const {
    if (m_imageMode) return POINT{w.left - m_corners.left, w.top - m_corners.top};
    return POINT{w.left + m_xOffset - m_size, w.top + m_yOffset - m_size};
}

void MShadow::MoveBehind(HWND owner, UINT flags) {
    RECT w;
    ::GetWindowRect(owner, &w);
    POINT p = Position(w);
    ::SetWindowPos(m_hWnd, owner, p.x, p.y, 0, 0, flags);
}

LRESULT CALLBACK MShadow::ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto& shadows = GetShadowMap();
    auto it = shadows.find(hwnd);
    if (it == shadows.end()) return ::DefWindowProcW(hwnd, msg, wParam, lParam);
    MShadow* shadow = it->second;
    WNDPROC previous = shadow->m_previousProc;
    if (msg == WM_NCDESTROY) {
        shadows.erase(it);
        shadow->m_hWnd = nullptr;
        return ::CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    }
    // The owner's own procedure runs first: on WM_SIZE it sets the window region for the new
    // size, and the shadow must follow that shape, not the previous one.
    LRESULT result = ::CallWindowProcW(previous, hwnd, msg, wParam, lParam);
    it = shadows.find(hwnd);  // the owner's handler may have deleted its shadow
    if (it != shadows.end() && !it->second->m_disabled) it->second->OnOwnerMessage(hwnd, msg, wParam, lParam);
    return result;
}

void MShadow::OnOwnerMessage(HWND owner, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_DESTROY:
        if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
        break;
    case WM_MOVE:
        if (m_status & kShown) MoveBehind(owner, SWP_NOSIZE | SWP_NOACTIVATE);
        break;
    case WM_WINDOWPOSCHANGED: MoveBehind(owner, SWP_NOSIZE | SWP_NOACTIVATE); break;
    case WM_SIZE: {
        if (!(m_status & kCreated)) break;
        WORD cx = LOWORD(lParam), cy = HIWORD(lParam);
        if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
            ::ShowWindow(m_hWnd, SW_HIDE);
            m_status &= static_cast<BYTE>(~kShown);
        } else if (m_status & kOwnerVisible) {
            // Shown before rendering: a shadow coming back from a maximised or minimised owner
            // is drawn for its restored size, not left with its old frame.
            BOOL wasShown = (m_status & kShown) != 0;
            m_status |= kShown;
            // A growing window is rendered once, at its next paint, instead of on every
            // WM_SIZE of a drag; a shrinking one at once.
            if (cx > m_lastWidth || cy > m_lastHeight)
                m_updatePending = TRUE;
            else
                Update(owner);
            if (!wasShown) ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        }
        m_lastWidth = cx;
        m_lastHeight = cy;
        break;
    }
    case WM_PAINT:
        if (m_updatePending) {
            Update(owner);
            m_updatePending = FALSE;
        }
        break;
    case WM_SHOWWINDOW:
        if (!(m_status & kCreated)) break;
        if (!wParam) {
            ::ShowWindow(m_hWnd, SW_HIDE);
            m_status &= static_cast<BYTE>(~(kShown | kOwnerVisible));
        } else if (!(m_status & kOwnerVisible)) {
            m_updatePending = TRUE;
            ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
            m_status |= kShown | kOwnerVisible;
        }
        break;
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        ::SetWindowPos(m_hWnd, owner, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
        break;
    case WM_EXITSIZEMOVE:
        if (m_status & kShown) Update(owner);
        break;
    default: break;
    }
}

void MShadow::DisableShadow(BOOL disable) {
    m_disabled = disable;
    if (!::IsWindow(m_hWnd)) return;
    if (disable) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        m_status &= static_cast<BYTE>(~kShown);
        return;
    }
    StatusFromOwner(m_owner);
    if (m_status & kShown) {
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        Update(m_owner);
    }
}

void MShadow::RenderIfShown() {
    if (::IsWindow(m_hWnd) && (m_status & kShown)) Update(m_owner);
}

void MShadow::Update(HWND owner) {
    if (!m_show || !(m_status & kShown) || !::IsWindow(m_hWnd)) return;
    RECT w;
    if (!::GetWindowRect(owner, &w)) return;
    int width = w.right - w.left, height = w.bottom - w.top;
    int extraX, extraY;
    if (m_imageMode) {
        if (m_imageFile.IsEmpty() && m_imageResId == 0) return;
        extraX = m_corners.left + m_corners.right;
        extraY = m_corners.top + m_corners.bottom;
    } else {
        if (m_size == 0) return;
        extraX = extraY = 2 * m_size;
    }
    int sw = width + extraX, sh = height + extraY;
    if (sw <= 0 || sh <= 0) return;
    HDC screen = ::GetDC(nullptr);
    BOOL ok = m_frame.Resize(screen, sw, sh);
    ::ReleaseDC(nullptr, screen);
    if (!ok) return;  // no surface: this render is abandoned
    RECT all = {0, 0, sw, sh};
    if (m_imageMode) {
        m_frame.Clear(all);
        if (m_image) {
            Gdiplus::Graphics g(m_frame.GetDC());
            MRender::DrawImageFrameMID(g, m_image, CRect(0, 0, sw, sh), 0, 0, m_imageWidth, m_imageHeight,
                                       m_corners.left, m_corners.top, m_corners.right, m_corners.bottom);
        }
    } else {
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        // Without a window region the owner has no shape and casts no computed shadow.
        bool hasRegion = region && ::GetWindowRgn(owner, region) != ERROR;
        std::vector<ShadowSpan> shape = ShadowBlur::ShapeFromRegion(hasRegion ? region : nullptr, width, height);
        if (region) ::DeleteObject(region);
        ShadowParams params{m_size, m_sharpness, m_darkness, m_xOffset, m_yOffset, m_color};
        std::vector<DWORD> pixels;
        ShadowBlur::MakeShadow(params, shape, width, height, pixels);
        OffScreenSurface::Flush();
        // The section is bottom-up: row y of the shadow is DIB row sh - 1 - y.
        DWORD* bits = reinterpret_cast<DWORD*>(m_frame.GetBits());
        for (int y = 0; y < sh; ++y)
            std::memcpy(bits + static_cast<size_t>(sh - 1 - y) * sw, pixels.data() + static_cast<size_t>(y) * sw,
                        sizeof(DWORD) * static_cast<size_t>(sw));
    }
    POINT p = Position(w);
    ::SetWindowPos(m_hWnd, nullptr, p.x, p.y, sw, sh, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    SIZE size = {sw, sh};
    POINT source = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(m_hWnd, nullptr, &p, &size, m_frame.GetDC(), &source, 0, &blend, ULW_ALPHA);
}

BOOL MShadow::SetSize(int size) {
    if (size < -kLimit || size > kLimit) return FALSE;
    m_size = static_cast<signed char>(size);
    RenderIfShown();
    return TRUE;
}

BOOL MShadow::SetSharpness(UINT sharpness) {
    if (sharpness > static_cast<UINT>(kLimit)) return FALSE;
    m_sharpness = static_cast<BYTE>(sharpness);
    RenderIfShown();
    return TRUE;
}

BOOL MShadow::SetDarkness(UINT darkness) {
    if (darkness > 255) return FALSE;
    m_darkness = static_cast<BYTE>(darkness);
    RenderIfShown();
    return TRUE;
}

BOOL MShadow::SetPosition(int x, int y) {
    if (x < -kLimit || x > kLimit || y < -kLimit || y > kLimit) return FALSE;
    m_xOffset = static_cast<signed char>(x);
    m_yOffset = static_cast<signed char>(y);
    RenderIfShown();
    return TRUE;
}

BOOL MShadow::SetColor(DWORD colour) {
    m_color = colour;
    RenderIfShown();
    return TRUE;
}

BOOL MShadow::SetImage(const wchar_t* file) {
    if (!file) return FALSE;
    DeleteImage();
    m_imageMode = TRUE;
    m_imageFile = file;
    m_image = MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file);
    if (m_image) {
        m_imageWidth = static_cast<int>(m_image->GetWidth());
        m_imageHeight = static_cast<int>(m_image->GetHeight());
    }
    RenderIfShown();
    return TRUE;
}

BOOL MShadow::SetImage(UINT resId) {
    DeleteImage();
    m_imageMode = TRUE;
    m_imageResId = resId;
    m_image = MRender::LoadImageFromIDResource(resId, CString(L"PNG"), Manager::m_hInstance);
    if (m_image) {
        m_imageWidth = static_cast<int>(m_image->GetWidth());
        m_imageHeight = static_cast<int>(m_image->GetHeight());
    }
    RenderIfShown();
    return FALSE;
}

BOOL MShadow::SetShadowCorner(RECT corners) {
    if (corners.left < 0 || corners.top < 0 || corners.right < 0 || corners.bottom < 0) return FALSE;
    m_corners = corners;
    RenderIfShown();
    return TRUE;
}

BOOL MShadow::CopyShadow(MShadow* other) {
    if (!other || other == this) return TRUE;
    if (m_imageMode) {
        other->SetImage(m_imageFile);
        other->SetShadowCorner(m_corners);  // refuses negative borders by itself
        other->SetSize(m_size);
    } else {
        other->SetSize(m_size);
        other->SetSharpness(m_sharpness);
        other->SetDarkness(m_darkness);
        other->SetColor(m_color);
        other->SetPosition(m_xOffset, m_yOffset);
    }
    other->ShowShadow(m_show);
    return TRUE;
}

DWORD MShadow::PreMultiply(DWORD colour, BYTE alpha) { return ShadowBlur::PreMultiply(colour, alpha); }

}  // namespace QxUI
