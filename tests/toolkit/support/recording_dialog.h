#pragma once
#include <vector>

#include "toolkit/core/m_dialog.h"

namespace qxtest {

// A dialog that records the notifications and handler calls the tests look at.
class RecordingDialog : public QxUI::MDialog {
public:
    struct Notification {
        UINT id;
        UINT code;
        UINT wParam;
        LPARAM lParam;
        bool operator==(const Notification& o) const { return id == o.id && code == o.code; }
    };

    // Private message: the dialog destroys itself when it arrives.
    static constexpr UINT kDestroySelf = WM_APP + 7;

    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override {
        notifications.push_back(Notification{id, code, wParam, lParam});
        return 0;
    }
    void InitUI(QxUI::CRect) override { ++initUICalls; }
    void UISize(QxUI::CRect client) override {
        ++uiSizeCalls;
        lastUISize = client;
    }
    BOOL OnClose() override {
        ++closeCalls;
        return 1;
    }
    LRESULT OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == kDestroySelf) {
            DestroyWindow();
            return 0;
        }
        return MDialog::OnWindowMessage(msg, wParam, lParam);
    }

    // Creates the usual test window: a visible popup at (x, y) of w x h, window drag off.
    // Wine has been seen to fail every window creation of a test process for a short while (the
    // desktop's process answering late or being replaced); the window code is not what is under
    // test there, so creation is tried again for up to five seconds and the last error is kept
    // for the failure message.
    HWND CreateAt(int x, int y, int w, int h) {
        HWND hwnd = nullptr;
        const DWORD start = ::GetTickCount();
        for (;;) {
            hwnd = Create(nullptr, L"QxUI test", WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                          QxUI::CRect(x, y, x + w, y + h));
            if (hwnd) break;
            lastCreateError = ::GetLastError();
            if (::GetTickCount() - start > 5000) break;
            ::Sleep(100);
        }
        EnableWndDrag(FALSE);
        return hwnd;
    }
    DWORD lastCreateError = 0;

    std::vector<Notification> notifications;
    int initUICalls = 0;
    int uiSizeCalls = 0;
    int closeCalls = 0;
    QxUI::CRect lastUISize;
};

}  // namespace qxtest
