#include "toolkit/controls/qx_list_box.h"

#include "toolkit/controls/c_scroll_vertical.h"
#include "toolkit/controls/list_geometry.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/img_res_info.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"QxListBox", [](MObject* p, UINT id, CRect r, const wchar_t*, int a, int) -> MControl* {
    return new QxListBox(p, id, r, a);
});

namespace {
constexpr int kIconSize = 20;
constexpr int kIconLeft = 14;
constexpr int kDeleteGap = 10;  // from the control's right edge
constexpr int kEditGap = 36;
constexpr COLORREF kEditorBack = 0x363B3E;

COLORREF ToColorRef(Gdiplus::ARGB argb) {
    return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}
}  // namespace

QxListBox::QxListBox(MObject* parent, UINT id, CRect rect, BOOL visible)
    : MRowList(parent, id, rect, visible, 36),
      m_editImage(nullptr),
      m_delImage(nullptr),
      m_editBtnImage(nullptr),
      m_delBox{0, 0, 0, 0},
      m_editBox{0, 0, 0, 0} {
    m_selectFill = 0xFF479CFC;
    m_hoverFill = 0xFF479CFC;
    m_highlightText = 0xFFFFFFFF;
    SetTextColor(Gdiplus::Color(0xFFFFFFFF));
}

// --- images -----------------------------------------------------------------------------------

BOOL QxListBox::LoadInto(ImgResInfo*& slot, const wchar_t* file, int count) {
    slot = (m_manager && file && count > 0) ? m_manager->AddImgResInfo(file, count) : nullptr;
    if (slot && !slot->image) slot = nullptr;
    if (m_visible) UpdateControl(TRUE);
    return slot != nullptr;
}

BOOL QxListBox::SetImage(const wchar_t* file, int count) {
    ImgResInfo* info = nullptr;
    if (!LoadInto(info, file, count)) {
        m_image = nullptr;
        m_stateWidth = m_stateHeight = 0;
        return FALSE;
    }
    return AttachImage(info, count);
}

BOOL QxListBox::SetEditImage(const wchar_t* file, int) { return LoadInto(m_editImage, file, 4); }
BOOL QxListBox::SetDelBtnImage(const wchar_t* file, int count) { return LoadInto(m_delImage, file, count); }
BOOL QxListBox::SetEditBtnImage(const wchar_t* file, int count) { return LoadInto(m_editBtnImage, file, count); }

// --- geometry ---------------------------------------------------------------------------------

BOOL QxListBox::PtInRect(CPoint point) {
    // The rightmost strip belongs to the scroll bar, shown or not.
    return m_visible && CRect(m_rect.left, m_rect.top, m_rect.right - m_barThickness, m_rect.bottom).PtInRect(point);
}

void QxListBox::SetControlRect(CRect rect) {
    MRowList::SetControlRect(rect);
    if (m_delImage && m_editBtnImage) {
        m_delBox = RowButtonBox(rect.Width(), m_rowHeight, m_delImage->width, m_delImage->height, kDeleteGap);
        m_editBox = RowButtonBox(rect.Width(), m_rowHeight, m_editBtnImage->width, m_editBtnImage->height, kEditGap);
    }
}

int QxListBox::DrawWidth() const {
    return CRect(m_rect).Width() - (m_vScroll->IsVisible() ? m_barThickness : 0);
}

// --- drawing ----------------------------------------------------------------------------------

void QxListBox::DrawIcon(Gdiplus::Graphics& g, int index, const CRect& box) {
    int top = box.top + (m_rowHeight - kIconSize) / 2;
    DrawImageState(g, m_image, m_stateWidth, m_stateHeight, index == m_selected ? 1 : 0,
                   CRect(kIconLeft, top, kIconLeft + kIconSize, top + kIconSize));
}

