#pragma once
// The keyboard view as the controller and the layout loader see it, served by the toolkit's
// QxKeyboardCtrl of the main window.
#include "app/main_view.h"

namespace QxUI {
class QxKeyboardCtrl;
}

namespace qx {

class KeyboardViewAdapter : public MainKeyboardView {
public:
    // Calls are dropped while no control is attached (before the window made it).
    void Attach(QxUI::QxKeyboardCtrl* control) { control_ = control; }
    QxUI::QxKeyboardCtrl* Control() const { return control_; }

    void ClearItem() override;
    void SetRect(const LayoutRect& rect) override;
    void SetKeyboardImage(const std::wstring& file) override;
    void SetKeyPosition(int x, int y) override;
    int AddKeyItem(const wchar_t* name, const wchar_t* desc, uint32_t keyValue, const LayoutRect& rect) override;
    void ResetTipKey() override;
    void SetTipKey(uint32_t keyValue, const wchar_t* name, const wchar_t* desc) override;
    void UpdateControl(int redraw, int flags) override;
    void SetAllSelectColor(uint32_t colour) override;
    void ClearAllKeyColor() override;
    std::vector<KeyItemColour> GetKeyItems() const override;

private:
    QxUI::QxKeyboardCtrl* control_ = nullptr;
};

}  // namespace qx
