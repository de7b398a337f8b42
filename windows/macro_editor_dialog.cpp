#include "windows/macro_editor_dialog.h"

#include "app/language.h"
#include "device/device_types.h"
#include "resources/ui_texts.h"
#include "resources/win32/raw_input_win32.h"
#include "toolkit/controls/c_check_button.h"
#include "toolkit/controls/c_image_button.h"
#include "toolkit/controls/c_record_list.h"
#include "toolkit/controls/c_scroll_vertical.h"
#include "toolkit/controls/m_edit.h"
#include "toolkit/controls/m_picture.h"
#include "toolkit/controls/m_text.h"
#include "toolkit/controls/new_button.h"
#include "windows/macro_saving.h"

namespace qx {
namespace {

using QxUI::CRect;

constexpr UINT kBackground = 31;
constexpr UINT kClose = 33;
constexpr UINT kName = 34;
constexpr UINT kStepList = 35;
constexpr UINT kRecord = 36;
constexpr UINT kRecordOptions = 37;
constexpr UINT kRecordKeyboard = 38;
constexpr UINT kRecordMouse = 39;
constexpr UINT kRecordDelay = 40;
constexpr UINT kExecuteOptions = 41;
constexpr UINT kRepeatTimesLabel = 42;
constexpr UINT kRepeatTimes = 43;
constexpr UINT kTimesUnit = 44;
constexpr UINT kRepeatDelayLabel = 45;
constexpr UINT kRepeatDelay = 46;
constexpr UINT kMsUnit = 47;
constexpr UINT kSave = 51;

constexpr UINT kNotifyClick = 2;
constexpr int kEditorWidth = 850;
constexpr int kEditorHeight = 475;
constexpr DWORD kEditorStyle = 0x96000000;  // WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
constexpr int kCornerDiameter = 30;

constexpr int kTextRecord = 360;
constexpr int kTextStop = 361;
constexpr int kTextRecordOptions = 365;
constexpr int kTextRecordKeyboard = 366;
constexpr int kTextRecordMouse = 367;
constexpr int kTextRecordDelay = 368;
constexpr int kTextExecuteOptions = 370;
constexpr int kTextRepeatTimes = 371;
constexpr int kTextRepeatDelay = 372;
constexpr int kTextTimes = 373;
constexpr int kTextSave = 375;

const wchar_t kRecordIcon[] = L"\\icon\\icon_macro_rec.png";
const wchar_t kStopIcon[] = L"\\icon\\icon_macro_stoprec.png";

const Gdiplus::Color kDarkText(0xFF333333);
const Gdiplus::Color kHeadingText(0xFFA0A0A0);

// Where each control sits in a client area `width` wide (the editor is 850 x 475).
struct Placement {
    UINT id;
    int left, top, right, bottom;  // right measured from the right edge when negative
};
constexpr Placement kPlacements[] = {
    {kClose, -50, 15, -20, 45},
    {kName, 45, 80, 360, 127},
    {kStepList, 46, 140, 371, 350},
    {kRecord, 130, 360, 290, 396},
    {kRecordOptions, 390, 95, 590, 131},
    {kRecordKeyboard, 410, 150, 570, 180},
    {kRecordMouse, 410, 186, 570, 216},
    {kRecordDelay, 410, 222, 570, 252},
    {kExecuteOptions, 600, 95, 800, 131},
    {kRepeatTimesLabel, 620, 150, 710, 180},
    {kRepeatTimes, 710, 150, 760, 180},
    {kTimesUnit, 765, 150, 810, 180},
    {kRepeatDelayLabel, 620, 186, 710, 216},
    {kRepeatDelay, 710, 186, 760, 216},
    {kMsUnit, 765, 186, 810, 216},
    {kSave, 340, 428, 520, 464},
};

void SetUpNewButton(QxUI::NewButton* button, const wchar_t* icon) {
    if (!button) return;
    button->SetImage(L"img_button_macro_save.png", 4);
    button->SetIconImage(icon, 1);
    button->SetTextButtonColor(kDarkText, Gdiplus::Color(0xFFFFFFFF), Gdiplus::Color(0xFFFFFFFF),
                               Gdiplus::Color(0xFE808080));
}

void SetUpText(QxUI::MText* text, Gdiplus::Color colour, bool centred) {
    if (!text) return;
    text->SetTextColor(colour);
    if (centred) text->SetAlignment(1);
}

void SetUpCheck(QxUI::CCheckButton* check) {
    if (!check) return;
    check->SetImage(L"img_check_macro.png", 8);
    check->SetCheck(1);
    check->SetTextColor(kDarkText);
}

void SetUpRepeatField(QxUI::MEdit* edit, int limit) {
    if (!edit) return;
    edit->SetImage(L"img_edit.png", 4);
    edit->SetLimitText(limit);
    edit->SetNumberOnly(TRUE);
    edit->SetEditText(L"1");
    edit->SetEditBKColor(0xFFFFFF);
}

}  // namespace

QxKBMacroDlg::QxKBMacroDlg(int macroId, int deviceType, std::wstring dataDirectory, MacroEditorHooks hooks)
    : macroId_(macroId), deviceType_(deviceType), dataDirectory_(std::move(dataDirectory)), hooks_(std::move(hooks)) {
    m_roundCorner = kCornerDiameter;
}

QxKBMacroDlg::~QxKBMacroDlg() {
    // The window must not call back into a half-destroyed editor.
    DetachAndDestroy();
    if (database_.IsOpen()) database_.CloseDatabase();
}

HWND QxKBMacroDlg::CreateEditorWindow(HWND owner) {
    HWND hwnd = Create(owner, L"QxKBMacroDlg", kEditorStyle, 0, CRect(0, 0, kEditorWidth, kEditorHeight));
    if (hwnd) CenterWindow();
    return hwnd;
}

BOOL QxKBMacroDlg::OnInitDialog() {
    const BOOL result = MDialog::OnInitDialog();
    if (FindDeviceType(deviceType_) != nullptr) database_.OpenForModel(dataDirectory_, ModelNameOf(deviceType_));
    if (macroId_ > 0) LoadMacro(macroId_);
    return result;
}

void QxKBMacroDlg::InitUI(CRect client) {
    using namespace QxUI;
    if (auto* back = dynamic_cast<MPicture*>(CreateArea(L"MPicture", kBackground, CRect(), L"", 1, 1)))
        back->SetImage(L"img_macrobkg.png", 1);
    if (auto* close = dynamic_cast<CImageButton*>(CreateControl(L"CImageButton", kClose, CRect(), L"", 1, 1))) {
        close->SetImage(L"img_btn_macro_close.png", 4);
        close->SetTooltip(L"close window");
    }
    if (auto* name = dynamic_cast<MEdit*>(CreateControl(L"MEdit", kName, CRect(), L"", 1, 1))) {
        name->SetLimitText(120);
        name->SetEditBKColor(0xF0E8E1);
        name->SetTextColor(kDarkText);
    }
    if (auto* list = dynamic_cast<CRecordList*>(CreateControl(L"CRecordList", kStepList, CRect(), L"", 1, 1)))
        list->SetTextColor(kDarkText);
    SetUpNewButton(dynamic_cast<NewButton*>(CreateControl(L"NewButton", kRecord, CRect(),
                                                          GetUIText(kTextRecord).c_str(), 1, 1)),
                   kRecordIcon);
    SetUpText(dynamic_cast<MText*>(CreateArea(L"MText", kRecordOptions, CRect(),
                                              GetUIText(kTextRecordOptions).c_str(), 1, 1)),
              kHeadingText, true);
    for (auto [id, text] : {std::pair{kRecordKeyboard, kTextRecordKeyboard}, std::pair{kRecordMouse, kTextRecordMouse},
                            std::pair{kRecordDelay, kTextRecordDelay}})
        SetUpCheck(dynamic_cast<CCheckButton*>(CreateControl(L"CCheckButton", id, CRect(), GetUIText(text).c_str(), 1, 1)));
    SetUpText(dynamic_cast<MText*>(CreateArea(L"MText", kExecuteOptions, CRect(),
                                              GetUIText(kTextExecuteOptions).c_str(), 1, 1)),
              kHeadingText, true);
    for (auto [id, text] : {std::pair{kRepeatTimesLabel, GetUIText(kTextRepeatTimes)},
                            std::pair{kTimesUnit, GetUIText(kTextTimes)},
                            std::pair{kRepeatDelayLabel, GetUIText(kTextRepeatDelay)},
                            std::pair{kMsUnit, std::wstring(L"MS")}})
        SetUpText(dynamic_cast<MText*>(CreateArea(L"MText", id, CRect(), text.c_str(), 1, 1)), kDarkText, false);
    SetUpRepeatField(dynamic_cast<MEdit*>(CreateControl(L"MEdit", kRepeatTimes, CRect(), L"", 1, 1)), 3);
    SetUpRepeatField(dynamic_cast<MEdit*>(CreateControl(L"MEdit", kRepeatDelay, CRect(), L"", 1, 1)), 5);
    SetUpNewButton(dynamic_cast<NewButton*>(CreateControl(L"NewButton", kSave, CRect(),
                                                          GetUIText(kTextSave).c_str(), 1, 1)),
                   L"\\icon\\icon_macro_save.png");
    UISize(client);
}

void QxKBMacroDlg::UISize(CRect client) {
    // WM_SIZE comes during creation too, before the controls exist.
    if (auto* back = GetControl(kBackground)) back->SetRect(client);
    const int width = client.Width();
    for (const Placement& p : kPlacements) {
        QxUI::MControl* control = GetControl(p.id);
        if (!control) continue;
        const int left = p.left < 0 ? width + p.left : p.left;
        const int right = p.right < 0 ? width + p.right : p.right;
        control->SetRect(CRect(left, p.top, right, p.bottom));
    }
}

LRESULT QxKBMacroDlg::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INPUT) OnRawInput(reinterpret_cast<HRAWINPUT>(lParam));
    return MDialog::OnWindowMessage(msg, wParam, lParam);
}

