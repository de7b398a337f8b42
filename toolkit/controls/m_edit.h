#pragma once
#include "toolkit/core/m_control_font.h"

namespace QxUI {

class CEditWnd;

// An edit field. While idle the toolkit draws it (skin frame, the text or the grey tip text,
// an optional icon at the right); while the user types, a native edit window (CEditWnd) lies
// over its text box. The title is the text. Notifications: 30 when the edit window opens, 29
// when editing ends, 26 for every change typed, 1/2 for a press and click on the text area,
// 9/31 for a press and release on the icon. Owns its icon image, edit font and edit window.
class QXUI_API MEdit : public MControlFont {
public:
    MEdit(MObject* parent, UINT id, CRect rect, const wchar_t* tip, BOOL visible, BOOL enabled);
    ~MEdit() override;
    const wchar_t* GetClassNameW() const override { return L"MEdit"; }

    // Stores the title only (no re-render, the edit window is not touched).
    void SetEditText(const wchar_t* text);
    // The edit window's text while it is shown, else the title.
    CString GetEditText();
    void SetTipInfo(const wchar_t* tip);
    CString GetTipInfo() const { return m_tip; }
    // Icon image from the skin directory, `count` frames side by side; FALSE if it does not load.
    BOOL SetIconImage(const wchar_t* file, int count);
    void SetTextRect(CRect rect);
    // The explicit text rectangle, or the text box computed afresh (window coordinates).
    CRect GetTextRect();
    CRect GetIconRect() const { return CRect(m_iconRect); }
    void SetEditFont();
    void SetEditFont(const wchar_t* face, int size, BOOL bold, BOOL underline, BOOL italic);
    HFONT GetDefaultFont();
    COLORREF GetEditTextColor() const;
    BOOL IsEditFocused();
    CString GetTitleEx() const { return m_title; }
    void SetEditWindow(CEditWnd* window) { m_editWnd = window; }
    CEditWnd* GetEditWindow() const { return m_editWnd; }
    int GetLook() const { return m_look; }

    void EnablePassWord(BOOL on) { m_password = on; }
    BOOL IsPassWordMode() const { return m_password; }
    void EnableMultLine(BOOL on) { m_multiLine = on; }
    BOOL IsMultLineMode() const { return m_multiLine; }
    void SetReadOnly(BOOL on) { m_readOnly = on; }
    BOOL IsReadOnly() const { return m_readOnly; }
    void SetNumberOnly(BOOL on) { m_numberOnly = on; }
    BOOL IsNumberOnly() const { return m_numberOnly; }
    void EnableCharMessage(BOOL on) { m_charMessages = on; }
    BOOL GetCharMessage() const { return m_charMessages; }
    void SetLimitText(int limit) { m_limit = limit; }
    int GetLimitText() const { return m_limit; }
    void SetPassWordChar(WCHAR c) { m_passwordChar = c; }
    WCHAR GetPassWordChar() const { return m_passwordChar; }
    // 0xFFFFFFFF leaves the edit window in the system colours.
    void SetEditBKColor(COLORREF colour) { m_editBack = colour; }
    COLORREF GetEditBKColor() const { return m_editBack; }
    void SetFrameSize(int size) { m_frameSize = size; }

    // Shows the edit window over the text box with the caret after the text and gives it the
    // keyboard focus (nothing for a read-only or disabled edit).
    void ShowEdit();
    // Takes the edit window's text as the title and hides the window.
    void HideEdit();
    // The box the edit window takes: the text box, or the fallback box when that is empty;
    // in screen coordinates when the paint window is layered (the edit is a popup then).
    CRect EditWindowBox();

    void SetControlRect(CRect rect) override;
    void SetControlTitle(const wchar_t* title) override;
    CString GetControlTitle() override;
    BOOL SetControlFocus(BOOL focus) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) override;
    void DrawControl(HDC& hdc, CRect paint) override;

private:
    void RenderLook(HDC dc, int look, const CRect& frame);
    void Repaint() { UpdateControl(FALSE); }

    CString m_tip;
    BOOL m_password;
    BOOL m_multiLine;
    BOOL m_readOnly;
    BOOL m_numberOnly;
    BOOL m_charMessages;
    int m_limit;
    WCHAR m_passwordChar;
    COLORREF m_editBack;
    HFONT m_editFont;
    int m_look;
    int m_frameSize;
    Gdiplus::Image* m_iconImage;
    int m_iconFrameWidth;
    int m_iconHeight;
    int m_iconFrameCount;
    RECT m_iconRect;
    RECT m_textRect;
    BOOL m_textRectSet;
    int m_iconLook;
    CEditWnd* m_editWnd;
};

}  // namespace QxUI
