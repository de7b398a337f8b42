#pragma once
#include "toolkit/controls/m_row_list.h"

namespace QxUI {

// The macro editor's list of recorded steps: one text row per step with a kind (0 down, 1 up,
// 2 delay) and a data value. The selected and the hovered row are filled; a press, a double
// click and a right release on a row are reported to the owner. With editing on, a double click
// on a delay row opens a small digits-only editor over the row's right end; when it closes with
// a number other than the row's data, the row shows that number and NOTIFY_EDIT_CLOSED goes out.
class QXUI_API CRecordList : public MRowList {
public:
    CRecordList(MObject* parent, UINT id, CRect rect, BOOL visible);

    void ShowEdit() override;

    HBITMAP GetControlDropBitmap() override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDblClk(UINT flags, CPoint point) override;
    BOOL OnControlRButtonUp(UINT flags, CPoint point) override;

protected:
    int DrawWidth() const override;
    void DrawRow(Gdiplus::Graphics& g, int index, const ListRow& row, const CRect& box, int width) override;
    BOOL TakeEditText(ListRow& row, const CString& text) override;
};

}  // namespace QxUI
