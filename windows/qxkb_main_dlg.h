#pragma once
// The program's main window: a toolkit dialog with the title bar, the keyboard view, the lighting
// page and the macro panel, serving the controller's view seam. The controller lives in the same
// object and owns the device state; the window turns clicks and private messages into its
// operations.
#include <memory>
#include <string>
#include <vector>

#include "app/main_controller.h"
#include "app/main_view.h"
#include "app/message_groups.h"
#include "toolkit/core/m_dialog.h"
#include "windows/key_function_menu.h"
#include "windows/key_menu_host.h"
#include "windows/first_frame_signal.h"
#include "windows/keyboard_view_adapter.h"
#include "windows/simulated_hotplug.h"
#include "windows/tray_icon.h"

namespace QxUI {
class MControlFont;
}

namespace qx {

class AppRegistry;

// Control ids of the main window.
enum MainControlId : UINT {
    kIdBackground = 30,
    kIdLightPanel = 31,
    kIdMacroPanel = 32,
    kIdClose = 33,
    kIdMinimise = 34,
    kIdConnection = 35,
    kIdLanguage = 36,
    kIdFirmware = 37,
    kIdReset = 38,
    kIdLogo = 39,
    kIdProfile = 40,
    kIdKeyboard = 41,
    kIdRuleLeft = 42,
    kIdRuleRight = 43,
    kIdLightTitle = 44,
    kIdMacroList = 90,
    kIdWatermark = 91,
    kIdCreateMacro = 92,
};

// Private messages the main window answers.
constexpr UINT kMessageExitRequest = 1091;
constexpr LPARAM kExitRequestCode = 610;
constexpr UINT kMessageLanguageMenu = 7640;
constexpr UINT kMessageProfileMenu = 7642;
// Private: the tray icon is added once the first frame is on screen.
constexpr UINT kMessageAddTrayIcon = WM_APP + 0x4B;

class QxKBMainDlg : public QxUI::MDialog, public MainView {
public:
    QxKBMainDlg(AppRegistry& registry, sim::SimulatedHid* simulator, std::wstring dataDir, std::wstring programDir);
    ~QxKBMainDlg() override;

    const wchar_t* GetWindowClassName() const override { return L"QxKBMainDlg"; }
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void InitUI(QxUI::CRect client) override;
    void UISize(QxUI::CRect client) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    BOOL OnLButtonDown(UINT flags, QxUI::CPoint point) override;
    void OnTimer(UINT id) override {}
    BOOL OnClose() override;
    BOOL OnDestroy() override;

    // Creates the window (1060 x 720, popup style, title "QxKBMainDlg"), running the controller's
    // start-up inside.
    HWND CreateMainWindow();

    // MainView
    void RegisterDeviceNotifications() override;
    void SetConnectionImage(const wchar_t* imageName) override;
    void ShowMessageBox(int textId, int width) override;
    // The message popup with any text, unless a popup of `group` is open (then 1 at once).
    int ShowMessageText(MessageGroup group, const std::wstring& text, int width = kMessageBoxWidth);
    void SetProfileTitle(int profile) override;
    void BuildLightingPage(int deviceType) override;
    void SetEffectButtonCheck(int buttonId, bool checked) override;
    MainKeyboardView& KeyboardView() override { return keyboard_; }  // the controller's view of it
    void RefreshMacroList() override;

    QxKBController& Controller() { return controller_; }

    // The macro editor for macroId (0: a new macro); the macro list is refreshed when it saved.
    void OpenMacroEditor(int macroId);

    // The lighting page of the current device type: places its buttons, and shows the firmware
    // button only for type 1 and the profile button only for types 2 and 3.
    void LayoutLightingPage(QxUI::CRect client);
    LRESULT ChooseLightEffect(UINT id);
    // Titles of every control that shows an interface text, in the current language.
    void RetitleControls();

private:
    // What the key-function menu asks of the window (its names clash with the view seam's).
    class MenuHost : public KeyMenuHost {
    public:
        explicit MenuHost(QxKBMainDlg& dlg) : dlg_(dlg) {}
        HWND MainWindow() override { return dlg_.GetSafeHwnd(); }
        bool IsConnected() override { return dlg_.controller_.IsConnected(); }
        int DeviceType() override { return dlg_.controller_.DeviceType(); }
        QxUI::QxKeyboardCtrl* KeyboardView() override { return dlg_.keyboard_.Control(); }
        void SetSelectedKey(uint32_t keyValue) override { dlg_.controller_.SetSelectedKey(keyValue); }
        void AssignKeyFunction(const KeyMacroRow& row) override { dlg_.controller_.AssignKeyFunction(row); }
        void SetSelectedKeysColor(uint32_t colour) override { dlg_.controller_.SetSelectedKeysColor(colour); }
        void ShowMessage(int textId) override { dlg_.ShowMessageBox(textId, kMessageBoxWidth); }
        void OpenMacroEditor(int macroId) override { dlg_.OpenMacroEditor(macroId); }
        ConfigDatabase& Database() override { return dlg_.controller_.Database(); }

    private:
        QxKBMainDlg& dlg_;
    };

    // The control with that id when it is of class T, else NULL.
    template <typename T>
    T* Control(UINT id) {
        return dynamic_cast<T*>(GetControl(id));
    }
    QxUI::MControl* MakeControl(const wchar_t* className, UINT id, const wchar_t* title, bool area);
    void SetImage(UINT id, const wchar_t* file, int states);
    void ExitProgram();
    void OnTrayMessage(LPARAM event);
    void OpenLanguageMenu();
    void OpenProfileMenu();
    void ChangeLanguage(int languageId);
    LRESULT StartFirmwareUpdate();
    LRESULT OnMacroListNotify(UINT code, LPARAM lParam);
    void DeleteSelectedMacro();
    void OnDeviceChange(WPARAM event, LPARAM lParam);
    void OnConnectionIndicator();

    AppRegistry& registry_;
    KeyboardViewAdapter keyboard_;
    QxKBController controller_;
    SimulatedHotplug hotplug_;
    TrayIcon tray_;
    MessageGroups messages_;
    FirstFrameSignal firstFrame_;
    bool trayRequested_ = false;
    // Declared after what it uses, so it goes (with its popups) before them.
    MenuHost menuHost_{*this};
    KeyFunctionMenu keyMenu_{menuHost_};
    int lightingType_ = 0;
    std::vector<QxUI::MControlFont*> effectButtons_;
};

}  // namespace qx
