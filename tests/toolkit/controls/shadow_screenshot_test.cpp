// A screenshot of two rounded dialogs over a patterned desktop, one with a computed shadow and
// one with a picture shadow, taken from the X display so the compositor's blending of the
// layered shadow windows is what gets recorded.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/m_shadow.h"

namespace {

using QxUI::CRect;

// The Unix path of a file on Wine's Z: drive; empty for any other drive.
std::string UnixPath(const QxUI::CString& path) {
    std::wstring w = path.GetString();
    if (w.size() < 3 || (w[0] != L'Z' && w[0] != L'z') || w[1] != L':') return std::string();
    std::string out;
    for (size_t i = 2; i < w.size(); ++i) out += w[i] == L'\\' ? '/' : static_cast<char>(w[i]);
    return out;
}

TEST(ShadowScreenshot, ComputedAndPictureShadowsOverAPattern) {
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN), screenH = ::GetSystemMetrics(SM_CYSCREEN);
    // Checks with diagonal stripes: any blending mistake of the shadow shows against them.
    ASSERT_TRUE(qxtest::WriteSkinPng(L"shadow_shot_desktop.png", screenW, screenH, [](int x, int y) -> DWORD {
        bool check = ((x / 40) + (y / 40)) % 2 == 0;
        bool stripe = ((x + y) / 12) % 4 == 0;
        DWORD base = check ? 0xFFF2E6C8 : 0xFF9CC4E4;
        return stripe ? 0xFFD04040 : base;
    }));
    // A soft frame: alpha grows from the outer edge to 20 pixels in, where the window's edge
    // will be. The middle is clear: the shadow window, owned by the dialog, lies above it.
    ASSERT_TRUE(qxtest::WriteSkinPng(L"shadow_shot_frame.png", 64, 64, [](int x, int y) -> DWORD {
        int edge = std::min(std::min(x, y), std::min(63 - x, 63 - y));
        int alpha = edge >= 20 ? 0 : edge * 170 / 20;
        return static_cast<DWORD>(alpha) << 24 | 0x101840;
    }));

    qxtest::RecordingDialog desktop;
    ASSERT_NE(desktop.CreateAt(0, 0, screenW, screenH), nullptr);
    ASSERT_TRUE(desktop.LoadBKImage(L"shadow_shot_desktop.png"));
    desktop.SetBackMode(QxUI::BACK_MODE_ORIGIN, 0);

    qxtest::RecordingDialog computed, picture;
    for (auto* d : {&computed, &picture}) d->m_roundCorner = 30;
    ASSERT_NE(computed.CreateAt(160, 220, 520, 340), nullptr);
    ASSERT_NE(picture.CreateAt(880, 220, 520, 340), nullptr);
    for (auto* d : {&computed, &picture})
        d->GetPaintManager()->SetBackColor(Gdiplus::Color(0xFFF4F6F8), Gdiplus::Color(0xFF8090A0));

    computed.CreateShadow(TRUE);
    ASSERT_TRUE(computed.SetSharpness(12));
    ASSERT_TRUE(computed.SetDarkness(170));
    ASSERT_TRUE(computed.SetPosition(6, 8));
    ASSERT_TRUE(computed.SetSize(18));

    picture.CreateShadow(TRUE);
    ASSERT_TRUE(picture.SetShadowCorner(RECT{20, 20, 20, 20}));
    ASSERT_TRUE(picture.SetShadowImage(L"shadow_shot_frame.png"));

    HWND shadows[2] = {computed.GetPaintManager()->GetShadow()->GetShadowWnd(),
                       picture.GetPaintManager()->GetShadow()->GetShadowWnd()};
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::IsWindowVisible(shadows[0]) && ::IsWindowVisible(shadows[1]); }));
    ::UpdateWindow(desktop.GetSafeHwnd());
    qxtest::PumpMessages();

    QxUI::CString png = qxtest::ScreenshotPath(L"shadows.png");
    std::string unix = UnixPath(png);
    ASSERT_FALSE(unix.empty()) << "the build tree is expected on Z:";
    ::DeleteFileW(png.GetString());
    ASSERT_TRUE(qxtest::RunXdotool({"exec", "--sync", "import", "-window", "root", unix}));
    EXPECT_NE(::GetFileAttributesW(png.GetString()), INVALID_FILE_ATTRIBUTES);

    for (auto* d : {&computed, &picture, &desktop}) d->DestroyWindow();
    qxtest::PumpMessages();
}

}  // namespace
