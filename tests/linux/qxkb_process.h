#pragma once
// Runs the built qxkb as a child process with its own data and config folders, as a user would.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace qx::test {

struct ProcessResult {
    int exitCode = -1;   // -1 when it did not end in time or died of a signal
    std::string out;
    std::string err;
};

// A home for qxkb runs: XDG_DATA_HOME and XDG_CONFIG_HOME below root, English output.
class QxkbHome {
public:
    explicit QxkbHome(std::filesystem::path root);
    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path DataRoot() const { return root_ / "data" / "qxkb"; }
    std::filesystem::path SettingsFile() const { return root_ / "config" / "qxkb" / "settings"; }
    std::filesystem::path Database(const std::string& model) const { return DataRoot() / "db" / (model + "_data.db"); }

    // Runs qxkb with args and waits for it (at most timeout).
    ProcessResult Run(const std::vector<std::string>& args,
                      std::chrono::milliseconds timeout = std::chrono::seconds(60)) const;
    // Starts qxkb with args; its output goes to out/err files under root. Returns the pid.
    pid_t Start(const std::vector<std::string>& args, const std::string& name) const;

private:
    std::vector<std::string> Environment() const;
    std::filesystem::path root_;
};

// Waits for pid to end, at most timeout; its exit code, or -1 (then it was killed).
int WaitForExit(pid_t pid, std::chrono::milliseconds timeout);
// Checks condition until it holds or timeout passes; the last answer.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
std::string ReadFile(const std::filesystem::path& path);
// The path of the qxkb binary under test.
std::string QxkbBinary();

}  // namespace qx::test