LRESULT QxKBMacroDlg::OnMessage(UINT id, UINT code, UINT, LPARAM) {
    if (code != kNotifyClick) return 0;
    switch (id) {
    case kClose: DoCancel(); return 1;
    case kRecord: ToggleRecording(); return 1;
    case kSave: SaveMacro(); return 1;
    default: return 1;
    }
}

void QxKBMacroDlg::LoadMacro(int macroId) {
    auto* list = dynamic_cast<QxUI::CRecordList*>(GetControl(kStepList));
    if (list) list->DeleteAllItems();
    MacroRow macro;
    if (database_.GetMacro(macroId, macro)) {
        if (auto* name = GetControl(kName)) static_cast<QxUI::MEdit*>(name)->SetControlTitle(macro.name.c_str());
        if (auto* times = GetControl(kRepeatTimes))
            static_cast<QxUI::MEdit*>(times)->SetControlTitle(std::to_wstring(macro.playTimes).c_str());
        if (auto* delay = GetControl(kRepeatDelay))
            static_cast<QxUI::MEdit*>(delay)->SetControlTitle(std::to_wstring(macro.delayTime).c_str());
    }
    std::vector<MacroRecordRow> steps;
    database_.GetMacroRecords(macroId, steps);
    recorder_.Load(std::move(steps));
    ShowSteps(0);
}

