#pragma once
#include <vector>

#include "toolkit/core/qxui_export.h"

namespace QxUI {

// Which GIF frame an animation driven by a fixed tick shows: each tick adds its period, and a
// frame gives way once its own delay has passed (the rest carries over, so long runs keep the
// file's pace). Frames without a usable delay (under 20 ms, as browsers also treat them) last
// two ticks.
class QXUI_API GifFrameClock {
public:
    static constexpr int kTickMs = 18;
    static constexpr int kDefaultTicks = 2;
    static constexpr int kNoGifFrames = 18;  // the wrap count before any GIF is loaded

    GifFrameClock();
    // `delaysMs` per frame (missing entries use the default); a frame count of 0 means no GIF.
    void Reset(int frameCount, const std::vector<int>& delaysMs);
    // One tick; true when the frame changed.
    bool Tick();
    int Frame() const { return m_frame; }
    int WrapCount() const { return m_wrap; }
    // How long frame `i` is shown, in milliseconds.
    int DelayOf(int i) const;

private:
    std::vector<int> m_delays;
    int m_wrap;
    int m_frame;
    int m_elapsed;
};

}  // namespace QxUI
