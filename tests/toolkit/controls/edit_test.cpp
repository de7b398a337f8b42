// The edit field: its text-box geometry, how it paints while idle, and typing into its native
// edit window under real keyboard and pointer input.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/toolkit/controls/keyboard_layout.h"
#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_images.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/controls/c_edit_wnd.h"
#include "toolkit/controls/edit_geometry.h"
#include "toolkit/controls/m_edit.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CRect;
using QxUI::CString;

TEST(EditGeometry, TextBoxFollowsFontSizeAndIcon) {
    struct Case {
        CRect control;
        int size;
        bool multi;
        int icon;
        CRect box;
    };
    const Case cases[] = {
        {CRect(100, 50, 300, 90), 12, false, 0, CRect(106, 61, 294, 79)},   // 18 high, 11 below the top
        {CRect(100, 50, 300, 90), 10, false, 0, CRect(106, 63, 294, 77)},   // 14 high
        {CRect(100, 50, 300, 90), 16, false, 0, CRect(106, 59, 294, 81)},   // 22 high
        {CRect(100, 50, 300, 90), 13, false, 0, CRect(106, 60, 294, 79)},   // size + 6
        {CRect(100, 50, 300, 90), 12, false, 20, CRect(106, 61, 268, 79)},  // icon: 6 + 20 + 6 more
        {CRect(100, 50, 300, 150), 12, true, 0, CRect(106, 55, 294, 145)},  // multi-line
    };
    for (const Case& c : cases) {
        CRect box = QxUI::EditTextBox(c.control, c.size, c.multi, c.icon);
        EXPECT_EQ(box, c.box) << "size " << c.size << " icon " << c.icon << " got " << box.left << "," << box.top
                              << "," << box.right << "," << box.bottom;
    }
    EXPECT_EQ(QxUI::EditIconRect(CRect(100, 50, 300, 90), 20, 16), CRect(271, 62, 291, 78));
    EXPECT_EQ(QxUI::EditFallbackBox(CRect(100, 50, 300, 90), 12, false), CRect(106, 64, 294, 78));
    EXPECT_EQ(QxUI::EditFallbackBox(CRect(100, 50, 300, 90), 12, true), CRect(106, 56, 294, 84));
}

class EditTest : public ::testing::Test {
protected:
    static constexpr UINT kId = 80;
    const CRect kRect{20, 20, 300, 60};

    void SetUp() override {
        ASSERT_NE(dialog.CreateAt(200, 150, 400, 200), nullptr);
        Manager()->AddTempFont(L"Arial", qxtest::TestFontPath());
        Manager()->SetBackColor(Gdiplus::Color(0xFF000000), Gdiplus::Color(0xFF000000));
        edit = static_cast<QxUI::MEdit*>(dialog.CreateControl(L"MEdit", kId, kRect, L"Macro name", 1, 1));
        ASSERT_NE(edit, nullptr);
        edit->SetFont(L"Arial", 12, Gdiplus::FontStyleRegular);
        edit->SetEditFont();
        edit->SetEditBKColor(0xFFFFFF);
        qxtest::PumpMessages();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    QxUI::PaintManager* Manager() { return dialog.GetPaintManager(); }
    int Count(UINT code) {
        return static_cast<int>(std::count_if(dialog.notifications.begin(), dialog.notifications.end(),
                                              [&](const auto& n) { return n.id == kId && n.code == code; }));
    }
    HWND EditHwnd() { return edit->GetEditWindow() ? edit->GetEditWindow()->GetSafeHwnd() : nullptr; }
    bool TitleIs(const wchar_t* text) { return edit->GetTitleEx() == text; }
    // Starts editing with a real click on the text area.
    void StartEditing() {
        ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 120, 40));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return edit->IsEditFocused() && Count(QxUI::NOTIFY_CLICK) > 0; }, 5000));
    }

    qxtest::RecordingDialog dialog;
    QxUI::MEdit* edit = nullptr;
};

