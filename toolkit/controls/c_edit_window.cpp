#include "toolkit/controls/c_edit_window.h"

#include <cwchar>

#include "toolkit/controls/list_geometry.h"
#include "toolkit/core/m_control_font.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

namespace {
constexpr UINT kReflect = 0x2000;  // the paint manager reflects child messages at msg + 0x2000
constexpr UINT_PTR kCaretBlinkTimer = 6553;
constexpr COLORREF kNoColor = static_cast<COLORREF>(-1);
}  // namespace

CEditWindow::CEditWindow(MControlFont* owner, CEditWindow** slot)
    : m_owner(owner),
      m_slot(slot),
      m_digitsOnly(FALSE),
      m_readOnly(FALSE),
      m_password(FALSE),
      m_passwordChar(L'*'),
      m_limit(120),
      m_textColor(0xFFFFFF),
      m_backColor(0x363B3E),
      m_brush(nullptr),
      m_font(nullptr),
      m_caretPhase(FALSE) {}

CEditWindow::~CEditWindow() {
    // A window that outlives its object must not call back into it; font and brush go after it.
    if (IsLive()) DetachAndDestroy();
    if (m_brush) ::DeleteObject(m_brush);
    if (m_font) ::DeleteObject(m_font);
}

const wchar_t* CEditWindow::GetWindowClassName() const { return L"PnEditWindow"; }
const wchar_t* CEditWindow::GetSuperClassName() const { return L"Edit"; }

void CEditWindow::Release(CEditWindow*& editor) {
    CEditWindow* e = editor;
    editor = nullptr;
    if (!e) return;
    e->m_owner = nullptr;
    e->m_slot = nullptr;
    delete e;
}

void CEditWindow::SetColors(COLORREF text, COLORREF background) {
    m_textColor = text;
    m_backColor = background;
    if (m_brush) ::DeleteObject(m_brush);
    m_brush = nullptr;
    if (IsLive()) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

BOOL CEditWindow::IsLayeredOwner() const {
    return m_owner && m_owner->GetManager() && m_owner->GetManager()->IsLayered();
}

HFONT CEditWindow::EditFont() {
    if (m_font || !m_owner) return m_font;
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    std::wcsncpy(lf.lfFaceName, m_owner->GetTextFont(), LF_FACESIZE - 1);
    lf.lfFaceName[LF_FACESIZE - 1] = L'\0';
    lf.lfHeight = m_owner->GetFontWidth() + 6;
    int style = m_owner->GetFontStyle();
    lf.lfWeight = (style & Gdiplus::FontStyleBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style & Gdiplus::FontStyleItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style & Gdiplus::FontStyleUnderline) ? TRUE : FALSE;
    m_font = ::CreateFontIndirectW(&lf);
    return m_font;
}

BOOL CEditWindow::ShowEdit(CRect rect) {
    if (IsLive()) {
        MoveEdit(rect);
        return TRUE;
    }
    if (!m_owner || !m_owner->GetManager()) return FALSE;
    HWND parent = m_owner->GetManager()->GetPaintWnd();
    if (!parent || !::IsWindow(parent)) return FALSE;
    if (rect.IsRectEmpty()) rect = DefaultEditRect(m_owner->GetRect(), m_owner->GetFontWidth());

    UINT h = 0, v = 0;
    m_owner->GetAlignment(h, v);
    DWORD align = (h & 1) ? ES_CENTER : (h & 2) ? ES_RIGHT : 0;
    DWORD style = WS_CHILD | ES_AUTOHSCROLL | align;
    if (IsLayeredOwner()) {
        // A layered window shows no child windows: the editor floats above it instead.
        style = WS_POPUP | WS_VISIBLE | ES_AUTOHSCROLL | align;
        ::ClientToScreen(parent, reinterpret_cast<POINT*>(&rect.left));
        ::ClientToScreen(parent, reinterpret_cast<POINT*>(&rect.right));
    }
    if (m_password) style |= ES_PASSWORD;
    if (m_digitsOnly) style |= ES_NUMBER;
    if (!Create(parent, m_owner->GetTitle(), style, 0, rect)) return FALSE;

    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(EditFont()), FALSE);
    ::SendMessageW(m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(m_limit), 0);
    if (m_password) ::SendMessageW(m_hWnd, EM_SETPASSWORDCHAR, m_passwordChar, 0);
    ::SetWindowTextW(m_hWnd, m_owner->GetTitle());
    ::SendMessageW(m_hWnd, EM_SETMODIFY, FALSE, 0);
    ::SendMessageW(m_hWnd, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(3, 3));
    ::EnableWindow(m_hWnd, m_owner->IsEnabled());
    if (m_readOnly) ::SendMessageW(m_hWnd, EM_SETREADONLY, TRUE, 0);
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::SetFocus(m_hWnd);
    ::SendMessageW(m_hWnd, EM_SETSEL, 0, -1);
    if (IsLayeredOwner()) ::SetTimer(m_hWnd, kCaretBlinkTimer, ::GetCaretBlinkTime(), nullptr);
    return TRUE;
}

