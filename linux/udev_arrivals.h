#pragma once
// Keyboards coming and going as udev announces hidraw nodes.
#include <memory>

#include "linux/arrival_source.h"

struct udev;
struct udev_monitor;

namespace qx::linux_cli {

class UdevArrivals : public ArrivalSource {
public:
    // A monitor of the "hidraw" subsystem; nullptr when udev cannot give one.
    static std::unique_ptr<UdevArrivals> Open();
    ~UdevArrivals() override;
    UdevArrivals(const UdevArrivals&) = delete;
    UdevArrivals& operator=(const UdevArrivals&) = delete;

    int Fd() const override;
    std::optional<std::vector<DeviceChange>> Receive() override;

private:
    UdevArrivals(udev* context, udev_monitor* monitor) : udev_(context), monitor_(monitor) {}
    udev* udev_;
    udev_monitor* monitor_;
};

}  // namespace qx::linux_cli
