#pragma once
#include "toolkit/controls/m_row_list.h"

namespace QxUI {

struct ImgResInfo;

// The main window's list of saved macros. The hovered row shows a delete and an edit button at
// its right end; a press on a row reports the row and which button it hit (lParam 100 delete,
// 200 edit, 0 neither). Rows carry a 20 x 20 icon from the control's image strip (frame 1 for
// the selected row). With editing on, a double click opens an editor over the row's name.
//
// The button boxes are computed when the list gets its rectangle, from the button images set
// by then: set the images first.
class QXUI_API QxListBox : public MRowList {
public:
    static constexpr LPARAM kDeleteHit = 100;
    static constexpr LPARAM kEditHit = 200;

    QxListBox(MObject* parent, UINT id, CRect rect, BOOL visible);

    // Skin images; each returns whether the file loaded (a file that does not load leaves no
    // image). The row icon strip has `count` frames, the edit background always 4.
    using MControlFont::SetImage;
    BOOL SetImage(const wchar_t* file, int count) override;
    BOOL SetEditImage(const wchar_t* file, int unused);
    BOOL SetDelBtnImage(const wchar_t* file, int count);
    BOOL SetEditBtnImage(const wchar_t* file, int count);
    // The button boxes relative to a row's top-left corner (empty until computed).
    CRect GetDelBtnBox() const { return CRect(m_delBox); }
    CRect GetEditBtnBox() const { return CRect(m_editBox); }

    void ShowEdit() override;

    BOOL PtInRect(CPoint point) override;
    void SetControlRect(CRect rect) override;
    HBITMAP GetControlDropBitmap() override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDblClk(UINT flags, CPoint point) override;
    BOOL OnControlRButtonUp(UINT flags, CPoint point) override;

protected:
    int DrawWidth() const override;
    void DrawRow(Gdiplus::Graphics& g, int index, const ListRow& row, const CRect& box, int width) override;
    BOOL TakeEditText(ListRow& row, const CString& text) override;

private:
    // Loads a skin image into `slot`; the old one is dropped either way. Repaints when shown.
    BOOL LoadInto(ImgResInfo*& slot, const wchar_t* file, int count);
    void DrawIcon(Gdiplus::Graphics& g, int index, const CRect& box);

    ImgResInfo* m_editImage;
    ImgResInfo* m_delImage;
    ImgResInfo* m_editBtnImage;
    RECT m_delBox;
    RECT m_editBox;
};

}  // namespace QxUI
