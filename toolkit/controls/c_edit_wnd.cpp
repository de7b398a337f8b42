#include "toolkit/controls/c_edit_wnd.h"

#include "toolkit/controls/m_edit.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

namespace {
// The paint manager reflects these to the child that sent them, shifted by 0x2000.
constexpr UINT kReflect = 0x2000;
}  // namespace

CEditWnd::CEditWnd(MEdit* owner) : m_owner(owner), m_brush(nullptr), m_created(FALSE) {}

CEditWnd::~CEditWnd() {
    if (m_brush) ::DeleteObject(m_brush);
}

BOOL CEditWnd::IsOwnerLayered() const {
    return m_owner && m_owner->GetManager() && m_owner->GetManager()->IsLayered();
}

CEditWnd* CEditWnd::Open(MEdit* owner) {
    if (!owner || !owner->GetManager()) return nullptr;
    HWND paint = owner->GetManager()->GetPaintWnd();
    if (!paint) return nullptr;
    auto* window = new CEditWnd(owner);
    CRect box = owner->EditWindowBox();
    DWORD style = window->IsOwnerLayered() ? (WS_POPUP | WS_VISIBLE) : WS_CHILD;
    style |= owner->IsMultLineMode() ? (ES_MULTILINE | ES_AUTOVSCROLL) : ES_AUTOHSCROLL;
    UINT h = 0, v = 0;
    owner->GetAlignment(h, v);
    if (h == 1) style |= ES_CENTER;
    if (h == 2) style |= ES_RIGHT;
    if (owner->IsPassWordMode()) style |= ES_PASSWORD;
    if (!window->Create(paint, L"", style, 0, box)) {
        delete window;  // no window, so no destroy message will ever delete it
        return nullptr;
    }
    window->SendMessageW(WM_SETFONT, reinterpret_cast<WPARAM>(owner->GetDefaultFont()), TRUE);
    window->SendMessageW(EM_LIMITTEXT, static_cast<WPARAM>(owner->GetLimitText()), 0);
    if (owner->IsPassWordMode()) window->SendMessageW(EM_SETPASSWORDCHAR, owner->GetPassWordChar(), 0);
    window->SetWindowTextW(owner->GetTitleEx());
    window->SendMessageW(EM_SETMODIFY, FALSE, 0);
    window->SendMessageW(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    window->EnableWindow(owner->IsEnabled());
    window->SendMessageW(EM_SETREADONLY, owner->IsReadOnly(), 0);
    if (owner->IsNumberOnly()) window->ModifyStyle(0, ES_NUMBER);
    window->ShowWindow(SW_SHOWNOACTIVATE);
    window->SetFocus();
    window->SendMessageW(EM_SETSEL, 0, -1);
    window->m_created = TRUE;
    return window;
}

void CEditWnd::Release() {
    m_owner = nullptr;
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    else
        delete this;
}

LRESULT CEditWnd::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KILLFOCUS:
        if (m_owner) m_owner->SendMessageW(NOTIFY_EDIT_CLOSED);
        break;
    case WM_CHAR:
        if (m_owner && !m_owner->GetCharMessage()) return 1;
        break;
    case WM_PRINT:
        if (IsOwnerLayered()) return 0;
        break;
    case kReflect + WM_COMMAND:
        if (!m_owner) return 0;
        if (HIWORD(wParam) == EN_CHANGE && m_created) {
            CString text;
            GetWindowTextW(text);
            if (text != m_owner->GetTitleEx()) {
                m_owner->SetEditText(text);
                m_owner->SendMessageW(NOTIFY_EDIT_CHANGED);
                m_owner->UpdateControl(TRUE);
            }
        } else if (HIWORD(wParam) == EN_UPDATE) {
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        return 0;
    case kReflect + WM_CTLCOLOREDIT:
    case kReflect + WM_CTLCOLORSTATIC: {
        if (!m_owner || m_owner->GetEditBKColor() == 0xFFFFFFFF) return 0;
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, m_owner->GetEditTextColor());
        if (!m_brush) m_brush = ::CreateSolidBrush(m_owner->GetEditBKColor());
        return reinterpret_cast<LRESULT>(m_brush);
    }
    default:
        break;
    }
    return MWindow::OnWindowMessage(msg, wParam, lParam);
}

void CEditWnd::OnDestroyMessage(HWND) {
    // A window that never finished opening belongs to Open, which deletes the object itself.
    if (!m_created) return;
    if (m_owner) {
        m_owner->UpdateControl(TRUE);
        m_owner->SetEditWindow(nullptr);
    }
    delete this;
}

}  // namespace QxUI
