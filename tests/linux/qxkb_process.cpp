#include "tests/linux/qxkb_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace qx::test {

std::string QxkbBinary() { return QXKB_BINARY; }

QxkbHome::QxkbHome(std::filesystem::path root) : root_(std::move(root)) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
}

std::vector<std::string> QxkbHome::Environment() const {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        // The child's folders and language are the test's, whatever the caller's are.
        if (entry.rfind("XDG_", 0) == 0 || entry.rfind("LANG=", 0) == 0 || entry.rfind("LC_", 0) == 0) continue;
        env.push_back(entry);
    }
    env.push_back("XDG_DATA_HOME=" + (root_ / "data").string());
    env.push_back("XDG_CONFIG_HOME=" + (root_ / "config").string());
    env.push_back("LANG=C");
    return env;
}

pid_t QxkbHome::Start(const std::vector<std::string>& args, const std::string& name) const {
    std::vector<std::string> argv = {QxkbBinary()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> argp;
    for (std::string& a : argv) argp.push_back(a.data());
    argp.push_back(nullptr);
    std::vector<std::string> env = Environment();
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string out = (root_ / (name + ".out")).string();
    const std::string err = (root_ / (name + ".err")).string();
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, argp.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

ProcessResult QxkbHome::Run(const std::vector<std::string>& args, std::chrono::milliseconds timeout) const {
    ProcessResult result;
    const pid_t pid = Start(args, "run");
    if (pid < 0) return result;
    result.exitCode = WaitForExit(pid, timeout);
    result.out = ReadFile(root_ / "run.out");
    result.err = ReadFile(root_ / "run.err");
    return result;
}

int WaitForExit(pid_t pid, std::chrono::milliseconds timeout) {
    int status = 0;
    const bool ended = WaitUntil([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, timeout);
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace qx::test
