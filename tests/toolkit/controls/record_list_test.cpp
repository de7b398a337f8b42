// The macro record list driven as a user drives it: real pointer, wheel and keys, checked by the
// notifications its owner receives and by the pixels it paints.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_record_list.h"
#include "toolkit/controls/c_scroll_vertical.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CRecordList;
using QxUI::CRect;

constexpr UINT kListId = 35;
constexpr DWORD kBackground = 0xF0F0F0;
constexpr DWORD kRowFill = 0x479CFC;
const CRect kList(40, 40, 240, 240);  // 200 x 200, rows of 30

bool Near(DWORD a, DWORD b, int tolerance = 6) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

class RecordListTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(100, 100, 400, 320), nullptr);
        manager()->SetBackColor(Gdiplus::Color(0xFF000000 | kBackground), Gdiplus::Color(0xFF000000 | kBackground));
        manager()->AddTempFont(L"Arial", qxtest::TestFontPath());
        list = dynamic_cast<CRecordList*>(dialog.CreateControl(L"CRecordList", kListId, CRect(), L"", 1, 1));
        ASSERT_NE(list, nullptr);
        list->SetRect(kList);
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    QxUI::PaintManager* manager() { return dialog.GetPaintManager(); }
    HWND hwnd() { return dialog.GetSafeHwnd(); }
    void AddSteps(int n) {
        for (int i = 0; i < n; ++i) list->AddString((L"Step " + std::to_wstring(i)).c_str(), static_cast<long>(i), i % 3);
        qxtest::PumpMessages();
    }
    DWORD PixelAt(int x, int y) {
        QxUI::OffScreenSurface surface;
        manager()->PaintToSurface(surface, CRect(0, 0, 400, 320));
        return surface.GetPixel(x, y) & 0x00FFFFFF;
    }
    // A point of row `i` (unscrolled) clear of its text.
    static QxUI::CPoint RowPoint(int i) { return QxUI::CPoint(kList.left + 150, kList.top + i * 30 + 15); }
    bool RowFilled(int i) {
        QxUI::CPoint p = RowPoint(i);
        return Near(PixelAt(p.x, p.y), kRowFill);
    }
    // Waits for the next notification `code` after the first `from` notifications.
    const qxtest::RecordingDialog::Notification* WaitFor(UINT code, size_t from = 0) {
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
    size_t Count(UINT code) const {
        size_t n = 0;
        for (const auto& note : dialog.notifications)
            if (note.id == kListId && note.code == code) ++n;
        return n;
    }
    qxtest::RecordingDialog dialog;
    CRecordList* list = nullptr;
};

TEST_F(RecordListTest, InsertStringIndexRules) {
    EXPECT_EQ(list->InsertString(0, L"refused", 0, 1), -1) << "index 0 of an empty list";
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(list->InsertString(-1, L"first", 0, 1), 0);
    EXPECT_EQ(list->AddString(L"second", 2L, 1), 1);
    EXPECT_EQ(list->AddString(L"third", 2), 2);
    // Inserting before row 0 answers the new last index, not 0.
    EXPECT_EQ(list->InsertString(0, L"new", 2, 9), 3);
    EXPECT_EQ(std::wstring(list->GetItemText(0)), L"new");
    EXPECT_EQ(std::wstring(list->GetItemText(1)), L"first");
    for (int bad : {4, -2, 100}) EXPECT_EQ(list->InsertString(bad, L"x", 0, 0), -1) << bad;
    EXPECT_EQ(list->InsertString(-1, nullptr, 0, 5), 4);
    EXPECT_EQ(std::wstring(list->GetItemText(4)), L"");
    EXPECT_EQ(list->GetItemCount(), 5);

    // Every other index-taking operation refuses outside the list without touching a row.
    EXPECT_EQ(list->DeleteItem(5), 0);
    EXPECT_EQ(list->DeleteItem(-1), 0);
    EXPECT_EQ(list->GetItemData(5), 0);
    EXPECT_EQ(list->SetItemData(-1, 3), 0);
    EXPECT_EQ(list->ModifyItemString(7, L"x"), 0);
    EXPECT_EQ(std::wstring(list->GetItemText(-3)), L"");
    EXPECT_EQ(list->SetCurSel(5), 0);
    EXPECT_EQ(list->SetCurSel(-1), 1);
    list->SwapItem(0, 9);
    EXPECT_EQ(std::wstring(list->GetItemText(0)), L"new");
    EXPECT_EQ(list->FindString(L"FIRST"), -1) << "case-sensitive";
    EXPECT_EQ(list->FindString(L"first"), 1);
    EXPECT_EQ(list->FindItemData(5), 4);
    EXPECT_EQ(list->SetCurData(9), 0);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_TRUE(list->GetItemRect(0).IsRectEmpty());
    EXPECT_EQ(list->DeleteItem(0), 1);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(list->GetItemCount(), 4);
}

