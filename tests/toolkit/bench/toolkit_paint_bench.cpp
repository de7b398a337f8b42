// Paint benchmark of the toolkit: a 1060 x 720 dialog with a background image and 100 small
// image controls. Measures, in one run and against the same baseline (the bare background):
//   - full repaint: composing the whole client area,
//   - hover repaint: one control changes state and only its rectangle is composed,
//   - panel scroll: a panel of 200 image controls scrolled by one wheel notch,
//   - window shadow: a 10-pixel computed shadow of the rounded 1060 x 720 window,
// and the same through the window's real WM_PAINT path. Prints ms per frame and ratios.
#include <cstdio>
#include <vector>

#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/qx_keyboard_ctrl.h"
#include "toolkit/core/m_panel.h"
#include "toolkit/core/m_shadow.h"
#include "toolkit/core/shadow_blur.h"
#include "toolkit/core/manager.h"

namespace {

using QxUI::CRect;

constexpr int kWidth = 1060, kHeight = 720;

double Now() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

template <typename F>
double MsPerFrame(int frames, F frame) {
    frame();  // warm-up: caches, first allocation
    double start = Now();
    for (int i = 0; i < frames; ++i) frame();
    return (Now() - start) / frames;
}

bool WriteImages() {
    bool ok = qxtest::WriteSkinPng(L"bench_background.png", kWidth, kHeight, [](int x, int y) -> DWORD {
        int v = 40 + (x + y) * 120 / (kWidth + kHeight);
        return 0xFF000000u | (v / 2) << 16 | (v * 3 / 4) << 8 | v;
    });
    // A 4-state 32 x 32 icon with soft alpha edges.
    ok = ok && qxtest::WriteSkinPng(L"bench_icon.png", 128, 32, [](int x, int y) -> DWORD {
        int state = x / 32, cx = x % 32 - 16, cy = y - 16;
        int d2 = cx * cx + cy * cy;
        if (d2 > 15 * 15) return 0;
        DWORD alpha = d2 > 13 * 13 ? 0x80 : 0xFF;
        static const DWORD colours[4] = {0x3060C0, 0x40A040, 0xC04040, 0xE0C020};
        return alpha << 24 | colours[state];
    });
    return ok;
}

struct Figures {
    double backgroundRedrawn;  // the background image drawn again (its cache dropped) each frame
    double full;               // whole client area, every control from its cached rendering
    double fullRerender;       // whole client area, every control rendering itself again
    double hover;              // one control changes state; only its rectangle is composed
};

Figures Measure(bool withControls, bool throughWindow, int frames) {
    qxtest::RecordingDialog dialog;
    dialog.CreateAt(20, 20, kWidth, kHeight);
    QxUI::PaintManager& manager = *dialog.GetPaintManager();
    dialog.LoadBKImage(L"bench_background.png");
    dialog.SetBackMode(QxUI::BACK_MODE_ORIGIN, 0);
    std::vector<qxtest::ImageControl*> icons;
    if (withControls)
        for (int i = 0; i < 100; ++i) {
            int col = i % 10, row = i / 10;
            auto* icon = new qxtest::ImageControl(&dialog, 100 + i, CRect(40 + col * 100, 40 + row * 64, 72 + col * 100,
                                                                           72 + row * 64),
                                                  L"bench_icon.png", 4);
            manager.AddControl(1, icon);
            icons.push_back(icon);
        }
    QxUI::OffScreenSurface frame;
    CRect client(0, 0, kWidth, kHeight);
    HWND hwnd = dialog.GetSafeHwnd();
    auto paint = [&](const CRect& dirty) {
        if (throughWindow) {
            ::InvalidateRect(hwnd, &dirty, FALSE);
            ::UpdateWindow(hwnd);
        } else {
            manager.PaintToSurface(frame, dirty);
        }
    };
    Figures f{};
    f.backgroundRedrawn = MsPerFrame(frames, [&] {
        dialog.SetBackMode(QxUI::BACK_MODE_ORIGIN, 0);  // drops the pre-rendered background
        paint(client);
    });
    f.full = MsPerFrame(frames, [&] { paint(client); });
    f.fullRerender = MsPerFrame(frames, [&] {
        // After a resize or a theme change every control renders itself again.
        for (auto* icon : icons) icon->SetUpdate(FALSE, 0);
        paint(client);
    });
    int n = 0;
    f.hover = MsPerFrame(frames * 4, [&] {
        if (icons.empty()) return;
        qxtest::ImageControl* icon = icons[static_cast<size_t>(n++ % 100)];
        icon->state = (icon->state + 1) % 4;
        icon->UpdateControl(TRUE);  // what a hover change does: repaint request for its rectangle
        paint(icon->GetRect());
    });
    dialog.DestroyWindow();
    qxtest::PumpMessages();
    return f;
}

// One wheel notch over a panel of 200 image controls (10 x 20, content twice the panel's
// height), alternately down and up, and the repaint it causes.
double MeasurePanelScroll(bool throughWindow, int frames) {
    qxtest::RecordingDialog dialog;
    dialog.CreateAt(20, 20, kWidth, kHeight);
    QxUI::PaintManager& manager = *dialog.GetPaintManager();
    dialog.LoadBKImage(L"bench_background.png");
    dialog.SetBackMode(QxUI::BACK_MODE_ORIGIN, 0);
    auto* panel = static_cast<QxUI::MPanel*>(dialog.CreateControl(L"MListBox", 10, CRect(), L"", 1, 1));
    if (!panel) return 0;
    for (int i = 0; i < 200; ++i) {
        int col = i % 10, row = i / 10;
        auto* icon = new qxtest::ImageControl(panel, 100 + i, CRect(60 + col * 96, 60 + row * 64, 92 + col * 96,
                                                                    92 + row * 64),
                                              L"bench_icon.png", 4);
        icon->SetManager(&manager);
        panel->AddChildControl(icon);
    }
    CRect area(40, 40, 1020, 680);
    panel->SetRect(area);
    QxUI::OffScreenSurface frame;
    manager.PaintToSurface(frame, CRect(0, 0, kWidth, kHeight));
    HWND hwnd = dialog.GetSafeHwnd();
    POINT screen = {area.CenterPoint().x, area.CenterPoint().y};
    ::ClientToScreen(hwnd, &screen);
    int n = 0;
    double ms = MsPerFrame(frames, [&] {
        bool down = (n++ % 2) == 0;
        if (throughWindow) {
            // The notch as the system delivers it; the panel's repaint request invalidates it.
            ::SendMessageW(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, down ? -WHEEL_DELTA : WHEEL_DELTA),
                           MAKELPARAM(screen.x, screen.y));
            ::UpdateWindow(hwnd);
        } else {
            panel->OnScroll(1, down ? 1 : 0, area.CenterPoint());
            manager.PaintToSurface(frame, area);
        }
    });
    dialog.DestroyWindow();
    qxtest::PumpMessages();
    return ms;
}

