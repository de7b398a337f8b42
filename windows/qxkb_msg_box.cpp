#include "windows/qxkb_msg_box.h"

#include "toolkit/controls/m_text.h"

namespace qx {

QxKBMsgBox::QxKBMsgBox(std::wstring text, HWND owner) : text_(std::move(text)), owner_(owner) {
    m_roundCorner = 30;
}

BOOL QxKBMsgBox::OnInitDialog() {
    MDialog::OnInitDialog();
    SetBackMode(QxUI::BACK_MODE_FRAME, 20);
    LoadBKImage(QxUI::CString(L"img_msgboxbkg.png"));
    SetLayeredWindow(TRUE);
    ::SetTimer(GetSafeHwnd(), kCloseTimer, kCloseAfterMs, nullptr);
    return TRUE;
}

void QxKBMsgBox::InitUI(QxUI::CRect client) {
    label_ = CreateArea(L"MText", 31, QxUI::CRect(), text_.c_str(), 1, 1);
    if (auto* text = dynamic_cast<QxUI::MText*>(label_)) {
        text->SetTextColor(Gdiplus::Color(0xFE333333));
        text->SetAlignment(1);
        text->SetFontWidth(16);
    }
    UISize(client);
}

void QxKBMsgBox::UISize(QxUI::CRect client) {
    if (!label_) return;
    label_->SetRect(QxUI::CRect(client.left + 20, client.top + 12, client.right - 20, client.bottom - 10));
}

LRESULT QxKBMsgBox::OnMessage(UINT, UINT, UINT, LPARAM) { return 1; }

void QxKBMsgBox::OnTimer(UINT id) {
    if (id != kCloseTimer) return;
    ::KillTimer(GetSafeHwnd(), kCloseTimer);
    DoOK();
}

UINT QxKBMsgBox::Run(int width) {
    if (!Create(nullptr, L"QxKBMsgBox", 0x96000000, 0, QxUI::CRect(0, 0, width, kHeight))) return 0;
    ShowWindow(SW_SHOW);
    CenterWindow(nullptr);
    return ShowModal(SW_SHOWNORMAL);
}

}  // namespace qx
