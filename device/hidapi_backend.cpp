#include "device/hidapi_backend.h"

#include <hidapi.h>

namespace qx {
namespace {
hid_device* Dev(HidHandle h) { return static_cast<hid_device*>(h); }
}  // namespace

int HidapiBackend::Init() { return hid_init(); }
int HidapiBackend::Exit() { return hid_exit(); }

std::vector<HidInterfaceInfo> HidapiBackend::EnumerateAll() {
    std::vector<HidInterfaceInfo> result;
    hid_device_info* list = hid_enumerate(0, 0);
    for (hid_device_info* it = list; it != nullptr; it = it->next) {
        HidInterfaceInfo info;
        if (it->path) info.path = it->path;
        info.vendorId = it->vendor_id;
        info.productId = it->product_id;
        result.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return result;
}

HidHandle HidapiBackend::OpenPath(const std::string& path) { return hid_open_path(path.c_str()); }
void HidapiBackend::Close(HidHandle device) {
    if (device) hid_close(Dev(device));
}

int HidapiBackend::GetManufacturerString(HidHandle device, wchar_t* text, std::size_t maxChars) {
    return hid_get_manufacturer_string(Dev(device), text, maxChars);
}
int HidapiBackend::GetProductString(HidHandle device, wchar_t* text, std::size_t maxChars) {
    return hid_get_product_string(Dev(device), text, maxChars);
}
int HidapiBackend::SendFeatureReport(HidHandle device, const unsigned char* data, std::size_t length) {
    return hid_send_feature_report(Dev(device), data, length);
}
int HidapiBackend::GetFeatureReport(HidHandle device, unsigned char* data, std::size_t length) {
    return hid_get_feature_report(Dev(device), data, length);
}
int HidapiBackend::Write(HidHandle device, const unsigned char* data, std::size_t length) {
    return hid_write(Dev(device), data, length);
}
int HidapiBackend::ReadTimeout(HidHandle device, unsigned char* data, std::size_t length, int milliseconds) {
    return hid_read_timeout(Dev(device), data, length, milliseconds);
}

}  // namespace qx
