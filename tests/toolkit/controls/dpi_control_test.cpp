// The DPI card: presses inside its inner frame select it within its group and notify, presses
// elsewhere do nothing; its two looks come from its skin image, with the title and the value
// drawn only when it has a title.
#include <gtest/gtest.h>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/dpi_control.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CRect;
using QxUI::DPIControl;

constexpr DWORD kBack = 0xFF405060;
constexpr DWORD kLooks[2] = {0xFF3060C0, 0xFF40A040};

class DPIControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qxtest::WriteStateStrip(L"dpi_card_test.png", 32, 16, 2, kLooks));
        ASSERT_TRUE(dialog.CreateAt(120, 120, 520, 200));
        dialog.GetPaintManager()->SetBackColor(Gdiplus::Color(kBack), Gdiplus::Color(kBack));
        dialog.GetPaintManager()->AddTempFont(L"Arial", qxtest::TestFontPath());
        const CRect places[3] = {CRect(20, 40, 160, 160), CRect(180, 40, 320, 160), CRect(340, 40, 480, 160)};
        for (int i = 0; i < 3; ++i) {
            cards[i] = dynamic_cast<DPIControl*>(dialog.CreateControl(L"DPIControl", 50 + i, places[i], L"", 1, 1));
            ASSERT_NE(cards[i], nullptr);
            ASSERT_TRUE(cards[i]->SetImage(L"dpi_card_test.png", 2));
            cards[i]->SetFont(L"Arial", 18, Gdiplus::FontStyleRegular);
        }
        cards[0]->SetGroupName(L"g");
        cards[1]->SetGroupName(L"g");
        cards[2]->SetGroupName(L"h");
        qxtest::PumpMessages();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    int Count(UINT id, UINT code) const {
        int n = 0;
        for (const auto& m : dialog.notifications)
            if (m.id == id && m.code == code && m.lParam == 3) ++n;
        return n;
    }
    void Compose(QxUI::OffScreenSurface& frame) {
        CRect client;
        dialog.GetPaintManager()->GetClientRect(client);
        dialog.GetPaintManager()->PaintToSurface(frame, client);
        QxUI::OffScreenSurface::Flush();
    }

    qxtest::RecordingDialog dialog;
    DPIControl* cards[3] = {};
};

TEST_F(DPIControlTest, FactoryMakesTheCardWithItsDefaults) {
    EXPECT_TRUE(cards[0]->IsClass(L"DPIControl"));
    EXPECT_EQ(cards[0]->GetDPIValue(), 500);
    EXPECT_EQ(cards[0]->GetColor(), static_cast<COLORREF>(255));
    EXPECT_EQ(cards[0]->GetCheckState(), 0);
    EXPECT_NE(cards[0]->GetControl(DPIControl::kCheckBoxId), nullptr);
    EXPECT_EQ(cards[0]->GetCheck(), 1);  // the enabled check box starts checked
    cards[0]->SetGroupName(nullptr);
    EXPECT_EQ(cards[0]->GetGroupName(), QxUI::CString(L""));
}

