#pragma once
// The hidapi calls the device manager uses, behind one seam: the program runs them on hidapi
// (HidapiBackend) or on simulated keyboards (sim/), with the same results hidapi would give.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qx {

struct HidInterfaceInfo {
    std::string path;            // the system's interface path, 8-bit text as hidapi gives it
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

using HidHandle = void*;         // owned by the backend; released with Close

class HidApi {
public:
    virtual ~HidApi() = default;
    // hid_init / hid_exit: 0 on success, -1 on failure.
    virtual int Init() = 0;
    virtual int Exit() = 0;
    // hid_enumerate(0, 0) copied out and freed at once (hid_free_enumeration).
    virtual std::vector<HidInterfaceInfo> EnumerateAll() = 0;
    // hid_open_path: nullptr on failure.
    virtual HidHandle OpenPath(const std::string& path) = 0;
    virtual void Close(HidHandle device) = 0;
    // The string calls: 0 on success, -1 on failure; at most maxChars characters including the zero.
    virtual int GetManufacturerString(HidHandle device, wchar_t* text, std::size_t maxChars) = 0;
    virtual int GetProductString(HidHandle device, wchar_t* text, std::size_t maxChars) = 0;
    // Report calls: bytes transferred (report id included), or -1 on failure. ReadTimeout gives 0
    // when no input report arrived in time.
    virtual int SendFeatureReport(HidHandle device, const unsigned char* data, std::size_t length) = 0;
    virtual int GetFeatureReport(HidHandle device, unsigned char* data, std::size_t length) = 0;
    virtual int Write(HidHandle device, const unsigned char* data, std::size_t length) = 0;
    virtual int ReadTimeout(HidHandle device, unsigned char* data, std::size_t length, int milliseconds) = 0;
};

}  // namespace qx
