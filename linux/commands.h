#pragma once
// The commands of qxkb, each one function over a started session. They call the same controller
// operations the window's buttons and menus call, so each puts the window's bytes on the wire.
// Every one returns the exit code; a failure has printed one line to the error stream.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "linux/session.h"

namespace qx::linux_cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;

struct Streams {
    std::ostream& out;
    std::ostream& err;
};

// Prints "qxkb: message" to err and returns kExitFailure.
int Fail(Streams io, const std::wstring& message);
// Text for the terminal (UTF-8).
std::string Narrow(const std::wstring& text);

// Keyboards and their settings.
int ListKeyboards(const SessionOptions& options, Streams io);
int ShowProfile(Session& session, std::optional<int> profile, Streams io);
int ListEffects(Session& session, Streams io);
int ChooseEffect(Session& session, const std::string& effect, Streams io);
int ColourKeys(Session& session, const std::string& colour, const std::vector<std::string>& keys, Streams io);

struct FunctionChoice {
    std::optional<std::string> system, multimedia, mouse, combination, macro;
    bool toDefault = false;
};
int AssignFunction(Session& session, const std::string& key, const FunctionChoice& choice, Streams io);
int SelectProfile(Session& session, int profile, Streams io);
int ResetKeyboard(Session& session, Streams io);
int ApplyStored(Session& session, Streams io);

// Macros.
struct MacroOptions {
    std::string stepsFile;
    int repeat = 1;
    int repeatDelay = 1;
};
int CreateMacro(Session& session, const std::string& name, const MacroOptions& options, Streams io);
int ListMacros(Session& session, Streams io);
int ShowMacro(Session& session, const std::string& name, Streams io);
int RenameMacro(Session& session, const std::string& name, const std::string& newName, Streams io);
int DeleteMacro(Session& session, const std::string& name, Streams io);

// All settings of the model as one file.
int ExportTo(Session& session, const std::string& file, Streams io);
int ImportFrom(Session& session, const std::string& file, Streams io);

// qxkb watch; arrivals names a pipe of simulated arrivals, empty for udev.
int Watch(Session& session, const std::string& arrivals, Streams io);

}  // namespace qx::linux_cli
