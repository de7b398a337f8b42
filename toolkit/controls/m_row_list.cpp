#include "toolkit/controls/m_row_list.h"

#include <algorithm>
#include <utility>

#include "toolkit/controls/c_edit_window.h"
#include "toolkit/controls/c_scroll_horizontal.h"
#include "toolkit/controls/c_scroll_vertical.h"
#include "toolkit/controls/list_geometry.h"
#include "toolkit/core/m_image_list.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

MRowList::MRowList(MObject* parent, UINT id, CRect rect, BOOL visible, int rowHeight)
    : MPanel(parent, id, rect, visible),
      m_rowHeight(rowHeight),
      m_hover(-1),
      m_selected(-1),
      m_first(-1),
      m_last(-1),
      m_remainder(0),
      m_iconWidth(30),
      m_imageList(nullptr),
      m_selectFill(0xFE479CFC),
      m_hoverFill(0xFE479CFC),
      m_highlightText(0xFF333333),
      m_editEnabled(FALSE),
      m_editRow(-1),
      m_editor(nullptr) {
    MRowList::SetControlRect(rect);
}

MRowList::~MRowList() { CEditWindow::Release(m_editor); }

void MRowList::Repaint() {
    // The bar caches what lies under it, which is the list.
    m_vScroll->SetUpdate(FALSE, 0);
    UpdateControl(TRUE);
}

// --- rows -------------------------------------------------------------------------------------

int MRowList::AddString(const wchar_t* text, int kind) { return InsertString(-1, text, kind, 0); }
int MRowList::AddString(const wchar_t* text, long data, int kind) { return InsertString(-1, text, kind, data); }

int MRowList::InsertString(int index, const wchar_t* text, int kind, long data) {
    int last;
    {
        CriticalSectionLock lock(m_rowLock);
        int count = static_cast<int>(m_rows.size());
        if (!IsInsertIndexValid(index, count)) return -1;
        ListRow row{CString(text ? text : L""), kind, data, RECT{0, 0, 0, 0}};
        if (index == -1)
            m_rows.push_back(row);
        else
            m_rows.insert(m_rows.begin() + index, row);
        // An open edit follows its row.
        if (index != -1 && m_editRow >= index) ++m_editRow;
        last = count;
    }
    UpdateScrollBar();
    Repaint();
    return last;
}

void MRowList::CloseEditorWithoutSaving() {
    if (m_editRow < 0) return;
    m_editRow = -1;
    m_focused = FALSE;
    if (m_editor) m_editor->HideEdit();
}

int MRowList::DeleteItem(int index) {
    {
        CriticalSectionLock lock(m_rowLock);
        if (!IsRowIndex(index)) return 0;
        m_rows.erase(m_rows.begin() + index);
        m_hover = -1;
        m_selected = -1;
        // Hover tracking waits for the next draw: the rows have moved.
        m_first = -1;
        m_last = -1;
    }
    // The edited row is gone or has moved; what was typed cannot be stored in the right place.
    CloseEditorWithoutSaving();
    UpdateScrollBar();
    Repaint();
    return 1;
}

int MRowList::DeleteAllItems() {
    {
        CriticalSectionLock lock(m_rowLock);
        m_rows.clear();
        m_hover = -1;
        m_selected = -1;
        m_first = -1;
        m_last = -1;
    }
    CloseEditorWithoutSaving();
    UpdateScrollBar();
    Repaint();
    return 1;
}

int MRowList::GetItemCount() {
    CriticalSectionLock lock(m_rowLock);
    return static_cast<int>(m_rows.size());
}

int MRowList::SetItemData(int index, long data) {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRowIndex(index)) return 0;
    m_rows[index].data = data;
    return 1;
}

long MRowList::GetItemData(int index) {
    CriticalSectionLock lock(m_rowLock);
    return IsRowIndex(index) ? m_rows[index].data : 0;
}

