#pragma once
#include "toolkit/controls/picture_fit.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A picture fitted to its control in one of six ways (enumShowMode). Its image is its own:
// loaded by SetImage, replaced and deleted with the control, never shared through the cache.
class QXUI_API MPicture : public MControlFont {
public:
    MPicture(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
    ~MPicture() override;
    const wchar_t* GetClassNameW() const override { return L"MPicture"; }

    // FALSE (and no image any more) when the file or resource does not load.
    BOOL SetImage(const wchar_t* file, int count) override;
    BOOL SetImage(UINT resId, CString type, int count) override;
    // 0 when nothing changed (for mode 3: mode and border), else re-renders and returns 1.
    BOOL SetShowMode(enumShowMode mode, int border);
    // Mode 4 with four border widths; always 1.
    BOOL SetShowModeMID(int left, int top, int right, int bottom);
    // The source rectangle of mode 5; only stored.
    void SetCustomRect(CRect rect) { m_fit.custom = rect; }
    enumShowMode GetShowMode() const { return static_cast<enumShowMode>(m_fit.mode); }

    void DrawControl(HDC& hdc, CRect paint) override;

private:
    BOOL TakeImage(Gdiplus::Image* image, int count);

    PictureFit m_fit;
};

}  // namespace QxUI
