// A screenshot of a dialog with a balloon and a key tip showing, taken from the X display so
// that the compositor's blending of the layered popups is what gets recorded.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/toolkit/controls/popup_test_images.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/c_keyboard_tips.h"
#include "toolkit/core/m_air_bladder.h"

namespace {

using QxUI::CRect;

// The Unix path of a file on Wine's Z: drive; empty for any other drive.
std::string UnixPath(const QxUI::CString& path) {
    std::wstring w = path.GetString();
    if (w.size() < 3 || (w[0] != L'Z' && w[0] != L'z') || w[1] != L':') return std::string();
    std::string out;
    for (size_t i = 2; i < w.size(); ++i) out += w[i] == L'\\' ? '/' : static_cast<char>(w[i]);
    return out;
}

TEST(PopupScreenshot, DialogWithBalloonAndKeyTip) {
    ASSERT_TRUE(qxtest::WritePopupSkin());
    qxtest::RecordingDialog dialog;
    ASSERT_NE(dialog.CreateAt(100, 100, 520, 320), nullptr);
    dialog.GetPaintManager()->SetBackColor(Gdiplus::Color(0xFF2A3038), Gdiplus::Color(0xFF4BA5C9));
    dialog.GetPaintManager()->AddControl(1, new qxtest::ProbeControl(&dialog, 5, CRect(40, 200, 160, 240)));
    dialog.GetPaintManager()->AddControl(1, new qxtest::ProbeControl(&dialog, 6, CRect(300, 200, 420, 240)));

    auto tip = std::make_unique<QxUI::CKeyboardTips>();
    ASSERT_NE(tip->Create(dialog.GetSafeHwnd(), L"KeyboardTip Window", 0x96000080, 0, CRect()), nullptr);
    ASSERT_TRUE(tip->LoadBKImage(L"test_keytip_bk.png"));
    POINT tipAnchor = {360, 210};
    ::ClientToScreen(dialog.GetSafeHwnd(), &tipAnchor);
    ASSERT_TRUE(tip->SetAirBladderMsg(L"Mute", L"601", L"Multimedia", tipAnchor));

    POINT balloonAnchor = dialog.GetAirBladderPoint(dialog.GetControl(5), QxUI::AIRBLADDER_CENTER);
    ASSERT_TRUE(dialog.SetAirBladderMsg(L"Set Successful!\nProfile A is active", balloonAnchor,
                                        QxUI::AIRBLADDER_STAY));
    HWND balloon = dialog.GetPaintManager()->GetAirBladder()->GetSafeHwnd();
    // The balloon took the focus from the tip, which hid: shown again without activation.
    tip->ShowWindow(SW_SHOWNA);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::IsWindowVisible(balloon) && tip->IsWindowVisible(); }, 3000));
    qxtest::PumpMessages();

    QxUI::CString png = qxtest::ScreenshotPath(L"popups.png");
    std::string unix = UnixPath(png);
    ASSERT_FALSE(unix.empty()) << "the build tree is expected on Z:";
    ::DeleteFileW(png.GetString());
    ASSERT_TRUE(qxtest::RunXdotool({"exec", "--sync", "import", "-window", "root", unix}));
    EXPECT_NE(::GetFileAttributesW(png.GetString()), INVALID_FILE_ATTRIBUTES);

    tip.reset();
    dialog.DestroyWindow();
    qxtest::PumpMessages();
}

}  // namespace
