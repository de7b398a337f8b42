#include "toolkit/controls/m_menu_window.h"


#include "toolkit/controls/menu_item.h"
#include "toolkit/core/m_control.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/manager.h"

namespace QxUI {

MMenuWindow::MMenuWindow(MObject* parent, const MenuMetrics& metrics, Gdiplus::ARGB textColor)
    : m_parentObject(parent),
      m_message(0),
      m_fontName(L"Arial"),
      m_fontSize(15),
      m_fontStyle(Gdiplus::FontStyleRegular),
      m_iconWidth(12),
      m_menuWidth(180),
      m_rowFrameWidth(0),
      m_metrics(metrics),
      m_rowHoverImage(nullptr),
      m_rowHoverWidth(0),
      m_rowHoverHeight(0),
      m_textColor(textColor),
      m_hoverTextColor(0xFFFFFFFF),
      m_hoverFillColor(0xFF479CEB),
      m_transparentColor(0xFFFFFF),
      m_alpha(255),
      m_reframing(false) {}

MMenuWindow::~MMenuWindow() {
    // The window must not outlive the manager and the handlers it calls into.
    DetachAndDestroy();
    // The rows share the hover image: they go before it does.
    m_paintManager.ClearAllControls();
    delete m_rowHoverImage;
}

LRESULT MMenuWindow::OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    CPoint point = CPoint::FromLParam(lParam);
    switch (msg) {
    case WM_CREATE: OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam)); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), point.x, point.y); break;
    case WM_PAINT: OnPaint(); break;
    case WM_CLOSE: OnClose(); break;
    case WM_ERASEBKGND: return 1;
    case WM_NCACTIVATE: OnNcActivate(static_cast<BOOL>(wParam)); break;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_WINDOWPOSCHANGED: {
        OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam));
        // Re-applying the frame sends WM_WINDOWPOSCHANGED again: only the outer call does it.
        if (m_reframing) return 0;
        m_reframing = true;
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOSENDCHANGING);
        m_reframing = false;
        CRect window, client;
        if (GetWindowRect(&window) && GetClientRect(&client)) {
            SendMessageW(WM_MOVE, 0, MAKELPARAM(window.left, window.top));
            SendMessageW(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.Width(), client.Height()));
        }
        return 0;
    }
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), 1, 0); break;
    case WM_TIMER: OnTimer(static_cast<UINT>(wParam)); break;
    case WM_MOUSEMOVE: OnMouseMove(static_cast<UINT>(wParam), point); break;
    case WM_LBUTTONDOWN: OnLButtonDown(static_cast<UINT>(wParam), point); break;
    case WM_LBUTTONUP: OnLButtonUp(static_cast<UINT>(wParam), point); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(static_cast<UINT>(wParam), point); break;
    case WM_RBUTTONDOWN: OnRButtonDown(static_cast<UINT>(wParam), point); break;
    case WM_RBUTTONUP: OnRButtonUp(static_cast<UINT>(wParam), point); break;
    case WM_RBUTTONDBLCLK: OnRButtonDblClk(static_cast<UINT>(wParam), point); break;
    case WM_MOUSELEAVE: OnMouseLeave(static_cast<UINT>(wParam), lParam); break;
    case WM_USERCLOSEWINDOW: return OnUserCloseWindow(wParam, lParam);
    default: break;
    }
    LRESULT result = m_paintManager.OnWindowMessage(msg, wParam, lParam);
    if (result) return result;
    return ::CallWindowProcW(m_oldWndProc, m_hWnd, msg, wParam, lParam);
}

BOOL MMenuWindow::OnInitDialog() {
    if (!IsLive()) return FALSE;
    m_paintManager.Init(m_hWnd, this);
    m_paintManager.EnableWndDrag(FALSE);
    CRect client;
    GetClientRect(&client);
    InitUI(client);
    return TRUE;
}

void MMenuWindow::OnDestroyMessage(HWND hwnd) {
    if (hwnd && hwnd == m_paintManager.GetPaintWnd()) m_paintManager.OnDestroyMessage(hwnd);
    PostNcDestroy();  // MenuWnd deletes itself here: nothing may follow
}

BOOL MMenuWindow::OnCreate(CREATESTRUCTW*) {
    DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
    style = (style & ~(WS_CAPTION | WS_THICKFRAME)) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | 0x8;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(style));
    ::SetWindowLongW(m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    return TRUE;
}