TEST_F(DPIControlTest, PressInsideSelectsWithinTheGroupAndNotifiesEveryTime) {
    cards[1]->SetCheckState(1);
    cards[2]->SetCheckState(1);
    HWND hwnd = dialog.GetSafeHwnd();
    CRect a = cards[0]->GetRect();
    // Above the inner frame, on the title row: nothing happens. The press on card 1 after it
    // proves the first one was delivered and ignored.
    ASSERT_TRUE(qxtest::ClickAt(hwnd, a.left + 70, a.top + 15));
    ASSERT_TRUE(qxtest::ClickAt(hwnd, cards[1]->GetInnerFrame().CenterPoint().x + 10,
                                cards[1]->GetInnerFrame().CenterPoint().y));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(51, QxUI::NOTIFY_CLICK) == 1; }, 3000));
    EXPECT_EQ(Count(50, QxUI::NOTIFY_PRESS), 0);
    EXPECT_EQ(cards[0]->GetCheckState(), 0);
    EXPECT_EQ(Count(51, QxUI::NOTIFY_PRESS), 1);  // already selected, notified all the same

    ASSERT_TRUE(qxtest::ClickAt(hwnd, cards[0]->GetInnerFrame().CenterPoint().x + 10,
                                cards[0]->GetInnerFrame().CenterPoint().y));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(50, QxUI::NOTIFY_CLICK) == 1; }, 3000));
    EXPECT_EQ(Count(50, QxUI::NOTIFY_PRESS), 1);
    EXPECT_EQ(cards[0]->GetCheckState(), 1);
    EXPECT_EQ(cards[1]->GetCheckState(), 0);  // same group: deselected
    EXPECT_EQ(cards[2]->GetCheckState(), 1);  // other group: untouched

    // What the user sees: the selected card's frame in the checked look, the other in the plain.
    QxUI::OffScreenSurface frame;
    Compose(frame);
    EXPECT_EQ(frame.GetPixel(cards[0]->GetInnerFrame().CenterPoint().x, cards[0]->GetInnerFrame().top + 8), kLooks[1]);
    EXPECT_EQ(frame.GetPixel(cards[1]->GetInnerFrame().CenterPoint().x, cards[1]->GetInnerFrame().top + 8), kLooks[0]);
}

TEST_F(DPIControlTest, DisabledCardIgnoresPresses) {
    cards[0]->SetEnabled(FALSE);
    HWND hwnd = dialog.GetSafeHwnd();
    ASSERT_TRUE(qxtest::ClickAt(hwnd, cards[0]->GetInnerFrame().CenterPoint().x + 10,
                                cards[0]->GetInnerFrame().CenterPoint().y));
    ASSERT_TRUE(qxtest::ClickAt(hwnd, cards[1]->GetInnerFrame().CenterPoint().x + 10,
                                cards[1]->GetInnerFrame().CenterPoint().y));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(51, QxUI::NOTIFY_CLICK) == 1; }, 3000));
    EXPECT_EQ(Count(50, QxUI::NOTIFY_PRESS), 0);
    EXPECT_EQ(cards[0]->GetCheckState(), 0);
}

// Pixels of `rect` in `frame` that differ from `colour`.
int Differing(const QxUI::OffScreenSurface& frame, const CRect& rect, DWORD colour) {
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (frame.GetPixel(x, y) != colour) ++n;
    return n;
}

TEST_F(DPIControlTest, EmptyTitleShowsOnlyTheFrameLooks) {
    cards[1]->SetGroupName(L"x");  // each card its own group, so both show the same look
    cards[1]->SetTitle(L"Fast");
    cards[1]->SetDPIValue(1600);
    for (int look = 0; look < 2; ++look) {
        for (DPIControl* card : cards) card->SetCheckState(look);
        QxUI::OffScreenSurface frame;
    Compose(frame);
        CRect empty = cards[0]->GetRect(), titled = cards[1]->GetRect();
        // The inner frame right of the check box column: just the look's colour when untitled.
        CRect emptyFrame = cards[0]->GetInnerFrame();
        emptyFrame.left = empty.left + 24;
        emptyFrame.right -= 2;
        EXPECT_EQ(Differing(frame, emptyFrame, kLooks[look]), 0) << "look " << look;
        // The title row: the window shows through an untitled card, text covers part of a titled one.
        EXPECT_EQ(Differing(frame, CRect(empty.left, empty.top + 10, empty.right, empty.top + 30), kBack), 0);
        EXPECT_GT(Differing(frame, CRect(titled.left, titled.top + 10, titled.right, titled.top + 30), kBack), 0);
        CRect value(titled.left + 22, titled.top + 35, titled.right - 22, titled.top + 55);
        EXPECT_GT(Differing(frame, value, kLooks[look]), 0) << "look " << look;
    }
}

}  // namespace
