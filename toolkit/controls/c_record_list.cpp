#include "toolkit/controls/c_record_list.h"

#include <cwchar>

#include "toolkit/controls/list_geometry.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"CRecordList", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new CRecordList(p, id, r, a);
});

namespace {
constexpr int kDelayKind = 2;
constexpr int kEditorLimit = 4;
// The number an emptied delay editor stands for.
constexpr int kEmptyDelay = 10;
}  // namespace

CRecordList::CRecordList(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MRowList(parent, id, rect, visible, 30) {
    SetTextColor(Gdiplus::Color(0xFF333333));
}

int CRecordList::DrawWidth() const { return CRect(m_rect).Width() - m_barThickness; }

void CRecordList::DrawRow(Gdiplus::Graphics& g, int index, const ListRow& row, const CRect& box, int width) {
    Gdiplus::ARGB colour = m_textColor;
    if (m_editEnabled && index == m_editRow) {
        // Background of the editor that sits over the row's right end; the row itself stays plain.
        DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, 1, CRect(width - 62, box.top, width, box.bottom), 6);
    } else if (index == m_selected) {
        FillRow(g, box, m_selectFill);
        colour = m_highlightText;
    } else if (index == m_hover) {
        FillRow(g, box, m_hoverFill);
        colour = m_highlightText;
    }
    DrawRowIcon(g, row.kind, box);
    int x = m_imageList ? m_iconWidth : 0;
    DrawRowText(g, row.text,
                Gdiplus::RectF(static_cast<Gdiplus::REAL>(x), static_cast<Gdiplus::REAL>(box.top),
                               static_cast<Gdiplus::REAL>(width - x), static_cast<Gdiplus::REAL>(m_rowHeight)),
                colour, Gdiplus::StringAlignmentNear);
}

BOOL CRecordList::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || !CRect(m_rect).PtInRect(point)) return 0;
    TrackHover(point);
    int old = m_selected;
    m_selected = m_hover;
    SendMessageW(NOTIFY_PRESS, static_cast<WPARAM>(m_selected), 0);
    HideEdit(FALSE);
    if (old != m_selected) Repaint();
    return 1;
}

BOOL CRecordList::OnControlLButtonDblClk(UINT, CPoint point) {
    if (!m_enabled || !CRect(m_rect).PtInRect(point)) return 0;
    TrackHover(point);
    if (RowInWindow(m_hover).PtInRect(point)) {
        m_selected = m_hover;
        ShowEdit();
        Repaint();
    }
    SendMessageW(NOTIFY_DBLCLK, static_cast<WPARAM>(m_selected), 0);
    return 1;
}

BOOL CRecordList::OnControlRButtonUp(UINT, CPoint point) {
    if (!m_enabled) return 0;
    TrackHover(point);
    int old = m_selected;
    m_selected = m_hover;
    if (CRect(m_rect).PtInRect(point) && m_selected >= 0)
        SendMessageW(NOTIFY_RCLICK, static_cast<WPARAM>(m_selected), 0);
    if (old != m_selected) Repaint();
    return 1;
}

void CRecordList::ShowEdit() {
    if (!m_enabled || !m_editEnabled || m_selected < 0) return;
    {
        CriticalSectionLock lock(m_rowLock);
        if (!IsRowIndex(m_hover) || m_rows[m_hover].kind != kDelayKind) return;
    }
    CRect row = RowInWindow(m_selected);
    if (row.IsRectEmpty()) return;
    OpenEditor(m_selected, RecordEditorRect(row, m_rowHeight, m_fontSize), 0xFFFFFF, 0x363B3E, TRUE, kEditorLimit);
}

BOOL CRecordList::TakeEditText(ListRow& row, const CString& text) {
    int n = text.IsEmpty() ? kEmptyDelay : static_cast<int>(std::wcstol(text, nullptr, 10));
    if (n == row.data) return FALSE;
    row.text.Format(L"%d", n);
    return TRUE;
}

HBITMAP CRecordList::GetControlDropBitmap() { return MakeDragBitmap(m_fontSize); }

}  // namespace QxUI
