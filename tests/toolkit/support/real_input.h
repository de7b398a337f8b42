#pragma once
#include <string>
#include <vector>

#include "toolkit/core/c_rect.h"

namespace qxtest {

// Real pointer and keyboard input for windows under test: xdotool runs as a Unix program on the
// display Wine draws to, so events arrive through X like a user's (hit testing, capture, focus
// and key state included). Each call waits (bounded) for xdotool to finish; the caller then
// pumps messages until the state it checks is reached.
bool RunXdotool(const std::vector<std::string>& arguments);
// Runs any Unix program with these arguments (argv[0] the program), waiting (bounded) for it.
bool RunUnixCommand(const std::vector<std::string>& argv);
// Moves the pointer to client point (x, y) of `window`.
bool MoveTo(HWND window, int x, int y);
bool MoveTo(HWND window, QxUI::CPoint point);
// Moves to (x, y) of `window`, then presses and releases `button` (1 left, 2 middle, 3 right).
bool ClickAt(HWND window, int x, int y, int button = 1);
bool DoubleClickAt(HWND window, int x, int y);
bool ButtonDown(int button = 1);
bool ButtonUp(int button = 1);
// Wheel notches at the pointer: positive away from the user (up), negative towards (down).
bool Wheel(int notches);
// xdotool key names, e.g. "a", "ctrl+a", "BackSpace", "space", "KP_Add".
bool KeyPress(const char* keys);
bool KeyDown(const char* key);
bool KeyUp(const char* key);
// Types UTF-8 text as a user would.
bool TypeText(const char* utf8);

}  // namespace qxtest
