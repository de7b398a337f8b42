// The macro list box: the delete and edit buttons of the hovered row, what a press reports,
// where a press is not the list's, double clicks — with real pointer input and pixel probes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/qx_list_box.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using QxUI::QxListBox;

constexpr UINT kListId = 90;
constexpr DWORD kBackground = 0x2B3036;
constexpr DWORD kRowFill = 0x479CFC;
constexpr DWORD kDeleteColour = 0xE03030;
constexpr DWORD kEditColour = 0x30C040;
const CRect kList(40, 40, 340, 240);  // 300 x 200, rows of 36

bool Near(DWORD a, DWORD b, int tolerance = 6) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        // 24-pixel buttons in plain colours, so their places can be probed.
        ASSERT_TRUE(qxtest::WriteSkinPng(L"test_list_del.png", 24, 24, [](int, int) -> DWORD { return 0xFF000000 | kDeleteColour; }));
        ASSERT_TRUE(qxtest::WriteSkinPng(L"test_list_edit.png", 24, 24, [](int, int) -> DWORD { return 0xFF000000 | kEditColour; }));
        ASSERT_NE(dialog.CreateAt(100, 100, 400, 300), nullptr);
        manager()->SetBackColor(Gdiplus::Color(0xFF000000 | kBackground), Gdiplus::Color(0xFF000000 | kBackground));
        manager()->AddTempFont(L"Arial", qxtest::TestFontPath());
        list = dynamic_cast<QxListBox*>(dialog.CreateControl(L"QxListBox", kListId, CRect(), L"", 1, 1));
        ASSERT_NE(list, nullptr);
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    void Fill(int rows) {
        ASSERT_TRUE(list->SetDelBtnImage(L"test_list_del.png", 1));
        ASSERT_TRUE(list->SetEditBtnImage(L"test_list_edit.png", 1));
        list->SetRect(kList);
        for (int i = 0; i < rows; ++i)
            list->AddString((L"Macro " + std::to_wstring(i)).c_str(), static_cast<long>(100 + i), -1);
        qxtest::PumpMessages();
    }
    QxUI::PaintManager* manager() { return dialog.GetPaintManager(); }
    HWND hwnd() { return dialog.GetSafeHwnd(); }
    DWORD PixelAt(int x, int y) {
        QxUI::OffScreenSurface surface;
        manager()->PaintToSurface(surface, CRect(0, 0, 400, 300));
        return surface.GetPixel(x, y) & 0x00FFFFFF;
    }
    // Row `i`'s point at `x` pixels from the list's left edge, halfway down the row.
    static CPoint RowPoint(int i, int x = 150) { return CPoint(kList.left + x, kList.top + i * 36 + 18); }
    size_t Count(UINT code) const {
        size_t n = 0;
        for (const auto& note : dialog.notifications)
            if (note.id == kListId && note.code == code) ++n;
        return n;
    }
    const qxtest::RecordingDialog::Notification* WaitFor(UINT code, size_t from) {
        const qxtest::RecordingDialog::Notification* found = nullptr;
        qxtest::PumpUntil(
            [&] {
                for (size_t i = from; i < dialog.notifications.size(); ++i)
                    if (dialog.notifications[i].id == kListId && dialog.notifications[i].code == code) {
                        found = &dialog.notifications[i];
                        return true;
                    }
                return false;
            },
            5000);
        return found;
    }
    qxtest::RecordingDialog dialog;
    QxListBox* list = nullptr;
};

