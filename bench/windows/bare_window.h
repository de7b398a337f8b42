#pragma once
// The window benchmark's baseline: a toolkit window of the main window's size and style that
// paints one background image (the main window's own) and nothing else. The program's exit
// request ends its process, as it ends the program.
#include <windows.h>

#include "toolkit/core/m_control_font.h"
#include "toolkit/core/m_dialog.h"
#include "windows/first_frame_signal.h"
#include "windows/main_window_images.h"
#include "windows/qxkb_main_dlg.h"

namespace qxbench {

class BareWindow : public QxUI::MDialog {
public:
    static constexpr UINT kBackground = 1;

    HWND CreateBare() { return Create(nullptr, L"QxKBBareWindow", 0x96000000, 0, QxUI::CRect(0, 0, 1060, 720)); }
    void InitUI(QxUI::CRect) override {
        if (auto* picture = dynamic_cast<QxUI::MControlFont*>(CreateArea(L"MPicture", kBackground, QxUI::CRect(), L"", 1, 1)))
            picture->SetImage(qx::image::kBackground, 1);
    }
    void UISize(QxUI::CRect client) override {
        if (QxUI::MControl* picture = GetControl(kBackground)) picture->SetRect(client);
    }
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == qx::kMessageExitRequest && lParam == qx::kExitRequestCode) ::ExitProcess(0);
        if (msg != WM_PAINT) return MDialog::OnWindowMessage(msg, wParam, lParam);
        const LRESULT painted = MDialog::OnWindowMessage(msg, wParam, lParam);
        firstFrame_.AfterPaint();
        return painted;
    }

private:
    qx::FirstFrameSignal firstFrame_;
};

}  // namespace qxbench
