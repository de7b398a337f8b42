#include "toolkit/core/gif_frame_clock.h"

#include <cstddef>

namespace QxUI {

namespace {
constexpr int kShortestDelayMs = 20;
}

GifFrameClock::GifFrameClock() : m_wrap(kNoGifFrames), m_frame(0), m_elapsed(0) {}

void GifFrameClock::Reset(int frameCount, const std::vector<int>& delaysMs) {
    m_wrap = frameCount > 0 ? frameCount : kNoGifFrames;
    m_delays = frameCount > 0 ? delaysMs : std::vector<int>();
    m_frame = 0;
    m_elapsed = 0;
}

int GifFrameClock::DelayOf(int i) const {
    int delay = (i >= 0 && i < static_cast<int>(m_delays.size())) ? m_delays[static_cast<std::size_t>(i)] : 0;
    return delay >= kShortestDelayMs ? delay : kDefaultTicks * kTickMs;
}

bool GifFrameClock::Tick() {
    m_elapsed += kTickMs;
    int delay = DelayOf(m_frame);
    if (m_elapsed < delay) return false;
    m_elapsed -= delay;
    m_frame = (m_frame + 1) % m_wrap;
    return true;
}

}  // namespace QxUI