void QxKBMacroDlg::ShowSteps(std::size_t from) {
    auto* list = dynamic_cast<QxUI::CRecordList*>(GetControl(kStepList));
    if (!list) return;
    const std::vector<MacroRecordRow>& steps = recorder_.Steps();
    for (std::size_t i = from; i < steps.size(); ++i) {
        const std::wstring line = StepLine(static_cast<int>(i) + 1, steps[i]);
        list->AddString(line.c_str(), static_cast<long>(i), StepIconKind(steps[i]));
    }
    list->UpdateControl(TRUE);
}

void QxKBMacroDlg::ToggleRecording() {
    if (recording_) {
        StopRecording();
        return;
    }
    RecordOptions options;
    auto checked = [this](UINT id) {
        auto* check = dynamic_cast<QxUI::CCheckButton*>(GetControl(id));
        return check == nullptr || check->GetCheck() != 0;
    };
    options.keyboard = checked(kRecordKeyboard);
    options.mouse = checked(kRecordMouse);
    options.delay = checked(kRecordDelay);
    SetRecordButton(kTextStop, kStopIcon);
    if (auto* list = dynamic_cast<QxUI::CRecordList*>(GetControl(kStepList))) {
        list->DeleteAllItems();
        list->UpdateControl(TRUE);
    }
    recorder_.Start(options);
    recording_ = true;
    // A registration that fails once is tried once more.
    if (!RegisterRawInput()) RegisterRawInput();
}