TEST_F(ListBoxTest, ButtonBoxesSitAtTheRightEndOfTheHoveredRowOnly) {
    Fill(4);
    EXPECT_EQ(list->GetDelBtnBox(), CRect(266, 6, 290, 30));
    EXPECT_EQ(list->GetEditBtnBox(), CRect(240, 6, 264, 30));
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), RowPoint(1)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Near(PixelAt(RowPoint(1).x, RowPoint(1).y), kRowFill); }, 5000));
    // The buttons' images, unscaled, exactly in their boxes of row 1.
    for (int x : {266, 278, 289}) EXPECT_TRUE(Near(PixelAt(RowPoint(1, x).x, RowPoint(1).y), kDeleteColour)) << x;
    for (int x : {240, 252, 263}) EXPECT_TRUE(Near(PixelAt(RowPoint(1, x).x, RowPoint(1).y), kEditColour)) << x;
    EXPECT_TRUE(Near(PixelAt(RowPoint(1, 265).x, RowPoint(1).y), kRowFill)) << "between the boxes";
    EXPECT_TRUE(Near(PixelAt(RowPoint(1, 278).x, kList.top + 36 + 4), kRowFill)) << "above the delete box";
    // Other rows show neither fill nor buttons.
    for (int row : {0, 2}) {
        EXPECT_TRUE(Near(PixelAt(RowPoint(row, 278).x, RowPoint(row).y), kBackground)) << row;
        EXPECT_TRUE(Near(PixelAt(RowPoint(row, 252).x, RowPoint(row).y), kBackground)) << row;
    }
}

TEST_F(ListBoxTest, ButtonImagesSetAfterTheRectangleWaitForTheNextOne) {
    list->SetRect(kList);
    ASSERT_TRUE(list->SetDelBtnImage(L"test_list_del.png", 1));
    ASSERT_TRUE(list->SetEditBtnImage(L"test_list_edit.png", 1));
    EXPECT_TRUE(list->GetDelBtnBox().IsRectEmpty());
    EXPECT_TRUE(list->GetEditBtnBox().IsRectEmpty());
    list->SetRect(kList);
    EXPECT_EQ(list->GetDelBtnBox(), CRect(266, 6, 290, 30));
    // An image that does not load is absent.
    EXPECT_FALSE(list->SetDelBtnImage(L"no_such_image.png", 1));
}

TEST_F(ListBoxTest, PressReportsTheRowAndTheButtonItHit) {
    Fill(5);
    struct Case {
        int row;
        int x;  // from the list's left edge
        LPARAM hit;
    };
    // Each press goes to a row that was not selected before.
    const Case cases[] = {{2, 278, QxListBox::kDeleteHit}, {3, 252, QxListBox::kEditHit}, {0, 100, 0},
                          {4, 266, QxListBox::kDeleteHit}, {1, 263, QxListBox::kEditHit}, {2, 265, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ASSERT_NE(list->GetCurSel(), c.row);
        size_t before = dialog.notifications.size();
        // Hovering first shows the buttons the user aims at.
        ASSERT_TRUE(qxtest::MoveTo(hwnd(), RowPoint(c.row, 50)));
        ASSERT_TRUE(qxtest::ClickAt(hwnd(), RowPoint(c.row, c.x).x, RowPoint(c.row).y));
        auto* press = WaitFor(QxUI::NOTIFY_PRESS, before);
        ASSERT_NE(press, nullptr);
        EXPECT_EQ(static_cast<int>(press->wParam), c.row);
        EXPECT_EQ(press->lParam, c.hit);
        EXPECT_EQ(list->GetCurSel(), c.row) << "selected in the same press";
    }
    // Once the pointer has gone the buttons go with it; the selected row keeps its fill.
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), 370, 280));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return Near(PixelAt(RowPoint(2, 278).x, RowPoint(2).y), kRowFill); }, 5000));
    EXPECT_TRUE(Near(PixelAt(RowPoint(2).x, RowPoint(2).y), kRowFill));
}