TEST_F(RecordListTest, ScrollBarShowsAtSevenRowsNotAtSix) {
    QxUI::CScrollVertical* bar = list->GetScrollVertical();
    AddSteps(6);  // 180 of 200 pixels
    EXPECT_FALSE(bar->IsVisible());
    QxUI::CPoint barPoint(kList.right - 3, kList.top + 20);
    DWORD without = PixelAt(barPoint.x, barPoint.y);
    EXPECT_TRUE(Near(without, kBackground)) << std::hex << without;
    list->AddString(L"Step 6", 6L, 0);  // 210 pixels
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetScrollMaxRange(), 210);
    CRect thumb = bar->GetThumbRect();
    EXPECT_NE(PixelAt(kList.right - 3, thumb.CenterPoint().y), without) << "the bar is drawn over the strip";
    EXPECT_EQ(list->DeleteItem(6), 1);
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_EQ(list->DeleteAllItems(), 1);
    EXPECT_FALSE(bar->IsVisible());
}

TEST_F(RecordListTest, HoverAndSelectionLooks) {
    AddSteps(5);
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), RowPoint(2)));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return RowFilled(2); }, 5000)) << "the hovered row is filled";
    EXPECT_TRUE(Near(PixelAt(RowPoint(1).x, RowPoint(1).y), kBackground));

    ASSERT_TRUE(qxtest::ClickAt(hwnd(), RowPoint(4).x, RowPoint(4).y));
    auto* press = WaitFor(QxUI::NOTIFY_PRESS);
    ASSERT_NE(press, nullptr);
    EXPECT_EQ(static_cast<int>(press->wParam), 4);
    EXPECT_TRUE(RowFilled(4));
    EXPECT_FALSE(RowFilled(2)) << "the hover moved on";

    // The selection stays filled while another row is hovered.
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), RowPoint(0)));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return RowFilled(0); }, 5000));
    EXPECT_TRUE(RowFilled(4));

    // A press below the last row reports no row and clears the selection.
    size_t before = dialog.notifications.size();
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), kList.left + 100, kList.top + 5 * 30 + 20));
    auto* empty = WaitFor(QxUI::NOTIFY_PRESS, before);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(static_cast<int>(empty->wParam), -1);
    EXPECT_FALSE(RowFilled(4));
    EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(RecordListTest, DoubleClickNotifiesTheSelectedRow) {
    AddSteps(5);
    ASSERT_TRUE(qxtest::DoubleClickAt(hwnd(), RowPoint(3).x, RowPoint(3).y));
    auto* dbl = WaitFor(QxUI::NOTIFY_DBLCLK);
    ASSERT_NE(dbl, nullptr);
    EXPECT_EQ(static_cast<int>(dbl->wParam), 3);
    EXPECT_TRUE(RowFilled(3));
}