void QxKBMacroDlg::StopRecording() {
    // The registration stays: events that come while not recording are ignored.
    recording_ = false;
    SetRecordButton(kTextRecord, kRecordIcon);
}

void QxKBMacroDlg::SetRecordButton(int textId, const wchar_t* icon) {
    auto* button = dynamic_cast<QxUI::NewButton*>(GetControl(kRecord));
    if (!button) return;
    button->SetIconImage(icon, 1);
    button->SetControlTitle(GetUIText(textId).c_str());
    button->UpdateControl(TRUE);
}

bool QxKBMacroDlg::RegisterRawInput() {
    RAWINPUTDEVICE devices[2] = {};
    devices[0].usUsagePage = 1;
    devices[0].usUsage = 2;  // mouse
    devices[0].dwFlags = RIDEV_INPUTSINK;
    devices[0].hwndTarget = GetSafeHwnd();
    devices[1] = devices[0];
    devices[1].usUsage = 6;  // keyboard
    return RegisterRawInputDevices(devices, 2, sizeof(RAWINPUTDEVICE)) != FALSE;
}

uint32_t QxKBMacroDlg::Now() const { return hooks_.clock ? hooks_.clock() : GetTickCount(); }

void QxKBMacroDlg::OnRawInput(HRAWINPUT input) {
    if (!recording_) return;
    RawInputEvent event;
    if (!DecodeRawInput(input, event)) return;
    bool onStopButton = false;
    if (event.kind == kRawKindMouse) {
        if (QxUI::MControl* button = GetControl(kRecord)) {
            RECT box = button->GetRect();
            ClientToScreen(&box);
            POINT cursor{};
            onStopButton = GetCursorPos(&cursor) && PtInRect(&box, cursor);
        }
    }
    const std::size_t before = recorder_.Steps().size();
    if (recorder_.OnEvent(event, Now(), onStopButton) == 0) return;
    ShowSteps(before);
    // The newest step stays in sight while the recording grows past the list's height.
    auto* list = dynamic_cast<QxUI::CRecordList*>(GetControl(kStepList));
    if (list && list->GetScrollVertical()) {
        list->GetScrollVertical()->SetScrollCurrentPos(list->GetScrollVertical()->GetScrollMaxRange());
        list->UpdateControl(TRUE);
    }
}

std::wstring QxKBMacroDlg::FieldText(UINT id) {
    auto* edit = dynamic_cast<QxUI::MEdit*>(GetControl(id));
    if (!edit) return std::wstring();
    const QxUI::CString text = edit->GetEditText();
    return std::wstring(text.GetString(), static_cast<std::size_t>(text.GetLength()));
}

bool QxKBMacroDlg::SaveMacro() {
    if (recording_) StopRecording();
    MacroToSave macro;
    macro.name = FieldText(kName);
    if (macro.name.empty()) {
        const std::wstring text = EmptyMacroNameMessage(CurrentLanguage());
        if (hooks_.showMessage) {
            hooks_.showMessage(GetSafeHwnd(), text);
        } else {
            MessageBoxW(GetSafeHwnd(), text.c_str(), GetUIText(kTextSave).c_str(), MB_OK);
        }
        return false;
    }
    macro.playTimes = PlayTimesFromField(FieldText(kRepeatTimes));
    macro.delayTime = RepeatFieldValue(FieldText(kRepeatDelay));
    macro.steps = recorder_.Steps();
    qx::SaveMacro(database_, macroId_, macro);
    if (hooks_.uploadLibrary) hooks_.uploadLibrary();
    saved_ = true;
    return true;
}

bool RunMacroEditor(HWND owner, int macroId, int deviceType, const std::wstring& dataDirectory,
                    MacroEditorHooks hooks) {
    QxKBMacroDlg editor(macroId, deviceType, dataDirectory, std::move(hooks));
    if (!editor.CreateEditorWindow(owner)) return false;
    editor.ShowModal(5);  // SW_SHOW
    return editor.IsSaved();
}

}  // namespace qx
