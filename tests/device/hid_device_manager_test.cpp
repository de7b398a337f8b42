// The device manager against simulated keyboards: what reaches the wire, in order, with pauses.
#include <gtest/gtest.h>

#include <cstring>
#include <numeric>

#include "device/hid_device_manager.h"
#include "sim/simulated_hid.h"

namespace qx {
namespace {

using sim::WireKind;

class ManagerTest : public ::testing::Test {
protected:
    sim::WireLog log;
    sim::VirtualPauseClock clock{log};
    sim::SimulatedHid hid{log};

    std::unique_ptr<HidDeviceManager> MakeManager() {
        auto m = std::make_unique<HidDeviceManager>(hid, clock);
        m->AddSupportedDevice(0x258A, 0x0013, L"mi_01&col02");
        m->AddSupportedDevice(0x0C45, 0x8006, L"mi_00");
        m->AddSupportedDevice(0x320F, 0x5055, L"mi_01&col04");
        m->AddSupportedDevice(0x320F, 0x5088, L"mi_01&col04");
        return m;
    }
    static void Rescan(HidDeviceManager& m) {
        m.CloseAllDevices();
        m.OpenMatchingDevice();
        m.SetOpen(true);
    }
    static std::vector<uint8_t> Pattern(std::size_t n) {
        std::vector<uint8_t> data(n);
        for (std::size_t i = 0; i < n; ++i) data[i] = static_cast<uint8_t>(i * 7 + 3);
        return data;
    }
    // Calls every primitive once on index; returns how many claimed success.
    static int CallEveryPrimitive(HidDeviceManager& m, int index) {
        auto data = Pattern(64);
        LargeFeatureReport big{};
        OutputReport out{};
        out[0] = 0x04;
        int ok = 0;
        ok += m.SendFeatureFrame(data, 65, index, true);
        ok += m.SendFeatureFrame(Pattern(0x4C0), 0x4C0, index, false);
        ok += m.SendFeature2048(big, index);
        ok += m.SendFeature2048AndRead(big, index);
        m.WriteReport(out, index);
        m.WriteReportAndRead(out, index);
        return ok;
    }
};

TEST_F(ManagerTest, WithoutKeyboardEveryPrimitiveRefusesAndNothingReachesTheWire) {
    auto m = MakeManager();
    Rescan(*m);
    EXPECT_EQ(m->DeviceCount(), 0u);
    log.Clear();
    EXPECT_EQ(CallEveryPrimitive(*m, 0), 0);
    EXPECT_TRUE(log.Events().empty()) << sim::DescribeEvent(log.Events().front());
}

TEST_F(ManagerTest, RefusesBeforeTheManagerIsMarkedOpenAndForForeignIndexes) {
    hid.PlugDeviceType(5);
    auto m = MakeManager();
    m->OpenMatchingDevice();
    ASSERT_EQ(m->DeviceCount(), 1u);
    log.Clear();
    EXPECT_EQ(CallEveryPrimitive(*m, 0), 0) << "not marked open yet";
    m->SetOpen(true);
    for (int index : {1, -1, 7}) EXPECT_EQ(CallEveryPrimitive(*m, index), 0) << index;
    EXPECT_TRUE(log.Events().empty());
}

TEST_F(ManagerTest, OpensTheVendorInterfaceAndReadsItsStrings) {
    struct Case { int type; uint16_t vid, pid; const char* iface; };
    for (Case c : {Case{2, 0x258A, 0x0013, "mi_01&col02"}, Case{3, 0x0C45, 0x8006, "mi_00"},
                   Case{5, 0x320F, 0x5055, "mi_01&col04"}, Case{6, 0x320F, 0x5088, "mi_01&col04"}}) {
        sim::WireLog caseLog;
        sim::VirtualPauseClock caseClock{caseLog};
        sim::SimulatedHid caseHid{caseLog};
        const int id = caseHid.PlugDeviceType(c.type);
        HidDeviceManager m(caseHid, caseClock);
        m.AddSupportedDevice(c.vid, c.pid, std::wstring(c.iface, c.iface + std::strlen(c.iface)));
        m.OpenMatchingDevice();
        m.SetOpen(true);
        ASSERT_EQ(m.DeviceCount(), 1u) << c.type;
        EXPECT_EQ(m.FindDeviceIndex(c.vid, c.pid), 0);
        EXPECT_EQ(m.Device(0)->product, sim::ModelForDeviceType(c.type)->product);
        EXPECT_FALSE(m.Device(0)->manufacturer.empty());
        // A report reaches the keyboard only through its vendor interface.
        OutputReport out{};
        out[0] = 0x04;
        m.WriteReport(out, 0);
        ASSERT_EQ(caseLog.Only({WireKind::Write}).size(), 1u);
        EXPECT_EQ(caseLog.Only({WireKind::Write})[0].result, 64) << c.type;
        EXPECT_EQ(caseHid.OpenHandleCount(), 1) << id;
    }
}

TEST_F(ManagerTest, FrameOf0x4C0SendsEighteenReportsOfTheFirst1152Bytes) {
    hid.PlugDeviceType(3);
    auto m = MakeManager();
    Rescan(*m);
    log.Clear();
    const auto data = Pattern(0x4C0);
    EXPECT_TRUE(m->SendFeatureFrame(data, 0x4C0, 0, true));

    const auto& events = log.Events();
    ASSERT_EQ(events.size(), 2u + 18u * 2u);
    EXPECT_EQ(events[0].kind, WireKind::TimerResolution);
    EXPECT_EQ(events[0].ms, 1u);
    EXPECT_EQ(events[1].kind, WireKind::Pause);
    EXPECT_EQ(events[1].ms, 2u);
    for (std::size_t i = 0; i < 18; ++i) {
        const auto& send = events[2 + 2 * i];
        ASSERT_EQ(send.kind, WireKind::SendFeature) << i;
        ASSERT_EQ(send.bytes.size(), 65u);
        EXPECT_EQ(send.bytes[0], 0x00);
        EXPECT_TRUE(std::equal(send.bytes.begin() + 1, send.bytes.end(), data.begin() + 64 * i)) << "report " << i;
        EXPECT_EQ(events[3 + 2 * i].kind, WireKind::Pause);
        EXPECT_EQ(events[3 + 2 * i].ms, 2u);
    }
    EXPECT_TRUE(log.Only({WireKind::GetFeature}).empty()) << "frames are never read back";
}

TEST_F(ManagerTest, CommandReadBackRepeatsExactlyOnceOnFF) {
    struct Case { std::deque<uint8_t> answers; bool result; std::size_t sends; };
    for (const Case& c : {Case{{}, true, 1}, Case{{0xFF}, true, 2}, Case{{0xFF, 0xFF}, false, 2},
                          Case{{0x00}, false, 1}, Case{{0xFF, 0x07}, false, 2}}) {
        log.Clear();
        sim::SimulatedHid caseHid{log};
        const int id = caseHid.PlugDeviceType(3);
        HidDeviceManager m(caseHid, clock);
        m.AddSupportedDevice(0x0C45, 0x8006, L"mi_00");
        m.OpenMatchingDevice();
        m.SetOpen(true);
        caseHid.FaultsOf(id)->readBackAnswers = c.answers;
        log.Clear();
        const auto data = Pattern(64);
        EXPECT_EQ(m.SendFeatureFrame(data, 65, 0, true), c.result) << c.answers.size();
        const auto sends = log.Only({WireKind::SendFeature});
        ASSERT_EQ(sends.size(), c.sends);
        EXPECT_EQ(log.Only({WireKind::GetFeature}).size(), c.sends);
        for (const auto& s : sends) EXPECT_TRUE(std::equal(s.bytes.begin() + 1, s.bytes.end(), data.begin()));
        // resolution, pause, send, pause, read [, send, pause, read]
        std::vector<WireKind> expected = {WireKind::TimerResolution, WireKind::Pause, WireKind::SendFeature,
                                          WireKind::Pause, WireKind::GetFeature};
        if (c.sends == 2) expected.insert(expected.end(), {WireKind::SendFeature, WireKind::Pause, WireKind::GetFeature});
        std::vector<WireKind> got;
        for (const auto& e : log.Events()) got.push_back(e.kind);
        EXPECT_EQ(got, expected);
    }
}

TEST_F(ManagerTest, CommandWithoutReadBackIsSentOnceAndReportsFalse) {
    hid.PlugDeviceType(3);
    auto m = MakeManager();
    Rescan(*m);
    log.Clear();
    EXPECT_FALSE(m->SendFeatureFrame(Pattern(64), 65, 0, false));
    EXPECT_EQ(log.Only({WireKind::SendFeature}).size(), 1u);
    EXPECT_TRUE(log.Only({WireKind::GetFeature}).empty());
}

TEST_F(ManagerTest, ShortDataIsPaddedWithZerosNeverReadPastItsEnd) {
    hid.PlugDeviceType(3);
    auto m = MakeManager();
    Rescan(*m);
    log.Clear();
    const std::vector<uint8_t> data = {0x04, 0x18};
    m->SendFeatureFrame(data, 65, 0, false);
    m->SendFeatureFrame(data, 3 * 64, 0, false);
    const auto sends = log.Only({WireKind::SendFeature});
    ASSERT_EQ(sends.size(), 3u);
    std::vector<uint8_t> expected(65, 0);
    expected[1] = 0x04;
    expected[2] = 0x18;
    EXPECT_EQ(sends[0].bytes, expected);
    EXPECT_EQ(sends[1].bytes, expected);
    EXPECT_EQ(sends[2].bytes, std::vector<uint8_t>(65, 0));
}

TEST_F(ManagerTest, FailedReportStopsTheFrame) {
    const int id = hid.PlugDeviceType(3);
    auto m = MakeManager();
    Rescan(*m);
    hid.FaultsOf(id)->failSendAt = 5;
    log.Clear();
    EXPECT_FALSE(m->SendFeatureFrame(Pattern(0x4C0), 0x4C0, 0, false));
    const auto sends = log.Only({WireKind::SendFeature});
    ASSERT_EQ(sends.size(), 5u);
    EXPECT_EQ(sends.back().result, -1);
    EXPECT_EQ(log.Events().back().kind, WireKind::Pause) << "the pause follows the failed report too";
    // The next command still goes out.
    EXPECT_TRUE(m->SendFeatureFrame(Pattern(64), 65, 0, true));
}

TEST_F(ManagerTest, KeyboardVanishingMidFrameStopsItAndLaterSendsFail) {
    const int id = hid.PlugDeviceType(3);
    auto m = MakeManager();
    Rescan(*m);
    hid.FaultsOf(id)->vanishAfter = 3;
    log.Clear();
    EXPECT_FALSE(m->SendFeatureFrame(Pattern(0x4C0), 0x4C0, 0, false));
    EXPECT_EQ(log.Only({WireKind::SendFeature}).size(), 4u);
    EXPECT_FALSE(m->SendFeatureFrame(Pattern(64), 65, 0, true));
    EXPECT_EQ(CallEveryPrimitive(*m, 0), 1) << "only the 2048 read claims success once the device exists";
    Rescan(*m);
    EXPECT_EQ(m->DeviceCount(), 0u);
    EXPECT_EQ(hid.OpenHandleCount(), 0);
}

TEST_F(ManagerTest, AfterCloseAllDevicesNothingIsFoundAndSendsAreRefused) {
    hid.PlugDeviceType(5);
    auto m = MakeManager();
    Rescan(*m);
    ASSERT_EQ(m->FindDeviceIndex(0x320F, 0x5055), 0);
    m->CloseAllDevices();
    EXPECT_EQ(hid.OpenHandleCount(), 0);
    for (const auto& f : m->Filters()) EXPECT_EQ(m->FindDeviceIndex(f.vendorId, f.productId), -1);
    log.Clear();
    EXPECT_EQ(CallEveryPrimitive(*m, 0), 0);
    EXPECT_TRUE(log.Events().empty());
    Rescan(*m);
    EXPECT_EQ(m->FindDeviceIndex(0x320F, 0x5055), 0);
}

TEST_F(ManagerTest, WalkStopsAtTheFirstOpenedMatch) {
    sim::KeyboardModel twoVendorInterfaces = *sim::ModelForDeviceType(3);
    twoVendorInterfaces.interfaces = {"mi_00&col01", "mi_00&col02", "mi_01"};
    hid.Plug(twoVendorInterfaces);
    hid.PlugDeviceType(5);
    auto m = MakeManager();
    Rescan(*m);
    EXPECT_EQ(m->DeviceCount(), 1u);
    EXPECT_EQ(log.Only({WireKind::Open}).size(), 1u);
    EXPECT_EQ(m->FindDeviceIndex(0x0C45, 0x8006), 0);
    EXPECT_EQ(m->FindDeviceIndex(0x320F, 0x5055), -1);
}

TEST_F(ManagerTest, InterfaceThatCannotBeOpenedCountsAsAbsent) {
    const int first = hid.PlugDeviceType(2);
    hid.PlugDeviceType(6);
    hid.FaultsOf(first)->openFails = true;
    auto m = MakeManager();
    Rescan(*m);
    EXPECT_EQ(m->FindDeviceIndex(0x258A, 0x0013), -1);
    EXPECT_EQ(m->FindDeviceIndex(0x320F, 0x5088), 0);
}

TEST_F(ManagerTest, PatternMustOccurInThePathCaseSensitively) {
    struct Case { std::vector<std::string> interfaces; bool found; };
    for (const Case& c : {Case{{"mi_00", "mi_01&col01", "mi_01&col03"}, false}, Case{{"MI_01&COL02"}, false},
                          Case{{"mi_01&col02"}, true}, Case{{"mi_01&col02\xC3\xA9\xFF"}, true},
                          Case{{"\xFF\xFEmi_01&co\x80l02"}, false}}) {
        sim::WireLog caseLog;
        sim::VirtualPauseClock caseClock{caseLog};
        sim::SimulatedHid caseHid{caseLog};
        sim::KeyboardModel model = *sim::ModelForDeviceType(2);
        model.interfaces = c.interfaces;
        model.vendorInterface = c.interfaces.back();
        caseHid.Plug(model);
        HidDeviceManager m(caseHid, caseClock);
        m.AddSupportedDevice(0x258A, 0x0013, L"mi_01&col02");
        m.OpenMatchingDevice();
        EXPECT_EQ(m.DeviceCount(), c.found ? 1u : 0u) << c.interfaces.back();
    }
}

TEST_F(ManagerTest, EmptyPatternAndUnrelatedDevicesAreNeverOpened) {
    hid.PlugDeviceType(5);
    HidDeviceManager m(hid, clock);
    m.AddSupportedDevice(0x845E, 0x0001, L"");      // the unrelated mouse, with no pattern
    m.AddSupportedDevice(0x320F, 0x5055, L"");
    m.OpenMatchingDevice();
    EXPECT_EQ(m.DeviceCount(), 0u);
    EXPECT_TRUE(log.Only({WireKind::Open}).empty());
}

TEST_F(ManagerTest, FirstFilterWithTheIdsGivesThePattern) {
    hid.PlugDeviceType(5);
    HidDeviceManager m(hid, clock);
    m.AddSupportedDevice(0x320F, 0x5055, L"mi_07");
    m.AddSupportedDevice(0x320F, 0x5055, L"mi_01&col04");
    m.OpenMatchingDevice();
    EXPECT_EQ(m.DeviceCount(), 0u);
}

TEST_F(ManagerTest, LibraryThatFailsToInitialiseLeavesTheManagerEmpty) {
    hid.PlugDeviceType(5);
    hid.initFails = true;
    auto m = MakeManager();
    Rescan(*m);
    EXPECT_EQ(m->DeviceCount(), 0u);
    log.Clear();
    EXPECT_EQ(CallEveryPrimitive(*m, 0), 0);
    EXPECT_TRUE(log.Events().empty());
}

TEST_F(ManagerTest, LargeFeatureReportsAndTheirAnswers) {
    const int id = hid.PlugDeviceType(2);
    auto m = MakeManager();
    Rescan(*m);
    LargeFeatureReport report{};
    report[0] = 0x06;
    report[1] = 0xBB;
    report[2] = 0xAA;
    log.Clear();
    EXPECT_TRUE(m->SendFeature2048(report, 0));
    EXPECT_TRUE(m->SendFeature2048AndRead(report, 0));
    std::vector<WireKind> got;
    for (const auto& e : log.Events()) got.push_back(e.kind);
    EXPECT_EQ(got, (std::vector<WireKind>{WireKind::TimerResolution, WireKind::Pause, WireKind::SendFeature,
                                          WireKind::TimerResolution, WireKind::Pause, WireKind::SendFeature,
                                          WireKind::Pause, WireKind::GetFeature}));
    EXPECT_EQ(log.Only({WireKind::SendFeature})[0].bytes.size(), 2048u);
    EXPECT_EQ(report[0], 0x06) << "the answer keeps the report id";

    hid.FaultsOf(id)->failSendAt = hid.FaultsOf(id)->failSendAt.value_or(0) + 3;
    log.Clear();
    EXPECT_FALSE(m->SendFeature2048(report, 0));
    EXPECT_TRUE(m->SendFeature2048AndRead(report, 0)) << "true whenever the device exists";
}

TEST_F(ManagerTest, OutputReportsAndTheOneInputReportTheyWaitFor) {
    const int receiver = hid.PlugDeviceType(6);
    auto m = MakeManager();
    Rescan(*m);
    OutputReport out{};
    out[0] = 0x04;
    out[1] = 0x18;
    out[63] = 0x5A;
    log.Clear();
    // The receiver answers with a copy of the report; it lands in the buffer.
    OutputReport echo = out;
    echo[1] = 0x33;
    m->WriteReportAndRead(echo, 0);
    EXPECT_EQ(echo[0], 0x04);
    EXPECT_EQ(echo[1], 0x33);
    const auto reads = log.Only({WireKind::Read});
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].ms, 100u);
    EXPECT_EQ(reads[0].bytes[1], 0x33);

