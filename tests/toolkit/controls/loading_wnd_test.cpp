// The loading screen: frame timing from the GIF's own delays, the frames it draws, its plain
// background without images, and the close button driven by the real pointer.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/toolkit/support/gtest_printers.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/loading_wnd.h"

namespace {

using QxUI::CRect;
using QxUI::GifFrameClock;

// A GIF89a of solid frames, frame i in palette colour colours[i] for delays[i] hundredths of a
// second. The LZW stream sends a clear code before every two pixels, so its codes stay 3 bits.
std::vector<unsigned char> SolidFramesGif(int w, int h, const std::vector<DWORD>& palette,
                                          const std::vector<int>& indices, const std::vector<int>& delays) {
    std::vector<unsigned char> out;
    auto u8 = [&](int v) { out.push_back(static_cast<unsigned char>(v)); };
    auto u16 = [&](int v) { u8(v & 0xFF); u8((v >> 8) & 0xFF); };
    for (char c : std::string("GIF89a")) u8(c);
    u16(w); u16(h);
    u8(0xF1); u8(0); u8(0);  // global table of 4 colours
    for (int i = 0; i < 4; ++i) {
        DWORD c = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        u8((c >> 16) & 0xFF); u8((c >> 8) & 0xFF); u8(c & 0xFF);
    }
    for (int b : {0x21, 0xFF, 0x0B}) u8(b);
    for (char c : std::string("NETSCAPE2.0")) u8(c);
    for (int b : {0x03, 0x01, 0x00, 0x00, 0x00}) u8(b);
    for (size_t f = 0; f < indices.size(); ++f) {
        for (int b : {0x21, 0xF9, 0x04, 0x00}) u8(b);
        u16(delays[f]);
        u8(0); u8(0);
        u8(0x2C); u16(0); u16(0); u16(w); u16(h); u8(0);
        u8(2);  // minimum code size: codes 0-3 colours, 4 clear, 5 end
        std::vector<unsigned char> data;
        unsigned bits = 0, nbits = 0;
        auto code = [&](unsigned c) {
            bits |= c << nbits;
            nbits += 3;
            while (nbits >= 8) {
                data.push_back(static_cast<unsigned char>(bits & 0xFF));
                bits >>= 8;
                nbits -= 8;
            }
        };
        for (int p = 0; p < w * h; ++p) {
            if (p % 2 == 0) code(4);
            code(static_cast<unsigned>(indices[f]));
        }
        code(5);
        if (nbits) data.push_back(static_cast<unsigned char>(bits & 0xFF));
        for (size_t i = 0; i < data.size(); i += 255) {
            size_t n = std::min<size_t>(255, data.size() - i);
            u8(static_cast<int>(n));
            out.insert(out.end(), data.begin() + static_cast<long>(i), data.begin() + static_cast<long>(i + n));
        }
        u8(0);
    }
    u8(0x3B);
    return out;
}

bool WriteSkinFile(const QxUI::CString& name, const std::vector<unsigned char>& bytes) {
    FILE* f = _wfopen((qxtest::TestSkinDirectory() + name).GetString(), L"wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

TEST(GifFrameClock, FramesLastTheirOwnDelays) {
    GifFrameClock clock;
    EXPECT_EQ(clock.WrapCount(), 18) << "before any GIF";
    // 90 ms = 5 ticks, 270 ms = 15 ticks, 0 ms = the two-tick default, 10 ms too short as well.
    clock.Reset(4, {90, 270, 0, 10});
    std::vector<int> seen;
    for (int tick = 1; tick <= 26; ++tick) {
        clock.Tick();
        seen.push_back(clock.Frame());
    }
    std::vector<int> expected;
    expected.insert(expected.end(), 4, 0);   // ticks 1-4
    expected.insert(expected.end(), 15, 1);  // ticks 5-19
    expected.insert(expected.end(), 2, 2);   // ticks 20-21
    expected.insert(expected.end(), 2, 3);   // ticks 22-23
    expected.insert(expected.end(), 3, 0);   // wraps at tick 24
    EXPECT_EQ(seen, expected);
}

TEST(GifFrameClock, DelaysThatAreNotTickMultiplesKeepTheirPace) {
    // 80 ms frames (the shipped animation's delay) on an 18 ms tick: the remainder carries, so
    // 100 frames take 8000 ms give or take one tick.
    GifFrameClock clock;
    clock.Reset(12, std::vector<int>(12, 80));
    int changes = 0, ticks = 0;
    while (changes < 100) {
        ++ticks;
        if (clock.Tick()) ++changes;
    }
    EXPECT_NEAR(ticks * GifFrameClock::kTickMs, 8000, GifFrameClock::kTickMs);
    EXPECT_EQ(clock.Frame(), 100 % 12);
}

// Records the close message the loading screen sends to its owner.
class OwnerDialog : public qxtest::RecordingDialog {
public:
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == QxUI::LoadingWnd::kCloseMessage) ++closeRequests;
        return RecordingDialog::OnWindowMessage(msg, wParam, lParam);
    }
    int closeRequests = 0;
};

constexpr DWORD kRed = 0xFFE02020, kGreen = 0xFF20C040, kBlue = 0xFF2040E0;
constexpr DWORD kCloseStates[4] = {0xFF808080, 0xFFE0A000, 0xFFA00000, 0xFF404040};

class LoadingWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CreateDirectoryW((qxtest::TestSkinDirectory() + L"loading").GetString(), nullptr);
        ::CreateDirectoryW((qxtest::TestSkinDirectory() + L"logo").GetString(), nullptr);
        ASSERT_TRUE(WriteSkinFile(L"loading\\loading.gif",
                                  SolidFramesGif(8, 4, {kRed, kGreen, kBlue, 0xFF000000}, {0, 1, 2}, {9, 27, 0})));
        ASSERT_TRUE(qxtest::WriteStateStrip(L"img_sys_close.png", 96, 24, 4, kCloseStates));
        ASSERT_TRUE(qxtest::WriteSkinPng(L"logo\\logo_loading.png", 200, 48, [](int, int) { return 0xFF3060C0; }));
        ASSERT_NE(owner.CreateAt(100, 100, 600, 400), nullptr);
    }
    void TearDown() override {
        loading.reset();
        owner.DestroyWindow();
        qxtest::PumpMessages();
    }
    // Opens the screen with its animation timer stopped: the test drives the ticks itself.
    void Open() {
        loading = std::make_unique<QxUI::LoadingWnd>();
        ASSERT_NE(loading->CreateDlg(owner.GetSafeHwnd(), CRect(150, 150, 550, 450)), nullptr);
        ::KillTimer(loading->GetSafeHwnd(), QxUI::LoadingWnd::kAnimationTimer);
        ::SendMessageW(loading->GetSafeHwnd(), WM_PAINT, 0, 0);
    }
    void Tick() { ::SendMessageW(loading->GetSafeHwnd(), WM_TIMER, QxUI::LoadingWnd::kAnimationTimer, 0); }
    DWORD Pixel(int x, int y) {
        QxUI::OffScreenSurface::Flush();
        return loading->GetLayeredSurface().GetPixel(x, y);
    }
    // The animation rectangle is 232 x 58, centred in the 400 x 300 client area.
    DWORD AnimationPixel() { return Pixel(200, 150); }

    OwnerDialog owner;
    std::unique_ptr<QxUI::LoadingWnd> loading;
};

