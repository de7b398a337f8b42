#include "device/hid_device_manager.h"

#include <algorithm>
#include <cstring>

namespace qx {

HidDeviceManager* g_hidDeviceManager = nullptr;

namespace {

// A 65-byte feature report: report id 0, then 64 bytes of data starting at offset.
std::array<uint8_t, kFeatureReportSize> BuildFeatureReport(std::span<const uint8_t> data, std::size_t offset) {
    std::array<uint8_t, kFeatureReportSize> report{};
    if (offset < data.size()) {
        const std::size_t n = std::min(kFeatureDataSize, data.size() - offset);
        std::memcpy(report.data() + 1, data.data() + offset, n);
    }
    return report;
}

constexpr uint8_t kReadBackOk = 0x01;
constexpr uint8_t kReadBackRepeat = 0xFF;
constexpr std::size_t kReadBackByte = 4;

}  // namespace

std::wstring InterfacePathToWide(const std::string& path) {
    std::wstring wide;
    wide.reserve(path.size());
    for (unsigned char c : path) wide.push_back(c < 0x80 ? static_cast<wchar_t>(c) : L'\xFFFD');
    return wide;
}

HidDeviceManager::HidDeviceManager(HidApi& api, PauseClock& clock) : api_(api), clock_(clock) {
    EnsureLibrary();
}

HidDeviceManager::~HidDeviceManager() {
    CloseAllDevices();
    FreeDevices();  // entries of a scan whose caller never marked the manager open
    if (libraryReady_) api_.Exit();
}

bool HidDeviceManager::EnsureLibrary() {
    if (libraryReady_) return true;
    if (api_.Init() == 0) {
        libraryReady_ = true;
    } else {
        api_.Exit();
    }
    return libraryReady_;
}

void HidDeviceManager::AddSupportedDevice(int vendorId, int productId, const std::wstring& pattern) {
    filters_.push_back(SupportedDeviceFilter{vendorId, productId, pattern});
}

void HidDeviceManager::OpenMatchingDevice() {
    if (!EnsureLibrary()) return;
    for (const HidInterfaceInfo& info : api_.EnumerateAll()) {
        auto filter = std::find_if(filters_.begin(), filters_.end(), [&](const SupportedDeviceFilter& f) {
            return f.vendorId == info.vendorId && f.productId == info.productId;
        });
        if (filter == filters_.end()) continue;
        if (filter->pattern.empty() || InterfacePathToWide(info.path).find(filter->pattern) == std::wstring::npos) {
            continue;
        }
        HidHandle handle = api_.OpenPath(info.path);
        if (!handle) continue;

        auto entry = std::make_unique<HidDeviceEntry>();
        wchar_t text[kHidStringChars] = {};
        if (api_.GetManufacturerString(handle, text, kHidStringChars) == 0) {
            text[kHidStringChars - 1] = L'\0';
            entry->manufacturer = text;
        }
        std::fill(std::begin(text), std::end(text), L'\0');
        if (api_.GetProductString(handle, text, kHidStringChars) == 0) {
            text[kHidStringChars - 1] = L'\0';
            entry->product = text;
        }
        entry->index = static_cast<int>(devices_.size());
        entry->vendorId = info.vendorId;
        entry->productId = info.productId;
        entry->handle = handle;
        devices_.push_back(std::move(entry));
        break;
    }
}

void HidDeviceManager::CloseAllDevices() {
    if (!open_) return;
    open_ = false;
    FreeDevices();
}

void HidDeviceManager::FreeDevices() {
    for (auto& entry : devices_) {
        if (entry->handle) api_.Close(entry->handle);
    }
    devices_.clear();
}

int HidDeviceManager::FindDeviceIndex(int vendorId, int productId) const {
    for (std::size_t i = 0; i < devices_.size(); ++i) {
        if (devices_[i]->vendorId == vendorId && devices_[i]->productId == productId) return static_cast<int>(i);
    }
    return -1;
}

const HidDeviceEntry* HidDeviceManager::Device(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= devices_.size()) return nullptr;
    return devices_[index].get();
}