    // No answer within the wait: the buffer keeps its contents.
    hid.FaultsOf(receiver)->noInputReports = true;
    OutputReport keep = out;
    m->WriteReportAndRead(keep, 0);
    EXPECT_EQ(keep, out);
    EXPECT_EQ(log.Only({WireKind::Read}).back().result, 0);

    log.Clear();
    m->WriteReport(out, 0);
    ASSERT_EQ(log.Events().size(), 1u) << "no pause around a plain write";
    EXPECT_EQ(log.Events()[0].bytes, std::vector<uint8_t>(out.begin(), out.end()));
}

TEST_F(ManagerTest, InputReportWithoutReportIdIsShiftedIntoTheBuffer) {
    class ZeroIdAnswer : public sim::KeyboardBehavior {
        std::optional<std::vector<uint8_t>> OnOutputReport(const std::vector<uint8_t>&) override {
            std::vector<uint8_t> r(64);
            std::iota(r.begin(), r.end(), 0);   // 00 01 02 ...
            return r;
        }
    };
    hid.Plug(*sim::ModelForDeviceType(6), std::make_unique<ZeroIdAnswer>());
    auto m = MakeManager();
    Rescan(*m);
    OutputReport buffer{};
    buffer.fill(0xEE);
    m->WriteReportAndRead(buffer, 0);
    for (std::size_t i = 0; i < 63; ++i) ASSERT_EQ(buffer[i], i + 1) << i;
    EXPECT_EQ(buffer[63], 0xEE);
}

TEST_F(ManagerTest, DestructionClosesEveryHandleEvenWhenNeverMarkedOpen) {
    hid.PlugDeviceType(5);
    {
        auto m = MakeManager();
        m->OpenMatchingDevice();
        EXPECT_EQ(hid.OpenHandleCount(), 1);
    }
    EXPECT_EQ(hid.OpenHandleCount(), 0);
}

}  // namespace
}  // namespace qx
