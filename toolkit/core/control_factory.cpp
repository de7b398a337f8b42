#include "toolkit/core/control_factory.h"

#include <cwchar>

#include "toolkit/core/m_control.h"

namespace QxUI {

namespace {
struct FactoryEntry {
    const wchar_t* name;
    bool inPanel;
};

// Every class name the toolkit can create; `inPanel` marks the names a panel's factory knows.
const FactoryEntry kNames[] = {
    {L"CArea", true},           {L"MText", true},           {L"MPicture", true},
    {L"CPhotoFrame", true},     {L"CSliderPicture", true},  {L"CGifPicture", true},
    {L"MProgress", true},       {L"MSlider", true},         {L"MLevelCtrl", true},
    {L"MButton", true},         {L"CImageButton", true},    {L"CTextButton", true},
    {L"CCheckButton", true},    {L"CRadioButton", true},    {L"LightModeButton", false},
    {L"CSelectButton", true},   {L"CColorButton", true},    {L"MSpinButton", true},
    {L"CSpinButton", true},     {L"CSwitchButton", true},   {L"CIconButton", true},
    {L"CTimerButton", true},    {L"CHelpButton", true},     {L"MEdit", true},
    {L"MRichEdit", true},       {L"MEditEx", true},         {L"MComboBox", true},
    {L"MTabCtrl", true},        {L"MTabLayout", true},      {L"MListBox", true},
    {L"MPalette", true},        {L"CColorPalette", true},   {L"MPaletteBar", true},
    {L"CColorSelect", true},    {L"CirclePalette", true},   {L"CComboBoxList", false},
    {L"MenuItem", true},        {L"CDeviceCtrl", false},    {L"TextCheckButton", false},
    {L"CTextArea", false},      {L"CGDIText", false},       {L"GDIButton", false},
    {L"CGDITextButton", false}, {L"CGDICheckButton", false}, {L"DPIControl", false},
    {L"QxListBox", false},      {L"CRecordList", true},     {L"MComboBoxEdit", true},
    {L"NewButton", true},       {L"QxKeyboardCtrl", false}, {L"PicturePalette", true},
    {L"MoveShowText", false},   {L"ProfileButton", false},
};
constexpr size_t kNameCount = sizeof(kNames) / sizeof(kNames[0]);

// Makers by table row, filled at load time by the control classes' registrations. A plain
// array of function pointers is zero-initialised before any dynamic initialiser runs, so the
// order in which the control sources register does not matter.
ControlMaker g_makers[kNameCount];

int FindName(const wchar_t* className) {
    if (!className || !*className) return -1;
    for (size_t i = 0; i < kNameCount; ++i)
        if (std::wcscmp(kNames[i].name, className) == 0) return static_cast<int>(i);
    return -1;
}

MControl* Make(int row, MObject* parent, UINT id, CRect rect, const wchar_t* title, int a, int b) {
    if (row < 0 || !g_makers[row]) return nullptr;
    return g_makers[row](parent, id, rect, title ? title : L"", a, b);
}
}  // namespace

MControl* ControlFactory::Create(MObject* parent, const wchar_t* className, UINT id, CRect rect, const wchar_t* title,
                                 int a, int b) {
    return Make(FindName(className), parent, id, rect, title, a, b);
}

MControl* ControlFactory::CreateInPanel(MObject* parent, const wchar_t* className, UINT id, CRect rect,
                                        const wchar_t* title, int a, int b) {
    int row = FindName(className);
    if (row < 0 || !kNames[row].inPanel) return nullptr;
    return Make(row, parent, id, rect, title, a, b);
}

BOOL ControlFactory::Register(const wchar_t* className, ControlMaker make) {
    int row = FindName(className);
    if (row < 0 || !make || g_makers[row]) return FALSE;
    g_makers[row] = make;
    return TRUE;
}

BOOL ControlFactory::IsKnownName(const wchar_t* className) { return FindName(className) >= 0; }

BOOL ControlFactory::IsPanelName(const wchar_t* className) {
    int row = FindName(className);
    return row >= 0 && kNames[row].inPanel;
}

BOOL ControlFactory::IsRegistered(const wchar_t* className) {
    int row = FindName(className);
    return row >= 0 && g_makers[row] != nullptr;
}

}  // namespace QxUI
