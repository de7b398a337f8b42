#pragma once
// The program's only gateway to the keyboard: finds and opens the one HID interface of a
// supported keyboard that takes vendor reports, and sends the three report families over it.
//
// Every primitive refuses (returns false, touches nothing) while the manager is not open or the
// index names no opened interface. Results of sends are advisory: callers never examine them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/hid_api.h"
#include "platform/pause_clock.h"

namespace qx {

constexpr std::size_t kFeatureReportSize = 65;      // report id 0 + 64 data bytes
constexpr std::size_t kFeatureDataSize = 64;
constexpr std::size_t kLargeFeatureReportSize = 2048;
constexpr std::size_t kOutputReportSize = 64;       // report id + 63 bytes
constexpr unsigned kCommandPauseMs = 2;
constexpr int kInputReadWaitMs = 100;
constexpr std::size_t kHidStringChars = 512;

using LargeFeatureReport = std::array<uint8_t, kLargeFeatureReportSize>;
using OutputReport = std::array<uint8_t, kOutputReportSize>;

struct SupportedDeviceFilter {
    int vendorId = 0;
    int productId = 0;
    std::wstring pattern;   // substring of the interface path, e.g. L"mi_01&col02"
};

struct HidDeviceEntry {
    int index = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::wstring manufacturer;
    std::wstring product;
    HidHandle handle = nullptr;   // owned; closed by CloseAllDevices
};

class HidDeviceManager {
public:
    // Initialises the HID library through api; when that fails the manager stays empty.
    // api and clock must outlive the manager.
    HidDeviceManager(HidApi& api, PauseClock& clock);
    ~HidDeviceManager();
    HidDeviceManager(const HidDeviceManager&) = delete;
    HidDeviceManager& operator=(const HidDeviceManager&) = delete;

    void AddSupportedDevice(int vendorId, int productId, const std::wstring& pattern);
    const std::vector<SupportedDeviceFilter>& Filters() const { return filters_; }

    // Opens the first enumerated interface that matches a filter (vendor and product id, then the
    // first such filter's pattern in the path); at most one entry afterwards.
    void OpenMatchingDevice();
    // Closes every opened interface and clears the open flag; does nothing when not open.
    void CloseAllDevices();
    void SetOpen(bool open) { open_ = open; }
    bool IsOpen() const { return open_; }

    // Position of the first entry with both ids, -1 when none.
    int FindDeviceIndex(int vendorId, int productId) const;
    std::size_t DeviceCount() const { return devices_.size(); }
    const HidDeviceEntry* Device(int index) const;
    // The clock the primitives pause on; the protocol sequences take their own pauses on it too,
    // so that every pause lands in one order.
    PauseClock& Clock() { return clock_; }

    // Feature family. count <= 65: one command report from the first 64 bytes of data, with an
    // optional read-back that is true only when the keyboard answers 0x01 in byte 4 (an answer of
    // 0xFF gets the command once more). count > 65: a frame of count / 64 - 1 reports of 64 data
    // bytes each, stopping at the first failed send; true when all were sent. Bytes beyond data's
    // end are sent as zeros.
    bool SendFeatureFrame(std::span<const uint8_t> data, unsigned count, int index, bool readBack);
    // BB AA family: one 2048-byte feature report (report id in byte 0). True when it was sent.
    bool SendFeature2048(const LargeFeatureReport& buffer, int index);
    // The same, then the answer is read into buffer. True whenever the device exists.
    bool SendFeature2048AndRead(LargeFeatureReport& buffer, int index);
    // Output-report family: one 64-byte output report, no pause; no result.
    void WriteReport(const OutputReport& buffer, int index);
    // One output report, then at most one input report (100 ms wait) copied into buffer.
    void WriteReportAndRead(OutputReport& buffer, int index);

private:
    bool EnsureLibrary();
    HidDeviceEntry* Usable(int index);
    int WriteOutput(HidDeviceEntry& entry, const OutputReport& buffer);
    void FreeDevices();

    HidApi& api_;
    PauseClock& clock_;
    bool libraryReady_ = false;
    bool open_ = false;
    std::vector<std::unique_ptr<HidDeviceEntry>> devices_;
    std::vector<SupportedDeviceFilter> filters_;
};

// Interface paths are 8-bit text; anything outside ASCII becomes U+FFFD, which no pattern contains.
std::wstring InterfacePathToWide(const std::string& path);

// The process-wide manager: set by the entry point between its creation and destruction,
// nullptr outside that span.
extern HidDeviceManager* g_hidDeviceManager;

}  // namespace qx
