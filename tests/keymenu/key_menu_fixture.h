#pragma once
// A small main window for the key-function menu: a real keyboard view (control 41) with the
// layout of a simulated keyboard, the real controller behind it, and the menu hosted exactly as
// the program's main window hosts it. Tests drive it with the real pointer and keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/language.h"
#include "app/main_controller.h"
#include "platform/memory_registry.h"
#include "resources/key_name_source.h"
#include "sim/simulated_hid.h"
#include "storage/config_database.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/qx_keyboard_ctrl.h"
#include "toolkit/controls/qxkb_menu_wnd.h"
#include "toolkit/core/m_dialog.h"
#include "windows/key_function_menu.h"
#include "windows/keyboard_view_adapter.h"

namespace qx::test {

constexpr UINT kKeyboardViewId = 41;
constexpr int kWait = 5000;

// Letters named as Windows names them; Wine's own names are X keysym names.
class LetterNames : public KeyNameSource {
public:
    unsigned ScanCodeOf(unsigned virtualKey) override { return virtualKey; }
    std::wstring KeyNameText(int32_t keyParam) override {
        const int code = (keyParam >> 16) & 0xFF;
        if (code >= 'A' && code <= 'Z') return std::wstring(1, static_cast<wchar_t>(code));
        return L"Key" + std::to_wstring(code);
    }
};

class MenuTestView : public MainView {
public:
    void RegisterDeviceNotifications() override {}
    void SetConnectionImage(const wchar_t*) override {}
    void ShowMessageBox(int textId, int) override { messages.push_back(textId); }
    void SetProfileTitle(int) override {}
    void BuildLightingPage(int) override {}
    void SetEffectButtonCheck(int, bool) override {}
    MainKeyboardView& KeyboardView() override { return keyboard; }
    void RefreshMacroList() override {}

    KeyboardViewAdapter keyboard;
    std::vector<int> messages;
};

// The main window's part: the keyboard view's notifications and the menu messages go to the
// menu, a click into the window's own area closes the popups.
class MenuTestWindow : public QxUI::MDialog {
public:
    LRESULT OnMessage(UINT id, UINT code, UINT, LPARAM) override {
        if (id == kKeyboardViewId && menu) return menu->OnKeyboardViewNotify(code);
        return 0;
    }
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (menu && menu->OnWindowMessage(msg, wParam, lParam, result)) return result;
        return MDialog::OnWindowMessage(msg, wParam, lParam);
    }
    BOOL OnLButtonDown(UINT, QxUI::CPoint) override {
        if (menu) menu->CloseKeyMenus(true);
        return 0;
    }
    KeyFunctionMenu* menu = nullptr;
};

class MenuTestHost : public KeyMenuHost {
public:
    MenuTestHost(MenuTestWindow& window, QxKBController& controller, MenuTestView& view)
        : window_(window), controller_(controller), view_(view) {}
    HWND MainWindow() override { return window_.GetSafeHwnd(); }
    bool IsConnected() override { return controller_.IsConnected(); }
    int DeviceType() override { return controller_.DeviceType(); }
    QxUI::QxKeyboardCtrl* KeyboardView() override { return view_.keyboard.Control(); }
    void SetSelectedKey(uint32_t keyValue) override { controller_.SetSelectedKey(keyValue); }
    void AssignKeyFunction(const KeyMacroRow& row) override { controller_.AssignKeyFunction(row); }
    void SetSelectedKeysColor(uint32_t colour) override {
        colours.push_back(colour);
        controller_.SetSelectedKeysColor(colour);
    }
    void ShowMessage(int textId) override { view_.ShowMessageBox(textId, kMessageBoxWidth); }
    void OpenMacroEditor(int macroId) override { editorOpens.push_back(macroId); }
    ConfigDatabase& Database() override { return controller_.Database(); }

    std::vector<int> editorOpens;
    std::vector<uint32_t> colours;   // every colour the colour popup sent

private:
    MenuTestWindow& window_;
    QxKBController& controller_;
    MenuTestView& view_;
};

class KeyMenuFixture : public ::testing::Test {
protected:
    void TearDown() override {
        menu.reset();
        if (window.GetSafeHwnd()) window.DestroyWindow();
        qxtest::PumpMessages();
        host.reset();
        controller.reset();
        manager.reset();
        SetCurrentLanguage(kLangEnglish);
        std::error_code ec;
        std::filesystem::remove_all(dataDir, ec);
    }

    // The window with the keyboard of deviceType plugged (0: none plugged).
    void Start(int deviceType) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("qxkb-keymenu-") + info->name();
        std::replace(name.begin(), name.end(), '/', '_');
        dataDir = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(dataDir);
        std::filesystem::create_directories(dataDir / "db");
        registry.keyExists = true;
        if (deviceType) keyboardId = hid.PlugDeviceType(deviceType);

        ASSERT_TRUE(window.Create(nullptr, L"QxKBMainDlg", WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                                  QxUI::CRect(20, 20, 1080, 740)));
        window.EnableWndDrag(FALSE);
        auto* control = static_cast<QxUI::QxKeyboardCtrl*>(
            window.CreateControl(L"QxKeyboardCtrl", kKeyboardViewId, QxUI::CRect(10, 100, 1050, 500), L"", 1, 1));
        ASSERT_NE(control, nullptr);
        view.keyboard.Attach(control);

