#include "linux/udev_arrivals.h"

#include <libudev.h>

#include <cstdio>
#include <cstring>

namespace qx::linux_cli {
namespace {

// HID_ID of the hid parent: "BUS:VENDOR:PRODUCT", each in hexadecimal ("0003:0000320F:00005055").
bool ParseHidId(const char* text, uint16_t& vendorId, uint16_t& productId) {
    unsigned bus = 0, vendor = 0, product = 0;
    if (!text || std::sscanf(text, "%x:%x:%x", &bus, &vendor, &product) != 3) return false;
    vendorId = static_cast<uint16_t>(vendor);
    productId = static_cast<uint16_t>(product);
    return true;
}

}  // namespace

std::unique_ptr<UdevArrivals> UdevArrivals::Open() {
    udev* context = udev_new();
    if (!context) return nullptr;
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0) {
        if (monitor) udev_monitor_unref(monitor);
        udev_unref(context);
        return nullptr;
    }
    return std::unique_ptr<UdevArrivals>(new UdevArrivals(context, monitor));
}

UdevArrivals::~UdevArrivals() {
    udev_monitor_unref(monitor_);
    udev_unref(udev_);
}

int UdevArrivals::Fd() const { return udev_monitor_get_fd(monitor_); }

std::optional<std::vector<DeviceChange>> UdevArrivals::Receive() {
    std::vector<DeviceChange> changes;
    // The monitor's socket does not block: this takes every event that is waiting, then stops.
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const char* action = udev_device_get_action(device);
        DeviceChange change;
        change.added = action && std::strcmp(action, "add") == 0;
        const bool removed = action && std::strcmp(action, "remove") == 0;
        if (change.added || removed) {
            udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr);
            const char* hidId = hid ? udev_device_get_property_value(hid, "HID_ID") : nullptr;
            ParseHidId(hidId, change.vendorId, change.productId);
            changes.push_back(change);
        }
        udev_device_unref(device);
    }
    return changes;
}

}  // namespace qx::linux_cli
