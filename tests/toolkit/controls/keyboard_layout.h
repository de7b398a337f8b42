#pragma once
// A keyboard layout with Chinese characters for tests that type them. xdotool types a
// character that is not on the keyboard by mapping it onto a spare keycode for one key press and
// mapping it off at once; Wine reads the mapping after the event and sees nothing. Putting the
// characters on real keys first (x_keymap.py, beside this file) makes them plain key presses,
// as on a national layout. The layout lives on the test display until Restore.
#include <string>

#include "tests/toolkit/support/real_input.h"

namespace qxtest {

class ChineseKeys {
public:
    // Puts the characters of `utf8` on keys of the display's layout.
    explicit ChineseKeys(const char* utf8) { m_bound = Run({"bind", utf8}); }
    ~ChineseKeys() { Run({"restore"}); }
    ChineseKeys(const ChineseKeys&) = delete;
    ChineseKeys& operator=(const ChineseKeys&) = delete;
    bool IsBound() const { return m_bound; }

private:
    static std::string Script() {
        std::string here = __FILE__;
        return here.substr(0, here.find_last_of("/\\") + 1) + "x_keymap.py";
    }
    static bool Run(std::initializer_list<std::string> arguments) {
        std::vector<std::string> command = {"exec", "--sync", "python3", Script()};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return RunXdotool(command);
    }

    bool m_bound;
};

}  // namespace qxtest
