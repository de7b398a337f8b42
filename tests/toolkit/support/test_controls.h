#pragma once
#include <vector>

#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/img_res_info.h"
#include "toolkit/core/m_control.h"

namespace qxtest {

// A control that fills its rectangle with one colour per state (normal, hover, pressed,
// focused) and records what reached it. Press sends code 1, a release inside code 2.
class ProbeControl : public QxUI::MControl {
public:
    ProbeControl(QxUI::MObject* parent, UINT id, QxUI::CRect rect)
        : MControl(parent, id, rect, TRUE, TRUE, TRUE) {}

    static constexpr DWORD kNormal = 0xFF3060C0;
    static constexpr DWORD kHot = 0xFF40A040;
    static constexpr DWORD kPressed = 0xFFC04040;
    static constexpr DWORD kFocused = 0xFFE0C020;

    void DrawControl(HDC& hdc, QxUI::CRect paint) override;
    BOOL OnControlMouseMove(UINT flags, QxUI::CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, QxUI::CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, QxUI::CPoint point) override;
    BOOL SetControlFocus(BOOL focus) override;
    BOOL OnControlTimer() override;

    DWORD CurrentColour() const;
    bool hot = false;
    bool pressed = false;
    int draws = 0;
    int timerTicks = 0;
    std::vector<BOOL> focusCalls;
};

// A control that draws one state of a skin image through its own cached surface, the way the
// toolkit's image controls do: re-rendered only while its cache is invalid.
class ImageControl : public QxUI::MControl {
public:
    ImageControl(QxUI::MObject* parent, UINT id, QxUI::CRect rect, const wchar_t* image, int count)
        : MControl(parent, id, rect, TRUE, TRUE, TRUE), m_file(image), m_count(count) {}

    void InitControl(QxUI::PaintManager* manager) override;
    void DrawControl(HDC& hdc, QxUI::CRect paint) override;
    BOOL OnControlMouseMove(UINT flags, QxUI::CPoint point) override;
    int state = 0;
    int renders = 0;

private:
    QxUI::CString m_file;
    int m_count;
    QxUI::ImgResInfo* m_image = nullptr;
};

// A control that draws its text with the window's font cache ("Arial" = the skin font).
class TextControl : public QxUI::MControl {
public:
    TextControl(QxUI::MObject* parent, UINT id, QxUI::CRect rect, const wchar_t* text, float size, DWORD colour)
        : MControl(parent, id, rect, TRUE, TRUE, FALSE), m_text(text), m_size(size), m_colour(colour) {}
    void DrawControl(HDC& hdc, QxUI::CRect paint) override;

private:
    QxUI::CString m_text;
    float m_size;
    DWORD m_colour;
};

}  // namespace qxtest
