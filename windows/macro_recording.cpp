#include "windows/macro_recording.h"

#include <algorithm>
#include <climits>

namespace qx {

int CappedDelay(uint32_t lastMs, uint32_t nowMs) {
    // Unsigned subtraction keeps the pause right across the counter's wrap after 49.7 days.
    const uint32_t elapsed = nowMs - lastMs;
    return static_cast<int>(std::min<uint32_t>(elapsed, kMaxRecordedDelayMs));
}

int RepeatFieldValue(const std::wstring& text) {
    if (text.empty()) return 1;
    long long value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return 1;
        value = std::min<long long>(value * 10 + (c - L'0'), INT_MAX);
    }
    return static_cast<int>(value);
}

int PlayTimesFromField(const std::wstring& text) {
    return std::clamp(RepeatFieldValue(text), kMinPlayTimes, kMaxPlayTimes);
}

std::wstring StepLine(int line, const MacroRecordRow& step) {
    const std::wstring number = std::to_wstring(line) + L"  ";
    switch (step.type) {
    case kMacroStepDelay: return number + L"Delay (" + std::to_wstring(step.value) + L")";
    case kMacroStepKeyDown: return number + L"Keyboard Down (" + step.desc + L")";
    case kMacroStepKeyUp: return number + L"Keyboard Up (" + step.desc + L")";
    case kMacroStepMouseDown: return number + L"Mouse Down (" + step.desc + L")";
    case kMacroStepMouseUp: return number + L"Mouse Up (" + step.desc + L")";
    default: return number + step.desc;  // a step type this program never writes
    }
}

int StepIconKind(const MacroRecordRow& step) {
    switch (step.type) {
    case kMacroStepDelay: return 2;
    case kMacroStepKeyUp:
    case kMacroStepMouseUp: return 1;
    default: return 0;
    }
}

std::wstring EmptyMacroNameMessage(int languageId) {
    return languageId == 2052 ? L"\u8BF7\u8F93\u5165\u5B8F\u540D\u79F0" : L"Please enter a macro name.";
}

MacroRecordRow DelayStep(int milliseconds) {
    MacroRecordRow step;
    step.type = kMacroStepDelay;
    step.value = milliseconds;
    step.desc = std::to_wstring(milliseconds);
    return step;
}

MacroRecordRow EventStep(const RawInputEvent& event) {
    MacroRecordRow step;
    if (event.kind == kRawKindKeyboard) {
        step.type = event.released ? kMacroStepKeyUp : kMacroStepKeyDown;
    } else if (event.kind == kRawKindMouse) {
        step.type = event.released ? kMacroStepMouseUp : kMacroStepMouseDown;
    } else {
        return step;
    }
    step.value = event.code;
    step.desc = event.name;
    return step;
}

void MacroRecorder::Start(RecordOptions options) {
    options_ = options;
    steps_.clear();
    hasLastEvent_ = false;
    lastEventMs_ = 0;
    stopPressed_ = false;
}

void MacroRecorder::Load(std::vector<MacroRecordRow> steps) {
    steps_ = std::move(steps);
    hasLastEvent_ = false;
}

int MacroRecorder::OnEvent(const RawInputEvent& event, uint32_t nowMs, bool onStopButton) {
    // Movements, wheel turns, other devices and keys without a name carry nothing to record.
    if (event.name.empty()) return 0;
    if (event.kind != kRawKindKeyboard && event.kind != kRawKindMouse) return 0;
    const std::size_t before = steps_.size();

    if (options_.delay) {
        const bool hadEvent = hasLastEvent_;
        const int elapsed = hadEvent ? CappedDelay(lastEventMs_, nowMs) : 0;
        hasLastEvent_ = true;
        lastEventMs_ = nowMs;
        // The pause up to the Stop press is kept; nothing after it belongs to the macro.
        if (hadEvent && !stopPressed_) steps_.push_back(DelayStep(elapsed));
    }

    if (event.kind == kRawKindMouse) {
        // Checked whether mouse recording is on or not, so that the press that ends a
        // recording never shows up in it, not even as an extra delay.
        if (onStopButton) {
            stopPressed_ = true;
        } else if (options_.mouse) {
            steps_.push_back(EventStep(event));
        }
    } else if (options_.keyboard) {
        steps_.push_back(EventStep(event));
    }
    return static_cast<int>(steps_.size() - before);
}

}  // namespace qx