TEST_F(EditTest, TypingLatinAndChineseWithBackspaceAndSelection) {
    qxtest::ChineseKeys layout("\xE4\xB8\xAD\xE6\x96\x87");  // 中文
    ASSERT_TRUE(layout.IsBound());
    StartEditing();
    EXPECT_EQ(Count(QxUI::NOTIFY_EDIT_OPENED), 1);
    EXPECT_EQ(Count(QxUI::NOTIFY_PRESS), 1);
    // The native window lies on the text box: 18 high, 11 below the control's top at size 12.
    CRect placed;
    ::GetWindowRect(EditHwnd(), &placed);
    ::MapWindowPoints(nullptr, dialog.GetSafeHwnd(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed, CRect(26, 31, 294, 49));
    EXPECT_EQ(edit->GetTextRect(), placed);

    ASSERT_TRUE(qxtest::TypeText("abc"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return TitleIs(L"abc"); }, 5000)) << edit->GetTitleEx().str().size();
    EXPECT_EQ(Count(QxUI::NOTIFY_EDIT_CHANGED), 3);  // one per change

    ASSERT_TRUE(qxtest::KeyPress("BackSpace"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return TitleIs(L"ab"); }, 5000));
    EXPECT_EQ(Count(QxUI::NOTIFY_EDIT_CHANGED), 4);

    // Select everything back to the start and type over it.
    ASSERT_TRUE(qxtest::KeyPress("shift+Home"));
    ASSERT_TRUE(qxtest::TypeText("Z"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return TitleIs(L"Z"); }, 5000));
    EXPECT_EQ(Count(QxUI::NOTIFY_EDIT_CHANGED), 5);

    ASSERT_TRUE(qxtest::TypeText("\xE4\xB8\xAD\xE6\x96\x87 ok"));  // 中文 ok
    ASSERT_TRUE(qxtest::PumpUntil([&] { return TitleIs(L"Z\u4E2D\u6587 ok"); }, 8000))
        << "title length " << edit->GetTitleEx().GetLength();
    ASSERT_TRUE(qxtest::KeyPress("BackSpace"));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(qxtest::KeyPress("shift+Left"));  // selects "文 o"
    ASSERT_TRUE(qxtest::KeyPress("BackSpace"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return TitleIs(L"Z\u4E2D"); }, 5000));

    // Reading the title ends the edit.
    int closed = Count(QxUI::NOTIFY_EDIT_CLOSED);
    EXPECT_EQ(edit->GetControlTitle(), CString(L"Z\u4E2D"));
    EXPECT_GT(Count(QxUI::NOTIFY_EDIT_CLOSED), closed);
    EXPECT_FALSE(::IsWindowVisible(EditHwnd()));
    EXPECT_FALSE(edit->IsEditFocused());
    EXPECT_EQ(edit->GetEditText(), CString(L"Z\u4E2D"));
}

TEST_F(EditTest, CharacterMessagesOffIgnoreTypedText) {
    edit->SetControlTitle(L"xyz");
    edit->EnableCharMessage(FALSE);
    StartEditing();
    ASSERT_TRUE(qxtest::TypeText("abc"));
    // Delete works on the key itself, not on a character: it shows the keys were handled.
    ASSERT_TRUE(qxtest::KeyPress("Home"));
    ASSERT_TRUE(qxtest::KeyPress("Delete"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !TitleIs(L"xyz"); }, 5000));
    EXPECT_EQ(edit->GetTitleEx(), CString(L"yz"));
}

TEST_F(EditTest, DigitsOnlyAndTextLimit) {
    edit->SetNumberOnly(TRUE);
    StartEditing();
    ASSERT_TRUE(qxtest::TypeText("1a2"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return TitleIs(L"12"); }, 5000)) << "a letter got in";
    edit->GetControlTitle();  // ends this edit

    QxUI::MEdit* limited = static_cast<QxUI::MEdit*>(
        dialog.CreateControl(L"MEdit", kId + 1, CRect(20, 100, 300, 140), L"", 1, 1));
    limited->SetLimitText(3);
    qxtest::PumpMessages();
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 120, 120));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return limited->IsEditFocused(); }, 5000));
    ASSERT_TRUE(qxtest::TypeText("abcde"));
    ASSERT_TRUE(qxtest::KeyPress("BackSpace"));
    ASSERT_TRUE(qxtest::TypeText("x"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return limited->GetTitleEx() == L"abx"; }, 5000))
        << "length " << limited->GetTitleEx().GetLength();
}

