#include "linux/hidraw_backend.h"

#include <hidapi.h>
#include <unistd.h>

#include <cerrno>

#include "device/device_types.h"
#include "device/hid_device_manager.h"
#include "storage/utf8_text.h"

namespace qx::linux_cli {
namespace {
// hidraw nodes are "/dev/hidrawN": the separator never occurs in one.
constexpr char kNameSeparator = '#';

std::string WindowsInterfaceName(int deviceType) {
    for (const SupportedKeyboardRow& row : SupportedKeyboardTable()) {
        if (row.deviceType != deviceType) continue;
        return ToUtf8(row.interfacePattern);
    }
    return {};
}
}  // namespace

std::vector<HidrawRecord> HidrawBackend::EnumerateRecords() {
    std::vector<HidrawRecord> records;
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* it = list; it != nullptr; it = it->next) {
        HidrawRecord record;
        if (it->path) record.path = it->path;
        record.vendorId = it->vendor_id;
        record.productId = it->product_id;
        record.interfaceNumber = it->interface_number;
        record.usagePage = it->usage_page;
        record.usage = it->usage;
        records.push_back(std::move(record));
    }
    hid_free_enumeration(list);
    return records;
}

std::vector<HidInterfaceInfo> HidrawBackend::EnumerateAll() {
    std::vector<HidInterfaceInfo> listed;
    for (const VendorInterface& vendor : MatchVendorInterfaces(EnumerateRecords())) {
        HidInterfaceInfo info;
        info.path = vendor.record.path + kNameSeparator + WindowsInterfaceName(vendor.deviceType);
        info.vendorId = vendor.record.vendorId;
        info.productId = vendor.record.productId;
        listed.push_back(std::move(info));
    }
    return listed;
}

std::string HidrawBackend::NodeOf(const std::string& listedPath) {
    return listedPath.substr(0, listedPath.find(kNameSeparator));
}

HidHandle HidrawBackend::OpenPath(const std::string& path) {
    const std::string node = NodeOf(path);
    // hidapi only says that the open failed; the command tells a missing udev rule apart.
    if (::access(node.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        deniedNode_ = node;
        return nullptr;
    }
    return HidapiBackend::OpenPath(node);
}

}  // namespace qx::linux_cli