TEST_F(LoadingWndTest, FramesAdvanceByTheirDelaysAndWrap) {
    Open();
    ASSERT_EQ(loading->GetFrameCount(), 3);
    EXPECT_EQ(AnimationPixel(), kRed);
    struct Step {
        int tick;
        DWORD colour;
    };
    // 90 ms (5 ticks) red, 270 ms (15 ticks) green, the default two ticks blue, red again.
    const Step steps[] = {{4, kRed}, {5, kGreen}, {19, kGreen}, {20, kBlue}, {21, kBlue}, {22, kRed}};
    int tick = 0;
    for (const Step& s : steps) {
        while (tick < s.tick) {
            Tick();
            ++tick;
        }
        EXPECT_EQ(AnimationPixel(), s.colour) << "after tick " << s.tick;
    }
    // The logo sits 20 pixels above the animation, centred.
    EXPECT_EQ(Pixel(200, 121 - 20 - 24), 0xFF3060C0u);
}

TEST_F(LoadingWndTest, WithoutImagesTheBackgroundIsPlainAndTranslucent) {
    ::DeleteFileW((qxtest::TestSkinDirectory() + L"loading\\loading.gif").GetString());
    Open();
    EXPECT_EQ(loading->GetFrameCount(), 0);
    EXPECT_FALSE(loading->LoadGifImage(L"loading\\missing.gif"));
    // 0xF0FFFFFF premultiplied: alpha F0 with colour F0, everywhere (no animation either).
    for (POINT p : {POINT{5, 5}, POINT{200, 150}, POINT{395, 295}}) {
        DWORD pixel = Pixel(p.x, p.y);
        EXPECT_EQ(pixel >> 24, 0xF0u) << p.x << "," << p.y;
        EXPECT_NEAR(static_cast<int>(pixel & 0xFF), 0xF0, 1) << p.x << "," << p.y;
    }
}

TEST_F(LoadingWndTest, CloseButtonHoverShowsAndAClickTellsTheOwner) {
    Open();
    CRect close = loading->GetCloseRect();
    EXPECT_EQ(close, CRect(400 - 39, 10, 400 - 39 + 24, 34));
    HWND hwnd = loading->GetSafeHwnd();
    EXPECT_EQ(Pixel(close.left + 12, 22), kCloseStates[0]);
    ASSERT_TRUE(qxtest::MoveTo(hwnd, close.left + 12, 22));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return loading->GetCloseState() == 1; }, 3000));
    // The hover look shows with the next frame.
    for (int i = 0; i < 5; ++i) Tick();
    EXPECT_EQ(Pixel(close.left + 12, 22), kCloseStates[1]);
    ASSERT_TRUE(qxtest::RunXdotool({"click", "1"}));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return owner.closeRequests == 1; }, 5000));
    EXPECT_TRUE(loading->IsWindowVisible()) << "closing is up to the owner";
    // Nor does the close request other popups obey make it go.
    EXPECT_EQ(::SendMessageW(hwnd, QxUI::WM_USERCLOSEWINDOW, 0, 0), 1);
    loading->CloseWindow();
    qxtest::PumpMessages();
    EXPECT_TRUE(::IsWindow(hwnd));
}

}  // namespace
