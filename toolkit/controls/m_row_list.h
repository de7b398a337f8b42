#pragma once
#include <vector>

#include "toolkit/core/m_panel.h"

namespace QxUI {

class CEditWindow;
class MImageList;

// One row of a row list. `rect` is where the row was last drawn inside the list's drawing
// bitmap (empty until then).
struct ListRow {
    CString text;
    int kind;   // icon index in the image list, -1 none
    long data;  // the caller's value
    RECT rect;
};

// What the macro record list and the macro list box share: the rows with their lock, hover and
// selection, the vertical scroll bar that follows the rows, the wheel, drawing of the visible
// rows through a memory bitmap, and the in-place editor's life. The two lists differ in how a
// row looks, in what a press, double click or right release reports, and in how an edit ends.
//
// Every index-taking operation checks its index first and answers 0, -1 or an empty string
// for one outside the list. The row lock is never held while a notification goes out.
class QXUI_API MRowList : public MPanel {
public:
    MRowList(MObject* parent, UINT id, CRect rect, BOOL visible, int rowHeight);
    ~MRowList() override;

    // Rows. InsertString: index -1 appends, 0 ... count - 1 inserts before that row; the
    // result is the new count - 1, or -1 when the index is refused.
    int AddString(const wchar_t* text, int kind);
    int AddString(const wchar_t* text, long data, int kind);
    int InsertString(int index, const wchar_t* text, int kind, long data);
    int DeleteItem(int index);
    int DeleteAllItems();
    int GetItemCount();
    int SetItemData(int index, long data);
    long GetItemData(int index);
    int ModifyItemString(int index, const wchar_t* text);  // no repaint
    CString GetItemText(int index);
    int FindString(const wchar_t* text);
    int FindItemData(long data);
    int SetCurSel(int index);
    int SetCurData(long data);
    int GetCurSel() const { return m_selected; }
    void SetItemHeight(int height);  // used from the next update on
    int SetImageList(MImageList* list);
    void SwapItem(int a, int b);
    CRect GetItemRect(int index);  // always empty: rows have no place until drawn
    // In-place editing of rows (off by default).
    void EnableShowEdit(int enable);
    virtual void ShowEdit() = 0;
    // Ends an edit: unless `force`, an edit of the selected row stays open. A changed row is
    // reported with NOTIFY_EDIT_CLOSED (lParam the row).
    void HideEdit(BOOL force);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    BOOL SetControlFocus(BOOL focus) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlScroll(int steps, UINT direction, CPoint point) override;

protected:
    // The width rows are drawn in.
    virtual int DrawWidth() const = 0;
    // Draws row `index` into `box` (bitmap coordinates, `width` wide). Called with the row lock held.
    virtual void DrawRow(Gdiplus::Graphics& g, int index, const ListRow& row, const CRect& box, int width) = 0;
    // The row's new text from what the editor holds; FALSE when the row stays as it is.
    virtual BOOL TakeEditText(ListRow& row, const CString& text) = 0;

    // The row's last drawn rectangle in window coordinates; empty unless it is visible.
    CRect RowInWindow(int index);
    // Brings the hover row up to date with the pointer; TRUE when it changed (then repaints).
    BOOL TrackHover(CPoint point);
    void UpdateScrollBar();
    // Opens the editor on `row` over `rect` (window coordinates). FALSE when no editor window
    // can be shown.
    BOOL OpenEditor(int row, const CRect& rect, COLORREF text, COLORREF back, BOOL digitsOnly, int limit);
    void DrawRowText(Gdiplus::Graphics& g, const CString& text, const Gdiplus::RectF& box, Gdiplus::ARGB colour,
                     Gdiplus::StringAlignment align);
    void DrawRowIcon(Gdiplus::Graphics& g, int kind, const CRect& box);
    void FillRow(Gdiplus::Graphics& g, const CRect& box, Gdiplus::ARGB colour);
    // The drag image of the hovered row (which becomes selected), the text measured at
    // `fontSize`; NULL while no row is hovered.
    HBITMAP MakeDragBitmap(int fontSize);
    BOOL IsRowIndex(int index) const { return index >= 0 && index < static_cast<int>(m_rows.size()); }
    void Repaint();

    std::vector<ListRow> m_rows;
    CriticalSection m_rowLock;
    int m_rowHeight;
    int m_hover;
    int m_selected;
    int m_first;
    int m_last;
    int m_remainder;
    int m_iconWidth;
    MImageList* m_imageList;
    Gdiplus::ARGB m_selectFill;
    Gdiplus::ARGB m_hoverFill;
    Gdiplus::ARGB m_highlightText;
    BOOL m_editEnabled;
    int m_editRow;
    CEditWindow* m_editor;

private:
    void CloseEditorWithoutSaving();
};

}  // namespace QxUI
