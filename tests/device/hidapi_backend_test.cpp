// The real HID stack with no keyboard attached: hidapi may fail to start (it does under Wine,
// whose cfgmgr32 lacks functions hidapi needs), list unrelated devices, or list nothing; the
// manager must stay empty and refuse every send in all of these cases.
#include <gtest/gtest.h>

#include "device/hid_device_manager.h"
#include "device/hidapi_backend.h"

namespace qx {
namespace {

class CountingClock : public PauseClock {
public:
    int calls = 0;
    void RequestTimerResolution(unsigned) override { ++calls; }
    void Pause(unsigned) override { ++calls; }
};

TEST(HidapiBackend, WithoutKeyboardsTheManagerStaysEmptyAndRefuses) {
    HidapiBackend backend;
    CountingClock clock;
    HidDeviceManager manager(backend, clock);
    manager.AddSupportedDevice(0x258A, 0x0013, L"mi_01&col02");
    manager.AddSupportedDevice(0x0C45, 0x8006, L"mi_00");
    manager.AddSupportedDevice(0x320F, 0x5055, L"mi_01&col04");
    manager.AddSupportedDevice(0x320F, 0x5088, L"mi_01&col04");
    for (int scan = 0; scan < 2; ++scan) {
        manager.CloseAllDevices();
        manager.OpenMatchingDevice();
        manager.SetOpen(true);
    }
    ASSERT_EQ(manager.DeviceCount(), 0u) << "a supported keyboard is attached to this machine";
    const std::vector<uint8_t> data(64, 0x11);
    LargeFeatureReport big{};
    OutputReport out{};
    EXPECT_FALSE(manager.SendFeatureFrame(data, 65, 0, true));
    EXPECT_FALSE(manager.SendFeature2048(big, 0));
    EXPECT_FALSE(manager.SendFeature2048AndRead(big, 0));
    manager.WriteReport(out, 0);
    manager.WriteReportAndRead(out, 0);
    EXPECT_EQ(clock.calls, 0) << "refused sends never pause";
}

}  // namespace
}  // namespace qx
