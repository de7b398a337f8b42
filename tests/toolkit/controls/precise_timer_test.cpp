// Precise (multimedia) timers: lookups by id and name, what KillTimer leaves, and which
// handlers a tick calls for application and non-application timers.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "tests/toolkit/support/toolkit_test_environment.h"
#include "toolkit/core/m_timer.h"

namespace {

using QxUI::CMTimer;
using QxUI::CString;

// Counts the ticks each handler sees; they arrive on the timer thread.
class CountingTimer : public CMTimer {
public:
    // Stopped here, while the handlers still exist (the base class stops them only after).
    ~CountingTimer() { KillTimer(); }
    void OnMTimer(UINT id) override {
        lastId = id;
        ++plain;
    }
    void OnMTimer(UINT, CString name) override {
        if (name == CString(L"named")) ++named;
        ++app;
    }
    std::atomic<UINT> lastId{0};
    std::atomic<int> plain{0};
    std::atomic<int> app{0};
    std::atomic<int> named{0};
};

TEST(PreciseTimer, LookupsOfUnknownIdsAndNamesChangeNothing) {
    CountingTimer timer;
    UINT a = timer.SetTimer(1000, L"first", TRUE);
    UINT b = timer.SetTimer(1000, L"second", FALSE);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    UINT unknown = a + b + 1000;
    EXPECT_EQ(timer.KillTimer(unknown), 2);
    EXPECT_EQ(timer.KillTimer(CString(L"First")), 2);  // names compare exactly
    EXPECT_EQ(timer.GetTimerName(unknown), CString(L""));
    EXPECT_FALSE(timer.IsAppTimer(unknown));
    EXPECT_FALSE(timer.GetTimerIsRun(unknown));
    EXPECT_FALSE(timer.GetTimerIsRun(CString(L"third")));
    EXPECT_EQ(CMTimer::GetPnTimer(unknown), nullptr);

    EXPECT_EQ(timer.GetTimerName(a), CString(L"first"));
    EXPECT_TRUE(timer.IsAppTimer(a));
    EXPECT_FALSE(timer.IsAppTimer(b));
    EXPECT_EQ(CMTimer::GetPnTimer(b), &timer);
    EXPECT_TRUE(CMTimer::m_bIsTmierOK);
    EXPECT_GE(CMTimer::m_uAccuracy, 1u);

    EXPECT_EQ(timer.KillTimer(CString(L"first")), 1);
    EXPECT_FALSE(timer.GetTimerIsRun(a));
    EXPECT_EQ(timer.KillTimer(b), 0);
    EXPECT_EQ(CMTimer::GetPnTimer(b), nullptr);
}

TEST(PreciseTimer, ANonApplicationTickCallsOnlyTheIdHandler) {
    CountingTimer timer;
    UINT id = timer.SetTimer(5, L"named", FALSE);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return timer.plain.load() >= 3; }, 3000));
    timer.KillTimer();
    EXPECT_EQ(timer.lastId.load(), id);
    EXPECT_EQ(timer.app.load(), 0);
}

TEST(PreciseTimer, AnApplicationTickAlsoCallsTheNamedHandler) {
    CountingTimer timer;
    UINT id = timer.SetTimer(5, L"named", TRUE);
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return timer.named.load() >= 3; }, 3000));
    timer.KillTimer();
    // Every named call followed a plain one for the same tick.
    EXPECT_GE(timer.plain.load(), timer.named.load());
    EXPECT_FALSE(timer.GetTimerIsRun(id));
}

TEST(PreciseTimer, StoppedTimersTickNoMore) {
    CountingTimer timer;
    ASSERT_NE(timer.SetTimer(2, L"a", TRUE), 0u);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return timer.plain.load() >= 2; }, 3000));
    timer.KillTimer();
    // KillTimer waits for a running callback, so the count is final once it returns.
    int after = timer.plain.load();
    CountingTimer other;  // a second timer proves time passed
    ASSERT_NE(other.SetTimer(2, L"b", FALSE), 0u);
    ASSERT_TRUE(qxtest::PumpUntil([&] { return other.plain.load() >= 5; }, 3000));
    EXPECT_EQ(timer.plain.load(), after);
}

TEST(PreciseTimer, ResolutionIsLoweredOnceWithTheLastTimerObject) {
    // Each test runs in its own process: these are the only timer objects alive.
    auto first = std::make_unique<CountingTimer>();
    auto second = std::make_unique<CountingTimer>();
    ASSERT_NE(first->SetTimer(1000, L"a", FALSE), 0u);
    ASSERT_TRUE(CMTimer::m_bIsTmierOK);
    first.reset();
    EXPECT_TRUE(CMTimer::m_bIsTmierOK);  // the second object still relies on it
    second.reset();
    EXPECT_FALSE(CMTimer::m_bIsTmierOK);
    // Raised again by the next timer.
    CountingTimer again;
    ASSERT_NE(again.SetTimer(1000, L"b", FALSE), 0u);
    EXPECT_TRUE(CMTimer::m_bIsTmierOK);
}

}  // namespace
