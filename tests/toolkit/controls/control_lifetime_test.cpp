// Controls added and removed while the paint manager or a control walks its lists, and controls
// deleted by their parent: nothing reaches a removed control, nothing in the window keeps it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/toolkit/support/real_input.h"
#include "tests/toolkit/support/recording_dialog.h"
#include "tests/toolkit/support/test_controls.h"
#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/off_screen_surface.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace {

using QxUI::CPoint;
using QxUI::CRect;
using QxUI::MControl;
using qxtest::ProbeControl;

using Log = std::vector<std::string>;

// Fills its rectangle with one colour and writes what reaches it into a shared log: "N move",
// "N up", "N gone" (destroyed), where N is its id. A hook may run from its move or release.
class LoggingControl : public MControl {
public:
    LoggingControl(QxUI::MObject* parent, UINT id, CRect rect, Log* log, DWORD colour = 0xFF4080C0)
        : MControl(parent, id, rect, TRUE, TRUE, TRUE), m_log(log), m_colour(colour) {}
    ~LoggingControl() override { Write("gone"); }

    void DrawControl(HDC& hdc, CRect) override {
        CRect r = GetRect();
        Gdiplus::Graphics g(hdc);
        Gdiplus::SolidBrush brush{Gdiplus::Color(m_colour)};
        g.FillRectangle(&brush, static_cast<INT>(r.left), static_cast<INT>(r.top), r.Width(), r.Height());
    }
    BOOL OnControlMouseMove(UINT, CPoint) override {
        Write("move");
        if (onMove) std::exchange(onMove, nullptr)();
        return FALSE;
    }
    BOOL OnControlLButtonDown(UINT, CPoint) override { return TRUE; }
    BOOL OnControlLButtonUp(UINT, CPoint) override {
        SendMessageW(QxUI::NOTIFY_CLICK);
        // The dialog may have removed this control from its notification: it is still whole here.
        Write("up");
        return TRUE;
    }
    std::function<void()> onMove;  // runs once, from the next move that reaches the control

private:
    void Write(const char* what) { m_log->push_back(std::to_string(GetControlID()) + " " + what); }
    Log* m_log;
    DWORD m_colour;
};

// A control that just holds children, like a panel without scrolling.
class Holder : public MControl {
public:
    Holder(QxUI::MObject* parent, UINT id, CRect rect) : MControl(parent, id, rect, TRUE, TRUE, TRUE) {}
    void DrawControl(HDC&, CRect) override {}
    template <typename T, typename... Args>
    T* Add(UINT id, CRect rect, Args... args) {
        auto* child = new T(this, id, rect, args...);
        child->SetManager(GetManager());
        AddChildControl(child);
        return child;
    }
};

class HookDialog : public qxtest::RecordingDialog {
public:
    LRESULT OnMessage(UINT id, UINT code, UINT wParam, LPARAM lParam) override {
        RecordingDialog::OnMessage(id, code, wParam, lParam);
        if (onMessage) onMessage(id, code);
        return 0;
    }
    std::function<void(UINT id, UINT code)> onMessage;
};

class ControlLifetimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        hwnd = dialog.CreateAt(200, 150, 300, 200);
        ASSERT_NE(hwnd, nullptr);
        manager = dialog.GetPaintManager();
        // Start with the pointer off the window, so the first move of a test is a real one.
        ASSERT_TRUE(qxtest::MoveTo(hwnd, -30, -30));
        qxtest::PumpMessages();
    }
    void TearDown() override {
        dialog.DestroyWindow();
        qxtest::PumpMessages();
    }
    template <typename T, typename... Args>
    T* Add(UINT id, CRect rect, Args... args) {
        auto* control = new T(&dialog, id, rect, args...);
        manager->AddControl(1, control);
        return control;
    }
    static bool Has(const Log& log, const std::string& entry) {
        for (const auto& e : log)
            if (e == entry) return true;
        return false;
    }
    // Index of the first entry, or -1.
    static int IndexOf(const Log& log, const std::string& entry) {
        for (size_t i = 0; i < log.size(); ++i)
            if (log[i] == entry) return static_cast<int>(i);
        return -1;
    }
    DWORD PixelAt(int x, int y) {
        QxUI::OffScreenSurface surface;
        manager->PaintToSurface(surface, CRect(0, 0, 300, 200));
        return surface.GetPixel(x, y) | 0xFF000000;
    }

    HookDialog dialog;
    HWND hwnd = nullptr;
    QxUI::PaintManager* manager = nullptr;
    Log log;
};

TEST_F(ControlLifetimeTest, AMoveHandlerRemovesAndAddsWindowControlsDuringTheWalk) {
    // With no control under the pointer every control sees the move, in list order: the first
    // one's handler removes the second and adds two more while that walk runs.
    auto* first = Add<LoggingControl>(1, CRect(10, 10, 40, 40), &log);
    Add<LoggingControl>(2, CRect(50, 10, 80, 40), &log);
    Add<LoggingControl>(3, CRect(90, 10, 120, 40), &log);
    ProbeControl* added = nullptr;
    first->onMove = [&] {
        log.push_back("removing 2");
        manager->RemoveControl(manager->GetControl(2));
        added = Add<ProbeControl>(4, CRect(10, 100, 60, 140));
        Add<ProbeControl>(5, CRect(70, 100, 120, 140));
    };
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 200, 60));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Has(log, "2 gone"); }, 5000));
    int removed = IndexOf(log, "removing 2");
    ASSERT_GE(removed, 0);
    for (size_t i = static_cast<size_t>(removed); i < log.size(); ++i) EXPECT_NE(log[i], "2 move") << i;
    EXPECT_EQ(manager->GetControl(2), nullptr);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(PixelAt(30, 120), ProbeControl::kNormal);
    // The next move reaches the controls added during the walk.
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 30, 120));
    EXPECT_TRUE(qxtest::PumpUntil([&] { return PixelAt(30, 120) == ProbeControl::kHot; }, 5000));
}