int MRowList::ModifyItemString(int index, const wchar_t* text) {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRowIndex(index)) return 0;
    m_rows[index].text = CString(text ? text : L"");
    return 1;
}

CString MRowList::GetItemText(int index) {
    CriticalSectionLock lock(m_rowLock);
    return IsRowIndex(index) ? m_rows[index].text : CString();
}

int MRowList::FindString(const wchar_t* text) {
    if (!text) return -1;
    CriticalSectionLock lock(m_rowLock);
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].text == text) return static_cast<int>(i);
    return -1;
}

int MRowList::FindItemData(long data) {
    CriticalSectionLock lock(m_rowLock);
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].data == data) return static_cast<int>(i);
    return -1;
}

int MRowList::SetCurSel(int index) {
    {
        CriticalSectionLock lock(m_rowLock);
        if (index != -1 && !IsRowIndex(index)) return 0;
    }
    if (index != m_selected) {
        m_selected = index;
        Repaint();
    }
    return 1;
}

int MRowList::SetCurData(long data) {
    int index = FindItemData(data);
    if (index >= 0) SetCurSel(index);
    return index;
}

void MRowList::SetItemHeight(int height) {
    if (height > 0) m_rowHeight = height;
}

int MRowList::SetImageList(MImageList* list) {
    m_imageList = list;
    return 1;
}

void MRowList::SwapItem(int a, int b) {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRowIndex(a) || !IsRowIndex(b) || a == b) return;
    std::swap(m_rows[a], m_rows[b]);
    if (m_editRow == a)
        m_editRow = b;
    else if (m_editRow == b)
        m_editRow = a;
}

CRect MRowList::GetItemRect(int) { return CRect(); }

void MRowList::EnableShowEdit(int enable) {
    if (!enable) HideEdit(TRUE);
    m_editEnabled = enable ? TRUE : FALSE;
}

// --- geometry and scrolling -------------------------------------------------------------------

void MRowList::SetControlRect(CRect rect) {
    // The panel places both bars; the vertical one then follows the rows, not child controls.
    MPanel::SetControlRect(rect);
    UpdateScrollBar();
}

void MRowList::UpdateScrollBar() {
    int count = GetItemCount();
    BOOL show = ListNeedsScrollBar(count, m_rowHeight, CRect(m_rect).Height());
    if ((m_vScroll->IsVisible() != FALSE) != (show != FALSE)) m_vScroll->SetVisible(show);
    m_vScroll->SetScrollMaxRange(count * m_rowHeight);
}

BOOL MRowList::OnControlScroll(int steps, UINT direction, CPoint) {
    if (!ListNeedsScrollBar(GetItemCount(), m_rowHeight, CRect(m_rect).Height())) return 0;
    int old = m_vScroll->GetScrollCurrentPos();
    // A notch moves ten of the bar's steps.
    int next = WheelScrollPosition(old, m_vScroll->GetScrollStep(), 10 * std::max(1, steps), direction,
                                   m_vScroll->GetScrollMaxRange());
    if (next != old) {
        m_vScroll->SetScrollCurrentPos(next);
        Repaint();
    }
    return 1;
}

LRESULT MRowList::OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) {
    if (code == NOTIFY_VALUE && (id == 1 || id == 2)) Repaint();
    return m_parent ? m_parent->OnBaseMessage(id, code, wParam, lParam) : 0;
}

// --- drawing ----------------------------------------------------------------------------------

void MRowList::FillRow(Gdiplus::Graphics& g, const CRect& box, Gdiplus::ARGB colour) {
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    g.FillRectangle(&brush, box.left, box.top, box.Width(), box.Height());
}

