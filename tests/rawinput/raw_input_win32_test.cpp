// The Win32 wrapper: reading RAWINPUT blocks, failures of GetRawInputData, and real WM_INPUT
// messages from injected input on a hidden window. Key names come from the fake source: the
// system's names differ between Windows and Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "resources/win32/raw_input_win32.h"
#include "tests/rawinput/fake_key_names.h"

namespace qx {
namespace {

using test::FakeKeyNames;

RAWINPUT KeyboardBlock(USHORT virtualKey, UINT message)
{
    RAWINPUT input;
    std::memset(&input, 0, sizeof input);
    input.header.dwType = RIM_TYPEKEYBOARD;
    input.header.dwSize = sizeof input;
    input.data.keyboard.VKey = virtualKey;
    input.data.keyboard.Message = message;
    input.data.keyboard.MakeCode = 0x47;
    input.data.keyboard.Flags = RI_KEY_E0;
    return input;
}

RAWINPUT MouseBlock(USHORT buttonFlags)
{
    RAWINPUT input;
    std::memset(&input, 0, sizeof input);
    input.header.dwType = RIM_TYPEMOUSE;
    input.header.dwSize = sizeof input;
    input.data.mouse.usButtonFlags = buttonFlags;
    input.data.mouse.lLastX = 5;
    return input;
}

const RawInputRecord kUntouched{77, 1, 2, 3};

bool SameRecord(const RawInputRecord& a, const RawInputRecord& b)
{
    return a.type == b.type && a.mouseButtonFlags == b.mouseButtonFlags && a.keyMessage == b.keyMessage &&
           a.virtualKey == b.virtualKey;
}

TEST(RawInputData, KeyboardBlockAtAnyAlignment)
{
    const RAWINPUT input = KeyboardBlock(VK_HOME, WM_KEYUP);
    for (size_t offset : {0u, 1u, 3u}) {
        std::vector<unsigned char> bytes(offset + sizeof input);
        std::memcpy(bytes.data() + offset, &input, sizeof input);
        RawInputRecord record;
        ASSERT_TRUE(RawInputRecordFromData(bytes.data() + offset, sizeof input, record)) << offset;
        EXPECT_EQ(record.type, kRawTypeKeyboard);
        EXPECT_EQ(record.virtualKey, static_cast<unsigned>(VK_HOME));
        EXPECT_EQ(record.keyMessage, static_cast<unsigned>(WM_KEYUP));
    }
}

TEST(RawInputData, MouseBlock)
{
    const RAWINPUT input = MouseBlock(RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_RIGHT_BUTTON_UP);
    RawInputRecord record;
    ASSERT_TRUE(RawInputRecordFromData(&input, sizeof input, record));
    EXPECT_EQ(record.type, kRawTypeMouse);
    EXPECT_EQ(record.mouseButtonFlags, static_cast<unsigned>(RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_RIGHT_BUTTON_UP));
}

TEST(RawInputData, HidBlocksOfAnyLength)
{
    for (size_t dataBytes : {size_t(0), size_t(8), sizeof(RAWINPUT) + 100}) {
        std::vector<unsigned char> bytes(sizeof(RAWINPUTHEADER) + dataBytes, 0xAB);
        RAWINPUTHEADER header{};
        header.dwType = RIM_TYPEHID;
        header.dwSize = static_cast<DWORD>(bytes.size());
        std::memcpy(bytes.data(), &header, sizeof header);
        RawInputRecord record;
        ASSERT_TRUE(RawInputRecordFromData(bytes.data(), bytes.size(), record)) << dataBytes;
        EXPECT_EQ(record.type, kRawTypeHid);
    }
}

TEST(RawInputData, ShortBlocksAreRefusedAndLeaveTheRecord)
{
    const RAWINPUT keyboard = KeyboardBlock('A', WM_KEYDOWN);
    const RAWINPUT mouse = MouseBlock(RI_MOUSE_LEFT_BUTTON_DOWN);
    const size_t dataOffset = offsetof(RAWINPUT, data);
    const struct {
        const void* data;
        size_t size;
    } cases[] = {
        {nullptr, sizeof keyboard},
        {&keyboard, 0},
        {&keyboard, sizeof(RAWINPUTHEADER) - 1},
        {&keyboard, dataOffset + sizeof(RAWKEYBOARD) - 1},
        {&mouse, dataOffset + sizeof(RAWMOUSE) - 1},
    };
    for (const auto& c : cases) {
        RawInputRecord record = kUntouched;
        EXPECT_FALSE(RawInputRecordFromData(c.data, c.size, record)) << c.size;
        EXPECT_TRUE(SameRecord(record, kUntouched)) << c.size;
    }
}

TEST(RawInputHandle, UnreadableHandleLeavesTheEvent)
{
    for (HRAWINPUT handle : {static_cast<HRAWINPUT>(nullptr), reinterpret_cast<HRAWINPUT>(0x1234)}) {
        FakeKeyNames names;
        RawInputEvent event{5, 1, 42, L"kept"};
        EXPECT_FALSE(DecodeRawInput(handle, names, event));
        EXPECT_EQ(event.kind, 5);
        EXPECT_EQ(event.released, 1);
        EXPECT_EQ(event.code, 42);
        EXPECT_EQ(event.name, L"kept");
        EXPECT_TRUE(names.scanQueries.empty());
    }
}

// ---- real WM_INPUT messages ----

std::vector<RawInputEvent>* g_events = nullptr;

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INPUT && g_events != nullptr) {
        FakeKeyNames names;
        RawInputEvent event;
        // Pointer movements decode to empty names; like the recorder, keep only named events.
        if (DecodeRawInput(reinterpret_cast<HRAWINPUT>(lParam), names, event) && !event.name.empty())
            g_events->push_back(event);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class RawInputWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_events = &events_;
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = RecordingWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QxRawInputTestWindow";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"raw input", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        RAWINPUTDEVICE devices[2] = {{1, 2, RIDEV_INPUTSINK, window_}, {1, 6, RIDEV_INPUTSINK, window_}};
        ASSERT_TRUE(RegisterRawInputDevices(devices, 2, sizeof devices[0]));
    }
    void TearDown() override
    {
        RAWINPUTDEVICE devices[2] = {{1, 2, RIDEV_REMOVE, nullptr}, {1, 6, RIDEV_REMOVE, nullptr}};
        RegisterRawInputDevices(devices, 2, sizeof devices[0]);
        if (window_ != nullptr) DestroyWindow(window_);
        g_events = nullptr;
    }

