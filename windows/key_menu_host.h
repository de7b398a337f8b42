#pragma once
// What the key-function menu needs of the main window. The main window implements it (with its
// controller behind most calls); tests implement it with a small window of their own.
#include <windows.h>

#include <cstdint>

namespace QxUI { class QxKeyboardCtrl; }

namespace qx {

class ConfigDatabase;
struct KeyMacroRow;

class KeyMenuHost {
public:
    virtual ~KeyMenuHost() = default;
    // Owner of every popup and receiver of the messages they post (1624, 1625, 1834-1836).
    virtual HWND MainWindow() = 0;
    // Whether a keyboard is connected now.
    virtual bool IsConnected() = 0;
    // The current keyboard model's type (1, 2, 3, 5 or 6).
    virtual int DeviceType() = 0;
    // The keyboard picture the clicks come from; may be null while the page is not built.
    virtual QxUI::QxKeyboardCtrl* KeyboardView() = 0;
    // The key clicked last; the next AssignKeyFunction gives it its function
    // (QxKBController::SetSelectedKey).
    virtual void SetSelectedKey(uint32_t keyValue) = 0;
    // Stores, shows and sends row for the selected key, then confirms with "Set Successful!"
    // (QxKBController::AssignKeyFunction).
    virtual void AssignKeyFunction(const KeyMacroRow& row) = 0;
    // Colours the frame-selected keys (QxKBController::SetSelectedKeysColor).
    virtual void SetSelectedKeysColor(uint32_t colour) = 0;
    // The self-closing message popup with interface text textId (ShowMessageBox(textId, 260)).
    virtual void ShowMessage(int textId) = 0;
    // The macro editor, exactly as the create-macro button opens it: macroId 0 for a new macro;
    // refreshes the macro list when it saved.
    virtual void OpenMacroEditor(int macroId) = 0;
    // The current model's open configuration database (GetMacro, GetMacros).
    virtual ConfigDatabase& Database() = 0;
};

}  // namespace qx