// The pointer moved across a row of 15 keys of the P74 keyboard view, key to key: each move
// changes the hovered key and repaints the view.
double MeasureKeyboardHover(bool throughWindow, int frames) {
    qxtest::RecordingDialog dialog;
    dialog.CreateAt(20, 20, kWidth, kHeight);
    QxUI::PaintManager& manager = *dialog.GetPaintManager();
    dialog.LoadBKImage(L"bench_background.png");
    dialog.SetBackMode(QxUI::BACK_MODE_ORIGIN, 0);
    auto* view = static_cast<QxUI::QxKeyboardCtrl*>(
        dialog.CreateControl(L"QxKeyboardCtrl", 41, CRect(20, 80, 1040, 410), L"", 1, 1));
    if (!view) return 0;
    view->SetKeyboardImage(L"keyboard\\kb_qxkb74.png");
    view->SetKeyBkgImage(L"img_key_bkg.png");
    view->SetKeyPosition(38, 28);
    for (int i = 0; i < 15; ++i) view->AddKeyItem(L"K", L"Key", 0x1E + i, CRect(2 + 42 * i, 65, 40 + 42 * i, 103));
    QxUI::OffScreenSurface frame;
    manager.PaintToSurface(frame, CRect(0, 0, kWidth, kHeight));
    HWND hwnd = dialog.GetSafeHwnd();
    int n = 0;
    double ms = MsPerFrame(frames * 4, [&] {
        // Key centres in window coordinates: view left + key offset + key middle.
        QxUI::CPoint p(20 + 38 + 21 + 42 * (n++ % 15), 80 + 28 + 84);
        if (throughWindow) {
            ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
            ::UpdateWindow(hwnd);
        } else {
            view->OnMouseMove(0, p);
            manager.PaintToSurface(frame, view->GetRect());
        }
    });
    dialog.DestroyWindow();
    qxtest::PumpMessages();
    return ms;
}