void CEditWindow::MoveEdit(const CRect& rect) {
    if (!IsLive()) return;
    CRect r = rect;
    if (IsLayeredOwner()) {
        HWND parent = m_owner->GetManager()->GetPaintWnd();
        ::ClientToScreen(parent, reinterpret_cast<POINT*>(&r.left));
        ::ClientToScreen(parent, reinterpret_cast<POINT*>(&r.right));
    }
    ::MoveWindow(m_hWnd, r.left, r.top, r.Width(), r.Height(), TRUE);
}

void CEditWindow::ShowAndFocus() {
    if (!IsLive()) return;
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::SetFocus(m_hWnd);
    int length = ::GetWindowTextLengthW(m_hWnd);
    ::SendMessageW(m_hWnd, EM_SETSEL, length, length);
}

void CEditWindow::HideEdit() {
    if (IsLive()) ::ShowWindow(m_hWnd, SW_HIDE);
}

CString CEditWindow::GetText() const {
    CString text;
    if (IsLive()) GetWindowTextW(text);
    return text;
}

void CEditWindow::SetText(const wchar_t* text) {
    if (IsLive()) ::SetWindowTextW(m_hWnd, text ? text : L"");
}

void CEditWindow::OnTextChanged() {
    if (!m_owner) return;
    CString text = GetText();
    if (text == m_owner->GetTitle()) return;
    m_owner->SetControlTitle(text);
    if (MObject* owner = m_owner->GetParantObject())
        owner->OnBaseMessage(m_owner->GetControlID(), NOTIFY_EDIT_CHANGED, 0, 0);
    // The notification may have closed the editor and let it go.
    if (m_owner) m_owner->UpdateControl(TRUE);
}

LRESULT CEditWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND + kReflect:
        if (HIWORD(wParam) == EN_CHANGE) OnTextChanged();
        if (HIWORD(wParam) == EN_UPDATE) ::InvalidateRect(m_hWnd, nullptr, FALSE);
        return 0;
    case WM_CTLCOLOREDIT + kReflect:
    case WM_CTLCOLORSTATIC + kReflect: {
        if (m_backColor == kNoColor) return 0;
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, m_textColor);
        ::SetBkColor(dc, m_backColor);
        ::SetBkMode(dc, TRANSPARENT);
        if (!m_brush) m_brush = ::CreateSolidBrush(m_backColor);
        return reinterpret_cast<LRESULT>(m_brush);
    }
    case WM_TIMER:
        if (wParam == kCaretBlinkTimer) {
            m_caretPhase = !m_caretPhase;
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
            return 0;
        }
        break;
    case WM_PRINT:
        if (IsLayeredOwner()) return 0;
        break;
    default:
        break;
    }
    return MWindow::OnWindowMessage(msg, wParam, lParam);
}

void CEditWindow::OnDestroyMessage(HWND) {
    MControlFont* owner = m_owner;
    if (m_slot) *m_slot = nullptr;
    m_owner = nullptr;
    m_slot = nullptr;
    if (owner) owner->UpdateControl(TRUE);
    delete this;
}

}  // namespace QxUI