TEST_F(ControlLifetimeTest, AChildHandlerRemovesItsSiblingDuringTheParentsWalk) {
    auto* holder = Add<Holder>(1, CRect(10, 10, 290, 190));
    auto* a = holder->Add<LoggingControl>(11, CRect(20, 20, 60, 60), &log);
    holder->Add<LoggingControl>(12, CRect(70, 20, 110, 60), &log, 0xFF20C020);
    a->onMove = [&] {
        log.push_back("removing 12");
        holder->RemoveControl(holder->GetControl(12));
    };
    // Over the holder but over neither child: the holder passes the move to every child.
    ASSERT_TRUE(qxtest::MoveTo(hwnd, 200, 150));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Has(log, "12 gone"); }, 5000));
    int removed = IndexOf(log, "removing 12");
    ASSERT_GE(removed, 0);
    for (size_t i = static_cast<size_t>(removed); i < log.size(); ++i) EXPECT_NE(log[i], "12 move") << i;
    EXPECT_EQ(holder->GetControl(12), nullptr);
    EXPECT_NE(PixelAt(90, 40), 0xFF20C020u);
}

TEST_F(ControlLifetimeTest, AControlRemovedFromItsOwnClickIsDeletedAfterItsHandler) {
    Add<ProbeControl>(30, CRect(20, 20, 120, 80));
    Add<LoggingControl>(31, CRect(20, 20, 120, 80), &log);  // on top of 30
    dialog.onMessage = [&](UINT id, UINT code) {
        if (id == 31 && code == QxUI::NOTIFY_CLICK) manager->RemoveControl(manager->GetControl(31));
    };
    ASSERT_TRUE(qxtest::ClickAt(hwnd, 60, 50));
    ASSERT_TRUE(qxtest::PumpUntil([&] { return Has(log, "31 gone"); }, 5000));
    EXPECT_LT(IndexOf(log, "31 up"), IndexOf(log, "31 gone"));
    // The control below takes the next click (away from the first one: no double click).
    dialog.notifications.clear();
    ASSERT_TRUE(qxtest::ClickAt(hwnd, 100, 70));
    EXPECT_TRUE(qxtest::PumpUntil([&] {
        for (const auto& n : dialog.notifications)
            if (n.id == 30 && n.code == QxUI::NOTIFY_CLICK) return true;
        return false;
    }, 5000));
}

// A child of a control that the window knows as focus, caret owner, tooltip and timer owner.
class Owner : public ProbeControl {
public:
    Owner(QxUI::MObject* parent, UINT id, CRect rect, int* ticks) : ProbeControl(parent, id, rect), m_ticks(ticks) {}
    BOOL OnControlLButtonDown(UINT flags, CPoint point) override {
        GetManager()->SetCaretPos(this, point.x, point.y);
        GetManager()->SetTimer(this, 1, 10);
        return ProbeControl::OnControlLButtonDown(flags, point);
    }
    BOOL OnControlTimer() override {
        ++*m_ticks;
        return TRUE;
    }

private:
    int* m_ticks;
};

TEST_F(ControlLifetimeTest, AChildDeletedByItsParentLeavesNothingBehindInTheWindow) {
    struct Case {
        const char* how;
        std::function<void(Holder*, MControl*)> remove;
    };
    const Case cases[] = {
        {"RemoveControl", [](Holder* h, MControl* c) { h->RemoveControl(c); }},
        {"RemoveAllControl", [](Holder* h, MControl*) { h->RemoveAllControl(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        int ticks = 0;
        auto* holder = Add<Holder>(1, CRect(10, 10, 290, 190));
        auto* child = holder->Add<Owner>(41, CRect(40, 40, 140, 120), &ticks);
        child->SetTooltip(L"child tip");
        ASSERT_TRUE(qxtest::MoveTo(hwnd, 5, 5));
        ASSERT_TRUE(qxtest::MoveTo(hwnd, 80, 80));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return manager->GetTooltipCtrlID() == 41; }, 5000));
        ASSERT_TRUE(qxtest::ClickAt(hwnd, 80, 80));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return ticks > 0 && manager->GetFocusControl() == child; }, 5000));
        ASSERT_EQ(manager->GetCurrentCaretObject(), child);

        c.remove(holder, child);
        EXPECT_EQ(manager->GetFocusControl(), nullptr);
        EXPECT_EQ(manager->GetCurrentCaretObject(), nullptr);
        EXPECT_EQ(manager->GetTooltipCtrlID(), 0);
        EXPECT_FALSE(manager->KillTimer(child, 1)) << "its timer record stayed";
        // Input, timers and paints go on without it; the holder takes a key and a click.
        ASSERT_TRUE(qxtest::KeyPress("a"));
        ASSERT_TRUE(qxtest::ClickAt(hwnd, 200, 150));
        ASSERT_TRUE(qxtest::PumpUntil([&] { return manager->GetFocusControl() == holder; }, 5000));
        EXPECT_EQ(holder->GetControl(41), nullptr);
        manager->RemoveControl(holder);
        qxtest::PumpMessages();
    }
}

}  // namespace
