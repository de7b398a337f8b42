#include "windows/first_frame_signal.h"

#include <windows.h>

namespace qx {

void FirstFrameSignal::AfterPaint() {
    if (done_) return;
    done_ = true;
    wchar_t name[128] = {};
    const DWORD length = ::GetEnvironmentVariableW(kFirstFrameEventVariable, name, 128);
    if (length == 0 || length >= 128) return;
    if (HANDLE event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
        ::SetEvent(event);
        ::CloseHandle(event);
    }
}

}  // namespace qx
