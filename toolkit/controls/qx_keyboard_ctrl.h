#pragma once
#include <vector>

#include "toolkit/core/critical_section.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/m_panel.h"

namespace QxUI {

class CKeyboardTips;

// One key of the keyboard view. The program reads these records through GetKeyItems; they stay
// owned by the control until ClearItem or its destruction.
struct KEY_INFO {
    int index = 0;
    DWORD key_value = 0;  // the layout's key code, reported with notifications
    CString name;
    CString desc;         // tip title; falls back to name
    CString tip_note;     // handed to the tip window, not drawn
    CString tip_text;     // tip line; non-empty marks the key as re-assigned
    RECT rect = {0, 0, 0, 0};  // relative to the control's top-left corner
    BOOL checked = FALSE;      // part of the frame selection
    DWORD color = 0;           // given by SetAllSelectColor; kept for the program, never drawn
};

// The keyboard picture with one item per key: hover highlight, click, rubber-band selection with
// either button (Ctrl keeps the earlier selection on a press), per-key colours for the program to
// read back, a white outline on the clicked and the re-assigned keys, and a tip window naming a
// re-assigned key's function. Notifications: 1 press and 2 release (item index, key value),
// 5 right release, 24 right release ending a frame drag.
class QXUI_API QxKeyboardCtrl : public MPanel {
public:
    QxKeyboardCtrl(MObject* parent, UINT id, CRect rect, BOOL visible);
    ~QxKeyboardCtrl() override;

    void InitControl(PaintManager* manager) override;
    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlRect(CRect rect) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlRButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlRButtonUp(UINT flags, CPoint point) override;
    BOOL OnControlKeyDown(UINT vk, UINT repeat, UINT modifier) override;

    // Images by file name in the skin directory; a file that does not load leaves none.
    void SetKeyboardImage(CString file);
    void SetKeyBkgImage(CString file);
    // Offset added to the rectangles of later AddKeyItem calls.
    void SetKeyPosition(int x, int y);
    // Appends a key; returns its index (its position in the list).
    int AddKeyItem(const wchar_t* name, const wchar_t* desc, DWORD keyValue, CRect rect);
    void ClearItem();
    std::vector<KEY_INFO*> GetKeyItems();
    // By key value: only the first key with that value changes.
    void SetKeyCheck(DWORD keyValue, int checked);
    void SetKeyDesc(DWORD keyValue, CString desc);
    void SetTipKey(DWORD keyValue, CString tipNote, CString tipText);
    void ResetTipKey();
    int GetCheckItemCount();
    void SetAllSelectColor(DWORD color);
    void ClearAllKeyColor();
    void ResetAllItemCheck(int checked);
    void SetTips(KEY_INFO* key, CRect rect, bool show);
    // Ends any frame drag: the next move with a button held does nothing until a new press.
    void SetDownPoint(CPoint point);
    DWORD GetCurrentKeyValue() const { return m_currentKeyValue; }
    void EnableFrameSelect(int enable) { m_frameSelect = enable; }
    void EnableKBTips(bool enable) { m_tipsEnabled = enable; }

    int GetHoverIndex() const { return m_hover; }
    int GetSelectedIndex() const { return m_selected; }
    BOOL IsFrameDragging() const { return m_dragging; }

protected:
    int AddKeyItem(const wchar_t* name, DWORD keyValue, CRect rect);
    void SetItemCheck(int* indexes, int count, int checked);
    void CalFrameSelect();

private:
    // A key's rectangle in window client coordinates.
    CRect KeyRectOnWindow(const KEY_INFO& key) const;
    KEY_INFO* FindKey(DWORD keyValue);
    // The key at `index`, or NULL when the index is not in the current list.
    KEY_INFO* KeyAt(int index);
    int KeyIndexAt(CPoint point);
    DWORD KeyValueAt(int index);
    void ClearFrameDrag();
    void Repaint();
    void Notify(UINT code, int index, DWORD keyValue);
    void DrawKeys(Gdiplus::Graphics& g);
    static Gdiplus::Image* LoadSkinImage(const CString& file);

    std::vector<KEY_INFO*> m_keys;
    CriticalSection m_keyLock;
    int m_addedCount;
    int m_hover;
    int m_selected;
    DWORD m_currentKeyValue;
    Gdiplus::Image* m_keyboardImage;
    Gdiplus::Image* m_keyBkImage;
    int m_keyBkWidth;
    int m_keyBkHeight;
    POINT m_keyOffset;
    int m_frameSelect;
    bool m_tipsEnabled;
    BOOL m_dragging;
    POINT m_frameStart;
    POINT m_frameCurrent;
    CKeyboardTips* m_tips;
};

}  // namespace QxUI
