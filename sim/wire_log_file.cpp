#include "sim/wire_log_file.h"

namespace qx::sim {

WireLogFile::WireLogFile(WireLog& log, const std::string& path) : log_(log) {
    if (path.empty()) return;
    // Binary: the same bytes on every system, one "\n" per line.
    file_ = std::fopen(path.c_str(), "wb");
    if (file_) log_.SetSink([this](const WireEvent& event) { Write(event); });
}

WireLogFile::~WireLogFile() {
    if (!file_) return;
    log_.SetSink(nullptr);
    std::fclose(file_);
}

std::string WireLogFile::Line(const WireEvent& event) {
    return "type" + std::to_string(event.deviceType) + " " + DescribeEvent(event, SIZE_MAX) + "\n";
}

void WireLogFile::Write(const WireEvent& event) {
    const std::string line = Line(event);
    std::fwrite(line.data(), 1, line.size(), file_);
    // Handed to the system at once: nothing waits in our buffer when the process is ended.
    std::fflush(file_);
}

}  // namespace qx::sim
