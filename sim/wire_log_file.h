#pragma once
// A wire log written to a file as it happens: one line per event with every byte of every
// report, flushed at once, so the file is complete however the program ends (a normal exit,
// ExitProcess, a crash or a kill).
#include <cstdio>
#include <string>

#include "sim/wire_log.h"

namespace qx::sim {

class WireLogFile {
public:
    // Truncates `path` and attaches itself as the log's sink; IsOpen() is false when the file
    // cannot be created (the log then only keeps its events in memory).
    WireLogFile(WireLog& log, const std::string& path);
    ~WireLogFile();
    WireLogFile(const WireLogFile&) = delete;
    WireLogFile& operator=(const WireLogFile&) = delete;
    bool IsOpen() const { return file_ != nullptr; }

    // The line written for an event: "type<N> <event with all its bytes>".
    static std::string Line(const WireEvent& event);

private:
    void Write(const WireEvent& event);

    WireLog& log_;
    std::FILE* file_ = nullptr;
};

}  // namespace qx::sim