    // Dispatches messages until count events arrived or about 10 s passed: on a loaded machine
    // the injected input may take a while to come back as raw input.
    void PumpUntil(size_t count)
    {
        const DWORD start = GetTickCount();
        while (events_.size() < count && GetTickCount() - start < 10000) {
            MSG message;
            if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
            else
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }

    static INPUT KeyInput(WORD virtualKey, WORD scanCode, DWORD flags)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.wScan = scanCode;
        input.ki.dwFlags = flags;
        return input;
    }
    static INPUT MouseInput(DWORD flags)
    {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        return input;
    }

    HWND window_ = nullptr;
    std::vector<RawInputEvent> events_;
};

TEST_F(RawInputWindowTest, InjectedKeyPressAndRelease)
{
    INPUT inputs[] = {KeyInput('A', 0x1E, 0), KeyInput('A', 0x1E, KEYEVENTF_KEYUP)};
    ASSERT_EQ(SendInput(2, inputs, sizeof inputs[0]), 2u);
    PumpUntil(2);
    ASSERT_EQ(events_.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(events_[i].kind, kRawKindKeyboard);
        EXPECT_EQ(events_[i].code, 'A');
        EXPECT_EQ(events_[i].released, static_cast<int>(i));
    }
}

TEST_F(RawInputWindowTest, InjectedShiftBecomesLeftShift)
{
    INPUT inputs[] = {KeyInput(VK_SHIFT, 0x36, 0), KeyInput(VK_SHIFT, 0x36, KEYEVENTF_KEYUP)};
    ASSERT_EQ(SendInput(2, inputs, sizeof inputs[0]), 2u);
    PumpUntil(2);
    ASSERT_EQ(events_.size(), 2u);
    for (const RawInputEvent& event : events_) {
        EXPECT_EQ(event.kind, kRawKindKeyboard);
        EXPECT_EQ(event.code, 160);
        EXPECT_EQ(event.name, L"Shift");
    }
}

TEST_F(RawInputWindowTest, InjectedMouseButtons)
{
    INPUT inputs[] = {MouseInput(MOUSEEVENTF_RIGHTDOWN), MouseInput(MOUSEEVENTF_RIGHTUP)};
    ASSERT_EQ(SendInput(2, inputs, sizeof inputs[0]), 2u);
    PumpUntil(2);
    ASSERT_EQ(events_.size(), 2u);
    EXPECT_EQ(events_[0].kind, kRawKindMouse);
    EXPECT_EQ(events_[0].name, L"mouse_right");
    EXPECT_EQ(events_[0].code, 3);
    EXPECT_EQ(events_[0].released, 0);
    EXPECT_EQ(events_[1].name, L"mouse_right");
    EXPECT_EQ(events_[1].released, 1);
}

}  // namespace
}  // namespace qx
