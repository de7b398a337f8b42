#pragma once
#include "toolkit/core/windows_include.h"

namespace QxUI {

// Owning wrapper of one GDI object (bitmap, brush, pen, font, region). Detach hands the handle
// over to someone else (for example SetWindowRgn, which takes ownership of its region).
template <typename H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : m_h(h) {}
    ~GdiObject() { Reset(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    GdiObject(GdiObject&& o) noexcept : m_h(o.Detach()) {}
    GdiObject& operator=(GdiObject&& o) noexcept { Reset(o.Detach()); return *this; }

    H Get() const { return m_h; }
    operator H() const { return m_h; }
    H Detach() { H h = m_h; m_h = nullptr; return h; }
    void Reset(H h = nullptr) {
        if (m_h) ::DeleteObject(m_h);
        m_h = h;
    }

private:
    H m_h = nullptr;
};

using GdiBitmap = GdiObject<HBITMAP>;
using GdiRegion = GdiObject<HRGN>;
using GdiBrush = GdiObject<HBRUSH>;

// A memory DC from CreateCompatibleDC, deleted with DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible = nullptr) : m_hdc(::CreateCompatibleDC(compatible)) {}
    ~MemoryDC() { if (m_hdc) ::DeleteDC(m_hdc); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return m_hdc; }
    operator HDC() const { return m_hdc; }

private:
    HDC m_hdc;
};

// The DC of a window from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    ~WindowDC() { if (m_hdc) ::ReleaseDC(m_hwnd, m_hdc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return m_hdc; }
    operator HDC() const { return m_hdc; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// Selects an object into a DC for one scope (non-owning: the object belongs to the caller).
class ScopedSelect {
public:
    ScopedSelect(HDC hdc, HGDIOBJ obj) : m_hdc(hdc), m_old(obj ? ::SelectObject(hdc, obj) : nullptr) {}
    ~ScopedSelect() { if (m_old) ::SelectObject(m_hdc, m_old); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

// SaveDC/RestoreDC for one scope.
class ScopedDCState {
public:
    explicit ScopedDCState(HDC hdc) : m_hdc(hdc), m_state(::SaveDC(hdc)) {}
    ~ScopedDCState() { if (m_state) ::RestoreDC(m_hdc, m_state); }
    ScopedDCState(const ScopedDCState&) = delete;
    ScopedDCState& operator=(const ScopedDCState&) = delete;

private:
    HDC m_hdc;
    int m_state;
};

}  // namespace QxUI
