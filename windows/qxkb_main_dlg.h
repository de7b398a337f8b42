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
    void SetProfileTitle(int profile) override;
    void BuildLightingPage(int deviceType) override;
    void SetEffectButtonCheck(int buttonId, bool checked) override;
    MainKeyboardView& KeyboardView() override { return keyboard_; }
    void RefreshMacroList() override;

    QxKBController& Controller() { return controller_; }

    // The lighting page of the current device type: places its buttons, and shows the firmware
    // button only for type 1 and the profile button only for types 2 and 3.
    void LayoutLightingPage(QxUI::CRect client);
    LRESULT ChooseLightEffect(UINT id);
    // Titles of every control that shows an interface text, in the current language.
    void RetitleControls();

private:
    template <typename T>
    T* Control(UINT id);
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
    void OpenMacroEditor(int macroId);
    void OnDeviceChange(WPARAM event, LPARAM lParam);
    void OnConnectionIndicator();

    AppRegistry& registry_;
    KeyboardViewAdapter keyboard_;
    QxKBController controller_;
    SimulatedHotplug hotplug_;
    TrayIcon tray_;
    MessageGroups messages_;
    int lightingType_ = 0;
    std::vector<QxUI::MControlFont*> effectButtons_;
};

}  // namespace qx
