// qxkb: the keyboards' configurator for Linux terminals.
#include "linux/cli.h"

int main(int argc, char** argv) { return qx::linux_cli::RunQxkb(argc, argv); }
