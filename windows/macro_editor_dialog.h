#pragma once
// The macro editor: records a macro from the real keyboard and mouse through raw input, names
// it, sets how often it repeats, stores it and uploads the macro library. The rules it follows
// live in windows/macro_recording.h; this class is the window around them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "storage/config_database.h"
#include "toolkit/core/m_dialog.h"
#include "windows/macro_recording.h"

namespace qx {

// What the editor needs from whoever opens it.
struct MacroEditorHooks {
    // Uploads the whole macro library to the keyboard after every save; the stored macro is on
    // disk when it runs. The main window passes its controller's UploadMacros.
    std::function<void()> uploadLibrary;
    // Shows a short message to the user, owned by the editor window; without it the editor
    // shows a system message box.
    std::function<void(HWND owner, const std::wstring& text)> showMessage;
    // The millisecond counter delays are measured with; GetTickCount without it.
    std::function<uint32_t()> clock;
};

class QxKBMacroDlg : public QxUI::MDialog {
public:
    // macroId 0 makes a new macro; deviceType selects the model's database under dataDirectory
    // (the data root holding "db\").
    QxKBMacroDlg(int macroId, int deviceType, std::wstring dataDirectory, MacroEditorHooks hooks = {});
    // Closes the editor's database connection.
    ~QxKBMacroDlg() override;
    QxKBMacroDlg(const QxKBMacroDlg&) = delete;
    QxKBMacroDlg& operator=(const QxKBMacroDlg&) = delete;

    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void InitUI(QxUI::CRect client) override;
    void UISize(QxUI::CRect client) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;

    // Creates the window as every opener does: "QxKBMacroDlg", 850 x 475, owned by owner and
    // centred on it. NULL when the window could not be made.
    HWND CreateEditorWindow(HWND owner);

    // Shows the stored macro macroId: its name, repeat fields and steps.
    void LoadMacro(int macroId);
    // Starts a recording when none runs, stops the running one otherwise.
    void ToggleRecording();
    // Stores the macro and uploads the library; refused (false) while the name is empty.
    bool SaveMacro();

    int GetMacroId() const { return macroId_; }
    // Set by every save; the opener refreshes its macro lists when it is set.
    bool IsSaved() const { return saved_; }
    bool IsRecording() const { return recording_; }
    const std::vector<MacroRecordRow>& Steps() const { return recorder_.Steps(); }

private:
    void OnRawInput(HRAWINPUT input);
    void StopRecording();
    void SetRecordButton(int textId, const wchar_t* icon);
    void ShowSteps(std::size_t from);
    bool RegisterRawInput();
    std::wstring FieldText(UINT id);
    uint32_t Now() const;

    int macroId_;
    int deviceType_;
    std::wstring dataDirectory_;
    MacroEditorHooks hooks_;
    ConfigDatabase database_;
    MacroRecorder recorder_;
    bool recording_ = false;
    bool saved_ = false;
};

// The openers' call: runs the editor modally over owner and returns true when it saved
// something, so the caller refreshes its macro lists.
bool RunMacroEditor(HWND owner, int macroId, int deviceType, const std::wstring& dataDirectory,
                    MacroEditorHooks hooks);

}  // namespace qx