TEST_F(EditTest, PressingElsewhereEndsEditingAndKeepsTheText) {
    edit->SetControlTitle(L"xyz ");
    StartEditing();
    // The caret stands after the last character: typing appends.
    ASSERT_TRUE(qxtest::TypeText("kept"));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return TitleIs(L"xyz kept"); }, 5000));
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 350, 170));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return !::IsWindowVisible(EditHwnd()); }, 5000));
    EXPECT_GE(Count(QxUI::NOTIFY_EDIT_CLOSED), 1);
    EXPECT_EQ(edit->GetControlTitle(), CString(L"xyz kept"));
    EXPECT_EQ(edit->GetLook(), 0);
}

TEST_F(EditTest, ReadOnlyEditNeverOpens) {
    edit->SetReadOnly(TRUE);
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 120, 40));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(QxUI::NOTIFY_CLICK) > 0; }, 5000));
    EXPECT_EQ(Count(QxUI::NOTIFY_EDIT_OPENED), 0);
    EXPECT_EQ(edit->GetEditWindow(), nullptr);
}

bool IsNeutralGrey(DWORD c) {
    int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return r >= 0x60 && std::abs(r - g) < 8 && std::abs(r - b) < 8;
}
bool IsReddish(DWORD c) {
    int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return r >= 0x60 && g < r / 3 && b < r / 3;
}

TEST_F(EditTest, IdleEditShowsGreyTipUntilItHasText) {
    edit->SetTextColor(Gdiplus::Color(0xFEFF0000));
    QxUI::OffScreenSurface surface;
    auto count = [&](bool (*test)(DWORD)) {
        int n = 0;
        for (int y = kRect.top; y < kRect.bottom; ++y)
            for (int x = kRect.left; x < kRect.right; ++x) n += test(surface.GetPixel(x, y)) ? 1 : 0;
        return n;
    };
    edit->UpdateControl(TRUE);
    ASSERT_TRUE(Manager()->PaintToSurface(surface, CRect(0, 0, 400, 200)));
    EXPECT_GT(count(IsNeutralGrey), 20);
    EXPECT_EQ(count(IsReddish), 0);
    edit->SetControlTitle(L"Macro 1");
    ASSERT_TRUE(Manager()->PaintToSurface(surface, CRect(0, 0, 400, 200)));
    EXPECT_GT(count(IsReddish), 20);
    EXPECT_EQ(count(IsNeutralGrey), 0);
    // Only text drawn in the text box: nothing above or below it.
    CRect box = edit->GetTextRect();
    for (int x = kRect.left; x < kRect.right; ++x) {
        EXPECT_FALSE(IsReddish(surface.GetPixel(x, box.top - 1)));
        EXPECT_FALSE(IsReddish(surface.GetPixel(x, box.bottom)));
    }
}

}  // namespace

namespace {

TEST_F(EditTest, IconPressAndReleaseReportTheirOwnCodes) {
    DWORD states[4] = {0xFF404040, 0xFF808080, 0xFFC0C0C0, 0xFF202020};
    ASSERT_TRUE(qxtest::WriteStateStrip(L"edit_icon.png", 64, 16, 4, states));
    ASSERT_TRUE(edit->SetIconImage(L"edit_icon.png", 4));
    CRect icon = edit->GetIconRect();
    EXPECT_EQ(icon, CRect(275, 32, 291, 48));  // 9 in from the right, centred
    EXPECT_EQ(edit->GetTextRect().right, 300 - 6 - 16 - 6);
    EXPECT_FALSE(edit->SetIconImage(L"no_such_icon.png", 4));
    qxtest::PumpMessages();
    ASSERT_TRUE(qxtest::ClickAt(dialog.GetSafeHwnd(), 283, 40));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Count(QxUI::NOTIFY_ICON_UP) > 0; }, 5000));
    EXPECT_EQ(Count(QxUI::NOTIFY_TAB), 1);
    // A press on the icon ends any editing: no edit window is left open.
    EXPECT_FALSE(edit->IsEditFocused());
    // The icon is drawn unscaled at its place, in its hover look after the release.
    QxUI::OffScreenSurface surface;
    ASSERT_TRUE(Manager()->PaintToSurface(surface, CRect(0, 0, 400, 200)));
    EXPECT_EQ(surface.GetPixel(283, 40) & 0xFFFFFF, 0x808080u);
}

}  // namespace
