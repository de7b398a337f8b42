#include "toolkit/controls/m_edit.h"

#include "toolkit/controls/c_edit_wnd.h"
#include "toolkit/controls/edit_geometry.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MEdit", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new MEdit(p, id, r, t, a, b);
});

namespace {
constexpr int kLooks = 4;  // normal, hover, editing, disabled
constexpr COLORREF kGreyText = 0x808080;
}  // namespace

MEdit::MEdit(MObject* parent, UINT id, CRect rect, const wchar_t* tip, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, L"", visible, enabled, TRUE),
      m_tip(tip ? tip : L""),
      m_password(0),
      m_multiLine(0),
      m_readOnly(0),
      m_numberOnly(0),
      m_charMessages(1),
      m_limit(120),
      m_passwordChar(0xA1F1),
      m_editBack(0x222527),
      m_editFont(nullptr),
      m_look(enabled ? 0 : 3),
      m_frameSize(4),
      m_iconImage(nullptr),
      m_iconFrameWidth(0),
      m_iconHeight(0),
      m_iconFrameCount(4),
      m_iconRect{0, 0, 0, 0},
      m_textRect{0, 0, 0, 0},
      m_textRectSet(0),
      m_iconLook(0),
      m_editWnd(nullptr) {
    SetTextColor(Gdiplus::Color(0xFE050505));
    m_hAlign = 0;
    m_tabStop = TRUE;
}

MEdit::~MEdit() {
    if (m_editWnd) {
        // The window must not call back into a control that is going away.
        CEditWnd* window = m_editWnd;
        m_editWnd = nullptr;
        window->Release();
    }
    if (m_editFont) ::DeleteObject(m_editFont);
    delete m_iconImage;
}

// --- text and settings ------------------------------------------------------------------------

void MEdit::SetEditText(const wchar_t* text) {
    if (text && m_title != text) m_title = text;
}

CString MEdit::GetEditText() {
    if (m_editWnd && m_editWnd->IsWindowVisible()) {
        CString text;
        m_editWnd->GetWindowTextW(text);
        return text;
    }
    return m_title;
}

void MEdit::SetTipInfo(const wchar_t* tip) {
    m_tip = tip ? tip : L"";
    UpdateControl(TRUE);
}

BOOL MEdit::SetIconImage(const wchar_t* file, int count) {
    if (!file || count <= 0) return FALSE;
    Gdiplus::Image* image = MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file);
    if (!image) return FALSE;
    delete m_iconImage;
    m_iconImage = image;
    m_iconFrameCount = count;
    m_iconFrameWidth = static_cast<int>(image->GetWidth()) / count;
    m_iconHeight = static_cast<int>(image->GetHeight());
    if (!CRect(m_rect).IsRectEmpty()) m_iconRect = EditIconRect(CRect(m_rect), m_iconFrameWidth, m_iconHeight);
    UpdateControl(TRUE);
    return TRUE;
}

void MEdit::SetTextRect(CRect rect) {
    m_textRect = rect;
    m_textRectSet = TRUE;
    UpdateControl(TRUE);
}

CRect MEdit::GetTextRect() {
    if (!m_textRectSet) m_textRect = EditTextBox(CRect(m_rect), m_fontSize, m_multiLine != FALSE, m_iconImage ? m_iconFrameWidth : 0);
    return CRect(m_textRect);
}

void MEdit::SetControlRect(CRect rect) {
    bool changed = rect != m_rect;
    MControlFont::SetControlRect(rect);
    if (changed && m_iconImage) m_iconRect = EditIconRect(rect, m_iconFrameWidth, m_iconHeight);
}

namespace {
HFONT MakeEditFont(const wchar_t* face, int size, BOOL bold, BOOL underline, BOOL italic) {
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    if (face) lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = -size;
    if (bold) lf.lfWeight = FW_BOLD;
    lf.lfItalic = italic ? TRUE : FALSE;
    lf.lfUnderline = underline ? TRUE : FALSE;
    return ::CreateFontIndirectW(&lf);
}
}  // namespace

