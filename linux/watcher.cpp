#include "linux/watcher.h"

#include "device/device_types.h"

namespace qx::linux_cli {

bool ConcernsSupportedKeyboard(const DeviceChange& change) {
    if (!change.added && change.vendorId == 0 && change.productId == 0) return true;
    for (const SupportedKeyboardRow& row : SupportedKeyboardTable()) {
        if (row.vendorId == change.vendorId && row.productId == change.productId) return true;
    }
    return false;
}

int RunWatcher(QxKBController& controller, ArrivalSource& source) {
    // The window sends everything when it starts; so does the watcher, for a keyboard plugged in
    // before the session began.
    if (controller.IsConnected()) controller.RefreshCurrentModel();
    while (true) {
        WaitEnd end = WaitEnd::Ended;
        const std::optional<std::vector<DeviceChange>> changes = WaitForChanges(source, end);
        if (!changes) return end == WaitEnd::Ended ? 0 : 1;
        bool rescan = false;
        for (const DeviceChange& change : *changes) rescan = rescan || ConcernsSupportedKeyboard(change);
        // One rescan covers a burst: a keyboard's interfaces arrive as several nodes at once.
        if (rescan) controller.RescanDevices(true);
    }
}

}  // namespace qx::linux_cli
