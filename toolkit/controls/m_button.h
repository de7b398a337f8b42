#pragma once
#include "toolkit/controls/button_text.h"
#include "toolkit/core/m_control_font.h"

namespace QxUI {

// Push button: state i of the skin image as a nine-part frame under a centred title, four looks
// (normal, hover, pressed, disabled). Reports press (1) and click (2) to its owner.
class QXUI_API MButton : public MControlFont {
public:
    MButton(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled);

    void DrawControl(HDC& hdc, CRect paint) override;
    void SetControlEnabled(BOOL enabled) override;
    BOOL OnControlMouseMove(UINT flags, CPoint point) override;
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override;
    BOOL OnControlLButtonUp(UINT flags, CPoint point) override;

    // Icon strip from the skin directory, owned; FALSE when the file does not load (the last
    // icon stays). MButton itself does not draw it.
    BOOL SetIconImage(const wchar_t* file, int count);
    void SetFrameSize(int size);
    // Box of the title inside each frame; an empty rectangle means the whole frame.
    void SetTextRect(CRect rect);

protected:
    // Draws look `index` into its `frame` of the strip.
    virtual void DrawLook(HDC dc, int index, const CRect& frame);
    // The skin state `index` as a nine-part frame over `frame`.
    void DrawSkinFrame(Gdiplus::Graphics& g, int index, const CRect& frame, int border);
    // The title box of look `index`: the frame or the text rectangle moved into it.
    CRect TitleBox(int index, const CRect& frame) const;

    int m_look;
    int m_frameSize;
    ButtonImage m_icon;
    CRect m_textRect;
};

}  // namespace QxUI