HFONT MEdit::GetDefaultFont() {
    if (!m_editFont) {
        int style = static_cast<int>(m_fontStyle);
        m_editFont = MakeEditFont(m_fontFace, m_fontSize, style & 1, style & 4, style & 2);
    }
    return m_editFont;
}

void MEdit::SetEditFont() {
    if (m_editFont) ::DeleteObject(m_editFont);
    m_editFont = nullptr;
    GetDefaultFont();
    if (m_editWnd) m_editWnd->SendMessageW(WM_SETFONT, reinterpret_cast<WPARAM>(m_editFont), TRUE);
    UpdateControl(TRUE);
}

void MEdit::SetEditFont(const wchar_t* face, int size, BOOL bold, BOOL underline, BOOL italic) {
    if (m_editFont) ::DeleteObject(m_editFont);
    m_editFont = MakeEditFont(face, size, bold, underline, italic);
    if (m_editWnd) m_editWnd->SendMessageW(WM_SETFONT, reinterpret_cast<WPARAM>(m_editFont), TRUE);
    UpdateControl(TRUE);
}

COLORREF MEdit::GetEditTextColor() const {
    return RGB((m_textColor >> 16) & 0xFF, (m_textColor >> 8) & 0xFF, m_textColor & 0xFF);
}

BOOL MEdit::IsEditFocused() {
    return m_editWnd && m_editWnd->IsWindowVisible() && ::GetFocus() == m_editWnd->GetSafeHwnd();
}

void MEdit::SetControlTitle(const wchar_t* title) {
    if (!title || m_title == title) return;
    m_title = title;
    if (m_editWnd) m_editWnd->SetWindowTextW(title);
    UpdateControl(TRUE);
}

CString MEdit::GetControlTitle() {
    HideEdit();
    return m_title;
}

// --- editing ----------------------------------------------------------------------------------

CRect MEdit::EditWindowBox() {
    CRect box = m_textRectSet ? CRect(m_textRect) : GetTextRect();
    if (box.IsRectEmpty()) box = EditFallbackBox(CRect(m_rect), m_fontSize, m_multiLine != FALSE);
    if (m_manager && m_manager->IsLayered()) {
        POINT origin = {0, 0};
        ::ClientToScreen(m_manager->GetPaintWnd(), &origin);
        box.OffsetRect(origin.x, origin.y);
    }
    return box;
}

void MEdit::ShowEdit() {
    if (m_readOnly || !m_enabled || !m_manager || !m_manager->GetPaintWnd()) return;
    if (!m_editWnd) {
        m_editWnd = CEditWnd::Open(this);
        if (!m_editWnd) return;
    } else {
        // Already open with the keyboard: a second request (focus and press of one click)
        // changes nothing the user could see.
        if (IsEditFocused()) return;
        m_editWnd->MoveWindow(EditWindowBox(), TRUE);
    }
    m_editWnd->SetWindowTextW(m_title);
    m_editWnd->ShowWindow(SW_SHOW);
    m_editWnd->SendMessageW(EM_SETSEL, static_cast<WPARAM>(m_title.GetLength()), -1);
    m_editWnd->SetFocus();
    m_focused = TRUE;
    SendMessageW(NOTIFY_EDIT_OPENED);
}

void MEdit::HideEdit() {
    bool editing = m_focused || (m_editWnd && m_editWnd->IsWindowVisible());
    m_focused = FALSE;
    if (m_editWnd && m_editWnd->IsWindowVisible()) {
        CString text;
        m_editWnd->GetWindowTextW(text);
        if (text != m_title) {
            m_title = text;
            UpdateControl(TRUE);
        }
        m_editWnd->ShowWindow(SW_HIDE);
    }
    // Only an edit that was open reports its end: an owner that reads the title while handling
    // 29 then gets no second 29 from that read.
    if (editing) SendMessageW(NOTIFY_EDIT_CLOSED);
}

BOOL MEdit::SetControlFocus(BOOL focus) {
    if (!m_enabled) return 0;
    int look = focus ? 2 : 0;
    if (focus)
        ShowEdit();
    else
        HideEdit();
    BOOL changed = look != m_look;
    m_look = look;
    if (changed) UpdateControl(TRUE);
    return changed;
}

