// A scenario run: the vessels are created from the modules of the simulator root, the
// driver's input is handed over before each step, the simulator steps, and what happened
// goes to the outputs and the summary.
#pragma once

#include <cstdio>
#include <string>

#include "host/scenario.h"

namespace vesselhost {

struct RunOptions {
    // Output files, absolute paths; empty when not asked for.
    std::string trace, telemetry, audio, picture, report;
    bool log = false;      // print the input and what it caused as the run goes
    bool progress = true;  // a progress bar when stderr is a terminal
};

// Runs the scenario in the simulator rooted at `root` (an absolute path); the run takes
// place in the root folder. Prints the summary on `out`. Throws host::Error for bad
// input (a class without a loadable module, a sound library that does not load) and
// OutputError when an output cannot be written; outputs are written whole or not at all.
void RunScenario(const host::Scenario &scenario, const std::string &root,
                 const RunOptions &options, std::FILE *out);

// Checks without running that every class of the scenario has a module in the root that
// loads as a vessel module. Throws host::Error naming the ship's line.
void CheckScenario(const host::Scenario &scenario, const std::string &root);

} // namespace vesselhost
