#include "linux/session.h"

#include <system_error>

#include "device/device_types.h"
#include "storage/utf8_text.h"

namespace qx::linux_cli {
namespace {
const wchar_t kDeviceTypeValue[] = L"DevType";

std::optional<std::vector<int>> ParseSimulatedTypes(const std::string& text) {
    std::vector<int> types;
    if (text == "none") return types;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (item.size() != 1 || item[0] < '1' || item[0] > '9') return std::nullopt;
        const int type = item[0] - '0';
        if (!sim::ModelForDeviceType(type)) return std::nullopt;
        types.push_back(type);
        if (comma == std::string::npos) return types;
        start = comma + 1;
    }
}
}  // namespace

void SimulatedPauseClock::RequestTimerResolution(unsigned ms) { record_.RequestTimerResolution(ms); }
void SimulatedPauseClock::ReleaseTimerResolution(unsigned ms) { record_.ReleaseTimerResolution(ms); }
void SimulatedPauseClock::Pause(unsigned ms) {
    record_.Pause(ms);
    sleep_.Pause(ms);
}

std::unique_ptr<sim::SimulatedHid> SimulateKeyboards(const std::string& list, sim::WireLog& log, std::wstring& error) {
    const std::optional<std::vector<int>> types = ParseSimulatedTypes(list);
    if (!types) {
        error = L"--simulate takes device types 2, 3, 5, 6 separated by commas, or none";
        return nullptr;
    }
    auto simulator = std::make_unique<sim::SimulatedHid>(log);
    for (int type : *types) simulator->PlugDeviceType(type);
    return simulator;
}

Session::Session(const SessionOptions& options, std::ostream& out)
    : options_(options), settings_(options.settingsFile), view_(out, options.language) {}

Session::~Session() {
    // The database closes and the keyboards are let go while the wire log can still record it.
    controller_.reset();
    manager_.reset();
}

HidApi& Session::Api() {
    if (simulator_) return *simulator_;
    return *hidraw_;
}

std::wstring Session::DataRootText() const {
    std::wstring root = FromUtf8(options_.dataRoot.string());
    if (root.empty() || root.back() != L'/') root.push_back(L'/');
    return root;
}

std::optional<std::wstring> Session::Start() {
    if (options_.simulate) {
        log_ = std::make_unique<sim::WireLog>();
        // Before the wire log file: a wrong list is the first error, and plugging writes no events.
        std::wstring error;
        simulator_ = SimulateKeyboards(*options_.simulate, *log_, error);
        if (!simulator_) return error;
        if (!options_.wireLog.empty()) {
            logFile_ = std::make_unique<sim::WireLogFile>(*log_, options_.wireLog);
            if (!logFile_->IsOpen()) return L"cannot write the wire log " + FromUtf8(options_.wireLog);
        }
        clock_ = std::make_unique<SimulatedPauseClock>(*log_);
    } else {
        hidraw_ = std::make_unique<HidrawBackend>();
        clock_ = std::make_unique<SystemPauseClock>();
    }
    std::error_code ec;
    std::filesystem::create_directories(options_.dataRoot / "db", ec);
    if (ec) return L"cannot create " + FromUtf8((options_.dataRoot / "db").string());

    AppRegistry* registry = &settings_;
    if (options_.deviceType != 0) {
        chosenModel_ = std::make_unique<OverriddenSettings>(settings_, kDeviceTypeValue, std::to_wstring(options_.deviceType));
        registry = chosenModel_.get();
    }
    manager_ = std::make_unique<HidDeviceManager>(Api(), *clock_);
    controller_ = std::make_unique<QxKBController>(*manager_, *registry, view_, DataRootText(),
                                                   FromUtf8(options_.layoutDirectory.string()));
    controller_->OpenCurrentModel();
    QxKBController& c = *controller_;
    if (options_.deviceType != 0 && c.IsConnected() && c.DeviceType() != options_.deviceType &&
        ModelNameOf(c.DeviceType()) != ModelNameOf(options_.deviceType)) {
        return L"a keyboard of type " + std::to_wstring(c.DeviceType()) + L" is connected, not type " +
               std::to_wstring(options_.deviceType);
    }
    // Without a keyboard the window works on no database; a command still reads and edits the
    // model's stored settings, so it opens them and loads the layout again to fill in its rows.
    if (!c.Database().IsOpen() && options_.openDatabaseWithoutKeyboard) {
        if (!c.Database().OpenForModel(DataRootText(), ModelNameOf(c.DeviceType()))) {
            return L"cannot open the settings database " + FromUtf8(c.Database().Path());
        }
        c.LoadCurrentModel();
    }
    if (c.LayoutTables().keyIndex.empty()) {
        return L"cannot read KeyboardLayout.xml in " + FromUtf8(options_.layoutDirectory.string());
    }
    ShowStoredColours();
    return std::nullopt;
}

void Session::ShowStoredColours() {
    std::vector<KeyRgbRow> rows;
    controller_->Database().GetKeyRgbs(controller_->CurrentProfile(), rows);
    view_.Keyboard().ShowColours(rows);
}

}  // namespace qx::linux_cli