void MMenuWindow::InitUI(CRect) {
    for (const PendingChange& change : m_pending) {
        MenuItem* row = FindRow(change.item);
        if (!row) continue;
        if (!change.title.IsEmpty()) row->SetControlTitle(change.title);
        if (!change.visible) row->SetControlVisible(FALSE);
        row->SetControlEnabled(change.enabled);
        if (change.check != -1) row->SetControlCheck(change.check);
    }
    m_pending.clear();
    SetMenuPoint();
}

LRESULT MMenuWindow::OnMessage(UINT id, UINT code, UINT wParam, LPARAM) {
    if (m_hParent && ::IsWindow(m_hParent)) ::PostMessageW(m_hParent, m_message, wParam, static_cast<LPARAM>(id));
    if (code == 2) CloseWindow();
    return 0;
}

LRESULT MMenuWindow::OnUserCloseWindow(WPARAM, LPARAM) {
    PostMessageW(WM_CLOSE);
    return 1;
}

void MMenuWindow::CloseWindow() { PostMessageW(WM_CLOSE); }

LRESULT MMenuWindow::OnBaseMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    return OnMessage(id, code, wParam, lParam);
}

LRESULT MMenuWindow::OnControlUpdate(CRect rect, int flag, MControl* control) {
    return m_paintManager.OnControlUpdate(rect, flag, control);
}

BOOL MMenuWindow::CreateMenuWindow(HWND parent, CPoint point, int width) {
    m_hParent = parent;
    MWindow::Create(parent, L"Menu Window", 0x80B, 0, CRect(point.x, point.y, point.x + width, point.y + width));
    return IsLive();
}

BOOL MMenuWindow::Create(HWND parent, CPoint point, UINT message, CString backFile, int backParam, int width,
                         enumBackMode mode) {
    if (IsLive()) return TRUE;
    m_message = message;
    m_menuWidth = width;
    m_paintManager.LoadBKImage(backFile);
    m_paintManager.SetBackMode(mode, backParam);
    m_paintManager.SetLayeredWindow(TRUE);
    return CreateMenuWindow(parent, point, width);
}

BOOL MMenuWindow::Create(HWND parent, CPoint point, UINT message, UINT backResId, int backParam, int width,
                         enumBackMode mode) {
    if (IsLive()) return TRUE;
    m_message = message;
    m_menuWidth = width;
    m_paintManager.LoadBKImage(backResId, CString(L"PNG"));
    m_paintManager.SetBackMode(mode, backParam);
    m_paintManager.SetLayeredWindow(TRUE);
    return CreateMenuWindow(parent, point, width);
}

BOOL MMenuWindow::Create(HWND parent, CPoint point, UINT message) {
    if (IsLive()) return TRUE;
    m_message = message;
    return CreateMenuWindow(parent, point, m_menuWidth);
}

MenuItem* MMenuWindow::AddRow(CString text, UINT id) {
    if (Gdiplus::FontFamily* family = m_paintManager.FindTempFont(m_fontName)) {
        Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle, Gdiplus::UnitPixel);
        Gdiplus::StringFormat format;
        format.SetAlignment(Gdiplus::StringAlignmentNear);
        format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
        m_menuWidth = WidenMenu(m_menuWidth, m_iconWidth, MRender::GetTextBounds(font, format, text).Width);
    }
    MControl* control = m_paintManager.CreateControl(1, this, L"MenuItem", id, CRect(), text, 1, 1);
    auto* row = control && control->IsClass(L"MenuItem") ? static_cast<MenuItem*>(control) : nullptr;
    if (row) row->SetFont(m_fontName, m_fontSize, m_fontStyle);
    return row;
}

int MMenuWindow::AddMenu(CString text, UINT id, CString iconFile, int popup, int) {
    if (MenuItem* row = AddRow(text, id)) {
        if (!iconFile.IsEmpty()) row->SetImage(iconFile, 4);
        ApplyPopup(row, popup);
    }
    SetMenuPoint();
    return -1;
}

int MMenuWindow::AddMenu(CString text, UINT id, int iconResId, int popup, int) {
    if (MenuItem* row = AddRow(text, id)) {
        if (iconResId != -1) row->SetImage(static_cast<UINT>(iconResId), CString(L"PNG"), 4);
        ApplyPopup(row, popup);
    }
    SetMenuPoint();
    return -1;
}

