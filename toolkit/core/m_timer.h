#pragma once
#include <vector>

#include "toolkit/core/c_string.h"
#include "toolkit/core/qxui_export.h"
#include "toolkit/core/windows_include.h"

namespace QxUI {

// Periodic high-resolution timers on the system's multimedia timer thread. Each tick calls
// OnMTimer(id) on that thread: derived classes must only touch state that is safe there.
class QXUI_API CMTimer {
public:
    CMTimer();
    ~CMTimer();
    CMTimer(const CMTimer&) = delete;
    CMTimer& operator=(const CMTimer&) = delete;

    virtual void OnMTimer(UINT id, CString name);
    virtual void OnMTimer(UINT id) = 0;

    // Starts a periodic timer; returns its id, 0 when the system refuses it.
    UINT SetTimer(UINT period, CString name, BOOL appTimer);
    // Stop and forget one timer; return the number of timers left.
    int KillTimer(UINT id);
    int KillTimer(CString name);
    void KillTimer();
    BOOL GetTimerIsRun(UINT id);
    BOOL GetTimerIsRun(CString name);
    CString GetTimerName(UINT id);
    BOOL IsAppTimer(UINT id);

    static CMTimer* GetPnTimer(UINT id);
    static void CALLBACK TimerCallProc(UINT id, UINT msg, DWORD_PTR user, DWORD_PTR, DWORD_PTR);

    static BOOL m_bIsTmierOK;
    static UINT m_uAccuracy;

private:
    struct TimerRecord {
        UINT id;
        CString name;
        BOOL appTimer;
    };
    int KillAt(size_t index);

    std::vector<TimerRecord> m_timers;
};

}  // namespace QxUI
