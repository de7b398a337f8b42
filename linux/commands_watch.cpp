// qxkb watch: udev arrivals, or simulated ones from a pipe.
#include <fcntl.h>

#include "linux/command_support.h"
#include "linux/pipe_arrivals.h"
#include "linux/udev_arrivals.h"
#include "linux/watcher.h"
#include "storage/utf8_text.h"

namespace qx::linux_cli {

int Watch(Session& session, const std::string& arrivals, Streams io) {
    std::unique_ptr<ArrivalSource> source;
    if (!arrivals.empty()) {
        if (!session.Simulator()) return Fail(io, L"--arrivals needs --simulate");
        // Opening blocks until the writer opens its end, so the first wait never sees a pipe
        // without a writer (which would read as its end).
        const int fd = ::open(arrivals.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return Fail(io, L"cannot open " + FromUtf8(arrivals));
        source = std::make_unique<PipeArrivals>(fd, *session.Simulator());
    } else {
        source = UdevArrivals::Open();
        if (!source) return Fail(io, L"cannot listen to udev for keyboards that arrive");
    }
    io.out << "watching for keyboards" << std::endl;
    return RunWatcher(session.Controller(), *source);
}

}  // namespace qx::linux_cli
