// vesselhost: the stand-in simulator as a program, with the build's simulator root.
#include "tools/vesselhost/command_line.h"

int main(int argc, char **argv) { return vesselhost::RunCommandLine(argc, argv, SIM_ROOT_DEFAULT); }
