#pragma once
#include "toolkit/core/m_window.h"
#include "toolkit/core/windows_include.h"

namespace QxUI {

class MControlFont;

// The in-place editor the list controls open over a row: a native "Edit" window (window class
// "PnEditWindow") that belongs to one owner control. It keeps the owner's title in step with
// what is typed (notification NOTIFY_EDIT_CHANGED to the owner's owner) and answers its own
// colour messages, which the paint manager reflects back to it.
//
// Ownership: the owner holds the object through one pointer (`slot`). When the native window is
// destroyed (with its parent window, or through Release) the editor clears that pointer, asks
// the owner to repaint and deletes itself; Release is the one way for an owner to let it go.
class QXUI_API CEditWindow : public MWindow {
public:
    CEditWindow(MControlFont* owner, CEditWindow** slot);
    ~CEditWindow() override;

    const wchar_t* GetWindowClassName() const override;  // "PnEditWindow"
    const wchar_t* GetSuperClassName() const override;   // "Edit"
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyMessage(HWND hwnd) override;

    // Creates the native window over `rect` (client coordinates of the owner's window; the
    // owner's rectangle narrowed to one text line when empty) with the owner's title, selected
    // and focused. An existing window is only moved. FALSE without a window to show.
    BOOL ShowEdit(CRect rect);
    // Moves an existing window to `rect` (client coordinates; screen ones for a layered owner).
    void MoveEdit(const CRect& rect);
    // Shows the window, puts the caret after the last character and gives it the focus.
    void ShowAndFocus();
    void HideEdit();
    CString GetText() const;
    void SetText(const wchar_t* text);

    // Settings used when the window is created.
    void SetDigitsOnly(BOOL digits) { m_digitsOnly = digits; }
    void SetLimitText(int limit) { m_limit = limit; }
    void SetReadOnly(BOOL readOnly) { m_readOnly = readOnly; }
    void SetPassword(BOOL password, wchar_t character = L'*') {
        m_password = password;
        m_passwordChar = character;
    }
    // COLORREF text and background; a background of -1 leaves the colouring to the system.
    void SetColors(COLORREF text, COLORREF background);
    BOOL GetCaretPhase() const { return m_caretPhase; }

    // Lets the owner go: the window, if any, is destroyed and the object deleted; `editor` is
    // cleared. The owner is not called back (it may be half destroyed).
    static void Release(CEditWindow*& editor);

private:
    BOOL IsLayeredOwner() const;
    HFONT EditFont();
    void OnTextChanged();

    MControlFont* m_owner;
    CEditWindow** m_slot;
    BOOL m_digitsOnly;
    BOOL m_readOnly;
    BOOL m_password;
    wchar_t m_passwordChar;
    int m_limit;
    COLORREF m_textColor;
    COLORREF m_backColor;
    HBRUSH m_brush;
    HFONT m_font;
    BOOL m_caretPhase;
};

}  // namespace QxUI
