#include "windows/qxkb_main_dlg.h"

#include <dbt.h>

#include "app/language.h"
#include "app/win32/single_instance.h"
#include "resources/ui_texts.h"
#include "toolkit/controls/c_area.h"
#include "toolkit/controls/m_text.h"
#include "toolkit/controls/new_button.h"
#include "toolkit/controls/qx_keyboard_ctrl.h"
#include "toolkit/controls/qx_list_box.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/ui_notify.h"
#include "toolkit/controls/light_mode_button.h"
#include "windows/lighting_page_layout.h"
#include "windows/main_window_images.h"
#include "windows/qxkb_msg_box.h"

namespace qx {

namespace {
constexpr DWORD kMainStyle = 0x96000000;  // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
constexpr int kMainWidth = 1060;
constexpr int kMainHeight = 720;
constexpr UINT kWindowIconResource = 107;
constexpr COLORREF kRuleColour = 0x846915;
}  // namespace

QxKBMainDlg::QxKBMainDlg(AppRegistry& registry, sim::SimulatedHid* simulator, std::wstring dataDir,
                         std::wstring programDir)
    : registry_(registry),
      controller_(*g_hidDeviceManager, registry, *this, std::move(dataDir), std::move(programDir)),
      hotplug_(simulator) {}

QxKBMainDlg::~QxKBMainDlg() {
    keyMenu_.CloseKeyMenus(true);
    controller_.Database().CloseDatabase();
    tray_.Remove();
}

HWND QxKBMainDlg::CreateMainWindow() {
    return Create(nullptr, L"QxKBMainDlg", kMainStyle, 0, QxUI::CRect(0, 0, kMainWidth, kMainHeight));
}

QxUI::MControl* QxKBMainDlg::MakeControl(const wchar_t* className, UINT id, const wchar_t* title, bool area) {
    return area ? CreateArea(className, id, QxUI::CRect(), title, 1, 1)
                : CreateControl(className, id, QxUI::CRect(), title, 1, 1);
}

void QxKBMainDlg::SetImage(UINT id, const wchar_t* file, int states) {
    if (auto* control = Control<QxUI::MControlFont>(id)) control->SetImage(file, states);
}

// --- start-up --------------------------------------------------------------------------------

BOOL QxKBMainDlg::OnInitDialog() {
    MDialog::OnInitDialog();
    ::SetPropW(GetSafeHwnd(), kAppKeyName, reinterpret_cast<HANDLE>(1));
    SetIcon(kWindowIconResource);
    // The keyboard gets its settings once the first frame is on the screen (see WM_PAINT).
    controller_.OpenCurrentModel();
    return TRUE;
}

void QxKBMainDlg::InitUI(QxUI::CRect client) {
    MakeControl(L"MPicture", kIdBackground, L"", true);
    SetImage(kIdBackground, image::kBackground, 1);
    MakeControl(L"MPicture", kIdLightPanel, L"", true);
    SetImage(kIdLightPanel, image::kLightPanel, 1);
    MakeControl(L"MPicture", kIdMacroPanel, L"", true);
    SetImage(kIdMacroPanel, image::kMacroPanel, 1);
    MakeControl(L"CImageButton", kIdClose, L"", false);
    SetImage(kIdClose, image::kClose, 4);
    MakeControl(L"CImageButton", kIdMinimise, L"", false);
    SetImage(kIdMinimise, image::kMinimise, 4);
    MakeControl(L"CImageButton", kIdConnection, L"", false);
    SetImage(kIdConnection, image::kNotConnected, 4);
    MakeControl(L"CImageButton", kIdLanguage, L"", false);
    SetImage(kIdLanguage, LanguageButtonImage(CurrentLanguage()), 4);
    MakeControl(L"CImageButton", kIdFirmware, L"", false);
    SetImage(kIdFirmware, image::kFirmware, 4);
    MakeControl(L"MPicture", kIdLogo, L"", true);
    SetImage(kIdLogo, image::kLogo, 1);
    if (auto* reset = dynamic_cast<QxUI::NewButton*>(MakeControl(L"NewButton", kIdReset, GetUIText(30).c_str(), false))) {
        reset->SetIconImage(image::kResetIcon, 1);
        reset->SetImage(image::kButton, 4);
    }
    if (auto* profile = dynamic_cast<QxUI::NewButton*>(MakeControl(L"NewButton", kIdProfile, L"", false))) {
        profile->SetIconImage(image::kProfileIcon, 1);
        profile->SetImage(image::kButton, 4);
    }
    if (auto* view = dynamic_cast<QxUI::QxKeyboardCtrl*>(MakeControl(L"QxKeyboardCtrl", kIdKeyboard, L"", false))) {
        view->SetKeyBkgImage(image::kKeyBackground);
        keyboard_.Attach(view);
    }
    for (UINT id : {kIdRuleLeft, kIdRuleRight})
        if (auto* rule = dynamic_cast<QxUI::CArea*>(MakeControl(L"CArea", id, L"", true)))
            rule->SetTransparent(0, 0, kRuleColour);
    if (auto* title = dynamic_cast<QxUI::MText*>(MakeControl(L"MText", kIdLightTitle, GetUIText(200).c_str(), true))) {
        title->SetTextColor(Gdiplus::Color(0xFFE6E6E6));
        title->SetAlignment(1);
        title->SetFont(L"Arial", 18, Gdiplus::FontStyleRegular);
    }
    if (auto* mark = dynamic_cast<QxUI::MText*>(MakeControl(L"MText", kIdWatermark, GetUIText(351).c_str(), true))) {
        mark->SetTextColor(Gdiplus::Color(0x64E6E6E6));
        mark->SetAlignment(1);
        mark->SetFont(L"Arial", 30, Gdiplus::FontStyleBold);
    }
    if (auto* list = dynamic_cast<QxUI::QxListBox*>(MakeControl(L"QxListBox", kIdMacroList, L"", false))) {
        list->SetDelBtnImage(image::kDeleteButton, 1);
        list->SetEditBtnImage(image::kEditButton, 1);
    }
    if (auto* create =
            dynamic_cast<QxUI::NewButton*>(MakeControl(L"NewButton", kIdCreateMacro, GetUIText(350).c_str(), false))) {
        create->SetIconImage(image::kCreateMacroIcon, 1);
        create->SetImage(image::kCreateMacroButton, 4);
    }
    if (controller_.DeviceType() != 0) BuildLightingPage(controller_.DeviceType());
    UISize(client);
}

void QxKBMainDlg::UISize(QxUI::CRect client) {
    if (!GetControl(kIdBackground)) return;
    const int W = client.Width(), H = client.Height();
    auto place = [this](UINT id, QxUI::CRect r) {
        if (QxUI::MControl* c = GetControl(id)) c->SetRect(r);
    };
    place(kIdBackground, QxUI::CRect(0, 0, W, H));
    place(kIdLightPanel, QxUI::CRect(20, H - 256, 788, H - 30));
    place(kIdMacroPanel, QxUI::CRect(W - 262, H - 256, W - 20, H - 30));
    place(kIdClose, QxUI::CRect(W - 90, 33, W - 47, 65));
    place(kIdMinimise, QxUI::CRect(W - 133, 33, W - 90, 65));
    place(kIdConnection, QxUI::CRect(W - 219, 33, W - 176, 65));
    place(kIdLanguage, QxUI::CRect(W - 176, 33, W - 133, 65));
    place(kIdFirmware, QxUI::CRect(W - 262, 33, W - 219, 65));
    place(kIdLogo, QxUI::CRect(55, 33, 227, 72));
    place(kIdReset, QxUI::CRect(20, 418, 143, 461));
    place(kIdProfile, QxUI::CRect(918, 418, 1041, 461));
    place(kIdRuleLeft, QxUI::CRect(30, 500, 330, 503));
    place(kIdRuleRight, QxUI::CRect(480, 500, 780, 503));
    place(kIdLightTitle, QxUI::CRect(335, 485, 475, 515));
    place(kIdWatermark, QxUI::CRect(808, 490, 1033, 660));
    place(kIdMacroList, QxUI::CRect(808, 490, 1033, 660));
    place(kIdCreateMacro, QxUI::CRect(808, 643, 1033, 686));
    LayoutLightingPage(client);
}

// --- the controller's view seam --------------------------------------------------------------

void QxKBMainDlg::RegisterDeviceNotifications() {
    // USB device, disk, HID and network adapter interface classes.
    static const GUID kClasses[] = {
        {0xA5DCBF10, 0x6530, 0x11D2, {0x90, 0x1F, 0x00, 0xC0, 0x4F, 0xB9, 0x51, 0xED}},
        {0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}},
        {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}},
        {0xAD498944, 0x762F, 0x11D0, {0x8D, 0xCB, 0x00, 0xC0, 0x4F, 0xC3, 0x35, 0x8C}},
    };
    for (const GUID& cls : kClasses) {
        DEV_BROADCAST_DEVICEINTERFACE_W filter = {};
        filter.dbcc_size = 32;
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = cls;
        RegisterDeviceNotificationW(GetSafeHwnd(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
}

void QxKBMainDlg::SetConnectionImage(const wchar_t* imageName) { SetImage(kIdConnection, imageName, 4); }

void QxKBMainDlg::ShowMessageBox(int textId, int width) {
    ShowMessageText(MessageGroupOfText(textId), GetUIText(textId), width);
}

int QxKBMainDlg::ShowMessageText(MessageGroup group, const std::wstring& text, int width) {
    return messages_.Show(group, [&] {
        QxKBMsgBox box(text, GetSafeHwnd());
        return static_cast<int>(box.Run(width));
    });
}

void QxKBMainDlg::SetProfileTitle(int profile) {
    if (auto* button = Control<QxUI::MControlFont>(kIdProfile)) button->SetTitle(GetUIText(30 + profile).c_str());
}

void QxKBMainDlg::SetEffectButtonCheck(int buttonId, bool checked) {
    for (QxUI::MControlFont* button : effectButtons_)
        if (static_cast<int>(button->GetControlID()) == buttonId) {
            if (auto* effect = dynamic_cast<QxUI::LightModeButton*>(button)) effect->SetCheck(checked ? 1 : 0);
        }
}

// --- notifications and messages --------------------------------------------------------------

LRESULT QxKBMainDlg::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    if (id == kIdKeyboard) return keyMenu_.OnKeyboardViewNotify(code);
    if (id == kIdMacroList) return OnMacroListNotify(code, lParam);
    if (code != QxUI::NOTIFY_CLICK) return 0;
    if (EffectNumberOfButton(static_cast<int>(id)) > 0) return ChooseLightEffect(id);
    switch (id) {
        case kIdClose:
            ShowWindow(SW_HIDE);
            return 1;
        case kIdMinimise:
            ShowWindow(SW_SHOWMINIMIZED);
            return 1;
        case kIdConnection:
            OnConnectionIndicator();
            return 1;
        case kIdLanguage:
            OpenLanguageMenu();
            return 1;
        case kIdFirmware:
            return StartFirmwareUpdate();
        case kIdReset:
            return controller_.ResetSettings() ? 1 : 0;
        case kIdProfile:
            OpenProfileMenu();
            return 1;
        case kIdCreateMacro:
            OpenMacroEditor(0);
            return 1;
        default:
            return 0;
    }
}

LRESULT QxKBMainDlg::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (hotplug_.Handle(GetSafeHwnd(), msg, wParam, lParam)) return 1;
    switch (msg) {
        case kTrayCallbackMessage:  // before the toolkit, which would take 1090 as its close request
            OnTrayMessage(lParam);
            return 0;
        case kMessageExitRequest:
            if (lParam == kExitRequestCode) ExitProgram();
            return 0;
        case kMessageLanguageMenu:
            if (wParam == QxUI::NOTIFY_CLICK) ChangeLanguage(static_cast<int>(lParam));
            return 0;
        case kMessageProfileMenu:
            if (wParam == QxUI::NOTIFY_CLICK && lParam >= 1 && lParam <= 5) controller_.ChangeProfile(static_cast<int>(lParam));
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kTrayExitCommand) ExitProgram();
            return 0;
        case WM_DEVICECHANGE:
            OnDeviceChange(wParam, lParam);
            return TRUE;
        case WM_PAINT: {
            const LRESULT painted = MDialog::OnWindowMessage(msg, wParam, lParam);
            firstFrame_.AfterPaint();
            // Within this message, so that whoever waits for the window to answer finds the
            // keyboard already up to date.
            controller_.FinishStart();
            // The tray icon costs a round trip to the shell: the window is shown first.
            if (!trayRequested_) {
                trayRequested_ = true;
                ::PostMessageW(GetSafeHwnd(), kMessageAddTrayIcon, 0, 0);
            }
            return painted;
        }
        case kMessageAddTrayIcon:
            tray_.Add(GetSafeHwnd(),
                      QxUI::MRender::LoadIconFromFile(QxUI::Manager::GetSkinDirectory() + L"QxKBDriver.ico"), L"QxKB");
            return 0;
        default:
            break;
    }
    // The colour dialog's 1834 is answered by the menu, which passes it to the controller.
    LRESULT menuResult = 0;
    if (keyMenu_.OnWindowMessage(msg, wParam, lParam, menuResult)) return menuResult;
    intptr_t answer = 0;
    if (controller_.OnControllerMessage(msg, wParam, lParam, answer)) return answer;
    return MDialog::OnWindowMessage(msg, wParam, lParam);
}

