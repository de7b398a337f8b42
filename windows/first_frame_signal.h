#pragma once
// Lets a measurement wait for a window's first frame without polling: when the environment
// names an event in QXKB_FIRST_FRAME_EVENT, it is set once, after the first WM_PAINT is done.
// Without the variable this costs one environment lookup.
namespace qx {

// Shared with the benchmark and the tests that start the program and wait for its frame.
inline constexpr wchar_t kFirstFrameEventVariable[] = L"QXKB_FIRST_FRAME_EVENT";

class FirstFrameSignal {
public:
    void AfterPaint();

private:
    bool done_ = false;
};

}  // namespace qx
