#pragma once
// Simulated keyboards behind the HID seam: they enumerate like a Windows system lists them,
// record every report on a wire log and answer like a keyboard. Tests plug and unplug them and
// inject faults; the program runs on them as a demo.
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "device/hid_api.h"
#include "sim/keyboard_models.h"
#include "sim/wire_log.h"

namespace qx::sim {

// Faults a test can arm on a plugged keyboard. Report numbers count sends and writes from 1,
// across the keyboard's vendor interface, from the moment the keyboard was plugged in: arm
// relative to ReportsSeen to aim at a report still to come.
struct Faults {
    std::deque<uint8_t> readBackAnswers;     // byte 4 of the next feature answers (then 0x01)
    std::optional<unsigned> failSendAt;      // this report fails (-1); the others go through
    std::optional<unsigned> vanishAfter;     // unplugged right after this many reports
    bool noInputReports = false;             // input reports never come
    bool openFails = false;                  // hid_open_path fails for its interfaces
};

// How a keyboard answers reports. The default echoes what it was sent, with 0x01 in byte 4 of a
// feature answer; protocol-aware keyboards override it.
class KeyboardBehavior {
public:
    virtual ~KeyboardBehavior() = default;
    virtual void OnFeatureReport(const std::vector<uint8_t>& report) { lastFeature_ = report; }
    // Fills answer (length bytes, byte 0 = report id requested).
    virtual void AnswerFeatureReport(std::vector<uint8_t>& answer);
    // Returns the input report the keyboard sends back, if any.
    virtual std::optional<std::vector<uint8_t>> OnOutputReport(const std::vector<uint8_t>& report);

protected:
    std::vector<uint8_t> lastFeature_;
};

class SimulatedHid : public HidApi {
public:
    // An unrelated HID mouse is always present, as on every real system.
    explicit SimulatedHid(WireLog& log);
    ~SimulatedHid() override;

    // Plugging appends the keyboard at the end of the enumeration; returns its id.
    int Plug(const KeyboardModel& model, std::unique_ptr<KeyboardBehavior> behavior = nullptr);
    // Plugs the catalog keyboard of deviceType with the keyboard behaviour of its protocol family.
    int PlugDeviceType(int deviceType);
    // Unplugging makes the keyboard's handles fail and drops it from the enumeration.
    void Unplug(int keyboardId);
    void UnplugDeviceType(int deviceType);
    // Plugs an unplugged keyboard in again at the same port: same paths, and the keyboard keeps
    // what it had stored.
    void Replug(int keyboardId);
    bool IsPlugged(int keyboardId) const;
    // The interface-0 path of a plugged keyboard: what Windows names in its device-change message.
    std::string InterfaceZeroPath(int keyboardId) const;
    std::vector<int> PluggedKeyboards() const;

    Faults* FaultsOf(int keyboardId);
    // Sends and writes the keyboard has seen since it was plugged in (0 for an unknown id).
    unsigned ReportsSeen(int keyboardId) const;
    KeyboardBehavior* BehaviorOf(int keyboardId);
    bool initFails = false;
    int OpenHandleCount() const;

    // HidApi
    int Init() override;
    int Exit() override;
    std::vector<HidInterfaceInfo> EnumerateAll() override;
    HidHandle OpenPath(const std::string& path) override;
    void Close(HidHandle device) override;
    int GetManufacturerString(HidHandle device, wchar_t* text, std::size_t maxChars) override;
    int GetProductString(HidHandle device, wchar_t* text, std::size_t maxChars) override;
    int SendFeatureReport(HidHandle device, const unsigned char* data, std::size_t length) override;
    int GetFeatureReport(HidHandle device, unsigned char* data, std::size_t length) override;
    int Write(HidHandle device, const unsigned char* data, std::size_t length) override;
    int ReadTimeout(HidHandle device, unsigned char* data, std::size_t length, int milliseconds) override;

private:
    struct Keyboard {
        int id = 0;
        KeyboardModel model;
        std::vector<std::string> paths;
        bool plugged = true;
        Faults faults;
        unsigned reportsSeen = 0;
        std::unique_ptr<KeyboardBehavior> behavior;
        std::deque<std::vector<uint8_t>> pendingInput;
    };
    struct Handle {
        Keyboard* keyboard = nullptr;
        std::size_t interfaceIndex = 0;
        bool open = false;
        bool stale = false;   // opened before the keyboard was unplugged: never works again
    };

    Handle* Live(HidHandle device);
    bool IsVendor(const Handle& h) const;
    // Counts a report against the armed faults; false when it must fail.
    bool TakeReport(Keyboard& kb);
    int CopyString(HidHandle device, const std::wstring& source, wchar_t* text, std::size_t maxChars);

    WireLog& log_;
    std::vector<std::unique_ptr<Keyboard>> keyboards_;
    std::vector<std::unique_ptr<Handle>> handles_;
    int nextId_ = 1;
    int initCount_ = 0;
};

}  // namespace qx::sim
