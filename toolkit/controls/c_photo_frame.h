#pragma once
#include "toolkit/controls/picture_fit.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// A photo fitted like MPicture that behaves as a button (looks normal, hover, pressed; 1 on a
// press, 2 on a click). An optional overlay strip frames the photo (its state 1, nine-part,
// border 12). Owns both images.
class QXUI_API CPhotoFrame : public MControlFont {
public:
    CPhotoFrame(MObject* parent, UINT id, CRect rect, BOOL visible, BOOL enabled);
    ~CPhotoFrame() override;
    const wchar_t* GetClassNameW() const override { return L"CPhotoFrame"; }

    BOOL SetPhotoFrame(const wchar_t* file, int count);
    BOOL SetPhotoFrame(UINT resId, CString type, int count);
    BOOL SetImage(const wchar_t* file, int count) override;
    BOOL SetImage(UINT resId, CString type, int count) override;
    BOOL SetShowMode(enumShowMode mode, int border);
    BOOL SetShowModeMID(int left, int top, int right, int bottom);
    int GetLook() const { return m_look; }

    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;
    void DrawControl(HDC& hdc, CRect paint) override;

private:
    void SetLook(int look);
    BOOL TakeOverlay(Gdiplus::Image* image, int count);

    Gdiplus::Image* m_photo;
    int m_photoWidth;
    int m_photoHeight;
    int m_look;
    PictureFit m_fit;
};

}  // namespace QxUI