int MMenuWindow::AddSeparator(UINT id, CString imageFile) {
    MControl* control = m_paintManager.CreateControl(1, this, L"MenuItem", id, CRect(), L"", 1, 1);
    if (control && control->IsClass(L"MenuItem")) {
        auto* row = static_cast<MenuItem*>(control);
        row->SetSeparator(1);
        if (!imageFile.IsEmpty()) row->SetImage(imageFile, 1);
    }
    SetMenuPoint();
    return -1;
}

BOOL MMenuWindow::SetRowHoverImage(CString file, int) {
    // Rows still point at the old image: they drop it before it is freed.
    for (MControl* c : *m_paintManager.GetControls())
        if (c->IsClass(L"MenuItem")) static_cast<MenuItem*>(c)->SetRowHoverImage(nullptr, 0, 0);
    delete m_rowHoverImage;
    m_rowHoverImage = MRender::LoadImageFromFile(Manager::GetSkinDirectory() + file);
    m_rowHoverWidth = m_rowHoverImage ? static_cast<int>(m_rowHoverImage->GetWidth()) : 0;
    m_rowHoverHeight = m_rowHoverImage ? static_cast<int>(m_rowHoverImage->GetHeight()) : 0;
    return m_rowHoverImage != nullptr;
}

void MMenuWindow::SetMenuPoint() {
    std::vector<MControl*>& controls = *m_paintManager.GetControls();
    std::vector<MenuRowShape> shapes;
    shapes.reserve(controls.size());
    for (MControl* c : controls) {
        bool separator = c->IsClass(L"MenuItem") && static_cast<MenuItem*>(c)->IsSeparator();
        shapes.push_back(MenuRowShape{c->IsVisible() != FALSE, separator});
    }
    MenuColumn column = LayoutMenuColumn(m_metrics, m_menuWidth, m_iconWidth, shapes);
    for (size_t i = 0; i < controls.size(); ++i) {
        MControl* c = controls[i];
        if (c->IsVisible() && c->IsClass(L"MenuItem") && !shapes[i].separator) {
            auto* row = static_cast<MenuItem*>(c);
            row->SetIconWidth(m_iconWidth);
            row->SetRowHoverImage(m_rowHoverImage, m_rowHoverWidth, m_rowHoverHeight);
            row->SetHoverFillColor(m_hoverFillColor);
            row->SetTextColor(Gdiplus::Color(m_textColor));
            row->SetHoverTextColor(m_hoverTextColor);
            row->SetFrameWidth(m_rowFrameWidth);
        }
        // SetRect repaints the old and the new place of a visible row and drops its looks.
        c->SetRect(column.rows[i]);
    }
    if (IsLive())
        SetWindowPos(nullptr, 0, 0, m_menuWidth, column.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

MenuItem* MMenuWindow::FindRow(const CString& title) {
    for (MControl* c : *m_paintManager.GetControls())
        if (c->IsClass(L"MenuItem") && static_cast<MenuItem*>(c)->GetTitle() == title) return static_cast<MenuItem*>(c);
    return nullptr;
}

MMenuWindow::PendingChange& MMenuWindow::Pending(const CString& item) {
    for (PendingChange& change : m_pending)
        if (change.item == item) return change;
    m_pending.push_back(PendingChange{item, CString(), 1, 1, -1});
    return m_pending.back();
}

void MMenuWindow::SetItemTitle(CString item, CString title) { Pending(item).title = title; }
void MMenuWindow::SetItemVisible(CString item, int visible) { Pending(item).visible = visible; }
void MMenuWindow::SetItemEnable(CString item, int enable) { Pending(item).enabled = enable; }
void MMenuWindow::SetItemCheck(CString item, int check) { Pending(item).check = check; }

void MMenuWindow::SetupBackTranslucent() {
    if (!IsLive()) return;
    if (m_alpha < 255) {
        ModifyExStyle(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_hWnd, 0, static_cast<BYTE>(m_alpha), LWA_ALPHA);
    } else if (m_transparentColor != 0xFFFFFF) {
        ModifyExStyle(0, WS_EX_LAYERED);
        ::SetLayeredWindowAttributes(m_hWnd, m_transparentColor, 255, LWA_COLORKEY);
    }
}

void MMenuWindow::SetupRegion(int corner) {
    if (!IsLive()) return;
    CRect window;
    GetWindowRect(&window);
    HRGN region = ::CreateRoundRectRgn(0, 0, window.Width() + 1, window.Height() + 1, corner, corner);
    // The window owns the region once it is set.
    if (region && !::SetWindowRgn(m_hWnd, region, TRUE)) ::DeleteObject(region);
}

}  // namespace QxUI