void MRowList::DrawRowIcon(Gdiplus::Graphics& g, int kind, const CRect& box) {
    if (!m_imageList || kind == -1) return;
    CSize size = m_imageList->GetIconSize();
    if (size.cx <= 0 || size.cy <= 0) {
        _M_IAMGELIST* item = m_imageList->GetItemImageData(kind);
        if (!item) return;
        size = CSize(item->width, item->height);
    }
    int x = (m_iconWidth - size.cx) / 2;
    int y = box.top + (box.Height() - size.cy) / 2;
    m_imageList->DrawItemIcon(g, CRect(x, y, x + size.cx, y + size.cy), kind);
}

void MRowList::DrawRowText(Gdiplus::Graphics& g, const CString& text, const Gdiplus::RectF& box,
                           Gdiplus::ARGB colour, Gdiplus::StringAlignment align) {
    // The family was fetched once for the whole draw (DrawControl).
    if (text.IsEmpty() || !m_fontFamily) return;
    Gdiplus::Font font(m_fontFamily, static_cast<Gdiplus::REAL>(m_fontSize), m_fontStyle, Gdiplus::UnitPixel);
    Gdiplus::StringFormat format;
    format.SetAlignment(align);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap | Gdiplus::StringFormatFlagsMeasureTrailingSpaces);
    Gdiplus::SolidBrush brush{Gdiplus::Color(colour)};
    g.SetTextRenderingHint(Gdiplus::TextRenderingHintClearTypeGridFit);
    g.DrawString(text, text.GetLength(), &font, box, &format, &brush);
}

void MRowList::DrawControl(HDC& hdc, CRect) {
    CRect r = GetRect();
    int w = DrawWidth();
    int height = r.Height();
    if (w <= 0 || height <= 0) return;
    if (!GetUpdate()) {
        CriticalSectionLock lock(m_rowLock);
        int count = static_cast<int>(m_rows.size());
        ListView view = ComputeListView(count, m_rowHeight, height, m_vScroll->GetScrollCurrentPos(),
                                        m_vScroll->GetScrollMaxRange());
        m_first = count > 0 ? view.first : -1;
        m_last = count > 0 ? view.last : -1;
        m_remainder = view.remainder;
        int rows = count > 0 ? m_last - m_first + 1 : 0;
        UpdateMemDC(hdc, w, std::max(height, rows * m_rowHeight));
        HDC mem = GetMemDC();
        if (!mem) return;
        MRender::FillSolidRect(mem, 0, 0, w, std::max(height, rows * m_rowHeight), RGB(0xFF, 0xFF, 0xFF));
        // The window behind the list shows through where no row paints, in the band that is shown.
        ::BitBlt(mem, 0, m_remainder, w, height, hdc, r.left, r.top, SRCCOPY);
        GetFontFamily(m_fontFace);
        Gdiplus::Graphics g(mem);
        for (int i = m_first; count > 0 && i <= m_last; ++i) {
            ListRow& row = m_rows[i];
            CRect box(0, (i - m_first) * m_rowHeight, w, (i - m_first + 1) * m_rowHeight);
            row.rect = box;
            DrawRow(g, i, row, box, w);
        }
    }
    if (HDC mem = GetMemDC()) ::BitBlt(hdc, r.left, r.top, w, height, mem, 0, m_remainder, SRCCOPY);
}

// --- pointer ----------------------------------------------------------------------------------

CRect MRowList::RowInWindow(int index) {
    CriticalSectionLock lock(m_rowLock);
    if (!IsRowIndex(index) || m_first < 0 || index < m_first || index > m_last) return CRect();
    CRect box(m_rows[index].rect);
    box.OffsetRect(m_rect.left, m_rect.top - m_remainder);
    return box;
}

BOOL MRowList::TrackHover(CPoint point) {
    if (!m_enabled) return FALSE;
    int hover = -1;
    {
        CriticalSectionLock lock(m_rowLock);
        if (m_rows.empty() || m_first < 0) return FALSE;
        BOOL inside = CRect(m_rect).PtInRect(point);
        if (inside && RowInWindow(m_hover).PtInRect(point)) return FALSE;
        if (inside)
            for (int i = m_first; i <= m_last && IsRowIndex(i); ++i)
                if (RowInWindow(i).PtInRect(point)) {
                    hover = i;
                    break;
                }
    }
    if (hover == m_hover) return FALSE;
    m_hover = hover;
    Repaint();
    return TRUE;
}

