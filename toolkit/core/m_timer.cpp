#include "toolkit/core/windows_include.h"  // before the other system headers
#include "toolkit/core/m_timer.h"

#include <mmsystem.h>

#include <algorithm>
#include <mutex>

namespace QxUI {

BOOL CMTimer::m_bIsTmierOK = FALSE;
UINT CMTimer::m_uAccuracy = 1;

namespace {
// Every live timer object, in order of construction. The timer thread looks objects up here,
// so the list has its own lock.
std::vector<CMTimer*>& Registry() {
    static std::vector<CMTimer*> registry;
    return registry;
}
std::recursive_mutex& RegistryLock() {
    static std::recursive_mutex lock;
    return lock;
}
}  // namespace

CMTimer::CMTimer() {
    std::lock_guard<std::recursive_mutex> guard(RegistryLock());
    Registry().push_back(this);
}

CMTimer::~CMTimer() {
    KillTimer();
    std::lock_guard<std::recursive_mutex> guard(RegistryLock());
    auto& r = Registry();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
    // The resolution was raised once for the whole process, so it is lowered once, with the
    // last timer object: the objects still alive keep their precision and every
    // timeBeginPeriod has exactly one timeEndPeriod. The next SetTimer raises it again.
    if (r.empty() && m_bIsTmierOK) {
        ::timeEndPeriod(m_uAccuracy);
        m_bIsTmierOK = FALSE;
    }
}

void CMTimer::OnMTimer(UINT, CString) {}

UINT CMTimer::SetTimer(UINT period, CString name, BOOL appTimer) {
    if (!m_bIsTmierOK) {
        TIMECAPS caps = {};
        if (::timeGetDevCaps(&caps, sizeof(caps)) == TIMERR_NOERROR) {
            m_uAccuracy = std::min(std::max<UINT>(caps.wPeriodMin, 1), caps.wPeriodMax);
            ::timeBeginPeriod(m_uAccuracy);
            m_bIsTmierOK = TRUE;
        }
    }
    std::lock_guard<std::recursive_mutex> guard(RegistryLock());
    // TIME_KILL_SYNCHRONOUS: timeKillEvent then waits for a tick that is running, so after
    // KillTimer (and in the destructor) no callback can still be inside this object.
    UINT id = ::timeSetEvent(period, m_uAccuracy, reinterpret_cast<LPTIMECALLBACK>(&CMTimer::TimerCallProc),
                             reinterpret_cast<DWORD_PTR>(this), TIME_PERIODIC | TIME_KILL_SYNCHRONOUS);
    if (id) m_timers.push_back(TimerRecord{id, name, appTimer});
    return id;
}

int CMTimer::KillAt(size_t index) {
    UINT id = m_timers[index].id;
    {
        std::lock_guard<std::recursive_mutex> guard(RegistryLock());
        m_timers.erase(m_timers.begin() + static_cast<std::ptrdiff_t>(index));
    }
    // timeKillEvent waits for a running callback; the registry lock is not held here, so a
    // tick that is looking the timer up cannot deadlock with us.
    ::timeKillEvent(id);
    return static_cast<int>(m_timers.size());
}

int CMTimer::KillTimer(UINT id) {
    for (size_t i = 0; i < m_timers.size(); ++i)
        if (m_timers[i].id == id) return KillAt(i);
    return static_cast<int>(m_timers.size());
}

int CMTimer::KillTimer(CString name) {
    for (size_t i = 0; i < m_timers.size(); ++i)
        if (m_timers[i].name == name) return KillAt(i);
    return static_cast<int>(m_timers.size());
}

void CMTimer::KillTimer() {
    while (!m_timers.empty()) KillAt(m_timers.size() - 1);
}

BOOL CMTimer::GetTimerIsRun(UINT id) {
    for (auto& t : m_timers)
        if (t.id == id) return TRUE;
    return FALSE;
}

BOOL CMTimer::GetTimerIsRun(CString name) {
    for (auto& t : m_timers)
        if (t.name == name) return TRUE;
    return FALSE;
}

CString CMTimer::GetTimerName(UINT id) {
    for (auto& t : m_timers)
        if (t.id == id) return t.name;
    return CString();
}

BOOL CMTimer::IsAppTimer(UINT id) {
    for (auto& t : m_timers)
        if (t.id == id) return t.appTimer;
    return FALSE;
}

CMTimer* CMTimer::GetPnTimer(UINT id) {
    std::lock_guard<std::recursive_mutex> guard(RegistryLock());
    for (CMTimer* timer : Registry())
        if (timer->GetTimerIsRun(id)) return timer;
    return nullptr;
}

void CALLBACK CMTimer::TimerCallProc(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    CMTimer* timer = reinterpret_cast<CMTimer*>(user);
    if (!timer) return;
    timer->OnMTimer(id);
    CString name;
    BOOL app = FALSE;
    {
        std::lock_guard<std::recursive_mutex> guard(RegistryLock());
        for (auto& t : timer->m_timers)
            if (t.id == id) {
                app = t.appTimer;
                name = t.name;
            }
    }
    if (app) timer->OnMTimer(id, name);
}

}  // namespace QxUI
