#pragma once
// The simulated keyboards as data: ids, strings and the HID interfaces a Windows system lists for
// each (one per USB interface, "mi_NN", and one per top-level collection, "colNN").
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qx::sim {

struct KeyboardModel {
    int deviceType = 0;              // 0 for devices the program must ignore
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::wstring manufacturer;
    std::wstring product;
    std::vector<std::string> interfaces;   // e.g. "mi_00", "mi_01&col02"
    std::string vendorInterface;           // the interface that takes vendor reports
    bool answersInputReports = false;      // the 2.4G receiver answers every output report
};

// The four supported keyboards (device types 2, 3, 5, 6) and an unrelated HID mouse.
const std::vector<KeyboardModel>& KeyboardCatalog();
std::optional<KeyboardModel> ModelForDeviceType(int deviceType);
KeyboardModel UnrelatedMouse();

// The Windows interface path of one interface, e.g.
// \\?\hid#vid_258a&pid_0013&mi_01&col02#7&2a1b3c4d&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}
std::string InterfacePath(const KeyboardModel& model, std::size_t interfaceIndex, unsigned instance);

}  // namespace qx::sim
