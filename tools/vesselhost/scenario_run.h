// A scenario run: the vessels are created from the modules of the simulator root, the
// driver's input is handed over before each step, the simulator steps, and what happened
// goes to the outputs and the summary.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "host/scenario/scenario.h"
#include "host/trace/trace_selection.h"
#include "output/output_check.h"

namespace vesselhost {

struct RunOptions {
    // Output files, absolute paths (or `-`, standard output, for trace and telemetry);
    // empty when not asked for. A trace or telemetry name ending .gz or .zst is written
    // compressed.
    std::string trace, telemetry, audio, picture, report, summary;
    host::TraceSelection traceSelection;       // which calls the trace keeps
    std::vector<std::string> telemetryVessels; // names or glob patterns; empty: all
    int telemetryEvery = 1;                    // a telemetry row every this many steps
    // Simulated times (s) to draw the picture at instead of the end; with several, each
    // picture's name takes its time before the extension (scene-12.5s.png).
    std::vector<double> pictureAt;
    bool quiet = false;    // no per-vessel summary on the output
    bool log = false;      // print the input and what it caused as the run goes
    bool progress = true;  // a progress bar when stderr is a terminal

    // The pictures to draw: one at each of pictureAt's times (in order, each once),
    // or one at the end (no time) when none is given; none without a picture name.
    struct PictureFile {
        std::optional<double> t;
        std::string path;
    };
    std::vector<PictureFile> Pictures() const;
    // Every output of the run, in one list that is checked before the run starts: an
    // output of the run is added here with its option's name (each picture file too).
    std::vector<output::OutputRequest> Outputs() const;
    // Whether an output takes standard output, so the summary goes to standard error.
    bool WritesStandardOutput() const;
};

// Runs the scenario in the simulator rooted at `root` (an absolute path); the run takes
// place in the root folder. Checks every output first (output::CheckOutputs, against the
// scenario file and the root's modules, meshes, sounds and sound library). Prints the
// summary on `out`. Throws host::Error for bad
// input (a class without a loadable module, a sound library that does not load) and
// output::OutputError when an output cannot be written; outputs are written whole or not at all.
void RunScenario(const host::Scenario &scenario, const std::string &root,
                 const RunOptions &options, std::FILE *out);

// Checks without running what a run would find before its first step: every class has
// a module in the root that loads, the sound library loads, every vessel is created and
// its meshes read. Throws host::Error as RunScenario does.
void CheckScenario(const host::Scenario &scenario, const std::string &root);

} // namespace vesselhost
