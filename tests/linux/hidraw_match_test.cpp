// The vendor interface of each keyboard, picked from enumerations as hidapi on hidraw lists them:
// one record per top-level collection, all collections of a USB interface on one node.
#include <gtest/gtest.h>

#include "linux/hidraw_match.h"

namespace qx::linux_cli {
namespace {

using Records = std::vector<HidrawRecord>;

// Recorded enumerations: interface 0 the boot keyboard, interface 1 the collections Windows
// lists as col01, col02, ... in the same order.
const Records kRs40Wired = {
    {"/dev/hidraw2", 0x258A, 0x0013, 0, 0x0001, 0x0006},
    {"/dev/hidraw3", 0x258A, 0x0013, 1, 0x000C, 0x0001},
    {"/dev/hidraw3", 0x258A, 0x0013, 1, 0xFF00, 0x0001},
    {"/dev/hidraw3", 0x258A, 0x0013, 1, 0x0001, 0x0080},
};
const Records kRs40Wireless = {
    {"/dev/hidraw4", 0x0C45, 0x8006, 0, 0x0001, 0x0006},
    {"/dev/hidraw5", 0x0C45, 0x8006, 1, 0x000C, 0x0001},
    {"/dev/hidraw5", 0x0C45, 0x8006, 1, 0x0001, 0x0080},
};
Records P74(uint16_t product, const std::string& first, const std::string& second) {
    return {
        {first, 0x320F, product, 0, 0x0001, 0x0006},
        {second, 0x320F, product, 1, 0x0001, 0x0006},
        {second, 0x320F, product, 1, 0x000C, 0x0001},
        {second, 0x320F, product, 1, 0x0001, 0x0080},
        {second, 0x320F, product, 1, 0xFF1C, 0x0092},
        {second, 0x320F, product, 1, 0x0001, 0x0002},
    };
}
const HidrawRecord kMouse = {"/dev/hidraw0", 0x046D, 0xC077, 0, 0x0001, 0x0002};

Records Join(std::initializer_list<Records> parts) {
    Records all;
    for (const Records& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

struct Expected {
    int deviceType;
    std::string path;
};

struct MatchCase {
    const char* name;
    Records records;
    std::vector<Expected> expected;
};

TEST(HidrawMatch, PicksEachKeyboardsVendorNode) {
    const MatchCase cases[] = {
        {"rs40 wired: interface 1, vendor collection", Join({{kMouse}, kRs40Wired}), {{2, "/dev/hidraw3"}}},
        {"rs40 2.4G: interface 0, the keyboard collection", kRs40Wireless, {{3, "/dev/hidraw4"}}},
        {"p74 wired: interface 1, the fourth collection", P74(0x5055, "/dev/hidraw6", "/dev/hidraw7"), {{5, "/dev/hidraw7"}}},
        {"p74 2.4G receiver", P74(0x5088, "/dev/hidraw8", "/dev/hidraw9"), {{6, "/dev/hidraw9"}}},
        {"all four at once, in enumeration order",
         Join({P74(0x5088, "/dev/hidraw8", "/dev/hidraw9"), kRs40Wired, kRs40Wireless, P74(0x5055, "/dev/hidraw6", "/dev/hidraw7")}),
         {{6, "/dev/hidraw9"}, {2, "/dev/hidraw3"}, {3, "/dev/hidraw4"}, {5, "/dev/hidraw7"}}},
        {"only an unrelated mouse", {kMouse}, {}},
        // While the keyboard is still being bound, interface 1 may not be there yet.
        {"rs40 wired without interface 1 yet", {kRs40Wired[0]}, {}},
        {"p74 without interface 1 yet", {P74(0x5055, "/dev/hidraw6", "/dev/hidraw7")[0]}, {}},
        // A firmware whose interface 1 has no vendor collection is not written to.
        {"p74 interface 1 without its vendor collection",
         {{"/dev/hidraw7", 0x320F, 0x5055, 1, 0x000C, 0x0001}, {"/dev/hidraw7", 0x320F, 0x5055, 1, 0x0001, 0x0080}},
         {}},
        // The 2.4G RS40's interface 0 must really be the keyboard.
        {"rs40 2.4G interface 0 with another usage", {{"/dev/hidraw4", 0x0C45, 0x8006, 0, 0x0001, 0x0002}}, {}},
        // Other products of the same vendors share nothing but the vendor id.
        {"unknown product of a known vendor", {{"/dev/hidraw3", 0x320F, 0x5000, 1, 0xFF1C, 0x0092}}, {}},
        // hidapi's Bluetooth and I2C records have no interface number.
        {"interface number unknown", {{"/dev/hidraw3", 0x258A, 0x0013, -1, 0xFF00, 0x0001}}, {}},
        {"a record without a path", {{"", 0x258A, 0x0013, 1, 0xFF00, 0x0001}}, {}},
    };
    for (const MatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<VendorInterface> found = MatchVendorInterfaces(c.records);
        ASSERT_EQ(found.size(), c.expected.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            EXPECT_EQ(found[i].deviceType, c.expected[i].deviceType);
            EXPECT_EQ(found[i].record.path, c.expected[i].path);
        }
    }
}

TEST(HidrawMatch, NodeWithTwoVendorCollectionsIsListedOnce) {
    Records records = kRs40Wired;
    records.push_back({"/dev/hidraw3", 0x258A, 0x0013, 1, 0xFF01, 0x0002});
    EXPECT_EQ(MatchVendorInterfaces(records).size(), 1u);
}

TEST(HidrawMatch, EveryTableKeyboardHasARule) {
    std::vector<int> types;
    for (const VendorInterfaceRule& rule : VendorInterfaceRules()) types.push_back(rule.deviceType);
    EXPECT_EQ(types, (std::vector<int>{2, 3, 5, 6}));
}

}  // namespace
}  // namespace qx::linux_cli