TEST_F(RecordListTest, RightReleaseOnARowReportsIt) {
    AddSteps(5);
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), RowPoint(1).x, RowPoint(1).y, 3));
    auto* right = WaitFor(QxUI::NOTIFY_RCLICK);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(static_cast<int>(right->wParam), 1);
    EXPECT_TRUE(qxtest::PumpUntil([&] { return list->GetCurSel() == 1; }, 2000));
    // Below the last row: nothing to report, and the selection follows the (empty) hover.
    size_t before = Count(QxUI::NOTIFY_RCLICK);
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), kList.left + 100, kList.top + 5 * 30 + 20, 3));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !RowFilled(1); }, 5000));
    EXPECT_EQ(Count(QxUI::NOTIFY_RCLICK), before);
    EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(RecordListTest, WheelScrollsOnlyWhatDoesNotFit) {
    AddSteps(5);
    EXPECT_EQ(list->OnControlScroll(1, 1, RowPoint(1)), 0) << "five rows fit: nothing to scroll";
    list->DeleteAllItems();
    AddSteps(20);
    list->SetCurSel(0);
    QxUI::CPoint top(kList.left + 150, kList.top + 5);
    EXPECT_TRUE(Near(PixelAt(top.x, top.y), kRowFill));
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), RowPoint(5)));
    ASSERT_TRUE(qxtest::Wheel(-1));  // towards the user: down
    EXPECT_TRUE(qxtest::PumpUntil([&] { return list->GetScrollVertical()->GetScrollCurrentPos() == 100; }, 5000));
    EXPECT_TRUE(Near(PixelAt(top.x, top.y), kBackground)) << "row 0 scrolled away";
    ASSERT_TRUE(qxtest::Wheel(-20));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return list->GetScrollVertical()->GetScrollCurrentPos() == 600; }, 5000));
    ASSERT_TRUE(qxtest::Wheel(30));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return list->GetScrollVertical()->GetScrollCurrentPos() == 0; }, 5000));
    EXPECT_TRUE(Near(PixelAt(top.x, top.y), kRowFill)) << "row 0 is back at the top";
}

TEST_F(RecordListTest, DraggingTheBarScrollsAndIsPassedOn) {
    AddSteps(20);
    list->SetCurSel(0);
    QxUI::CPoint top(kList.left + 150, kList.top + 5);
    ASSERT_TRUE(Near(PixelAt(top.x, top.y), kRowFill));
    CRect thumb = list->GetScrollVertical()->GetThumbRect();
    ASSERT_FALSE(thumb.IsRectEmpty());
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), thumb.CenterPoint()));
    ASSERT_TRUE(qxtest::ButtonDown(1));
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), thumb.CenterPoint().x, thumb.CenterPoint().y + 40));
    ASSERT_TRUE(qxtest::ButtonUp(1));
    // The bar's own notification reaches the owner unchanged, under the bar's id.
    bool passedOn = qxtest::PumpUntil(
        [&] {
            for (const auto& n : dialog.notifications)
                if (n.id == 1 && n.code == QxUI::NOTIFY_VALUE && n.wParam > 0) return true;
            return false;
        },
        5000);
    EXPECT_TRUE(passedOn);
    EXPECT_TRUE(qxtest::PumpUntil([&] { return Near(PixelAt(top.x, top.y), kBackground); }, 5000))
        << "row 0 scrolled away with the thumb";
}

TEST_F(RecordListTest, DragImageIsTheHoveredRow) {
    AddSteps(3);
    EXPECT_EQ(list->GetDropBitmap(), nullptr) << "no row hovered";
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), RowPoint(1)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return RowFilled(1); }, 5000));
    HBITMAP image = list->GetDropBitmap();
    ASSERT_NE(image, nullptr);
    BITMAP info = {};
    ASSERT_TRUE(::GetObjectW(image, sizeof(info), &info));
    // "Step 1" is narrower than 160 pixels: text + icon column + margin, a row high.
    EXPECT_GT(info.bmWidth, 40);
    EXPECT_LT(info.bmWidth, 200);
    EXPECT_EQ(info.bmHeight, 30);
    ::DeleteObject(image);
    EXPECT_EQ(list->GetCurSel(), 1) << "the dragged row becomes the selection";
}

// A right release outside the list reaches it when the list sits in a panel that passes the
// pointer on to the child it was pressed on.
TEST_F(RecordListTest, RightReleaseOutsideTheListClearsTheSelectionSilently) {
    dialog.GetPaintManager()->RemoveControl(list);
    auto* panel = dynamic_cast<QxUI::MPanel*>(dialog.CreateControl(L"MListBox", 10, CRect(), L"", 1, 1));
    ASSERT_NE(panel, nullptr);
    list = dynamic_cast<CRecordList*>(panel->CreateControl(L"CRecordList", kListId, kList, L"", 1, 1));
    ASSERT_NE(list, nullptr);
    panel->SetRect(CRect(20, 20, 380, 300));
    AddSteps(5);
    ASSERT_TRUE(qxtest::ClickAt(hwnd(), RowPoint(2).x, RowPoint(2).y));
    ASSERT_NE(WaitFor(QxUI::NOTIFY_PRESS), nullptr);
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), RowPoint(0)));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return RowFilled(0) && RowFilled(2); }, 5000));

    ASSERT_TRUE(qxtest::ButtonDown(3));
    ASSERT_TRUE(qxtest::MoveTo(hwnd(), 320, 270));  // in the panel, outside the list
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !RowFilled(0); }, 5000)) << "the hover left with the pointer";
    ASSERT_TRUE(qxtest::ButtonUp(3));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return !RowFilled(2); }, 5000)) << "the selection became the hover row";
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(Count(QxUI::NOTIFY_RCLICK), 0u);
}

