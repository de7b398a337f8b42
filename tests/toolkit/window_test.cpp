// Windows, dialogs, the modal loop and its results.
#include <gtest/gtest.h>

#include "tests/toolkit/support/gtest_printers.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/manager.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using QxUI::CString;
using qxtest::ProbeControl;
using qxtest::RecordingDialog;

// A window object that is not a dialog, to see the base class's own behaviour.
class PlainWindow : public QxUI::MWindow {
public:
    const wchar_t* GetWindowClassName() const override { return L"QxUITestPlainWindow"; }
    BOOL OnInitDialog() override {
        ++initCalls;
        return TRUE;
    }
    void OnDestroyMessage(HWND hwnd) override { destroyedHandle = hwnd; }
    int initCalls = 0;
    HWND destroyedHandle = nullptr;
};

TEST(MWindowTest, CreateTwiceReturnsTheFirstWindow) {
    PlainWindow window;
    HWND first = window.Create(nullptr, L"one", WS_POPUP, 0, CRect(10, 10, 110, 60));
    ASSERT_NE(first, nullptr);
    HWND second = window.Create(nullptr, L"two", WS_POPUP, 0, CRect(20, 20, 220, 120));
    EXPECT_EQ(second, first);
    EXPECT_EQ(window.initCalls, 1);
    CString title;
    window.GetWindowTextW(title);
    EXPECT_EQ(title, CString(L"one"));
    window.DestroyWindow();
    // WM_NCDESTROY unbinds the object before OnDestroyMessage sees the old handle.
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);
    EXPECT_EQ(window.destroyedHandle, first);
}

