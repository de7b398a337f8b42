// The control popup: hosts controls through its own paint manager, reports their
// notifications to itself and its parent, and closes as soon as another window is activated.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/toolkit/support/gtest_printers.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/m_popup_wnd.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CRect;

// A popup with one probe control, recording what reaches it.
class ProbePopup : public QxUI::MPopupWnd {
public:
    void InitUI(CRect client) override {
        ++initUICalls;
        initClient = client;
        probe = new qxtest::ProbeControl(this, 41, CRect(10, 10, 90, 50));
        GetPaintManager()->AddControl(1, probe);
    }
    LRESULT OnMessage(UINT id, UINT code, UINT, LPARAM) override {
        if (id == 41 && code == QxUI::NOTIFY_CLICK) {
            ++clicks;
            SendMessageToParent(code, id, 0);
        }
        return 0;
    }
    BOOL OnDestroy() override {
        ++destroyCalls;
        return 0;
    }
    int initUICalls = 0;
    int clicks = 0;
    int destroyCalls = 0;
    CRect initClient;
    qxtest::ProbeControl* probe = nullptr;
};

// The popup's parent object: hears what the popup passes on.
class ParentObject : public QxUI::MObject {
public:
    LRESULT OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM) override {
        heard.push_back({id, code, wParam});
        return 1;
    }
    struct Heard {
        UINT id, code, wParam;
    };
    std::vector<Heard> heard;
};

class PopupWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(150, 150, 400, 300), nullptr);
        popup = std::make_unique<ProbePopup>();
        popup->SetParent(&parent);
        ASSERT_NE(popup->Create(dialog.GetSafeHwnd(), L"Popup", WS_POPUP | WS_VISIBLE, 0, CRect(300, 200, 420, 280)),
                  nullptr);
        hwnd = popup->GetSafeHwnd();
        ::SetForegroundWindow(hwnd);
        ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetForegroundWindow() == hwnd; }, 3000));
    }
    void TearDown() override {
        popup.reset();
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    qxtest::RecordingDialog dialog;
    ParentObject parent;
    std::unique_ptr<ProbePopup> popup;
    HWND hwnd = nullptr;
};

TEST_F(PopupWndTest, HostsControlsAndPassesTheirClicksOn) {
    EXPECT_EQ(popup->initUICalls, 1);
    EXPECT_EQ(popup->initClient, CRect(0, 0, 120, 80));
    EXPECT_EQ(popup->GetControl(41), popup->probe);
    EXPECT_EQ(popup->GetParent(), &parent);
    ASSERT_TRUE(qxtest::ClickAt(hwnd, 40, 30));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return popup->clicks == 1; }, 5000));
    ASSERT_EQ(parent.heard.size(), 1u);
    EXPECT_EQ(parent.heard[0].id, 0u);
    EXPECT_EQ(parent.heard[0].code, static_cast<UINT>(QxUI::NOTIFY_CLICK));
    EXPECT_EQ(parent.heard[0].wParam, 41u);
    EXPECT_TRUE(::IsWindow(hwnd)) << "a click inside keeps the popup open";
}

TEST_F(PopupWndTest, ClosesWhenAnotherWindowIsActivated) {
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 30, 30));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !::IsWindow(hwnd); }, 5000));
    EXPECT_EQ(popup->destroyCalls, 1);
    EXPECT_EQ(popup->GetSafeHwnd(), nullptr);
}

TEST_F(PopupWndTest, PaintsItsControlsAtTheNewSizeAfterAMove) {
    ::SetWindowPos(hwnd, nullptr, 320, 220, 160, 90, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client, CRect(0, 0, 160, 90));
    EXPECT_TRUE(::IsWindow(hwnd));
    // Painting after the move covers the new size.
    QxUI::OffScreenSurface surface;
    ASSERT_TRUE(popup->GetPaintManager()->PaintToSurface(surface, client));
    EXPECT_EQ(surface.Width(), 160);
    DWORD probe = surface.GetPixel(50, 30) | 0xFF000000;
    EXPECT_TRUE(probe == qxtest::ProbeControl::kNormal || probe == qxtest::ProbeControl::kHot) << std::hex << probe;
}

TEST(PopupWnd, WithoutAParentNothingIsSent) {
    QxUI::MPopupWnd popup;
    EXPECT_FALSE(popup.SendMessageToParent(QxUI::NOTIFY_CLICK, 1, 2));
    EXPECT_EQ(popup.GetParent(), nullptr);
}

}  // namespace
