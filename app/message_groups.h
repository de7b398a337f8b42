#pragma once
// The self-closing message popup is shown at most once per group of callers at a time: a
// second request of a group whose popup is still open shows nothing and counts as answered.

namespace qx {

enum class MessageGroup {
    Connection,   // keyboard arrived or left
    KeyFunction,  // confirmation after a key function was assigned
    Window,       // the main window's own commands (reset, indicator, firmware update)
};
constexpr int kMessageGroupCount = 3;

// The group a message of the controller belongs to, by its interface text.
MessageGroup MessageGroupOfText(int textId);

// Busy flags of the groups. Show runs `show` (which shows the popup modally and returns its
// result) unless that group's popup is open; then it returns 1 at once. Other groups' popups may
// appear on top of an open one.
class MessageGroups {
public:
    template <typename ShowFn>
    int Show(MessageGroup group, ShowFn show) {
        bool& busy = busy_[static_cast<int>(group)];
        if (busy) return 1;
        busy = true;
        const int result = show();
        busy = false;
        return result;
    }
    bool IsBusy(MessageGroup group) const { return busy_[static_cast<int>(group)]; }

private:
    bool busy_[kMessageGroupCount] = {};
};

}  // namespace qx
