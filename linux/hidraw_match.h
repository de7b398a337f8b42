#pragma once
// Which hidraw node of a supported keyboard takes its vendor reports. The device table names that
// interface the Windows way ("mi_01&col02"), which means nothing on Linux; here it is matched by
// USB interface number and the usage of a top-level collection, as hidapi's hidraw backend reports
// them. A pure function over enumeration records, so recorded enumerations test it.
#include <cstdint>
#include <string>
#include <vector>

namespace qx::linux_cli {

// One hid_device_info of hidapi on hidraw: one record per top-level collection of a USB
// interface, all with the interface's path ("/dev/hidrawN").
struct HidrawRecord {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    int interfaceNumber = -1;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

// What marks a keyboard's vendor interface.
struct VendorInterfaceRule {
    int deviceType = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    int interfaceNumber = 0;
    // The collection that must be on it: an exact usage page and usage, or any vendor-defined
    // usage page (0xFF00-0xFFFF) when vendorDefinedPage is set.
    bool vendorDefinedPage = false;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
};

// One rule per row of SupportedKeyboardTable(), in its order.
const std::vector<VendorInterfaceRule>& VendorInterfaceRules();

struct VendorInterface {
    int deviceType = 0;
    HidrawRecord record;   // the record that matched; its path is the node to open
};

// The vendor interfaces present in records, in enumeration order; a node is listed once however
// many of its collections match. A keyboard whose vendor interface is missing (not bound yet,
// or a firmware that lacks the collection) is not listed.
std::vector<VendorInterface> MatchVendorInterfaces(const std::vector<HidrawRecord>& records);

}  // namespace qx::linux_cli
