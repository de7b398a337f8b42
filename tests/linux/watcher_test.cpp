// qxkb watch re-sends the stored settings to a keyboard that arrives, as the window does: the
// simulated arrivals come through a pipe, which the watcher waits on the same way as on udev.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "linux/watcher.h"
#include "tests/linux/controller_rig.h"

namespace qx::test {
namespace {

TEST(Watcher, ChangesOfOtherDevicesDoNotRescan) {
    using linux_cli::ConcernsSupportedKeyboard;
    EXPECT_TRUE(ConcernsSupportedKeyboard({true, 0x320F, 0x5055}));
    EXPECT_TRUE(ConcernsSupportedKeyboard({false, 0x0C45, 0x8006}));
    EXPECT_FALSE(ConcernsSupportedKeyboard({true, 0x046D, 0xC077}));
    EXPECT_FALSE(ConcernsSupportedKeyboard({true, 0, 0})) << "an arrival without ids cannot be a keyboard's";
    EXPECT_TRUE(ConcernsSupportedKeyboard({false, 0, 0})) << "a node already gone may have been the keyboard";
}

class WatchArrivals : public ::testing::TestWithParam<int> {};

TEST_P(WatchArrivals, KeyboardThatArrivesGetsTheStoredProfile) {
    const int type = GetParam();
    const std::filesystem::path root = std::filesystem::temp_directory_path() / ("qxkb-watch-" + std::to_string(type));
    QxkbHome watcherHome(root / "qxkb");
    QxkbHome controllerHome(root / "controller");
    const std::string typeText = std::to_string(type);
    // The same stored settings in both homes: an effect, a colour and a key function.
    for (const QxkbHome* home : {&watcherHome, &controllerHome}) {
        for (const std::vector<std::string>& args : {std::vector<std::string>{"effect", "4"},
                                                     std::vector<std::string>{"colour", "00ffff", "Esc"},
                                                     std::vector<std::string>{"assign", "A", "--combo", "Ctrl+C"}}) {
            std::vector<std::string> full = {"--simulate", typeText};
            full.insert(full.end(), args.begin(), args.end());
            ASSERT_EQ(home->Run(full).exitCode, 0);
        }
    }

    const std::filesystem::path pipe = root / "arrivals";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::filesystem::path wireLog = root / "watch.log";
    const pid_t watcher = watcherHome.Start({"--simulate", "none", "--type", typeText, "--wire-log", wireLog.string(),
                                             "watch", "--arrivals", pipe.string()},
                                            "watch");
    ASSERT_GT(watcher, 0);
    const int writer = ::open(pipe.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);

    // The reference: the controller started without a keyboard, then the keyboard arrives.
    const std::filesystem::path expectedLog = root / "controller.log";
    ControllerRig rig(controllerHome, 0, expectedLog, type, false);
    const int keyboard = rig.hid.PlugDeviceType(type);
    rig.controller->RescanDevices(true);
    ASSERT_TRUE(rig.controller->IsConnected());
    const std::string afterArrival = ReadFile(expectedLog);
    ASSERT_TRUE(afterArrival.find(" write ") != std::string::npos || afterArrival.find(" send-feature ") != std::string::npos);

    ASSERT_EQ(::write(writer, "add ", 4), 4);
    ASSERT_EQ(::write(writer, (typeText + "\n").c_str(), 2), 2);
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(wireLog) == afterArrival; }, std::chrono::seconds(20)))
        << ReadFile(wireLog);
    EXPECT_NE(ReadFile(root / "qxkb" / "watch.out").find("Device connected!"), std::string::npos);

    // Gone, and back again: sent once more.
    rig.hid.Unplug(keyboard);
    rig.controller->RescanDevices(true);
    const std::string afterRemoval = ReadFile(expectedLog);
    ASSERT_EQ(::write(writer, ("remove " + typeText + "\n").c_str(), 9), 9);
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(wireLog) == afterRemoval; }, std::chrono::seconds(20)));
    rig.hid.PlugDeviceType(type);
    rig.controller->RescanDevices(true);
    ASSERT_EQ(::write(writer, ("add " + typeText + "\n").c_str(), 6), 6);
    rig.Finish();
    const std::string expected = ReadFile(expectedLog);

    // The end of the pipe ends the watcher.
    ::close(writer);
    EXPECT_EQ(WaitForExit(watcher, std::chrono::seconds(20)), 0);
    EXPECT_EQ(ReadFile(wireLog), expected);
    std::filesystem::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(SimulatedKeyboards, WatchArrivals, ::testing::Values(2, 3, 5, 6),
                         [](const ::testing::TestParamInfo<int>& info) { return "type" + std::to_string(info.param); });

}  // namespace
}  // namespace qx::test