void QxKBMainDlg::OnDeviceChange(WPARAM event, LPARAM lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    if ((event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE) || !header ||
        header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE)
        return;
    const auto* info = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lParam);
    controller_.OnDeviceInterfaceChange(info->dbcc_name, static_cast<unsigned>(event));
}

BOOL QxKBMainDlg::OnLButtonDown(UINT flags, QxUI::CPoint point) {
    // A click into the window's own area closes every key-function popup.
    keyMenu_.CloseKeyMenus(true);
    MDialog::OnLButtonDown(flags, point);
    return 0;
}

BOOL QxKBMainDlg::OnClose() { return MDialog::OnClose(); }

BOOL QxKBMainDlg::OnDestroy() {
    tray_.Remove();
    ::RemovePropW(GetSafeHwnd(), kAppKeyName);
    return MDialog::OnDestroy();
}

void QxKBMainDlg::ExitProgram() {
    tray_.Remove();
    ::ExitProcess(0);
}

void QxKBMainDlg::OnTrayMessage(LPARAM event) {
    switch (event) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            ::SetForegroundWindow(GetSafeHwnd());
            ShowWindow(SW_SHOWNORMAL);
            ::UpdateWindow(GetSafeHwnd());
            ::BringWindowToTop(GetSafeHwnd());
            break;
        case WM_RBUTTONUP:
            TrayIcon::ShowMenu(GetSafeHwnd(), GetUIText(7));
            break;
        default:
            break;
    }
}

void QxKBMainDlg::OnConnectionIndicator() {
    if (!controller_.IsConnected()) ShowMessageBox(kTextPleaseConnect, kMessageBoxWidth);
}

}  // namespace qx