BOOL MRowList::OnControlMouseMove(UINT, CPoint point) {
    TrackHover(point);
    return 0;
}

BOOL MRowList::OnControlLButtonUp(UINT, CPoint) { return 0; }

BOOL MRowList::SetControlFocus(BOOL focus) {
    MPanel::SetControlFocus(focus);
    if (!focus) {
        HideEdit(TRUE);
        Repaint();
    }
    return 0;
}

// --- in-place editing -------------------------------------------------------------------------

BOOL MRowList::OpenEditor(int row, const CRect& rect, COLORREF text, COLORREF back, BOOL digitsOnly, int limit) {
    CString rowText = GetItemText(row);
    // The editor keeps the title in step with what is typed; starting equal, opening reports nothing.
    SetControlTitle(rowText);
    if (!m_editor) {
        m_editor = new CEditWindow(this, &m_editor);
        m_editor->SetDigitsOnly(digitsOnly);
        m_editor->SetLimitText(limit);
        m_editor->SetColors(text, back);
        if (!m_editor->ShowEdit(rect)) {
            CEditWindow::Release(m_editor);
            return FALSE;
        }
    } else {
        m_editor->MoveEdit(rect);
    }
    m_editRow = row;
    m_editor->SetText(rowText);
    m_editor->ShowAndFocus();
    m_focused = TRUE;
    Repaint();
    return TRUE;
}

void MRowList::HideEdit(BOOL force) {
    if (!m_editEnabled) return;
    if (m_editRow == m_selected && !force) return;
    m_focused = FALSE;
    int row = m_editRow;
    m_editRow = -1;
    if (!m_editor || row < 0) return;
    BOOL changed = FALSE;
    {
        CString text = m_editor->GetText();
        CriticalSectionLock lock(m_rowLock);
        if (IsRowIndex(row)) changed = TakeEditText(m_rows[row], text);
    }
    m_editor->HideEdit();
    if (changed) SendMessageW(NOTIFY_EDIT_CLOSED, 0, row);
    // The row loses its editor background either way.
    Repaint();
}

HBITMAP MRowList::MakeDragBitmap(int fontSize) {
    CString text;
    CRect box;
    int hover;
    {
        CriticalSectionLock lock(m_rowLock);
        hover = m_hover;
        if (!IsRowIndex(hover) || !GetMemDC()) return nullptr;
        text = m_rows[hover].text;
        box = CRect(m_rows[hover].rect);
    }
    if (box.IsRectEmpty()) return nullptr;
    int textWidth = 0;
    if (Gdiplus::FontFamily* family = GetFontFamily(m_fontFace)) {
        Gdiplus::Font font(family, static_cast<Gdiplus::REAL>(fontSize), m_fontStyle, Gdiplus::UnitPixel);
        textWidth = MRender::GetTextBounds(font, text).Width;
    }
    int width = std::min(RowDragWidth(textWidth, m_iconWidth), box.Width());
    HDC mem = GetMemDC();
    HDC dc = MRender::CreateCompatibleDC(mem);
    BYTE* bits = nullptr;
    HBITMAP bitmap = MRender::CreateARGB32Bitmap(mem, width, box.Height(), &bits);
    if (dc && bitmap) {
        HGDIOBJ old = ::SelectObject(dc, bitmap);
        ::BitBlt(dc, 0, 0, width, box.Height(), mem, box.left, box.top, SRCCOPY);
        ::SelectObject(dc, old);
    }
    if (dc) ::DeleteDC(dc);
    if (hover != m_selected) {
        m_selected = hover;
        Repaint();
    }
    return bitmap;
}

}  // namespace QxUI
