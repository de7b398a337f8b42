#include "toolkit/controls/value_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace QxUI {

int ScrollThumbLength(int track, int margin, int page, int maximum) {
    if (track <= 0 || maximum <= 0) return 0;
    double proportional = static_cast<double>(page) / maximum * track;
    int length = static_cast<int>(std::max(static_cast<double>(margin / 2), proportional));
    if (length < 100) {
        // On a bar shorter than 100 pixels "track less 50" would be negative or tiny: half the
        // track keeps a thumb that can still be seen and dragged.
        length = track - 50 > 100 ? 100 : track - 50;
        if (length <= 0) length = track / 2;
    }
    return std::min(length, track);
}

ScrollLayout LayoutScroll(int start, int end, int margin, int maximum, int position, int page, BOOL pixelPosition,
                          BOOL keepInside) {
    ScrollLayout out{};
    int length = end - start;
    out.page = page;
    if (page == 0) {
        out.page = length;
        if (10LL * out.page < maximum) out.page = maximum / 10;
        out.autoPage = TRUE;
    }
    out.position = position;
    out.thumbStart = start + margin;
    if (maximum <= 0) return out;
    int track = length - 2 * margin;
    out.thumbLength = ScrollThumbLength(track, margin, out.page, maximum);
    double divisor = pixelPosition ? static_cast<double>(maximum - length) : static_cast<double>(maximum);
    double fraction = divisor > 0 ? position / divisor : 0.0;
    int top = std::max(start + margin, start + margin + static_cast<int>(fraction * (track - out.thumbLength)));
    top = std::min(top, end - margin / 2 - margin);
    if (keepInside && top + out.thumbLength > end) {
        top -= top + out.thumbLength - end;
        if (track - out.thumbLength > 0)
            out.position =
                static_cast<int>(static_cast<long long>(top - start - margin) * maximum / (track - out.thumbLength));
    }
    out.thumbStart = top;
    out.active = out.page < maximum;
    return out;
}

int ScrollPositionAt(int thumbStart, int start, int end, int margin, int thumbLength, int maximum) {
    int free = (end - start) - 2 * margin - thumbLength;
    if (free <= 0) return 0;
    return static_cast<int>(static_cast<long long>(thumbStart - start - margin) * maximum / free);
}

int ScrollLimitMove(int delta, int thumbStart, int thumbLength, int start, int end, int margin) {
    if (delta < 0) return std::min(0, std::max(delta, start + margin - thumbStart));
    if (delta > 0) return std::max(0, std::min(delta, end - margin - (thumbStart + thumbLength)));
    return 0;
}

int SliderThumbX(int width, int thumbWidth, int offset, int range) {
    int track = std::max(0, width - thumbWidth);
    if (range <= 0) return 0;
    int x = (thumbWidth + track - thumbWidth / 2) * offset / range - thumbWidth / 2;
    return std::clamp(x, 0, track);
}

int SliderOffsetAt(int x, int left, int width, int thumbWidth, int range) {
    int span = width - thumbWidth / 2;
    if (range <= 0 || span <= 0) return 0;
    return std::clamp(range * (x - left) / span, 0, range);
}

int SpinAppendDigit(int value, int digit, int limitLength, int minimum, int maximum) {
    char text[48];
    std::snprintf(text, sizeof text, "%d%d", value, digit);
    long long next = static_cast<int>(std::strlen(text)) > limitLength ? digit : std::strtoll(text, nullptr, 10);
    if (next > maximum) return minimum;
    if (next < minimum) return maximum;
    return static_cast<int>(next);
}

int SpinStep(int value, int direction, int minimum, int maximum) {
    int next = value + (direction > 0 ? 1 : -1);
    if (next > maximum) return minimum;
    if (next < minimum) return maximum;
    return next;
}

int SpinBackspace(int value) { return value > 9 ? value / 10 : 0; }

}  // namespace QxUI
