#pragma once
// The real HID stack through hidapi (Windows backend in the program, hidraw natively).
#include "device/hid_api.h"

namespace qx {

class HidapiBackend : public HidApi {
public:
    int Init() override;
    int Exit() override;
    std::vector<HidInterfaceInfo> EnumerateAll() override;
    HidHandle OpenPath(const std::string& path) override;
    void Close(HidHandle device) override;
    int GetManufacturerString(HidHandle device, wchar_t* text, std::size_t maxChars) override;
    int GetProductString(HidHandle device, wchar_t* text, std::size_t maxChars) override;
    int SendFeatureReport(HidHandle device, const unsigned char* data, std::size_t length) override;
    int GetFeatureReport(HidHandle device, unsigned char* data, std::size_t length) override;
    int Write(HidHandle device, const unsigned char* data, std::size_t length) override;
    int ReadTimeout(HidHandle device, unsigned char* data, std::size_t length, int milliseconds) override;
};

}  // namespace qx
