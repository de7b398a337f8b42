#include "sim/protocol_keyboards.h"

#include <algorithm>

namespace qx::sim {
namespace {
constexpr std::size_t kFeatureReport = 65;
constexpr std::size_t kData = 64;
constexpr std::size_t kLarge = 2048;
constexpr std::size_t kOutputTable = 400;
constexpr std::size_t kMacroStreamCapacity = 16 + 3200 + 56;

unsigned Le16(const std::vector<uint8_t>& b, std::size_t at) {
    return at + 1 < b.size() ? b[at] | (b[at + 1] << 8) : 0;
}

bool EndsWithMarker(const std::vector<uint8_t>& frame) {
    return frame.size() >= 2 && frame[frame.size() - 2] == 0xAA && frame[frame.size() - 1] == 0x55;
}

bool AllZero(const uint8_t* p, std::size_t n) { return std::all_of(p, p + n, [](uint8_t b) { return b == 0; }); }

uint32_t Colour(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (b << 16); }

// The 16-byte record every feature-family mode carries, apart from its first bytes.
bool ModeRecordTail(const uint8_t* r, uint8_t byte9, uint8_t byte10) {
    const uint8_t expected[] = {0x00, 0xFF, 0xFF, 0x00, 0x0F, 0x07, 0x01, byte9, byte10, 0, 0, 0, 0xAA, 0x55};
    return std::equal(std::begin(expected), std::end(expected), r + 2);
}
}  // namespace

// ---- Feature family ----

void FeatureKeyboard::OnFeatureReport(const std::vector<uint8_t>& report) {
    KeyboardBehavior::OnFeatureReport(report);
    if (report.size() != kFeatureReport || report[0] != 0x00) {
        ++protocolErrors;
        return;
    }
    const std::vector<uint8_t> data(report.begin() + 1, report.end());
    if (pending_ != Frame::None) {
        static const std::vector<uint8_t> save = [] { std::vector<uint8_t> s(kData); s[0] = 0x04; s[1] = 0x02; return s; }();
        static const std::vector<uint8_t> end = [] { std::vector<uint8_t> s(kData); s[0] = 0x04; s[1] = 0xF0; return s; }();
        if (data == save || data == end) {
            // The frame broke off: the keyboard drops what it collected.
            pending_ = Frame::None;
            frame_.clear();
            ++protocolErrors;
            Command(data);
            return;
        }
        frame_.insert(frame_.end(), data.begin(), data.end());
        if (frame_.size() >= pendingReports_ * kData) Apply();
        return;
    }
    Command(data);
}

void FeatureKeyboard::Command(const std::vector<uint8_t>& d) {
    if (d[0] != 0x04) {
        ++protocolErrors;
        return;
    }
    auto arm = [&](Frame kind, unsigned reports) {
        pending_ = kind;
        pendingProfile_ = d[2];
        pendingReports_ = reports;
        frame_.clear();
        if (reports == 0) pending_ = Frame::None;
    };
    switch (d[1]) {
        case 0x18: case 0x19: break;                     // start of a session
        case 0x02: ++saves; break;
        case 0xF0: ++ends; break;
        case 0x13: arm(Frame::Lighting, d[8]); break;
        case 0x23: (d[2] == 0x81 ? arm(Frame::Colours, d[8]) : void(++protocolErrors)); break;
        case 0x11: arm(Frame::KeyMap, d[8]); break;
        case 0x15: arm(Frame::Macros, d[8]); break;
        default: ++protocolErrors; break;
    }
}

void FeatureKeyboard::Apply() {
    const Frame kind = pending_;
    pending_ = Frame::None;
    switch (kind) {
        case Frame::Lighting: ApplyLighting(); break;
        case Frame::Colours: ApplyColours(); break;
        case Frame::KeyMap: ApplyKeyMap(); break;
        case Frame::Macros: ApplyMacros(); break;
        case Frame::None: break;
    }
    frame_.clear();
}

void FeatureKeyboard::ApplyLighting() {
    if (deviceType_ == 3) {
        // One report: the current-mode record of the announced profile.
        if (pendingReports_ != 1 || !ModeRecordTail(frame_.data(), 0x0F, 0x0F)) {
            ++protocolErrors;
            return;
        }
        lightMode[pendingProfile_] = frame_[0];
        ++framesApplied;
        return;
    }
    if (pendingReports_ != 0x12 || pendingProfile_ != 0) {
        ++protocolErrors;
        return;
    }
    for (int k = 0; k < 20; ++k) {
        const uint8_t* r = frame_.data() + 16 * k;
        const bool custom = k == 19;
        if (r[0] != (custom ? 0x80 : k + 1) || r[1] != 0x01 || !ModeRecordTail(r, custom ? 0x0F : 0x10, 0x0C)) {
            ++protocolErrors;
            return;
        }
    }
    if (!ModeRecordTail(frame_.data() + 0x440, 0x10, 0x0C) || frame_[0x441] != 0) {
        ++protocolErrors;
        return;
    }
    ledColours.clear();
    for (int j = 0; j < 144; ++j) {
        const uint8_t* e = frame_.data() + 0x200 + 4 * j;
        if (e[0] != 0x80) ++protocolErrors;
        const uint32_t c = Colour(e[1], e[2], e[3]);
        if (c) ledColours[j] = c;
    }
    lightMode[0] = frame_[0x440];
    ++framesApplied;
}

void FeatureKeyboard::ApplyColours() {
    if (pendingReports_ != 9 || !EndsWithMarker(frame_)) {
        ++protocolErrors;
        return;
    }
    ledColours.clear();
    for (int j = 0; j <= 142; ++j) {
        const uint8_t* e = frame_.data() + 4 * j;
        const uint32_t c = Colour(e[1], e[2], e[3]);
        if ((j < 126 || c) && e[0] != j) ++protocolErrors;
        if (c) ledColours[j] = c;
    }
    ++framesApplied;
}

void FeatureKeyboard::ApplyKeyMap() {
    const unsigned expected = deviceType_ == 1 ? 10 : 9;
    if (pendingReports_ != expected || !EndsWithMarker(frame_) || (deviceType_ == 1 && pendingProfile_ != 0)) {
        ++protocolErrors;
        return;
    }
    auto& map = keyMap[deviceType_ == 1 ? 0 : pendingProfile_];
    map.clear();
    const std::size_t entries = (frame_.size() - 2) / 4;
    for (std::size_t k = 0; k < entries; ++k) {
        Event4 e{};
        std::copy_n(frame_.begin() + static_cast<std::ptrdiff_t>(4 * k), 4, e.begin());
        if (e != Event4{}) map[static_cast<int>(k)] = e;
    }
    ++framesApplied;
}

void FeatureKeyboard::ApplyMacros() {
    if (!EndsWithMarker(frame_) || frame_.size() < 0x190 + 2) {
        ++protocolErrors;
        return;
    }
    std::vector<std::optional<std::vector<Event4>>> library;
    for (std::size_t i = 0; i < 100; ++i) {
        const uint8_t* d = frame_.data() + 4 * i;
        if (AllZero(d, 4)) break;
        if (d[0] == 0xFF && d[1] == 0xFF && d[2] == 0xFF && d[3] == 0xFF) {
            library.emplace_back(std::nullopt);
            continue;
        }
        const std::size_t at = Le16(frame_, 4 * i);
        const std::size_t n = Le16(frame_, at);
        if (at < 0x190 || at + 8 + 4 * n > frame_.size() - 2 || !AllZero(frame_.data() + at + 2, 6)) {
            ++protocolErrors;
            return;
        }
        std::vector<Event4> events(n);
        for (std::size_t e = 0; e < n; ++e) {
            std::copy_n(frame_.begin() + static_cast<std::ptrdiff_t>(at + 8 + 4 * e), 4, events[e].begin());
        }
        library.emplace_back(std::move(events));
    }
    macros = std::move(library);
    ++macroLibraries;
    ++framesApplied;
}

// ---- BB AA family ----

void Type2Keyboard::OnFeatureReport(const std::vector<uint8_t>& r) {
    KeyboardBehavior::OnFeatureReport(r);
    pendingRead_.reset();
    if (r.size() != kLarge || r[2] != 0xBB || r[3] != 0xAA) {
        ++protocolErrors;
        return;
    }
    const unsigned length = Le16(r, 6);
    const uint8_t id = r[0], kind = r[1], cmd = r[4];
    if (id == 0x02 && kind == 0x06 && cmd == 0x05 && length == 1) {
        currentProfile = r[8];
    } else if (id == 0x02 && kind == 0x06 && cmd == 0x06 && length == 1) {
        effect[currentProfile] = r[8];
    } else if (id == 0x05 && kind == 0x06 && cmd == 0xC9 && length == 0x1B8) {
        auto& table = colourTable[currentProfile];
        table.clear();
        for (std::size_t at = 8; at + 4 <= kLarge; at += 4) {
            if (AllZero(r.data() + at, 4)) break;
            table.push_back({r[at], r[at + 1], r[at + 2], r[at + 3]});
        }
    } else if (id == 0x03 && kind == 0x06 && length == 0x0F) {
        std::array<uint8_t, 15> entry{};
        std::copy_n(r.begin() + 8, 15, entry.begin());
        boundEvents[currentProfile].erase(cmd);
        if (entry == std::array<uint8_t, 15>{}) {
            keyEntries[currentProfile].erase(cmd);
        } else {
            keyEntries[currentProfile][cmd] = entry;
        }
    } else if (id == 0x02 && kind == 0x07 && length == 0x0F && cmd >= 0xB5 && cmd <= 0xC5) {
        pendingRead_ = cmd - 0xB5;
        ++slotReads;
    } else if (id == 0x04 && kind == 0x06 && length == 0xC8 && cmd >= 0xB5 && cmd <= 0xC5) {
        std::size_t end = kLarge;
        while (end > 8 && r[end - 1] == 0) --end;
        end = 8 + (end - 8 + 2) / 3 * 3;
        slots[cmd - 0xB5].assign(r.begin() + 8, r.begin() + static_cast<std::ptrdiff_t>(std::min(end, kLarge)));
    } else if (id == 0x04 && kind == 0x06 && length == 0xD7) {
        std::array<uint8_t, 15> entry{};
        std::copy_n(r.begin() + 8, 15, entry.begin());
        const std::size_t eventBytes = static_cast<uint8_t>(253 - r[0x15]);
        if (r[0x13] != 0x04 || r[0x14] >= kSlots || 0x17 + eventBytes > kLarge) {
            ++protocolErrors;
            return;
        }
        keyEntries[currentProfile][cmd] = entry;
        boundEvents[currentProfile][cmd].assign(r.begin() + 0x17, r.begin() + 0x17 + static_cast<std::ptrdiff_t>(eventBytes));
    } else {
        ++protocolErrors;
    }
}

void Type2Keyboard::AnswerFeatureReport(std::vector<uint8_t>& answer) {
    KeyboardBehavior::AnswerFeatureReport(answer);
    if (!pendingRead_ || answer.size() < 8) return;
    std::fill(answer.begin() + 8, answer.end(), 0);
    const auto& events = slots[static_cast<std::size_t>(*pendingRead_)];
    std::copy_n(events.begin(), std::min(events.size(), answer.size() - 8), answer.begin() + 8);
}

// ---- Output-report family ----

OutputKeyboard::OutputKeyboard(int deviceType)
    : colourTable(kOutputTable, 0), keyTable(kOutputTable, 0), deviceType_(deviceType) {}

uint32_t OutputKeyboard::LedColour(int li) const {
    if (li < 1 || 3 * static_cast<std::size_t>(li) > colourTable.size()) return 0;
    const std::size_t at = 3 * static_cast<std::size_t>(li - 1);
    return Colour(colourTable[at], colourTable[at + 1], colourTable[at + 2]);
}

std::array<uint8_t, 3> OutputKeyboard::KeyEntry(int ki) const {
    if (ki < 1 || 3 * static_cast<std::size_t>(ki) > keyTable.size()) return {};
    const std::size_t at = 3 * static_cast<std::size_t>(ki - 1);
    return {keyTable[at], keyTable[at + 1], keyTable[at + 2]};
}

void OutputKeyboard::Chunk(const std::vector<uint8_t>& r, std::vector<uint8_t>& target, std::size_t capacity) {
    const std::size_t length = r[4];
    const std::size_t offset = Le16(r, 5);
    if (length > r.size() - 8 || offset + length > capacity) {
        ++protocolErrors;
        return;
    }
    if (target.size() < offset + length) target.resize(offset + length, 0);
    std::copy_n(r.begin() + 8, length, target.begin() + static_cast<std::ptrdiff_t>(offset));
}

std::optional<std::vector<uint8_t>> OutputKeyboard::OnOutputReport(const std::vector<uint8_t>& r) {
    auto answer = KeyboardBehavior::OnOutputReport(r);
    if (r.size() < 64 || r[0] != 0x04) {
        ++protocolErrors;
        return answer;
    }
    if (r[1] == 0x01 && r[2] == 0x00 && r[3] == 0x01) {
        inSession_ = true;
        stagedMode_.reset();
        stagedColours_.reset();
        stagedKeys_.reset();
        stagedMacros_.reset();
        return answer;
    }
    if (!inSession_) {
        ++protocolErrors;
        return answer;
    }
    if (r[1] == 0x02 && r[2] == 0x00 && r[3] == 0x02) {
        inSession_ = false;
        ++sessions;
        if (stagedMode_) lightMode = *stagedMode_;
        if (stagedColours_) colourTable = *stagedColours_;
        if (stagedKeys_) keyTable = *stagedKeys_;
        if (stagedMacros_) ApplyMacroStream();
        return answer;
    }
    if (r[3] == 0x06 && r[2] == 0x03) {
        const bool shapeOk = deviceType_ == 6 ? (r[1] == 0x24 && r[4] == 0x18) : (r[1] == 0x00 && r[4] == 0x38);
        if (!shapeOk || r[0x0A] != 0x04 || r[0x0D] != 0x01 || r[0x0E] != 0xFF || r[0x1C] != 0x01) ++protocolErrors;
        stagedMode_ = r[9];
        return answer;
    }
    if (r[1] != 0 || r[2] != 0) {
        ++protocolErrors;
        return answer;
    }
    switch (r[3]) {
        case 0x0B:
            if (!stagedColours_) stagedColours_ = colourTable;
            Chunk(r, *stagedColours_, kOutputTable);
            break;
        case 0x09:
            if (!stagedKeys_) stagedKeys_ = keyTable;
            Chunk(r, *stagedKeys_, kOutputTable);
            break;
        case 0x15:
            if (!stagedMacros_) stagedMacros_.emplace();
            Chunk(r, *stagedMacros_, kMacroStreamCapacity);
            break;
        default:
            ++protocolErrors;
    }
    return answer;
}

void OutputKeyboard::ApplyMacroStream() {
    const std::vector<uint8_t>& s = *stagedMacros_;
    if (s.size() < 18 || s[0] != 0xAA || s[1] != 0x55 || !AllZero(s.data() + 2, 14)) {
        ++protocolErrors;
        return;
    }
    const unsigned first = Le16(s, 16);
    if (first < 16 || (first - 16) % 2 != 0) {
        ++protocolErrors;
        return;
    }
    const std::size_t d = (first - 16) / 2;
    std::vector<std::vector<Event4>> library;
    for (std::size_t i = 0; i < d; ++i) {
        const std::size_t at = Le16(s, 16 + 2 * i);
        const std::size_t m = Le16(s, at);
        if (at + 4 + 4 * m > s.size()) {
            ++protocolErrors;
            return;
        }
        std::vector<Event4> events(m);
        for (std::size_t e = 0; e < m; ++e) {
            std::copy_n(s.begin() + static_cast<std::ptrdiff_t>(at + 4 + 4 * e), 4, events[e].begin());
        }
        library.push_back(std::move(events));
    }
    macros = std::move(library);
    ++macroLibraries;
}

std::unique_ptr<KeyboardBehavior> MakeProtocolKeyboard(int deviceType) {
    switch (deviceType) {
        case 1: case 3: return std::make_unique<FeatureKeyboard>(deviceType);
        case 2: return std::make_unique<Type2Keyboard>();
        case 5: case 6: return std::make_unique<OutputKeyboard>(deviceType);
        default: return std::make_unique<KeyboardBehavior>();
    }
}

}  // namespace qx::sim
