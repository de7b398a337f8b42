#pragma once
#include "toolkit/core/windows_include.h"

namespace qxtest {

template <typename F>
bool PumpUntil(F done, int maxMs) {
    DWORD start = ::GetTickCount();
    while (!done()) {
        if (static_cast<int>(::GetTickCount() - start) > maxMs) return done();
        PumpMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

}  // namespace qxtest
