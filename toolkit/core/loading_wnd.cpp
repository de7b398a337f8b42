#include "toolkit/core/loading_wnd.h"

#include <vector>

#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"

namespace QxUI {

namespace {
// The per-frame delays of an animated image in milliseconds (the file stores 1/100 s).
std::vector<int> FrameDelays(Gdiplus::Image& image, int frames) {
    std::vector<int> delays;
    UINT size = image.GetPropertyItemSize(PropertyTagFrameDelay);
    if (size < sizeof(Gdiplus::PropertyItem)) return delays;
    std::vector<BYTE> buffer(size);
    auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
    if (image.GetPropertyItem(PropertyTagFrameDelay, size, item) != Gdiplus::Ok || !item->value) return delays;
    int count = static_cast<int>(item->length / sizeof(LONG));
    if (count > frames) count = frames;
    const LONG* values = static_cast<const LONG*>(item->value);
    for (int i = 0; i < count; ++i) delays.push_back(static_cast<int>(values[i]) * 10);
    return delays;
}

// An image that keeps all its frames. The toolkit's usual loader decodes one frame into a copy;
// an animation must stay with its encoded data, held here in a stream of its own (which the
// image needs for its whole life) rather than in a locked skin file.
Gdiplus::Image* LoadAnimation(const CString& path, IStream** stream) {
    *stream = nullptr;
    HANDLE file = ::CreateFileW(path.GetString(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    DWORD size = ::GetFileSize(file, nullptr);
    HGLOBAL block = (size != INVALID_FILE_SIZE && size > 0) ? ::GlobalAlloc(GMEM_FIXED, size) : nullptr;
    DWORD read = 0;
    bool ok = block && ::ReadFile(file, block, size, &read, nullptr) && read == size;  // GMEM_FIXED: a pointer
    ::CloseHandle(file);
    if (!ok || FAILED(::CreateStreamOnHGlobal(block, TRUE, stream))) {
        if (block) ::GlobalFree(block);
        *stream = nullptr;
        return nullptr;
    }
    auto* image = new Gdiplus::Image(*stream);
    if (image->GetLastStatus() != Gdiplus::Ok) {
        delete image;
        (*stream)->Release();
        *stream = nullptr;
        return nullptr;
    }
    return image;
}
}  // namespace

LoadingWnd::LoadingWnd()
    : m_logo(nullptr),
      m_logoWidth(0),
      m_logoHeight(0),
      m_gif(nullptr),
      m_gifStream(nullptr),
      m_frameCount(0),
      m_slots{},
      m_slotWidth{},
      m_slotHeight{},
      m_running(FALSE),
      m_closeImage(nullptr),
      m_closeWidth(0),
      m_closeHeight(0),
      m_closeState(0),
      m_tracking(FALSE) {}

LoadingWnd::~LoadingWnd() {
    KillTimer(kAnimationTimer);
    DetachAndDestroy();
    delete m_logo;
    delete m_gif;
    if (m_gifStream) m_gifStream->Release();
    delete m_closeImage;
    for (Gdiplus::Image* image : m_slots) delete image;
}

HWND LoadingWnd::CreateDlg(HWND owner, CRect rect) {
    LoadGifImage(L"loading\\loading.gif");
    delete m_logo;
    m_logo = LoadSkinImage(L"logo\\logo_loading.png", &m_logoWidth, &m_logoHeight);
    return Create(owner, L"Loading Window", WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, rect);
}

BOOL LoadingWnd::LoadGifImage(CString file) {
    delete m_gif;
    if (m_gifStream) m_gifStream->Release();
    m_gif = LoadAnimation(Manager::GetSkinDirectory() + file, &m_gifStream);
    m_frameCount = 0;
    std::vector<int> delays;
    if (m_gif && m_gif->GetFrameDimensionsCount() > 0) {
        GUID dimension;
        if (m_gif->GetFrameDimensionsList(&dimension, 1) == Gdiplus::Ok)
            m_frameCount = static_cast<int>(m_gif->GetFrameCount(&dimension));
    }
    if (m_frameCount <= 0) {
        delete m_gif;
        m_gif = nullptr;
        if (m_gifStream) m_gifStream->Release();
        m_gifStream = nullptr;
        m_frameCount = 0;
    } else {
        delays = FrameDelays(*m_gif, m_frameCount);
    }
    m_clock.Reset(m_frameCount, delays);
    return m_frameCount > 0;
}

BOOL LoadingWnd::LoadAnimateImage(CString file, int slot) {
    if (slot < 0 || slot >= kAnimationSlots) return FALSE;
    delete m_slots[slot];
    m_slots[slot] = LoadSkinImage(file, &m_slotWidth[slot], &m_slotHeight[slot]);
    return m_slots[slot] != nullptr;
}

BOOL LoadingWnd::OnInitDialog() {
    SetTimer(kAnimationTimer, GifFrameClock::kTickMs);
    m_running = TRUE;
    delete m_closeImage;
    int w = 0;
    m_closeImage = LoadSkinImage(L"img_sys_close.png", &w, &m_closeHeight);
    m_closeWidth = w / 4;
    RECT client = {0, 0, 0, 0};
    GetClientRect(&client);
    m_closeRect = CRect(client.right - 39, 10, client.right - 39 + m_closeWidth, 10 + m_closeHeight);
    return TRUE;
}

LRESULT LoadingWnd::OnUserCloseWindow(UINT, LPARAM) { return 1; }
void LoadingWnd::CloseWindow() {}

void LoadingWnd::OnTimer(UINT id) {
    if (id != kAnimationTimer || !m_running) return;
    if (m_clock.Tick()) DrawWindow();
}

CRect LoadingWnd::AnimationRect(int width, int height) {
    int left = (width - kAnimationWidth) / 2, top = (height - kAnimationHeight) / 2;
    return CRect(left, top, left + kAnimationWidth, top + kAnimationHeight);
}

void LoadingWnd::DrawWindow() {
    int w = 0, h = 0;
    if (!IsLive() || IsIconic() || !BeginLayeredFrame(&w, &h)) return;
    {
        Gdiplus::Graphics g(m_surface.GetDC());
        if (m_backImage) {
            MRender::DrawImageFrame(g, m_backImage, CRect(0, 0, w, h), 0, 0, m_backWidth, m_backHeight, kFrameBorder);
        } else {
            Gdiplus::SolidBrush plain{Gdiplus::Color(kPlainBackground)};
            g.FillRectangle(&plain, 0, 0, w, h);
        }
        CRect animation = AnimationRect(w, h);
        if (m_logo)
            g.DrawImage(m_logo, (w - m_logoWidth) / 2, animation.top - m_logoHeight - 20, m_logoWidth, m_logoHeight);
        if (m_gif && m_frameCount > 1) {
            m_gif->SelectActiveFrame(&Gdiplus::FrameDimensionTime, static_cast<UINT>(m_clock.Frame()));
            g.DrawImage(m_gif, animation.left, animation.top, animation.Width(), animation.Height());
        }
        if (m_closeImage)
            g.DrawImage(m_closeImage, Gdiplus::Rect(m_closeRect.left, m_closeRect.top, m_closeWidth, m_closeHeight),
                        m_closeState * m_closeWidth, 0, m_closeWidth, m_closeHeight, Gdiplus::UnitPixel);
    }
    PushLayeredFrame(255);
}

BOOL LoadingWnd::OnPaint() {
    if (!IsLive()) return TRUE;
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    DrawWindow();
    ::EndPaint(m_hWnd, &ps);
    return TRUE;
}

BOOL LoadingWnd::OnMouseMove(UINT, CPoint point) {
    if (!m_tracking) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 400};
        m_tracking = ::TrackMouseEvent(&track);
    }
    m_closeState = m_closeRect.PtInRect(point) ? 1 : 0;
    return 0;
}

BOOL LoadingWnd::OnMouseLeave(UINT, LPARAM) {
    m_tracking = FALSE;
    m_closeState = 0;
    return 0;
}

BOOL LoadingWnd::OnLButtonDown(UINT, CPoint point) {
    m_closeState = m_closeRect.PtInRect(point) ? 2 : 0;
    return 0;
}

BOOL LoadingWnd::OnLButtonUp(UINT, CPoint point) {
    if (m_closeRect.PtInRect(point)) {
        m_closeState = 1;
        ::PostMessageW(m_hParent, kCloseMessage, 0, 0);
    } else {
        m_closeState = 0;
    }
    return 0;
}

BOOL LoadingWnd::OnClose() {
    m_running = FALSE;
    return TRUE;
}

BOOL LoadingWnd::OnDestroy() {
    m_running = FALSE;
    return 0;
}

BOOL LoadingWnd::PostNcDestroy() {
    m_running = FALSE;
    return 0;
}

}  // namespace QxUI