TEST(MWindowTest, ForwardersAreSafeWithoutAWindow) {
    PlainWindow window;
    RECT r;
    CString text(L"x");
    EXPECT_EQ(window.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(window.GetClientRect(&r));
    EXPECT_EQ(window.GetWindowTextLengthW(), -1);
    EXPECT_EQ(window.GetWindowTextW(text), 0);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(window.ShowWindow(SW_SHOW));
    EXPECT_FALSE(window.ModifyStyle(0, WS_VISIBLE));
    EXPECT_EQ(window.SendMessageW(WM_NULL), 0);
    EXPECT_EQ(window.ShowModal(SW_SHOW), 0xFFFFFFFFu);
    EXPECT_EQ(window.AnimateShowModal(), -1);
}

TEST(MWindowTest, ModifyStyleReportsChanges) {
    PlainWindow window;
    ASSERT_NE(window.Create(nullptr, L"s", WS_POPUP, 0, CRect(0, 0, 50, 50)), nullptr);
    EXPECT_TRUE(window.ModifyExStyle(0, WS_EX_TOOLWINDOW));
    EXPECT_FALSE(window.ModifyExStyle(0, WS_EX_TOOLWINDOW));  // already set
    EXPECT_TRUE(window.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(window.ModifyExStyle(WS_EX_TOOLWINDOW, 0, SWP_FRAMECHANGED));
    EXPECT_FALSE(window.GetExStyle() & WS_EX_TOOLWINDOW);
    window.DestroyWindow();
}

TEST(MWindowTest, CenterWindowCentresOnTheMonitorWorkArea) {
    PlainWindow window;
    ASSERT_NE(window.Create(nullptr, L"c", WS_POPUP, 0, CRect(0, 0, 201, 101)), nullptr);
    window.CenterWindow(nullptr);
    MONITORINFO info = {sizeof(info)};
    ::GetMonitorInfoW(::MonitorFromWindow(window.GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &info);
    CRect work(info.rcWork), placed;
    window.GetWindowRect(&placed);
    EXPECT_EQ(placed.left, (work.left + work.right) / 2 - 201 / 2);
    EXPECT_EQ(placed.top, (work.top + work.bottom) / 2 - 101 / 2);
    EXPECT_EQ(placed.Width(), 201);
    window.DestroyWindow();
}

TEST(MWindowTest, CenterWindowOnAReferenceWindowStaysInsideTheWorkArea) {
    PlainWindow reference, window;
    ASSERT_NE(reference.Create(nullptr, L"r", WS_POPUP | WS_VISIBLE, 0, CRect(0, 0, 100, 100)), nullptr);
    ASSERT_NE(window.Create(nullptr, L"w", WS_POPUP, 0, CRect(0, 0, 300, 200)), nullptr);
    window.CenterWindow(&reference);
    CRect placed;
    window.GetWindowRect(&placed);
    MONITORINFO info = {sizeof(info)};
    ::GetMonitorInfoW(::MonitorFromWindow(reference.GetSafeHwnd(), MONITOR_DEFAULTTONEAREST), &info);
    // The centred position (-100, -50) lies outside: it is pushed to the work area's corner.
    EXPECT_EQ(placed.left, info.rcWork.left);
    EXPECT_EQ(placed.top, info.rcWork.top);
    window.DestroyWindow();
    reference.DestroyWindow();
}

class DialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    RecordingDialog dialog;
};

TEST(DialogLifetimeTest, DeletingTheObjectDestroysALiveWindow) {
    HWND hwnd = nullptr;
    {
        RecordingDialog doomed;
        hwnd = doomed.CreateAt(30, 30, 120, 80);
        ASSERT_NE(hwnd, nullptr);
        doomed.GetPaintManager()->AddControl(1, new ProbeControl(&doomed, 1, CRect(0, 0, 20, 20)));
    }
    EXPECT_FALSE(::IsWindow(hwnd));
    qxtest::PumpMessages();  // nothing queued for it may reach the deleted object
}

TEST_F(DialogTest, ClassIdentityIsCaseSensitive) {
    EXPECT_TRUE(dialog.IsClass(L"MDialog"));
    EXPECT_FALSE(dialog.IsClass(L"mdialog"));
    EXPECT_FALSE(dialog.IsClass(L"MDialo"));
    EXPECT_FALSE(dialog.IsClass(nullptr));
    ProbeControl control(&dialog, 1, CRect());
    EXPECT_TRUE(control.IsClass(L"PnControl"));
    EXPECT_FALSE(control.IsClass(L"pncontrol"));
    QxUI::MObject plain;
    EXPECT_FALSE(plain.IsClass(L""));
}

TEST_F(DialogTest, CreationRewritesTheStyleAndRunsInitUIOnce) {
    ASSERT_NE(dialog.Create(nullptr, L"d", WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE, 0,
                            CRect(50, 50, 250, 150)),
              nullptr);
    DWORD style = dialog.GetStyle();
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_TRUE(style & WS_CLIPSIBLINGS);
    EXPECT_EQ(dialog.initUICalls, 1);
    EXPECT_EQ(dialog.GetPaintManager()->GetPaintWnd(), dialog.GetSafeHwnd());
    EXPECT_EQ(dialog.GetPaintManager()->GetMDialog(), &dialog);
}

TEST_F(DialogTest, UISizeIsNotCalledForATinyClientArea) {
    ASSERT_NE(dialog.CreateAt(40, 40, 1, 1), nullptr);
    dialog.MoveWindow(40, 40, 1, 1, TRUE);
    EXPECT_EQ(dialog.uiSizeCalls, 0);
    dialog.MoveWindow(40, 40, 2, 1, TRUE);
    EXPECT_EQ(dialog.uiSizeCalls, 0);
    dialog.MoveWindow(40, 40, 120, 80, TRUE);
    EXPECT_GE(dialog.uiSizeCalls, 1);
    EXPECT_EQ(dialog.lastUISize, CRect(0, 0, 120, 80));
}

struct ModalCase {
    const char* name;
    void (*close)(RecordingDialog&);
    UINT expected;
};

class ModalResultTest : public ::testing::TestWithParam<ModalCase> {};

TEST_P(ModalResultTest, ShowModalReturnsTheCloseResult) {
    RecordingDialog dialog;
    ASSERT_NE(dialog.CreateAt(60, 60, 200, 120), nullptr) << "error " << dialog.lastCreateError;
    HWND hwnd = dialog.GetSafeHwnd();
    GetParam().close(dialog);  // queued: runs inside the modal loop
    EXPECT_EQ(dialog.ShowModal(SW_SHOW), GetParam().expected);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Closing, ModalResultTest,
    ::testing::Values(
        ModalCase{"DoOK", [](RecordingDialog& d) { d.DoOK(); }, IDOK},
        ModalCase{"DoCancel", [](RecordingDialog& d) { d.DoCancel(); }, IDCANCEL},
        ModalCase{"DoClose", [](RecordingDialog& d) { d.DoClose(); }, IDCANCEL},
        ModalCase{"DoYes", [](RecordingDialog& d) { d.DoYes(); }, IDYES},
        ModalCase{"DoNo", [](RecordingDialog& d) { d.DoNo(); }, IDNO},
        ModalCase{"PlainClose", [](RecordingDialog& d) { d.PostMessageW(WM_CLOSE, 0, 0); }, 0},
        ModalCase{"DestroyWindow", [](RecordingDialog& d) { d.PostMessageW(RecordingDialog::kDestroySelf); }, 0}),
    [](const ::testing::TestParamInfo<ModalCase>& info) { return std::string(info.param.name); });

TEST_F(DialogTest, AltF4DoesNotCloseADialog) {
    ASSERT_NE(dialog.CreateAt(60, 60, 200, 120), nullptr);
    HWND hwnd = dialog.GetSafeHwnd();
    // Alt+F4 as the keyboard delivers it: WM_SYSKEYDOWN with the context (Alt) bit set.
    LPARAM altContext = 1 | (0x3E << 16) | (1 << 29);
    ::PostMessageW(hwnd, WM_SYSKEYDOWN, VK_F4, altContext);
    ::PostMessageW(hwnd, WM_SYSKEYUP, VK_F4, altContext | (1u << 30) | (1u << 31));
    dialog.DoOK();
    EXPECT_EQ(dialog.ShowModal(SW_SHOW), static_cast<UINT>(IDOK));  // still open when DoOK arrived
    EXPECT_EQ(dialog.closeCalls, 1);
}

TEST_F(DialogTest, QuitDuringTheModalLoopEndsItAndIsPostedAgain) {
    ASSERT_NE(dialog.CreateAt(60, 60, 200, 120), nullptr);
    ::PostQuitMessage(23);
    EXPECT_EQ(dialog.ShowModal(SW_SHOW), 0u);
    EXPECT_TRUE(::IsWindow(dialog.GetSafeHwnd()));  // the loop ended, the window did not
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 23u);
}

// Reads its owner's state from inside the modal loop, then closes with IDYES.
class OwnerWatchingDialog : public RecordingDialog {
public:
    static constexpr UINT kLook = WM_APP + 8;
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kLook) {
            ownerEnabledInside = ::IsWindowEnabled(GetParentHwnd());
            DoYes();
            return 0;
        }
        return RecordingDialog::OnWindowMessage(msg, wParam, lParam);
    }
    BOOL ownerEnabledInside = TRUE;
};

