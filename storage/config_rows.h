#pragma once
// The records of the configuration database, one per table row. Integers are signed 32-bit; a
// fresh record has every integer 0 and every text empty. Texts are wide; the database stores them
// as UTF-8.
#include <string>

namespace qx {

// The only light layer the program writes and reads in t_key_rgb_data.
constexpr int kKeyRgbLight = 20;

// macro_type of t_key_macro_data: the category of a key's assigned function.
constexpr int kKeyFunctionSystem = 600;
constexpr int kKeyFunctionMultimedia = 601;
constexpr int kKeyFunctionMacro = 602;
constexpr int kKeyFunctionMouse = 603;
constexpr int kKeyFunctionKey = 604;

// type of t_macrorecord: what one macro step does.
constexpr int kMacroStepDelay = 1;
constexpr int kMacroStepKeyDown = 2;
constexpr int kMacroStepKeyUp = 3;
constexpr int kMacroStepMouseDown = 4;
constexpr int kMacroStepMouseUp = 5;

// t_key_rgb_data: a key's custom colour (COLORREF, red in the low byte; 0 means none).
struct KeyRgbRow {
    int rgbId = 0;
    int profile = 0;
    int light = 0;
    int keyCode = 0;
    int keyRgb = 0;
};

// t_key_macro_data: the function assigned to a key in one profile.
struct KeyMacroRow {
    int keyId = 0;
    int profile = 0;
    int keyCode = 0;
    int macroType = 0;
    int macroValue = 0;
    int macroValue2 = 0;
    int macroValue3 = 0;
    std::wstring macroDesc;
};

// t_macro_data: one macro of the library shared by all profiles.
struct MacroRow {
    int macroId = 0;
    std::wstring name;
    int playTimes = 0;
    int delayType = 0;
    int delayTime = 0;
};

// t_macrorecord: one step of a macro.
struct MacroRecordRow {
    int recordId = 0;
    int macroId = 0;
    int type = 0;
    int recordIndex = 0;
    int value = 0;
    std::wstring desc;
};

}  // namespace qx
