#include "linux/hidraw_match.h"

#include <algorithm>

namespace qx::linux_cli {
namespace {

constexpr uint16_t kFirstVendorPage = 0xFF00;
constexpr uint16_t kGenericDesktopPage = 0x01;
constexpr uint16_t kKeyboardUsage = 0x06;

// Windows makes one device per top-level collection and numbers them colNN in the order of the
// interface's report descriptor; hidraw makes one node per USB interface and hidapi reports each
// top-level collection of it as a record with that node's path. So "mi_NN&colMM" is interface NN,
// and any record of that interface leads to the right node; the collection check only makes sure
// the node really is the keyboard's vendor channel and not a keyboard with another descriptor.
const std::vector<VendorInterfaceRule> kRules = {
    // RS40 wired (SINO WEALTH): "mi_01&col02". Interface 0 is the boot keyboard; interface 1
    // carries the media collection and, second, the vendor collection that takes the 2048-byte
    // BB AA feature reports. Vendor collections sit in the vendor-defined pages.
    {2, 0x258A, 0x0013, 1, true, 0, 0},
    // RS40 2.4G (SONiX): "mi_00" without a collection suffix, so interface 0 has one collection,
    // the keyboard itself (Generic Desktop / Keyboard); its firmware takes the 65-byte feature
    // commands on that collection.
    {3, 0x0C45, 0x8006, 0, false, kGenericDesktopPage, kKeyboardUsage},
    // P74 wired and 2.4G: "mi_01&col04". Interface 1 lists keyboard, media and system collections
    // first; the fourth is the vendor collection that takes the 64-byte output reports.
    {5, 0x320F, 0x5055, 1, true, 0, 0},
    {6, 0x320F, 0x5088, 1, true, 0, 0},
};

bool Matches(const VendorInterfaceRule& rule, const HidrawRecord& record) {
    if (record.vendorId != rule.vendorId || record.productId != rule.productId) return false;
    if (record.interfaceNumber != rule.interfaceNumber) return false;
    if (rule.vendorDefinedPage) return record.usagePage >= kFirstVendorPage;
    return record.usagePage == rule.usagePage && record.usage == rule.usage;
}

}  // namespace

const std::vector<VendorInterfaceRule>& VendorInterfaceRules() { return kRules; }

std::vector<VendorInterface> MatchVendorInterfaces(const std::vector<HidrawRecord>& records) {
    std::vector<VendorInterface> found;
    for (const HidrawRecord& record : records) {
        if (record.path.empty()) continue;
        const bool listed = std::any_of(found.begin(), found.end(),
                                        [&](const VendorInterface& v) { return v.record.path == record.path; });
        if (listed) continue;
        for (const VendorInterfaceRule& rule : kRules) {
            if (!Matches(rule, record)) continue;
            found.push_back({rule.deviceType, record});
            break;
        }
    }
    return found;
}

}  // namespace qx::linux_cli