TEST(ModalOwnerTest, ModalLoopDisablesTheOwnerAndGivesItBack) {
    PlainWindow owner;
    ASSERT_NE(owner.Create(nullptr, L"owner", WS_POPUP | WS_VISIBLE, 0, CRect(0, 0, 300, 200)), nullptr);
    OwnerWatchingDialog dialog;
    ASSERT_NE(dialog.Create(owner.GetSafeHwnd(), L"d", WS_POPUP | WS_VISIBLE, 0, CRect(20, 20, 120, 90)), nullptr);
    dialog.PostMessageW(OwnerWatchingDialog::kLook);
    EXPECT_EQ(dialog.ShowModal(SW_SHOW), static_cast<UINT>(IDYES));
    EXPECT_FALSE(dialog.ownerEnabledInside);
    EXPECT_TRUE(::IsWindowEnabled(owner.GetSafeHwnd()));
    owner.DestroyWindow();
}

TEST_F(DialogTest, AirBladderPointFollowsTheControlEdge) {
    ASSERT_NE(dialog.CreateAt(100, 120, 200, 120), nullptr);
    auto* control = new ProbeControl(&dialog, 5, CRect(10, 30, 31, 50));  // x = 10 ... 31
    dialog.GetPaintManager()->AddControl(1, control);
    POINT origin = {0, 0};
    ::ClientToScreen(dialog.GetSafeHwnd(), &origin);
    const struct {
        UINT type;
        int x;
    } cases[] = {{0, 10}, {1, 20}, {2, 31}};
    for (const auto& c : cases) {
        POINT p = dialog.GetAirBladderPoint(control, c.type);
        EXPECT_EQ(p.x, origin.x + c.x) << "type " << c.type;
        EXPECT_EQ(p.y, origin.y + 50) << "type " << c.type;
    }
    POINT none = dialog.GetAirBladderPoint(nullptr, 1);
    EXPECT_EQ(none.x, 0);
    EXPECT_EQ(none.y, 0);
    EXPECT_FALSE(dialog.SetAirBladderMsg(L"tip", POINT{0, 40}, QxUI::AIRBLADDER_CENTER));
}

