#include "app/win32/hid_backend_choice.h"

#include <cstdio>
#include <cstdlib>

#include "device/hidapi_backend.h"

namespace qx {

const wchar_t kSimulatedHotplugMessage[] = L"QxKBSimulatedHotplug";

namespace {
std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}
}  // namespace

HidBackendChoice ChooseHidBackend() {
    HidBackendChoice choice;
    const std::string spec = Env("QXKB_SIMULATED_KEYBOARD");
    if (spec.empty() || spec == "hardware") {
        choice.hardware = std::make_unique<HidapiBackend>();
        return choice;
    }
    choice.wireLog = std::make_unique<sim::WireLog>();
    choice.wireLogFile = std::make_unique<sim::WireLogFile>(*choice.wireLog, Env("QXKB_WIRE_LOG"));
    choice.simulator = std::make_unique<sim::SimulatedHid>(*choice.wireLog);
    std::size_t start = 0;
    while (start <= spec.size()) {
        const std::size_t comma = spec.find(',', start);
        const std::string item = spec.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const int type = std::atoi(item.c_str());
        if (type > 0) choice.simulator->PlugDeviceType(type);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return choice;
}

}  // namespace qx
