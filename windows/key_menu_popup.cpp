#include "windows/key_menu_popup.h"

namespace qx {

namespace {
// Hidden until ShowAt has placed it: shown at creation it would flash at the screen origin.
constexpr DWORD kPopupStyle = 0x86000000;   // WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
constexpr int kCornerDiameter = 30;
}  // namespace

KeyMenuPopup::KeyMenuPopup(HWND owner) : owner_(owner) { m_roundCorner = kCornerDiameter; }

BOOL KeyMenuPopup::OnInitDialog() {
    MDialog::OnInitDialog();
    SetBackMode(QxUI::BACK_MODE_FRAME, 20);
    LoadBKImage(QxUI::CString(L"img_menubkg_keyfunc.png"));
    SetLayeredWindow(TRUE);
    return TRUE;
}

HWND KeyMenuPopup::CreatePopup(const wchar_t* title, int width, int height) {
    return Create(owner_, title, kPopupStyle, 0, QxUI::CRect(0, 0, width, height));
}

void KeyMenuPopup::ShowAt(POINT screenPoint) {
    if (!GetSafeHwnd()) return;
    RECT r;
    ::GetWindowRect(GetSafeHwnd(), &r);
    MoveWindow(screenPoint.x, screenPoint.y, r.right - r.left, r.bottom - r.top, TRUE);
    ShowWindow(SW_SHOW);
}

void KeyMenuPopup::PostToOwner(UINT message, LPARAM lParam) const {
    if (owner_) ::PostMessageW(owner_, message, 0, lParam);
}

}  // namespace qx
