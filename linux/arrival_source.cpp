#include "linux/arrival_source.h"

#include <poll.h>

#include <cerrno>

namespace qx::linux_cli {

std::optional<std::vector<DeviceChange>> WaitForChanges(ArrivalSource& source, WaitEnd& end) {
    end = WaitEnd::Ended;
    pollfd wait{source.Fd(), POLLIN, 0};
    while (true) {
        // No timeout: the watcher sleeps in the kernel until something arrives.
        const int ready = ::poll(&wait, 1, -1);
        if (ready > 0) return source.Receive();
        if (ready < 0 && errno != EINTR) {
            end = WaitEnd::Failed;
            return std::nullopt;
        }
    }
}

}  // namespace qx::linux_cli
