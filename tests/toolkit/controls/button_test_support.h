#pragma once
// Shared pieces of the button tests: the shipped skin images, a dialog that records what its
// buttons report, pixel probes and real input helpers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace qxtest {

// The generated skin of the build tree (bin\skins\theme1\ two levels above the test program).
inline QxUI::CString ShippedSkinDirectory() {
    return QxUI::Manager::GetProgramDirectory() + L"..\\..\\bin\\skins\\theme1\\";
}

// Copies a shipped skin file (such as L"icon\\icon_reset.png") into the test program's skin
// directory, where the toolkit looks it up. FALSE when the skin has not been built.
inline bool UseShippedSkinFile(const wchar_t* name) {
    QxUI::CString target = TestSkinDirectory() + name;
    std::wstring dir = target.GetString();
    size_t slash = dir.find_last_of(L'\\');
    if (slash != std::wstring::npos) ::CreateDirectoryW(dir.substr(0, slash).c_str(), nullptr);
    return ::CopyFileW((ShippedSkinDirectory() + name).GetString(), target.GetString(), FALSE) != FALSE;
}

// Pixel (x, y) of a shipped skin image, 0xAARRGGBB; 0 when it cannot be read.
inline DWORD ShippedSkinPixel(const wchar_t* name, int x, int y) {
    Gdiplus::Bitmap bitmap((ShippedSkinDirectory() + name).GetString());
    Gdiplus::Color c;
    if (bitmap.GetLastStatus() != Gdiplus::Ok || bitmap.GetPixel(x, y, &c) != Gdiplus::Ok) return 0;
    return c.GetValue();
}

// Largest channel difference of two colours (alpha ignored).
inline int ColourDistance(DWORD a, DWORD b) {
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return d;
}

MATCHER_P2(IsNearColour, expected, tolerance, "") {
    *result_listener << "distance " << ColourDistance(arg, expected) << std::hex << " (0x" << arg << " vs 0x"
                     << expected << ")";
    return ColourDistance(arg, expected) <= tolerance;
}

// A dialog window for buttons: opaque background of one colour, the test font as "Arial".
class ButtonWindow {
public:
    static constexpr DWORD kBackground = 0xFF202830;

    bool Create(int x, int y, int w, int h) {
        if (!dialog.CreateAt(x, y, w, h)) return false;
        width = w;
        height = h;
        Manager().SetBackColor(Gdiplus::Color(kBackground), Gdiplus::Color(kBackground));
        Manager().AddTempFont(L"Arial", TestFontPath());
        // The pointer rests in a corner no test puts a control in, so no button starts hovered.
        return MoveTo(Hwnd(), w - 3, 3);
    }
    void Destroy() {
        dialog.DestroyWindow();
        PumpMessages();
    }
    QxUI::PaintManager& Manager() { return *dialog.GetPaintManager(); }
    HWND Hwnd() { return dialog.GetSafeHwnd(); }

    template <class T>
    T* Make(const wchar_t* className, UINT id, QxUI::CRect rect, const wchar_t* title) {
        return dynamic_cast<T*>(dialog.CreateControl(className, id, rect, title, 1, 1));
    }

    // The client area composed as a paint would compose it.
    const QxUI::OffScreenSurface& Paint() {
        Manager().PaintToSurface(surface, QxUI::CRect(0, 0, width, height));
        QxUI::OffScreenSurface::Flush();
        return surface;
    }
    DWORD PixelAt(int x, int y) { return Paint().GetPixel(x, y) & 0x00FFFFFF; }
    // Pixels of `rect` that differ from `background` by more than `tolerance` (text, icons).
    int CountInk(QxUI::CRect rect, DWORD background, int tolerance = 40) {
        const QxUI::OffScreenSurface& s = Paint();
        int n = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if (ColourDistance(s.GetPixel(x, y), background) > tolerance) ++n;
        return n;
    }

    // Codes `id` reported, in order.
    std::vector<UINT> Codes(UINT id) const {
        std::vector<UINT> codes;
        for (const auto& n : dialog.notifications)
            if (n.id == id) codes.push_back(n.code);
        return codes;
    }
    // Waits (bounded) until `id` has reported `count` notifications.
    bool WaitForCodes(UINT id, size_t count, int maxMs = 5000) {
        return PumpUntil([&] { return Codes(id).size() >= count; }, maxMs);
    }
    const RecordingDialog::Notification* Last(UINT id) const {
        for (auto it = dialog.notifications.rbegin(); it != dialog.notifications.rend(); ++it)
            if (it->id == id) return &*it;
        return nullptr;
    }

    RecordingDialog dialog;
    QxUI::OffScreenSurface surface;
    int width = 0;
    int height = 0;
};

// The left button pressed at `from`, moved to `to` and released there, all as real input;
// waits for the window to have seen the release.
inline bool PressMoveRelease(HWND hwnd, QxUI::CPoint from, QxUI::CPoint to) {
    if (!MoveTo(hwnd, from) || !ButtonDown(1)) return false;
    PumpMessages();
    bool ok = MoveTo(hwnd, QxUI::CPoint(to.x, to.y - 1)) && MoveTo(hwnd, to);
    PumpMessages();
    return ButtonUp(1) && ok;
}

}  // namespace qxtest
