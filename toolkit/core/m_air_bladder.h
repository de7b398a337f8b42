#pragma once
#include "toolkit/core/m_layered_popup.h"

namespace QxUI {

// The balloon tip: a per-pixel-alpha bubble with a text of one or more lines (separated by line
// feeds) placed against a screen point. Unless its type is AIRBLADDER_STAY it hides itself five
// seconds after the text was set; it hides when it loses the focus unless its mode is
// AIRBLADDER_MODE_STICKY. Each paint manager makes one on first use and owns it.
class QXUI_API MAirBladder : public MLayeredPopup {
public:
    MAirBladder();
    ~MAirBladder() override;

    const wchar_t* GetWindowClassName() const override { return L"MAirBladder"; }
    BOOL OnInitDialog() override;
    BOOL OnKillFocus(MWindow* next) override;
    BOOL OnPaint() override;
    void OnTimer(UINT id) override;

    // Places and paints the balloon; an unchanged call does nothing (and keeps the running
    // timer). A NULL text is refused (FALSE).
    BOOL SetAirBladderMsg(const wchar_t* text, POINT anchor, AIRBLADDER_TYPE type, AIRBLADDER_MODE mode);

    // Arrow images, kept for callers; the balloon itself does not draw them.
    BOOL LoadArrowLImage(CString file) { return LoadInto(file, &m_arrowLeft); }
    BOOL LoadArrowRImage(CString file) { return LoadInto(file, &m_arrowRight); }
    BOOL LoadArrowTImage(CString file) { return LoadInto(file, &m_arrowTop); }
    BOOL LoadArrowLImage(UINT resId, CString type) { return LoadInto(resId, type, &m_arrowLeft); }
    BOOL LoadArrowRImage(UINT resId, CString type) { return LoadInto(resId, type, &m_arrowRight); }
    BOOL LoadArrowTImage(UINT resId, CString type) { return LoadInto(resId, type, &m_arrowTop); }

    int GetLineCount() const { return m_lineCount; }

protected:
    struct SkinImage {
        Gdiplus::Image* image = nullptr;
        int width = 0;
        int height = 0;
    };
    void AutoFit();
    // The one-line height and the widest line of the current text in the balloon font.
    Gdiplus::Size MeasureText() const;
    BOOL LoadInto(CString file, SkinImage* slot);
    BOOL LoadInto(UINT resId, CString type, SkinImage* slot);

    static constexpr float kFontPixels = 14.0f;
    static constexpr Gdiplus::ARGB kTextColour = 0xFE141414;
    static constexpr int kFrameBorder = 6;

    CString m_text;
    POINT m_anchor;
    AIRBLADDER_TYPE m_type;
    AIRBLADDER_MODE m_mode;
    Gdiplus::StringFormat m_format;
    SkinImage m_arrowTop;
    SkinImage m_arrowLeft;
    SkinImage m_arrowRight;
    int m_lineCount;
};

}  // namespace QxUI
