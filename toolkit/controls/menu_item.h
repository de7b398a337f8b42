#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

class MenuWnd;
class MMenuWindow;
struct ImgResInfo;

// One row of a popup menu: title, optional icon strip, hover background and (for rows that
// lead to a further menu) a right arrow while hovered. Its four looks (normal, hover, pressed,
// disabled) are rendered once into its look strip; input only switches the look. A hover sends
// code 11 on every move over the row, a press and release on the row code 2.
class QXUI_API MenuItem : public MControlFont {
public:
    MenuItem(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);
    ~MenuItem() override;
    const wchar_t* GetClassNameW() const override { return L"MenuItem"; }

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;

    // Popup rows show the skin's right arrow ("icon\icon_arrow_right.png") while hovered.
    void SetPopup(int popup);
    BOOL IsPopup() const { return m_popup; }
    void SetSeparator(int separator);
    BOOL IsSeparator() const { return m_separator; }
    BOOL IsHover() const { return m_look == 1; }
    int GetLook() const { return m_look; }
    int GetCheck() const { return m_check; }
    // Menus hold no check rows: changes nothing.
    int SetCheck(int) { return 0; }
    // The checked (pressed) look, kept until the pointer next moves over the row.
    void SetControlCheck(int check);
    void SetGroupName(CString name) { m_groupName = name; }
    CString GetGroupName() const { return m_groupName; }
    CString GetGroupValue() const { return m_value; }
    CString GetValue() const { return m_value; }
    int ResetGroupCheck() { return 0; }
    // A button menu deletes itself when it closes, so the row keeps the window handle it had
    // when set and only ever talks to that window: set it once the menu's window exists.
    void SetPopupMenu(MenuWnd* menu);
    MenuWnd* GetPopupMenu() const { return m_popupMenu; }
    MMenuWindow* GetParentMenu() const;
    void ShowPopupMenu();
    void SetFrameWidth(int width);

    // Set by the menu's layout.
    void SetIconWidth(int width);
    void SetRowHoverImage(Gdiplus::Image* image, int width, int height);
    void SetHoverFillColor(Gdiplus::ARGB colour);
    void SetHoverTextColor(Gdiplus::ARGB colour);
    void SetTextColor(Gdiplus::Color colour) override;

private:
    void SetLook(int look);
    void PaintLook(HDC dc, int look, const CRect& frame);

    int m_look;
    int m_check;
    BOOL m_pressed;
    BOOL m_separator;
    BOOL m_popup;
    MenuWnd* m_popupMenu;
    HWND m_popupWindow;
    int m_iconWidth;
    int m_frameWidth;
    CString m_groupName;
    CString m_value;
    Gdiplus::ARGB m_hoverFillColor;
    Gdiplus::ARGB m_hoverTextColor;
    Gdiplus::Image* m_rowHoverImage;  // the menu's
    int m_rowHoverWidth;
    int m_rowHoverHeight;
    ImgResInfo* m_arrow;  // the manager's image cache
};

}  // namespace QxUI
