#include "sim/keyboard_models.h"

#include <cstdio>

namespace qx::sim {
namespace {

std::vector<std::string> CompositeInterfaces() {
    return {"mi_00", "mi_01&col01", "mi_01&col02", "mi_01&col03", "mi_01&col04", "mi_01&col05"};
}

}  // namespace

const std::vector<KeyboardModel>& KeyboardCatalog() {
    static const std::vector<KeyboardModel> catalog = {
        {2, 0x258A, 0x0013, L"SINO WEALTH", L"QxKB RS40", CompositeInterfaces(), "mi_01&col02", false},
        {3, 0x0C45, 0x8006, L"SONiX", L"QxKB RS40", CompositeInterfaces(), "mi_00", false},
        {5, 0x320F, 0x5055, L"QxKB", L"QxKB P74", CompositeInterfaces(), "mi_01&col04", false},
        {6, 0x320F, 0x5088, L"QxKB", L"QxKB P74 2.4G", CompositeInterfaces(), "mi_01&col04", true},
    };
    return catalog;
}

std::optional<KeyboardModel> ModelForDeviceType(int deviceType) {
    for (const KeyboardModel& m : KeyboardCatalog()) {
        if (m.deviceType == deviceType) return m;
    }
    return std::nullopt;
}

KeyboardModel UnrelatedMouse() {
    // What Wine itself lists: a virtual HID mouse the program must pass over.
    return {0, 0x845E, 0x0001, L"Wine", L"Wine HID mouse", {"mi_00"}, "", false};
}

std::string InterfacePath(const KeyboardModel& model, std::size_t interfaceIndex, unsigned instance) {
    char path[256];
    const std::string& iface = model.interfaces.at(interfaceIndex);
    std::snprintf(path, sizeof path,
                  "\\\\?\\hid#vid_%04x&pid_%04x&%s#7&%08x&0&%04zx#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                  model.vendorId, model.productId, iface.c_str(), 0x2a1b0000u + instance, interfaceIndex);
    return path;
}

}  // namespace qx::sim
