#include "sim/simulated_hid.h"

#include <algorithm>
#include <cstring>

#include "sim/protocol_keyboards.h"

namespace qx::sim {

constexpr uint8_t kFeatureAnswerOk = 0x01;
constexpr std::size_t kFeatureCommandSize = 65;

void KeyboardBehavior::AnswerFeatureReport(std::vector<uint8_t>& answer) {
    const uint8_t reportId = answer.empty() ? 0 : answer[0];
    std::fill(answer.begin(), answer.end(), 0);
    std::copy_n(lastFeature_.begin(), std::min(lastFeature_.size(), answer.size()), answer.begin());
    if (!answer.empty()) answer[0] = reportId;
    if (answer.size() > 4 && answer.size() <= kFeatureCommandSize) answer[4] = kFeatureAnswerOk;
}

std::optional<std::vector<uint8_t>> KeyboardBehavior::OnOutputReport(const std::vector<uint8_t>& report) {
    return report;
}

SimulatedHid::SimulatedHid(WireLog& log) : log_(log) { Plug(UnrelatedMouse()); }

SimulatedHid::~SimulatedHid() = default;

int SimulatedHid::Plug(const KeyboardModel& model, std::unique_ptr<KeyboardBehavior> behavior) {
    auto kb = std::make_unique<Keyboard>();
    kb->id = nextId_++;
    kb->model = model;
    for (std::size_t i = 0; i < model.interfaces.size(); ++i) {
        kb->paths.push_back(InterfacePath(model, i, static_cast<unsigned>(kb->id)));
    }
    kb->behavior = behavior ? std::move(behavior) : std::make_unique<KeyboardBehavior>();
    const int id = kb->id;
    keyboards_.push_back(std::move(kb));
    return id;
}

int SimulatedHid::PlugDeviceType(int deviceType) {
    auto model = ModelForDeviceType(deviceType);
    return model ? Plug(*model, MakeProtocolKeyboard(deviceType)) : 0;
}

void SimulatedHid::Unplug(int keyboardId) {
    for (auto& kb : keyboards_) {
        if (kb->id == keyboardId) kb->plugged = false;
    }
}

void SimulatedHid::Replug(int keyboardId) {
    for (auto& kb : keyboards_) {
        if (kb->id != keyboardId) continue;
        kb->plugged = true;
        for (auto& h : handles_) {
            if (h->keyboard == kb.get()) h->stale = true;
        }
    }
}

void SimulatedHid::UnplugDeviceType(int deviceType) {
    for (auto& kb : keyboards_) {
        if (kb->plugged && kb->model.deviceType == deviceType) kb->plugged = false;
    }
}

bool SimulatedHid::IsPlugged(int keyboardId) const {
    return std::any_of(keyboards_.begin(), keyboards_.end(),
                       [&](const auto& kb) { return kb->id == keyboardId && kb->plugged; });
}

std::string SimulatedHid::InterfaceZeroPath(int keyboardId) const {
    for (const auto& kb : keyboards_) {
        if (kb->id == keyboardId && !kb->paths.empty()) return kb->paths.front();
    }
    return {};
}

std::vector<int> SimulatedHid::PluggedKeyboards() const {
    std::vector<int> ids;
    for (const auto& kb : keyboards_) {
        if (kb->plugged && kb->model.deviceType != 0) ids.push_back(kb->id);
    }
    return ids;
}

Faults* SimulatedHid::FaultsOf(int keyboardId) {
    for (auto& kb : keyboards_) {
        if (kb->id == keyboardId) return &kb->faults;
    }
    return nullptr;
}

unsigned SimulatedHid::ReportsSeen(int keyboardId) const {
    for (const auto& kb : keyboards_) {
        if (kb->id == keyboardId) return kb->reportsSeen;
    }
    return 0;
}

KeyboardBehavior* SimulatedHid::BehaviorOf(int keyboardId) {
    for (auto& kb : keyboards_) {
        if (kb->id == keyboardId) return kb->behavior.get();
    }
    return nullptr;
}

int SimulatedHid::OpenHandleCount() const {
    return static_cast<int>(std::count_if(handles_.begin(), handles_.end(), [](const auto& h) { return h->open; }));
}

int SimulatedHid::Init() {
    if (initFails) return -1;
    ++initCount_;
    return 0;
}

int SimulatedHid::Exit() {
    initCount_ = 0;
    return 0;
}

std::vector<HidInterfaceInfo> SimulatedHid::EnumerateAll() {
    std::vector<HidInterfaceInfo> result;
    if (initCount_ == 0) return result;
    for (const auto& kb : keyboards_) {
        if (!kb->plugged) continue;
        for (const std::string& path : kb->paths) {
            result.push_back(HidInterfaceInfo{path, kb->model.vendorId, kb->model.productId});
        }
    }
    return result;
}

HidHandle SimulatedHid::OpenPath(const std::string& path) {
    for (auto& kb : keyboards_) {
        if (!kb->plugged) continue;
        for (std::size_t i = 0; i < kb->paths.size(); ++i) {
            if (kb->paths[i] != path) continue;
            const int result = kb->faults.openFails ? -1 : 0;
            log_.Add(WireEvent{WireKind::Open, {}, 0, kb->model.deviceType, result});
            if (result < 0) return nullptr;
            auto handle = std::make_unique<Handle>(Handle{kb.get(), i, true});
            handles_.push_back(std::move(handle));
            return handles_.back().get();
        }
    }
    return nullptr;
}

SimulatedHid::Handle* SimulatedHid::Live(HidHandle device) {
    for (auto& h : handles_) {
        if (h.get() == device) return h->open && !h->stale && h->keyboard->plugged ? h.get() : nullptr;
    }
    return nullptr;
}

void SimulatedHid::Close(HidHandle device) {
    for (auto& h : handles_) {
        if (h.get() == device && h->open) {
            h->open = false;
            log_.Add(WireEvent{WireKind::Close, {}, 0, h->keyboard->model.deviceType, 0});
        }
    }
}

bool SimulatedHid::IsVendor(const Handle& h) const {
    return h.keyboard->model.interfaces[h.interfaceIndex] == h.keyboard->model.vendorInterface;
}

int SimulatedHid::CopyString(HidHandle device, const std::wstring& source, wchar_t* text, std::size_t maxChars) {
    if (!Live(device) || !text || maxChars == 0) return -1;
    const std::size_t n = std::min(source.size(), maxChars - 1);
    std::copy_n(source.begin(), n, text);
    text[n] = L'\0';
    return 0;
}

int SimulatedHid::GetManufacturerString(HidHandle device, wchar_t* text, std::size_t maxChars) {
    Handle* h = Live(device);
    return h ? CopyString(device, h->keyboard->model.manufacturer, text, maxChars) : -1;
}

int SimulatedHid::GetProductString(HidHandle device, wchar_t* text, std::size_t maxChars) {
    Handle* h = Live(device);
    return h ? CopyString(device, h->keyboard->model.product, text, maxChars) : -1;
}

bool SimulatedHid::TakeReport(Keyboard& kb) {
    const unsigned n = ++kb.reportsSeen;
    if (kb.faults.failSendAt && *kb.faults.failSendAt == n) return false;
    return true;
}

int SimulatedHid::SendFeatureReport(HidHandle device, const unsigned char* data, std::size_t length) {
    Handle* h = Live(device);
    std::vector<uint8_t> bytes(data, data + length);
    if (!h || !IsVendor(*h)) {
        log_.Add(WireEvent{WireKind::SendFeature, bytes, 0, h ? h->keyboard->model.deviceType : 0, -1});
        return -1;
    }
    Keyboard& kb = *h->keyboard;
    const int result = TakeReport(kb) ? static_cast<int>(length) : -1;
    log_.Add(WireEvent{WireKind::SendFeature, bytes, 0, kb.model.deviceType, result});
    if (result > 0) kb.behavior->OnFeatureReport(bytes);
    if (kb.faults.vanishAfter && kb.reportsSeen >= *kb.faults.vanishAfter) kb.plugged = false;
    return result;
}

int SimulatedHid::GetFeatureReport(HidHandle device, unsigned char* data, std::size_t length) {
    Handle* h = Live(device);
    if (!h || !IsVendor(*h) || length == 0) {
        log_.Add(WireEvent{WireKind::GetFeature, {}, 0, h ? h->keyboard->model.deviceType : 0, -1});
        return -1;
    }
    Keyboard& kb = *h->keyboard;
    std::vector<uint8_t> answer(data, data + length);
    kb.behavior->AnswerFeatureReport(answer);
    if (!kb.faults.readBackAnswers.empty() && answer.size() > 4) {
        answer[4] = kb.faults.readBackAnswers.front();
        kb.faults.readBackAnswers.pop_front();
    }
    std::memcpy(data, answer.data(), answer.size());
    log_.Add(WireEvent{WireKind::GetFeature, answer, 0, kb.model.deviceType, static_cast<int>(length)});
    return static_cast<int>(length);
}

int SimulatedHid::Write(HidHandle device, const unsigned char* data, std::size_t length) {
    Handle* h = Live(device);
    std::vector<uint8_t> bytes(data, data + length);
    if (!h || !IsVendor(*h)) {
        log_.Add(WireEvent{WireKind::Write, bytes, 0, h ? h->keyboard->model.deviceType : 0, -1});
        return -1;
    }
    Keyboard& kb = *h->keyboard;
    const int result = TakeReport(kb) ? static_cast<int>(length) : -1;
    log_.Add(WireEvent{WireKind::Write, bytes, 0, kb.model.deviceType, result});
    if (result > 0) {
        auto answer = kb.behavior->OnOutputReport(bytes);
        if (answer && kb.model.answersInputReports && !kb.faults.noInputReports) kb.pendingInput.push_back(*answer);
    }
    if (kb.faults.vanishAfter && kb.reportsSeen >= *kb.faults.vanishAfter) kb.plugged = false;
    return result;
}

int SimulatedHid::ReadTimeout(HidHandle device, unsigned char* data, std::size_t length, int milliseconds) {
    Handle* h = Live(device);
    if (!h) {
        log_.Add(WireEvent{WireKind::Read, {}, static_cast<unsigned>(milliseconds), 0, -1});
        return -1;
    }
    Keyboard& kb = *h->keyboard;
    if (kb.pendingInput.empty()) {
        log_.Add(WireEvent{WireKind::Read, {}, static_cast<unsigned>(milliseconds), kb.model.deviceType, 0});
        return 0;
    }
    std::vector<uint8_t> report = std::move(kb.pendingInput.front());
    kb.pendingInput.pop_front();
    const std::size_t n = std::min(report.size(), length);
    std::memcpy(data, report.data(), n);
    report.resize(n);
    log_.Add(WireEvent{WireKind::Read, report, static_cast<unsigned>(milliseconds), kb.model.deviceType,
                       static_cast<int>(n)});
    return static_cast<int>(n);
}

}  // namespace qx::sim
