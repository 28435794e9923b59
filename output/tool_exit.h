// What a tool's main returns for the exception it is handling, the message on standard
// error: 2 for bad input (host::Error, whose message names the file and line), 1 for
// the rest (an output that cannot be written), out of memory said as such, naming what
// was being built. Call only inside a catch block.
#pragma once

namespace output {

int ToolExit(const char *tool, const char *building) noexcept;

} // namespace output