TEST_F(ListBoxTest, PressesOffTheRowsAreNotTheLists) {
    Fill(3);  // 108 of 200 pixels: no scroll bar
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), RowPoint(1).x, RowPoint(1).y));
    ASSERT_NE(WaitFor(QxUI::NOTIFY_PRESS, 0), nullptr);
    size_t presses = Count(QxUI::NOTIFY_PRESS);
    // Below the last row, and in the rightmost strip of a row (the bar's place, bar hidden).
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), kList.left + 100, kList.top + 3 * 36 + 30));
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), kList.right - 2, RowPoint(0).y));
    // A press that does report marks the end of what the two before could have sent.
    size_t before = dialog.notifications.size();
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), RowPoint(2).x, RowPoint(2).y));
    auto* last = WaitFor(QxUI::NOTIFY_PRESS, before);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(static_cast<int>(last->wParam), 2);
    EXPECT_EQ(Count(QxUI::NOTIFY_PRESS), presses + 1);
    // Rows still use the full width while the bar is hidden: the strip is filled on hover.
    EXPECT_TRUE(Near(PixelAt(kList.right - 2, RowPoint(2).y), kRowFill));
}

TEST_F(ListBoxTest, DoubleClickNotifiesTheRow) {
    Fill(4);
    ASSERT_TRUE(qxtest::DoubleClickAt(hwnd(), RowPoint(3, 60).x, RowPoint(3).y));
    auto* dbl = WaitFor(QxUI::NOTIFY_DBLCLK, 0);
    ASSERT_NE(dbl, nullptr);
    EXPECT_EQ(static_cast<int>(dbl->wParam), 3);
    EXPECT_EQ(dbl->lParam, 0);
    EXPECT_EQ(list->GetCurSel(), 3);
}

TEST_F(ListBoxTest, RightReleaseReportsTheSelection) {
    Fill(4);
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), RowPoint(2).x, RowPoint(2).y, 3));
    auto* right = WaitFor(QxUI::NOTIFY_RCLICK, 0);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(static_cast<int>(right->wParam), 2);
    // Inside the list but below the rows: reported too, with no row.
    size_t before = dialog.notifications.size();
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), kList.left + 100, kList.top + 4 * 36 + 20, 3));
    auto* none = WaitFor(QxUI::NOTIFY_RCLICK, before);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(static_cast<int>(none->wParam), -1);
}

TEST_F(ListBoxTest, EditingARowsNameReplacesItsText) {
    Fill(3);
    list->EnableShowEdit(1);
    qxtest::PumpMessages();
    ASSERT_TRUE(qxtest::DoubleClickAt(hwnd(), RowPoint(1, 60).x, RowPoint(1).y));
    HWND editor = nullptr;
    ASSERT_TRUE(qxtest::PumpUntil(
        [&] {
            editor = ::FindWindowExW(hwnd(), nullptr, L"PnEditWindow", nullptr);
            return editor && ::IsWindowVisible(editor) && ::GetFocus() == editor;
        },
        5000));
    // Over the name: 52 pixels in from the row's left edge, up to its right edge.
    CRect at;
    ::GetWindowRect(editor, &at);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&at), 2);
    EXPECT_EQ(at, CRect(kList.left + 52, kList.top + 36 + 8, kList.right - 1, kList.top + 36 + 8 + 19));
    wchar_t text[64] = {};
    ::GetWindowTextW(editor, text, 64);
    EXPECT_EQ(std::wstring(text), L"Macro 1");
    ASSERT_TRUE(qxtest::TypeText("x"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return ::GetWindowTextLengthW(editor) == 8; }, 5000));
    EXPECT_NE(WaitFor(QxUI::NOTIFY_EDIT_CHANGED, 0), nullptr);

    // Another row's press ends the edit of this one.
    size_t before = dialog.notifications.size();
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), RowPoint(2).x, RowPoint(2).y));
    auto* closed = WaitFor(QxUI::NOTIFY_EDIT_CLOSED, before);
    ASSERT_NE(closed, nullptr);
    EXPECT_EQ(closed->lParam, 1);
    EXPECT_FALSE(::IsWindowVisible(editor));
    EXPECT_EQ(std::wstring(list->GetItemText(1)), L"Macro 1x");
    EXPECT_EQ(list->GetItemData(1), 101);
}

}  // namespace