        manager = std::make_unique<HidDeviceManager>(hid, clock);
        controller = std::make_unique<QxKBController>(*manager, registry, view, DataRoot(), QX_LAYOUT_DIR);
        controller->OnInitDialog();
        if (deviceType) {
            // The type the catalog plugs may be remembered differently: make the plugged one current.
            ASSERT_TRUE(controller->IsConnected());
        }
        host = std::make_unique<MenuTestHost>(window, *controller, view);
        menu = std::make_unique<KeyFunctionMenu>(*host);
        menu->SetKeyNameSource(&names);
        window.menu = menu.get();
        ::SetForegroundWindow(window.GetSafeHwnd());
        ::InvalidateRect(window.GetSafeHwnd(), nullptr, FALSE);
        qxtest::PumpMessages();
        view.messages.clear();
        log.Clear();
    }
    std::wstring DataRoot() const {
        std::wstring root = dataDir.wstring();
        root.push_back(std::filesystem::path::preferred_separator);
        return root;
    }

    QxUI::QxKeyboardCtrl& View() { return *view.keyboard.Control(); }
    // The key's centre in the window's client coordinates.
    QxUI::CPoint KeyCentre(uint32_t keyValue) {
        for (QxUI::KEY_INFO* key : View().GetKeyItems()) {
            if (key->key_value != keyValue) continue;
            const QxUI::CRect origin = View().GetRect();
            return QxUI::CPoint(origin.left + (key->rect.left + key->rect.right) / 2,
                                origin.top + (key->rect.top + key->rect.bottom) / 2);
        }
        ADD_FAILURE() << "no key " << keyValue;
        return QxUI::CPoint(0, 0);
    }
    QxUI::CRect KeyRect(uint32_t keyValue) {
        for (QxUI::KEY_INFO* key : View().GetKeyItems()) {
            if (key->key_value != keyValue) continue;
            QxUI::CRect r(key->rect);
            r.OffsetRect(View().GetRect().left, View().GetRect().top);
            return r;
        }
        ADD_FAILURE() << "no key " << keyValue;
        return QxUI::CRect();
    }

    // Clicks the key and waits for the first-level menu.
    void OpenMenuOn(uint32_t keyValue) {
        const QxUI::CPoint at = KeyCentre(keyValue);
        ASSERT_TRUE(qxtest::ClickAt(window.GetSafeHwnd(), at.x, at.y));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return menu->KeyMenu() != nullptr; }, kWait)) << "no key menu";
        ASSERT_EQ(menu->SelectedKey(), keyValue);
    }
    // Moves the pointer onto the middle of a menu's row.
    static bool PointAtRow(QxUI::QxKBMenuWnd& menuWindow, UINT itemId) {
        POINT p = menuWindow.GetItemScreenPoint(itemId);
        p.x -= 40;
        p.y += 18;
        ::ScreenToClient(menuWindow.GetSafeHwnd(), &p);
        return qxtest::MoveTo(menuWindow.GetSafeHwnd(), p.x, p.y);
    }
    static bool ClickRow(QxUI::QxKBMenuWnd& menuWindow, UINT itemId) {
        POINT p = menuWindow.GetItemScreenPoint(itemId);
        p.x -= 40;
        p.y += 18;
        ::ScreenToClient(menuWindow.GetSafeHwnd(), &p);
        return qxtest::ClickAt(menuWindow.GetSafeHwnd(), p.x, p.y);
    }
    // Points at a category and waits until its popup (checked by `open`) is there.
    template <class Open>
    void PointAtCategory(int category, Open open) {
        ASSERT_NE(menu->KeyMenu(), nullptr);
        ASSERT_TRUE(PointAtRow(*menu->KeyMenu(), category));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return menu->HoveredItem() == category && open(); }, kWait))
            << "category " << category;
    }
    bool Confirmed() const { return !view.messages.empty() && view.messages.back() == kTextSetSuccessful; }
    std::vector<KeyMacroRow> StoredFunctions() {
        std::vector<KeyMacroRow> rows;
        controller->Database().GetKeyMacros(controller->CurrentProfile(), rows);
        return rows;
    }
    QxUI::CString TipOf(uint32_t keyValue) {
        for (QxUI::KEY_INFO* key : View().GetKeyItems())
            if (key->key_value == keyValue) return key->tip_text;
        return QxUI::CString();
    }

    std::filesystem::path dataDir;
    sim::WireLog log;
    sim::VirtualPauseClock clock{log};
    sim::SimulatedHid hid{log};
    MemoryRegistry registry;
    MenuTestView view;
    LetterNames names;
    MenuTestWindow window;
    std::unique_ptr<HidDeviceManager> manager;
    std::unique_ptr<QxKBController> controller;
    std::unique_ptr<MenuTestHost> host;
    std::unique_ptr<KeyFunctionMenu> menu;
    int keyboardId = 0;
};

}  // namespace qx::test