void QxListBox::DrawRow(Gdiplus::Graphics& g, int index, const ListRow& row, const CRect& box, int width) {
    if (m_editEnabled && index == m_editRow) {
        // The editor shows the text; the row keeps its icon and an edit background.
        DrawIcon(g, index, box);
        if (m_editImage)
            DrawImageStateFrame(g, m_editImage->image, m_editImage->width, m_editImage->height, 1,
                                CRect(2, box.top, width, box.bottom), 6);
        return;
    }
    Gdiplus::ARGB colour = m_textColor;
    if (index == m_hover) {
        FillRow(g, box, m_hoverFill);
        colour = m_highlightText;
        if (m_delImage)
            DrawImageState(g, m_delImage->image, m_delImage->width, m_delImage->height, 0,
                           CRect(m_delBox.left, box.top + m_delBox.top, m_delBox.left + m_delImage->width,
                                 box.top + m_delBox.top + m_delImage->height));
        if (m_editBtnImage)
            DrawImageState(g, m_editBtnImage->image, m_editBtnImage->width, m_editBtnImage->height, 0,
                           CRect(m_editBox.left, box.top + m_editBox.top, m_editBox.left + m_editBtnImage->width,
                                 box.top + m_editBox.top + m_editBtnImage->height));
    } else if (index == m_selected) {
        FillRow(g, box, m_selectFill);
        colour = m_highlightText;
    }
    DrawIcon(g, index, box);
    DrawRowText(g, row.text,
                Gdiplus::RectF(2.0f, static_cast<Gdiplus::REAL>(box.top), static_cast<Gdiplus::REAL>(width - 2),
                               static_cast<Gdiplus::REAL>(m_rowHeight)),
                colour, m_hAlign == 1 ? Gdiplus::StringAlignmentCenter : Gdiplus::StringAlignmentNear);
}

// --- pointer ----------------------------------------------------------------------------------

BOOL QxListBox::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled) return 0;
    TrackHover(point);
    if (CRect(m_rect).PtInRect(point) && m_hover >= 0) {
        m_selected = m_hover;
        CRect row = RowInWindow(m_selected);
        CRect del(m_delBox), edit(m_editBox);
        del.OffsetRect(row.left, row.top);
        edit.OffsetRect(row.left, row.top);
        LPARAM hit = del.PtInRect(point) ? kDeleteHit : edit.PtInRect(point) ? kEditHit : 0;
        SendMessageW(NOTIFY_PRESS, static_cast<WPARAM>(m_selected), hit);
        HideEdit(FALSE);
    }
    Repaint();
    return 1;
}

BOOL QxListBox::OnControlLButtonDblClk(UINT, CPoint point) {
    if (!m_enabled || !CRect(m_rect).PtInRect(point)) return 0;
    TrackHover(point);
    if (!RowInWindow(m_hover).PtInRect(point)) return 0;
    m_selected = m_hover;
    SendMessageW(NOTIFY_DBLCLK, static_cast<WPARAM>(m_selected), 0);
    ShowEdit();
    Repaint();
    return 1;
}

BOOL QxListBox::OnControlRButtonUp(UINT, CPoint point) {
    if (!m_enabled) return 0;
    TrackHover(point);
    int old = m_selected;
    m_selected = m_hover;
    if (CRect(m_rect).PtInRect(point)) SendMessageW(NOTIFY_RCLICK, static_cast<WPARAM>(m_selected), 0);
    if (old != m_selected) Repaint();
    return 1;
}

// --- editing ----------------------------------------------------------------------------------

void QxListBox::ShowEdit() {
    if (!m_enabled || !m_editEnabled || m_selected < 0) return;
    CRect row = RowInWindow(m_selected);
    if (row.IsRectEmpty()) return;
    OpenEditor(m_selected, ListBoxEditorRect(row, m_rowHeight, m_fontSize, m_imageList != nullptr),
               ToColorRef(m_textColor), kEditorBack, FALSE, 120);
}

BOOL QxListBox::TakeEditText(ListRow& row, const CString& text) {
    if (text == row.text) return FALSE;
    row.text = text;
    return TRUE;
}

HBITMAP QxListBox::GetControlDropBitmap() { return m_enabled ? MakeDragBitmap(m_fontSize + 2) : nullptr; }

}  // namespace QxUI
