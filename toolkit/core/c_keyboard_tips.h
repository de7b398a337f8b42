#pragma once
#include "toolkit/core/m_layered_popup.h"

namespace QxUI {

// The key tip: a fixed 150 x 80 bubble above an anchor point with a coloured title and a white
// text line (the note is kept, not drawn). It hides when it loses the focus; its owner control
// shows and hides it otherwise.
class QXUI_API CKeyboardTips : public MLayeredPopup {
public:
    CKeyboardTips();
    ~CKeyboardTips() override;

    const wchar_t* GetWindowClassName() const override { return L"CKeyboardTips"; }
    BOOL OnInitDialog() override;
    BOOL OnKillFocus(MWindow* next) override;
    BOOL OnPaint() override;
    void OnTimer(UINT id) override;

    // Stores the strings and the anchor and, with a title, moves the tip above the anchor and
    // paints it. An unchanged call does nothing. NULL strings are refused (FALSE).
    BOOL SetAirBladderMsg(const wchar_t* title, const wchar_t* note, const wchar_t* text, POINT anchor);

protected:
    void AutoFit();

    static constexpr int kFrameBorder = 16;
    static constexpr Gdiplus::ARGB kTitleColour = 0xFF4BA5C9;
    static constexpr Gdiplus::ARGB kTextColour = 0xFFFFFFFF;
    static constexpr BYTE kConstantAlpha = 245;

    CString m_title;
    CString m_note;
    CString m_text;
    POINT m_anchor;
    AIRBLADDER_TYPE m_type;
    AIRBLADDER_MODE m_mode;
    Gdiplus::StringFormat m_format;
};

}  // namespace QxUI
