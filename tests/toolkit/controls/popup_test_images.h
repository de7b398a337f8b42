#pragma once
// Skin images shared by the popup window tests.
#include "tests/toolkit/support/test_images.h"

namespace qxtest {

// A bubble with rounded corners: fully transparent outside a rounded rectangle of radius 5,
// a one-pixel `border` line inside it, `body` everywhere else.
inline bool WriteBubbleImage(const QxUI::CString& name, int w, int h, DWORD border, DWORD body) {
    const int r = 5;
    return WriteSkinPng(name, w, h, [=](int x, int y) -> DWORD {
        int cx = x < r ? r - x : (x >= w - r ? x - (w - r - 1) : 0);
        int cy = y < r ? r - y : (y >= h - r ? y - (h - r - 1) : 0);
        int d2 = cx * cx + cy * cy;
        if (d2 > r * r) return 0x00000000;
        if (d2 > (r - 1) * (r - 1) || x == 0 || y == 0 || x == w - 1 || y == h - 1) return border;
        return body;
    });
}

constexpr DWORD kBalloonBorder = 0xFF2FA8D8;
constexpr DWORD kBalloonBody = 0xFFF2F6F8;
constexpr DWORD kKeyTipBody = 0xFF10161C;

// The balloon's skin image (light, so its dark text shows) and a dark key-tip background.
inline bool WritePopupSkin() {
    return WriteBubbleImage(L"img_tip_bk.png", 149, 79, kBalloonBorder, kBalloonBody) &&
           WriteBubbleImage(L"test_keytip_bk.png", 149, 79, kBalloonBorder, kKeyTipBody);
}

}  // namespace qxtest
