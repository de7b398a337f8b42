#pragma once
// The self-closing message popup: one text on a rounded translucent card, centred on the screen,
// modal, closing itself after two seconds with result 1.
#include <string>

#include "toolkit/core/m_dialog.h"

namespace qx {

class QxKBMsgBox : public QxUI::MDialog {
public:
    static constexpr UINT kCloseTimer = 100;
    static constexpr UINT kCloseAfterMs = 2000;
    static constexpr int kHeight = 50;

    QxKBMsgBox(std::wstring text, HWND owner);
    const wchar_t* GetWindowClassName() const override { return L"QxKBMsgBox"; }
    BOOL OnInitDialog() override;
    void InitUI(QxUI::CRect client) override;
    void UISize(QxUI::CRect client) override;
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override;
    void OnTimer(UINT id) override;

    // Creates the popup `width` wide, shows it centred and runs it until it closes; its result.
    UINT Run(int width);

private:
    std::wstring text_;
    HWND owner_;  // kept, not used: the popup has no owner window
    QxUI::MControl* label_ = nullptr;
};

}  // namespace qx
