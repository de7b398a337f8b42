#pragma once
// Simulated keyboards plugged and unplugged by lines on a pipe: "add 5", "remove 5". Each line
// changes the simulator first and is then reported like udev reports a hidraw node, so the watcher
// runs the same path as with real keyboards. The source ends when the writer closes the pipe.
#include <string>

#include "linux/arrival_source.h"
#include "sim/simulated_hid.h"

namespace qx::linux_cli {

class PipeArrivals : public ArrivalSource {
public:
    // fd is owned and closed with the source.
    PipeArrivals(int fd, sim::SimulatedHid& simulator) : fd_(fd), simulator_(simulator) {}
    ~PipeArrivals() override;
    PipeArrivals(const PipeArrivals&) = delete;
    PipeArrivals& operator=(const PipeArrivals&) = delete;

    int Fd() const override { return fd_; }
    std::optional<std::vector<DeviceChange>> Receive() override;

private:
    std::optional<DeviceChange> Apply(const std::string& line);

    int fd_;
    sim::SimulatedHid& simulator_;
    std::string pending_;
};

}  // namespace qx::linux_cli
