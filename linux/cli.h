#pragma once
// qxkb's command line: the options and subcommands, parsed with CLI11, run against a session.

namespace qx::linux_cli {

// The whole program: parses argv, runs the command, returns the exit code. Usage errors and
// --help are answered by CLI11 (exit codes 0 for help, non-zero for errors); nothing escapes.
int RunQxkb(int argc, const char* const* argv);

}  // namespace qx::linux_cli