TEST_F(DialogTest, RoundCornersBecomeTheWindowRegion) {
    struct RoundDialog : RecordingDialog {
        RoundDialog() { m_roundCorner = 30; }
    } round;
    ASSERT_NE(round.CreateAt(80, 80, 200, 100), nullptr);
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(::GetWindowRgn(round.GetSafeHwnd(), region), ERROR);
    EXPECT_TRUE(::PtInRegion(region, 100, 50));  // centre
    EXPECT_FALSE(::PtInRegion(region, 0, 0));    // cut-off corner
    EXPECT_TRUE(::PtInRegion(region, 100, 0));   // top edge
    ::DeleteObject(region);
    round.DestroyWindow();
}

TEST_F(DialogTest, TranslucencyUsesAlphaOrColourKey) {
    struct AlphaDialog : RecordingDialog {
        AlphaDialog() { m_alpha = 200; }
    } alpha;
    ASSERT_NE(alpha.CreateAt(80, 80, 120, 80), nullptr);
    EXPECT_TRUE(alpha.GetExStyle() & WS_EX_LAYERED);
    BYTE a = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(alpha.GetSafeHwnd(), &key, &a, &flags));
    EXPECT_EQ(a, 200);
    EXPECT_TRUE(flags & LWA_ALPHA);
    alpha.DestroyWindow();

    struct KeyDialog : RecordingDialog {
        KeyDialog() { m_transparentColor = RGB(255, 0, 255); }
    } keyed;
    ASSERT_NE(keyed.CreateAt(80, 80, 120, 80), nullptr);
    ASSERT_TRUE(::GetLayeredWindowAttributes(keyed.GetSafeHwnd(), &key, &a, &flags));
    EXPECT_EQ(key, RGB(255, 0, 255));
    EXPECT_TRUE(flags & LWA_COLORKEY);
    keyed.DestroyWindow();

    ASSERT_NE(dialog.CreateAt(80, 80, 120, 80), nullptr);
    EXPECT_FALSE(dialog.GetExStyle() & WS_EX_LAYERED);  // defaults: neither
}

TEST_F(DialogTest, MinimisedWindowKeepsItsRegionAndLayering) {
    struct RoundDialog : RecordingDialog {
        RoundDialog() {
            m_roundCorner = 20;
            m_alpha = 180;
        }
    } round;
    ASSERT_NE(round.CreateAt(80, 80, 200, 100), nullptr);
    auto regionBox = [&] {
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        RECT box = {0, 0, 0, 0};
        if (::GetWindowRgn(round.GetSafeHwnd(), region) != ERROR) ::GetRgnBox(region, &box);
        ::DeleteObject(region);
        return CRect(box);
    };
    CRect before = regionBox();
    EXPECT_EQ(before, CRect(0, 0, 200, 100));  // round-rectangle regions exclude their far edges
    // A minimised window: OnSize must leave region and layered attributes alone.
    ::SetWindowLongW(round.GetSafeHwnd(), GWL_STYLE, ::GetWindowLongW(round.GetSafeHwnd(), GWL_STYLE) | WS_MINIMIZE);
    ::SetLayeredWindowAttributes(round.GetSafeHwnd(), 0, 99, LWA_ALPHA);
    round.SendMessageW(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(10, 10));
    EXPECT_EQ(regionBox(), before);
    BYTE a = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(round.GetSafeHwnd(), &key, &a, &flags));
    EXPECT_EQ(a, 99);
    round.DestroyWindow();
}

}  // namespace
