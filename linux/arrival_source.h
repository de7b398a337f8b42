#pragma once
// Where the watcher learns that keyboards came or went. Every source is a file descriptor the
// watcher blocks on without a timeout: udev's monitor socket for real keyboards, a pipe for the
// simulated ones a test plugs in. So the same wait runs in both, and an idle watcher costs nothing.
#include <cstdint>
#include <optional>
#include <vector>

namespace qx::linux_cli {

struct DeviceChange {
    bool added = false;
    // The USB ids when the event carries them; 0 when not (a node already gone from sysfs).
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

class ArrivalSource {
public:
    virtual ~ArrivalSource() = default;
    // The descriptor that becomes readable when changes wait.
    virtual int Fd() const = 0;
    // Takes what waits on Fd() without blocking: the changes it held (maybe none), or nullopt
    // when the source has ended.
    virtual std::optional<std::vector<DeviceChange>> Receive() = 0;
};

enum class WaitEnd { Ended, Failed };

// Blocks in poll() until the source's descriptor is readable, then receives. On nullopt, end
// says whether the source ended or the wait failed; a signal that interrupts the wait resumes it.
std::optional<std::vector<DeviceChange>> WaitForChanges(ArrivalSource& source, WaitEnd& end);

}  // namespace qx::linux_cli