struct ShadowFigures {
    double blur;    // shape read from the window region and the blur computed, no window
    double render;  // the shadow window rendered again: shape, blur, copy, UpdateLayeredWindow
};

// The shadow is rendered only when the window's geometry or the shadow's settings change; this
// is the cost of one such render, size 10, sharpness 5, darkness 150, offsets (5, 5).
ShadowFigures MeasureShadow(int frames) {
    qxtest::RecordingDialog dialog;
    dialog.m_roundCorner = 10;
    dialog.CreateAt(20, 20, kWidth, kHeight);
    dialog.LoadBKImage(L"bench_background.png");
    dialog.CreateShadow(TRUE);
    dialog.SetSize(10);
    qxtest::PumpMessages();
    ShadowFigures f{};
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ::GetWindowRgn(dialog.GetSafeHwnd(), region);
    QxUI::ShadowParams params{10, 5, 150, 5, 5, 0};
    std::vector<DWORD> pixels;
    f.blur = MsPerFrame(frames, [&] {
        std::vector<QxUI::ShadowSpan> shape = QxUI::ShadowBlur::ShapeFromRegion(region, kWidth, kHeight);
        QxUI::ShadowBlur::MakeShadow(params, shape, kWidth, kHeight, pixels);
    });
    ::DeleteObject(region);
    int n = 0;
    // A successful setter renders a shown shadow again at once.
    f.render = MsPerFrame(frames, [&] { dialog.SetDarkness(150 + (n++ % 2)); });
    dialog.DestroyWindow();
    qxtest::PumpMessages();
    return f;
}

}  // namespace

int main() {
    qxtest::InitToolkitForTests();
    if (!WriteImages()) {
        std::fprintf(stderr, "cannot write the benchmark images\n");
        return 1;
    }
    const int frames = 40;
    double fullRepaint[2] = {};  // composition, through WM_PAINT
    for (bool window : {false, true}) {
        Figures bare = Measure(false, window, frames);
        Figures full = Measure(true, window, frames);
        fullRepaint[window ? 1 : 0] = full.full;
        std::printf("%s\n", window ? "through WM_PAINT (includes the 15 ms paint spacing and the screen copy)"
                                   : "composition into the off-screen buffer");
        std::printf("  bare background, full repaint      : %8.3f ms/frame  (baseline)\n", bare.full);
        std::printf("  bare background, image redrawn     : %8.3f ms/frame  %7.2fx baseline\n",
                    bare.backgroundRedrawn, bare.backgroundRedrawn / bare.full);
        std::printf("  100 image controls, full repaint   : %8.3f ms/frame  %7.2fx baseline\n", full.full,
                    full.full / bare.full);
        std::printf("  100 image controls, all re-render  : %8.3f ms/frame  %7.2fx baseline\n", full.fullRerender,
                    full.fullRerender / bare.full);
        std::printf("  hover repaint of one control       : %8.3f ms/frame  %7.3fx baseline\n", full.hover,
                    full.hover / bare.full);
        double scroll = MeasurePanelScroll(window, frames);
        std::printf("  200-child panel, one wheel notch   : %8.3f ms/frame  %7.2fx baseline\n", scroll,
                    scroll / bare.full);
        double keys = MeasureKeyboardHover(window, frames);
        std::printf("  keyboard view, pointer key to key  : %8.3f ms/move   %7.2fx baseline\n", keys,
                    keys / bare.full);
    }
    ShadowFigures shadow = MeasureShadow(frames);
    std::printf("window shadow, 10 pixels, rounded 1060 x 720 window, against one full repaint of that window\n"
                "(100 image controls: %.3f ms composed, %.3f ms through WM_PAINT)\n",
                fullRepaint[0], fullRepaint[1]);
    std::printf("  shape and blur, no window          : %8.3f ms/render %7.2fx composed  %6.3fx WM_PAINT\n",
                shadow.blur, shadow.blur / fullRepaint[0], shadow.blur / fullRepaint[1]);
    std::printf("  shadow window rendered again       : %8.3f ms/render %7.2fx composed  %6.3fx WM_PAINT\n",
                shadow.render, shadow.render / fullRepaint[0], shadow.render / fullRepaint[1]);
    qxtest::ShutdownToolkitForTests();
    return 0;
}