void MEdit::SetControlEnabled(BOOL enabled) {
    if (!enabled && m_enabled) HideEdit();
    MControlFont::SetControlEnabled(enabled);
    m_look = enabled ? 0 : 3;
    Repaint();
}

// --- input ------------------------------------------------------------------------------------

BOOL MEdit::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled || m_look == 2) return 0;
    bool inside = CRect(m_rect).PtInRect(point);
    int look = inside ? 1 : 0;
    int iconLook = inside && CRect(m_iconRect).PtInRect(point) ? 1 : 0;
    if (look == m_look && iconLook == m_iconLook) return 0;
    m_look = look;
    m_iconLook = iconLook;
    Repaint();
    return 1;
}

BOOL MEdit::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || !CRect(m_rect).PtInRect(point)) return 0;
    if (CRect(m_iconRect).PtInRect(point)) {
        m_iconLook = 2;
        HideEdit();
        Repaint();
        SendMessageW(NOTIFY_TAB);
        return 1;
    }
    m_look = 2;
    Repaint();
    ShowEdit();
    SendMessageW(NOTIFY_PRESS);
    return 1;
}

BOOL MEdit::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled) return 0;
    if (!CRect(m_rect).PtInRect(point)) {
        m_look = 0;
        m_iconLook = 0;
        Repaint();
        return 1;
    }
    if (CRect(m_iconRect).PtInRect(point)) {
        m_iconLook = 1;
        HideEdit();
        SendMessageW(NOTIFY_ICON_UP);
    } else {
        m_iconLook = 0;
    }
    bool wasEditing = m_look == 2;
    m_look = 1;
    Repaint();
    if (wasEditing) SendMessageW(NOTIFY_CLICK);
    return 1;
}

BOOL MEdit::OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) {
    if (vk == VK_SPACE && modifier == 0 && m_focused) {
        SendMessageW(NOTIFY_PRESS);
        SendMessageW(NOTIFY_CLICK);
        return 1;
    }
    return MControlFont::OnControlKeyDown(vk, repeat, modifier);
}

// --- drawing ----------------------------------------------------------------------------------

void MEdit::RenderLook(HDC dc, int look, const CRect& frame) {
    {
        Gdiplus::Graphics g(dc);
        DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, look, frame, m_frameSize);
    }
    if (m_title.IsEmpty() && m_tip.IsEmpty()) return;
    bool tip = m_title.IsEmpty();
    CString text = tip ? m_tip : m_title;
    if (!tip && m_password) text = CString(std::wstring(static_cast<size_t>(m_title.GetLength()), m_passwordChar));
    CRect box = m_textRectSet ? CRect(m_textRect) : GetTextRect();
    box.OffsetRect(frame.left - m_rect.left, frame.top - m_rect.top);
    UINT flags = m_hAlign == 1 ? (DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS)
                 : m_multiLine ? (DT_VCENTER | DT_WORDBREAK | DT_EDITCONTROL)
                               : (DT_VCENTER | DT_SINGLELINE | DT_WORD_ELLIPSIS);
    COLORREF colour = (tip || look == 3) ? kGreyText : GetEditTextColor();
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = ::SetTextColor(dc, colour);
    HGDIOBJ oldFont = ::SelectObject(dc, GetDefaultFont());
    ::DrawTextW(dc, text, text.GetLength(), &box, flags);
    ::SelectObject(dc, oldFont);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

void MEdit::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, kLooks, m_look,
                   [&](HDC dc, int look, const CRect& frame) { RenderLook(dc, look, frame); });
    if (m_iconImage && !CRect(m_iconRect).IsRectEmpty()) {
        // The icon has its own looks, so it is drawn over the copied look, not cached with it.
        Gdiplus::Graphics g(hdc);
        DrawImageState(g, m_iconImage, m_iconFrameWidth, m_iconHeight, m_iconLook, CRect(m_iconRect));
    }
}

}  // namespace QxUI
