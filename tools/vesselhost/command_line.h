// The command line of the stand-in simulator, for the programs that are it.
#pragma once

#include <string>

namespace vesselhost {

// Parses the arguments (argv[0] is the program) and does what they ask; `root` is the
// simulator root when none is given. Returns the program's exit code.
int RunCommandLine(int argc, char **argv, std::string root);

} // namespace vesselhost
