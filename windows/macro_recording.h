#pragma once
// The rules of the macro editor that need no window: how decoded raw-input events become macro
// steps with the delays between them, how a step reads in the step list, and how the repeat
// fields are read. The editor window (windows/macro_editor_dialog.h) only feeds events in and
// shows what comes out.
#include <cstdint>
#include <string>
#include <vector>

#include "resources/raw_input_event.h"
#include "storage/config_rows.h"

namespace qx {

// A longer pause between two recorded events is stored as this many milliseconds.
constexpr int kMaxRecordedDelayMs = 31000;
// Repeat times the keyboard can hold.
constexpr int kMinPlayTimes = 1;
constexpr int kMaxPlayTimes = 255;

// Milliseconds from last to now on a wrapping millisecond counter, capped at kMaxRecordedDelayMs.
int CappedDelay(uint32_t lastMs, uint32_t nowMs);

// A repeat field's number: an empty field, or one that holds anything but decimal digits, counts
// as 1; digits beyond what an int holds saturate.
int RepeatFieldValue(const std::wstring& text);
// play_times from the repeat-times field: its value clamped to 1-255.
int PlayTimesFromField(const std::wstring& text);

// The step list's line for step at 1-based position line, e.g. "3  Keyboard Down (A)".
std::wstring StepLine(int line, const MacroRecordRow& step);
// The list icon of a step: 0 press, 1 release, 2 delay.
int StepIconKind(const MacroRecordRow& step);

// The refusal of a save without a name, in languageId (2052 Chinese, anything else English).
std::wstring EmptyMacroNameMessage(int languageId);

MacroRecordRow DelayStep(int milliseconds);
// The key or mouse step of a decoded event; type 0 for an event that is neither.
MacroRecordRow EventStep(const RawInputEvent& event);

struct RecordOptions {
    bool keyboard = true;
    bool mouse = true;
    bool delay = true;
};

// One recording: the steps it made so far and what the next event's delay is measured from.
class MacroRecorder {
public:
    // Starts over with no steps: a new recording replaces every step, also loaded ones.
    void Start(RecordOptions options);
    // Steps of a stored macro, shown before any recording.
    void Load(std::vector<MacroRecordRow> steps);

    // Takes one decoded event at time nowMs. onStopButton says a mouse event happened over the
    // button that stops the recording: that press and release are never recorded, and no delay
    // follows them. Events without a name are not events. Returns how many steps were appended
    // (0, 1 or 2); they are the last ones of Steps().
    int OnEvent(const RawInputEvent& event, uint32_t nowMs, bool onStopButton);

    const std::vector<MacroRecordRow>& Steps() const { return steps_; }

private:
    RecordOptions options_;
    std::vector<MacroRecordRow> steps_;
    bool hasLastEvent_ = false;
    uint32_t lastEventMs_ = 0;
    bool stopPressed_ = false;
};

}  // namespace qx