HidDeviceEntry* HidDeviceManager::Usable(int index) {
    if (!open_ || index < 0 || static_cast<std::size_t>(index) >= devices_.size()) return nullptr;
    HidDeviceEntry* entry = devices_[index].get();
    return entry && entry->handle ? entry : nullptr;
}

bool HidDeviceManager::SendFeatureFrame(std::span<const uint8_t> data, unsigned count, int index, bool readBack) {
    HidDeviceEntry* entry = Usable(index);
    if (!entry) return false;
    clock_.RequestTimerResolution(1);
    clock_.Pause(kCommandPauseMs);

    if (count <= kFeatureReportSize) {
        auto report = BuildFeatureReport(data, 0);
        if (api_.SendFeatureReport(entry->handle, report.data(), report.size()) <= 0 || !readBack) return false;

        // The read-back asks for at most the caller's count, into the same 65-byte report.
        const std::size_t readLength = std::min<std::size_t>(count, report.size());
        clock_.Pause(kCommandPauseMs);
        report = BuildFeatureReport(data, 0);
        int got = api_.GetFeatureReport(entry->handle, report.data(), readLength);
        // A failed read carries no answer: the bytes still in the buffer are our own request.
        if (got > static_cast<int>(kReadBackByte) && report[kReadBackByte] == kReadBackRepeat) {
            report = BuildFeatureReport(data, 0);
            if (api_.SendFeatureReport(entry->handle, report.data(), report.size()) <= 0) return false;
            clock_.Pause(kCommandPauseMs);
            report = BuildFeatureReport(data, 0);
            got = api_.GetFeatureReport(entry->handle, report.data(), readLength);
        }
        return got > static_cast<int>(kReadBackByte) && report[kReadBackByte] == kReadBackOk;
    }

    const unsigned reports = count / kFeatureDataSize - 1;
    for (unsigned i = 0; i < reports; ++i) {
        auto report = BuildFeatureReport(data, std::size_t{i} * kFeatureDataSize);
        const int sent = api_.SendFeatureReport(entry->handle, report.data(), report.size());
        clock_.Pause(kCommandPauseMs);
        if (sent < 0) return false;
    }
    return true;
}

bool HidDeviceManager::SendFeature2048(const LargeFeatureReport& buffer, int index) {
    HidDeviceEntry* entry = Usable(index);
    if (!entry) return false;
    clock_.RequestTimerResolution(1);
    clock_.Pause(kCommandPauseMs);
    return api_.SendFeatureReport(entry->handle, buffer.data(), buffer.size()) > 0;
}

bool HidDeviceManager::SendFeature2048AndRead(LargeFeatureReport& buffer, int index) {
    HidDeviceEntry* entry = Usable(index);
    if (!entry) return false;
    clock_.RequestTimerResolution(1);
    clock_.Pause(kCommandPauseMs);
    if (api_.SendFeatureReport(entry->handle, buffer.data(), buffer.size()) > 0) {
        clock_.Pause(kCommandPauseMs);
        api_.GetFeatureReport(entry->handle, buffer.data(), buffer.size());
    }
    return true;
}

int HidDeviceManager::WriteOutput(HidDeviceEntry& entry, const OutputReport& buffer) {
    return api_.Write(entry.handle, buffer.data(), buffer.size());
}

void HidDeviceManager::WriteReport(const OutputReport& buffer, int index) {
    if (HidDeviceEntry* entry = Usable(index)) WriteOutput(*entry, buffer);
}

void HidDeviceManager::WriteReportAndRead(OutputReport& buffer, int index) {
    HidDeviceEntry* entry = Usable(index);
    if (!entry || WriteOutput(*entry, buffer) <= 0) return;
    std::array<uint8_t, kOutputReportSize> input{};
    const int got = api_.ReadTimeout(entry->handle, input.data(), input.size(), kInputReadWaitMs);
    if (got <= 0) return;  // nothing within the wait: buffer keeps its contents
    const std::size_t length = std::min<std::size_t>(static_cast<std::size_t>(got), input.size());
    if (input[0] == 0x00) {
        std::copy(input.begin() + 1, input.begin() + length, buffer.begin());
    } else {
        std::copy(input.begin(), input.begin() + length, buffer.begin());
    }
}

}  // namespace qx
