#include "linux/pipe_arrivals.h"

#include <unistd.h>

#include <cerrno>

#include "sim/keyboard_models.h"

namespace qx::linux_cli {

PipeArrivals::~PipeArrivals() { ::close(fd_); }

std::optional<std::vector<DeviceChange>> PipeArrivals::Receive() {
    char buffer[256];
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) return std::vector<DeviceChange>{};
    if (got <= 0) return std::nullopt;
    pending_.append(buffer, static_cast<std::size_t>(got));
    std::vector<DeviceChange> changes;
    std::size_t end;
    while ((end = pending_.find('\n')) != std::string::npos) {
        if (const auto change = Apply(pending_.substr(0, end))) changes.push_back(*change);
        pending_.erase(0, end + 1);
    }
    return changes;
}

std::optional<DeviceChange> PipeArrivals::Apply(const std::string& line) {
    const bool add = line.rfind("add ", 0) == 0;
    const bool remove = line.rfind("remove ", 0) == 0;
    if (!add && !remove) return std::nullopt;
    const std::string typeText = line.substr(add ? 4 : 7);
    if (typeText.size() != 1) return std::nullopt;
    const std::optional<sim::KeyboardModel> model = sim::ModelForDeviceType(typeText[0] - '0');
    if (!model) return std::nullopt;
    if (add) {
        simulator_.PlugDeviceType(model->deviceType);
    } else {
        simulator_.UnplugDeviceType(model->deviceType);
    }
    return DeviceChange{add, model->vendorId, model->productId};
}

}  // namespace qx::linux_cli
