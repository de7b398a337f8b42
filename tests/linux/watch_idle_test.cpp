// An idle watcher sleeps in the kernel: one minute of waiting for arrivals costs next to no CPU.
// The one slow test of the suite; it measures the wait itself, so it cannot be shorter.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "tests/linux/qxkb_process.h"

namespace qx::test {
namespace {

// utime + stime of pid from /proc/PID/stat, in milliseconds; -1 when unreadable.
double CpuMilliseconds(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name may hold spaces; the fields after its closing parenthesis are fixed.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::stoll(field);
        if (i == 15) stime = std::stoll(field);
    }
    return 1000.0 * static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

TEST(WatchIdle, MinuteOfWaitingCostsNoCpu) {
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "qxkb-watch-idle";
    QxkbHome home(root);
    const std::filesystem::path pipe = root / "arrivals";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const pid_t watcher = home.Start({"--simulate", "none", "--type", "5", "watch", "--arrivals", pipe.string()}, "idle");
    ASSERT_GT(watcher, 0);
    const int writer = ::open(pipe.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    ASSERT_TRUE(WaitUntil([&] { return ReadFile(root / "idle.out").find("watching") != std::string::npos; },
                          std::chrono::seconds(30)));

    const double before = CpuMilliseconds(watcher);
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(60));   // the measured span, not a wait for a state
    const double after = CpuMilliseconds(watcher);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_GE(before, 0);
    const double idleCpu = after - before;
    std::cout << "idle watcher: " << idleCpu << " ms CPU over " << seconds << " s\n";
    RecordProperty("idle_cpu_ms", std::to_string(idleCpu));
    EXPECT_LT(idleCpu, 50.0);

    ::close(writer);
    EXPECT_EQ(WaitForExit(watcher, std::chrono::seconds(20)), 0);
    std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace qx::test
