// A control whose cache is dropped for part of its rectangle re-renders over fresh background,
// not over its own earlier drawing kept in the window's frame buffer.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_area.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/paint_manager.h"

namespace {

using QxUI::CRect;

class PartialRepaintTest : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = dialog.CreateAt(200, 150, 200, 120);
        ASSERT_NE(hwnd, nullptr);
        manager = dialog.GetPaintManager();
        manager->SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    // Waits until the window has painted everything it was asked to.
    bool Painted() {
        return qxtest::PumpUntil([&] { return !::GetUpdateRect(hwnd, nullptr, FALSE); }, 5000);
    }
    int Blue(int x, int y) {
        QxUI::OffScreenSurface surface;
        manager->PaintToSurface(surface, CRect(0, 0, 200, 120));
        return static_cast<int>(surface.GetPixel(x, y) & 0xFF);
    }
    qxtest::RecordingDialog dialog;
    HWND hwnd = nullptr;
    QxUI::PaintManager* manager = nullptr;
};

TEST_F(PartialRepaintTest, VeilRedrawnForPartOfItsRectangleBlendsOnceEverywhere) {
    // Two default veils (20 % white over black); the first one is asked to re-render for its
    // top-left corner only, the second one never is.
    auto* changed = static_cast<QxUI::CArea*>(dialog.CreateControl(L"CArea", 1, CRect(10, 10, 90, 90), L"", 1, 1));
    dialog.CreateControl(L"CArea", 2, CRect(110, 10, 190, 90), L"", 1, 1);
    ASSERT_NE(changed, nullptr);
    ASSERT_TRUE(Painted());
    const int once = Blue(150, 80);
    EXPECT_NEAR(once, 0x33, 3);

    struct Corner {
        CRect part;
    };
    const Corner corners[] = {{CRect(10, 10, 30, 30)}, {CRect(60, 60, 90, 90)}, {CRect(40, 10, 50, 90)}};
    for (const Corner& c : corners) {
        changed->UpdateControl(c.part, TRUE, FALSE);
        ASSERT_TRUE(Painted());
        // Inside and outside the part alike: the same single veil as the untouched control.
        for (int x : {15, 45, 80})
            for (int y : {15, 50, 80}) EXPECT_NEAR(Blue(x, y), once, 1) << x << "," << y;
    }
}

}  // namespace