HWND EditorOf(HWND dialog) { return ::FindWindowExW(dialog, nullptr, L"PnEditWindow", nullptr); }

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    ::GetWindowTextW(window, text, 64);
    return text;
}

TEST_F(RecordListTest, EditingADelayRowStoresTheTypedNumber) {
    list->AddString(L"Key A down", 0L, 0);
    list->AddString(L"50", 50L, 2);
    list->AddString(L"Key A up", 2L, 1);
    list->EnableShowEdit(1);
    qxtest::PumpMessages();

    // Only delay rows open the editor.
    ASSERT_TRUE(qxtest::DoubleClickAt(hwnd(), RowPoint(0).x, RowPoint(0).y));
    ASSERT_NE(WaitFor(QxUI::NOTIFY_DBLCLK), nullptr);
    HWND editor = EditorOf(hwnd());
    EXPECT_TRUE(!editor || !::IsWindowVisible(editor));

    struct Case {
        const char* typed;
        const wchar_t* stored;
        bool reported;
    };
    // The row's data stays 50 throughout: typing 50 is no change; an emptied editor means 10.
    const Case cases[] = {{"50", L"50", false}, {"", L"10", true}, {"250", L"250", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        size_t before = dialog.notifications.size();
        size_t closed = Count(QxUI::NOTIFY_EDIT_CLOSED);
        ASSERT_TRUE(qxtest::DoubleClickAt(hwnd(), RowPoint(1).x - 100, RowPoint(1).y));
        ASSERT_TRUE(qxtest::PumpUntil(
            [&] {
                editor = EditorOf(hwnd());
                return editor && ::IsWindowVisible(editor) && ::GetFocus() == editor;
            },
            5000));
        CRect at;
        ::GetWindowRect(editor, &at);
        ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(at, CRect(kList.right - 5 - 61, kList.top + 30 + (30 - 13) / 2 - 1, kList.right - 5 - 1,
                            kList.top + 30 + (30 - 13) / 2 - 1 + 17));
        // The editor answers its colour message, reflected to it by the window: white on dark.
        HDC dc = ::GetDC(editor);
        auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                              reinterpret_cast<LPARAM>(editor)));
        LOGBRUSH fill = {};
        EXPECT_TRUE(brush && ::GetObjectW(brush, sizeof(fill), &fill));
        EXPECT_EQ(fill.lbColor, 0x363B3Eu);
        EXPECT_EQ(::GetTextColor(dc), 0xFFFFFFu);
        ::ReleaseDC(editor, dc);
        std::wstring shown = TextOf(editor);
        EXPECT_EQ(shown, std::wstring(list->GetItemText(1)));
        for (size_t i = 0; i < shown.size(); ++i) ASSERT_TRUE(qxtest::KeyPress("BackSpace"));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return TextOf(editor).empty(); }, 5000));
        if (*c.typed) ASSERT_TRUE(qxtest::TypeText(c.typed));
        std::wstring typed(c.typed, c.typed + std::strlen(c.typed));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return TextOf(editor) == typed; }, 5000));
        // Each change of the text was reported while typing.
        EXPECT_NE(WaitFor(QxUI::NOTIFY_EDIT_CHANGED, before), nullptr);

        // A press elsewhere in the window takes the focus from the list and ends the edit.
        ASSERT_TRUE(qxtest::ClickAt(hwnd(), 320, 290));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return !::IsWindowVisible(editor); }, 5000));
        EXPECT_EQ(std::wstring(list->GetItemText(1)), std::wstring(c.stored));
        EXPECT_EQ(list->GetItemData(1), 50);
        EXPECT_EQ(Count(QxUI::NOTIFY_EDIT_CLOSED), closed + (c.reported ? 1 : 0));
        if (c.reported) {
            auto* note = WaitFor(QxUI::NOTIFY_EDIT_CLOSED, before);
            ASSERT_NE(note, nullptr);
            EXPECT_EQ(note->lParam, 1);
        }
    }
}

}  // namespace
