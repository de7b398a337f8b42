// The control factory: exact names, the panel subset, registration rules; CArea as the simplest
// concrete control, driven by real pointer input.
#include <gtest/gtest.h>

#include <memory>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_area.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::ControlFactory;
using QxUI::CRect;
using QxUI::MControl;

TEST(ControlFactory, NamesAreComparedWholeAndCaseSensitive) {
    struct Case {
        const wchar_t* name;
        bool made;
    };
    const Case cases[] = {
        {L"CArea", true},  {L"carea", false}, {L"CAREA", false}, {L"CArea ", false},
        {L"CAre", false},  {L"", false},      {L"NoSuchControl", false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<MControl> control(ControlFactory::Create(nullptr, c.name, 5, CRect(0, 0, 10, 10), L"", 1, 1));
        EXPECT_EQ(control != nullptr, c.made) << "name \"" << testing::PrintToString(std::wstring(c.name)) << "\"";
    }
    EXPECT_EQ(ControlFactory::Create(nullptr, nullptr, 5, CRect(), L"", 1, 1), nullptr);
}

TEST(ControlFactory, PanelFactoryKnowsOnlyItsSubset) {
    // Window-only names: known to the window factory, refused inside a panel.
    for (const wchar_t* name : {L"QxKeyboardCtrl", L"QxListBox", L"LightModeButton", L"CGDIText", L"DPIControl",
                                L"ProfileButton", L"MoveShowText", L"CComboBoxList"}) {
        EXPECT_TRUE(ControlFactory::IsKnownName(name));
        EXPECT_FALSE(ControlFactory::IsPanelName(name));
    }
    for (const wchar_t* name : {L"CArea", L"MText", L"CRecordList", L"NewButton", L"MenuItem", L"MSpinButton"})
        EXPECT_TRUE(ControlFactory::IsPanelName(name));
    std::unique_ptr<MControl> area(ControlFactory::CreateInPanel(nullptr, L"CArea", 3, CRect(), L"", 1, 0));
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->GetControlID(), 3u);
}

TEST(ControlFactory, RegistrationTakesTableNamesOnce) {
    auto maker = [](QxUI::MObject*, UINT, CRect, const wchar_t*, int, int) -> MControl* { return nullptr; };
    EXPECT_FALSE(ControlFactory::Register(L"NotInTheTable", maker));
    EXPECT_FALSE(ControlFactory::Register(L"CArea", maker)) << "CArea is attached already";
    EXPECT_FALSE(ControlFactory::Register(nullptr, maker));
}

TEST(ControlFactory, ArgumentsReachTheControl) {
    // CArea takes (a, 1): `a` is the visible flag, the enabled flag is always 1.
    std::unique_ptr<MControl> hidden(ControlFactory::Create(nullptr, L"CArea", 9, CRect(1, 2, 3, 4), L"", 0, 0));
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(hidden->IsVisible());
    EXPECT_TRUE(hidden->IsEnabled());
    EXPECT_EQ(hidden->GetRect(), CRect(1, 2, 3, 4));
    EXPECT_TRUE(hidden->GetRresponse());
}

class AreaTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(dialog.CreateAt(200, 150, 200, 120), nullptr); }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    DWORD PixelAt(int x, int y) {
        QxUI::OffScreenSurface surface;
        dialog.GetPaintManager()->PaintToSurface(surface, CRect(0, 0, 200, 120));
        return surface.GetPixel(x, y) & 0x00FFFFFF;
    }
    qxtest::RecordingDialog dialog;
};

TEST_F(AreaTest, OpaqueSwatchAndDefaultVeil) {
    QxUI::PaintManager* manager = dialog.GetPaintManager();
    manager->SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
    auto* swatch = static_cast<QxUI::CArea*>(dialog.CreateControl(L"CArea", 20, CRect(10, 10, 50, 50), L"", 1, 1));
    auto* veil = static_cast<QxUI::CArea*>(dialog.CreateControl(L"CArea", 21, CRect(60, 10, 100, 50), L"", 1, 1));
    ASSERT_NE(swatch, nullptr);
    ASSERT_NE(veil, nullptr);
    swatch->SetTransparent(0, 0, RGB(0x20, 0x80, 0xF0));
    // The swatch is the colour at alpha 0xFE: over black each channel loses at most one step.
    DWORD s = PixelAt(30, 30);
    EXPECT_NEAR(static_cast<int>((s >> 16) & 0xFF), 0x20, 1);
    EXPECT_NEAR(static_cast<int>((s >> 8) & 0xFF), 0x80, 1);
    EXPECT_NEAR(static_cast<int>(s & 0xFF), 0xF0, 1);
    // 20 % white over black: about 0x33 per channel.
    DWORD v = PixelAt(80, 30);
    EXPECT_NEAR(static_cast<int>(v & 0xFF), 0x33, 3);
    EXPECT_NEAR(static_cast<int>((v >> 16) & 0xFF), 0x33, 3);
}

TEST_F(AreaTest, RealClickReachesAControlUnderThePointer) {
    auto* probe = new qxtest::ProbeControl(&dialog, 30, CRect(20, 20, 80, 60));
    dialog.GetPaintManager()->AddControl(1, probe);
    qxtest::PumpMessages();
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 40, 40));
    auto clicked = [&] {
        for (const auto& n : dialog.notifications)
            if (n.id == 30 && n.code == QxUI::NOTIFY_CLICK) return true;
        return false;
    };
    EXPECT_TRUE(qxtest::PumpUntil(clicked, 5000));
}

}  // namespace
