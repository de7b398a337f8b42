#pragma once
#include "toolkit/core/m_window.h"

namespace QxUI {

class MEdit;

// The native edit window an MEdit shows while the user types (class "PnEditWindow", a
// superclass of "Edit"). It reports to its owner: every change of text (26), the loss of the
// keyboard focus (29); it drops typed characters when the owner turns character messages off.
// It lives until its window is destroyed and then deletes itself; its owner never deletes it.
class QXUI_API CEditWnd : public MWindow {
public:
    // Creates, sets up, shows and focuses the edit window for `owner`; NULL (nothing left
    // behind) when the window cannot be created.
    static CEditWnd* Open(MEdit* owner);
    // For the owner's destructor: forgets the owner, then destroys the window (which deletes
    // this object).
    void Release();

    const wchar_t* GetWindowClassName() const override { return L"PnEditWindow"; }
    const wchar_t* GetSuperClassName() const override { return L"Edit"; }
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyMessage(HWND hwnd) override;

private:
    explicit CEditWnd(MEdit* owner);
    ~CEditWnd() override;
    BOOL IsOwnerLayered() const;

    MEdit* m_owner;
    HBRUSH m_brush;
    BOOL m_created;
};

}  // namespace QxUI
