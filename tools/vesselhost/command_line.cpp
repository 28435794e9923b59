// The command line of the stand-in simulator: it loads the vessel modules of a simulator
// root, runs their vehicles on the ground from a scenario and reports what they did.
//
// Exit codes: 0 success; 1 runtime failure (an output that cannot be written, any
// other failure of the run); 2 bad input (command line, scenario, simulator root, a
// module or sound library that cannot be loaded).
#include "tools/vesselhost/command_line.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "host/base/host_error.h"
#include "host/core/simulator.h"
#include "host/scenario/scenario.h"
#include "output/output_check.h"
#include "output/output_file.h"
#include "tools/vesselhost/building.h"
#include "tools/vesselhost/printable.h"
#include "tools/vesselhost/scenario_run.h"
#include "tools/vesselhost/simulator_root.h"

namespace {

namespace fs = std::filesystem;

enum ExitCode { kSuccess = 0, kRuntimeFailure = 1, kBadInput = 2 };

// The sample scenario that `demo` runs, built into the program.
#include "demo_scenario.inc"

std::string Seconds(double t)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", t);
    return text;
}

// A path given on the command line, against the caller's folder: the run itself takes
// place in the simulator root.
// `-` (standard output) and "" (not asked for) stay as they are.
std::string Absolute(const std::string &path)
{
    return path.empty() || path == output::kStandardOutput
               ? path
               : fs::absolute(path).lexically_normal().string();
}

// The words of the command line that are not options or the value of --root: the
// command and what follows it.
std::vector<std::string> Words(int argc, char **argv)
{
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        std::string word = argv[i];
        if (word == "--root")
            ++i;
        else if (!word.empty() && word[0] != '-')
            words.push_back(word);
    }
    return words;
}

const CLI::App *Command(CLI::App &app, const std::string &name)
{
    for (const CLI::App *command : app.get_subcommands([](CLI::App *) { return true; }))
        if (command->get_name() == name)
            return command;
    return nullptr;
}

std::string CommandList(CLI::App &app)
{
    std::string list;
    for (const CLI::App *command : app.get_subcommands([](CLI::App *) { return true; }))
        list += (list.empty() ? "" : ", ") + command->get_name();
    return list + ", help";
}

int List(const std::string &root)
{
    vesselhost::RequireRoot(root);
    host::Simulator &sim = host::Simulator::Get();
    sim.Reset();
    sim.SetRoot(root);
    int result = kSuccess;
    std::vector<std::string> classes = vesselhost::ClassesIn(vesselhost::ModuleDirectory(root));
    if (classes.empty())
        std::printf("no vessel classes in %s\n", vesselhost::ModuleDirectory(root).c_str());
    for (const std::string &className : classes) {
        try {
            host::ModuleLibrary &module = sim.LoadModule(className);
            if (module.HasVersion())
                std::printf("%-14s version %d\n", className.c_str(), module.Version());
            else
                std::printf("%-14s no version stamp\n", className.c_str());
        } catch (const host::Error &e) {
            std::printf("%-14s cannot be used: %s\n", className.c_str(),
                        vesselhost::Printable(e.what()).c_str());
            result = kBadInput;
        }
    }
    sim.Reset();
    return result;
}

// The trace's time window: finite bounds (either may be left out), not inverted.
std::string TraceWindowProblem(const host::TraceSelection &selection)
{
    const double bound[] = {selection.from, selection.to};
    const char *const option[] = {"--trace-from", "--trace-to"};
    const double unset[] = {-std::numeric_limits<double>::infinity(),
                            std::numeric_limits<double>::infinity()};
    for (int i = 0; i < 2; ++i)
        if (!std::isfinite(bound[i]) && bound[i] != unset[i])
            return std::string(option[i]) + ": expected a finite time in seconds, found " +
                   std::to_string(bound[i]);
    if (selection.from > selection.to)
        return "--trace-from " + Seconds(selection.from) + " is after --trace-to " +
               Seconds(selection.to) + "; expected a window from an earlier time to a later one";
    return "";
}

void PrintWarnings(const host::Scenario &scenario)
{
    for (const std::string &warning : scenario.warnings)
        std::fprintf(stderr, "vesselhost: warning: %s\n", vesselhost::Printable(warning).c_str());
}

int Check(const std::string &path, const std::string &root)
{
    host::Scenario scenario = host::LoadScenario(path);
    PrintWarnings(scenario);
    vesselhost::CheckScenario(scenario, root);
    std::printf("%s: valid: %zu vessel%s, %zu input line%s, %lld steps of %g s%s%s\n",
                vesselhost::Printable(path).c_str(), scenario.ships.size(),
                scenario.ships.size() == 1 ? "" : "s", scenario.events.size(),
                scenario.events.size() == 1 ? "" : "s",
                static_cast<long long>(scenario.StepCount()), scenario.step,
                scenario.sound ? "" : ", sound off", scenario.physics ? "" : ", physics off");
    if (!scenario.description.empty())
        std::printf("\n%s", vesselhost::Printable(scenario.description).c_str());
    return kSuccess;
}

void AddOutputOptions(CLI::App &command, vesselhost::RunOptions &options, bool &noProgress)
{
    command
        .add_option("--trace", options.trace,
                    "write every call of the modules as JSON Lines (.gz, .zst: compressed)")
        ->type_name("FILE");
    host::TraceSelection &selection = options.traceSelection;
    command
        .add_option("--trace-vessels", selection.vessels,
                    "trace only these vessels (names or patterns like V1*)")
        ->type_name("NAME,...")
        ->delimiter(',');
    command
        .add_option("--trace-calls", selection.calls,
                    "trace only these calls (names or patterns like Set*)")
        ->type_name("NAME,...")
        ->delimiter(',');
    command.add_option("--trace-from", selection.from, "trace only calls from this time on")
        ->type_name("T");
    command.add_option("--trace-to", selection.to, "trace only calls up to this time")
        ->type_name("T");
    command
        .add_option("--telemetry", options.telemetry,
                    "write one CSV row per vessel per step (.gz, .zst: compressed)")
        ->type_name("FILE");
    command
        .add_option("--telemetry-every", options.telemetryEvery,
                    "a telemetry row every N steps (the last of every N)")
        ->type_name("N")
        ->check(CLI::PositiveNumber);
    command
        .add_option("--telemetry-vessels", options.telemetryVessels,
                    "telemetry only of these vessels (names or patterns)")
        ->type_name("NAME,...")
        ->delimiter(',');
    command
        .add_option("--summary", options.summary,
                    "write what each vessel did and the run's figures as JSON")
        ->type_name("FILE");
    command.add_flag("--quiet", options.quiet, "print no per-vessel summary");
    command.add_option("--audio", options.audio, "write the WAV mix of the vehicles' sounds")
        ->type_name("FILE");
    command
        .add_option("--picture", options.picture,
                    "draw the vessels where the run left them, as a PNG")
        ->type_name("FILE");
    command
        .add_option("--picture-at", options.pictureAt,
                    "draw the picture at these simulated times instead of the end")
        ->type_name("T,...")
        ->delimiter(',');
    command
        .add_option("--report", options.report,
                    "write one HTML page with plots, paths and a 3D replay of the run")
        ->type_name("FILE");
    command.add_flag("--log", options.log, "print the input and what it caused as the run goes");
    command.add_flag("--no-progress", noProgress, "no progress bar");
}

} // namespace

int vesselhost::RunCommandLine(int argc, char **argv, std::string root)
{
    CLI::App app{"vesselhost: the stand-in simulator for the surface vehicle modules.\n"
                 "Exit codes: 0 success, 1 runtime failure, 2 bad input."};
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("--version", "vesselhost " VESSELHOST_VERSION);
    app.add_option("--root", root, "simulator root folder (Modules/, Meshes/, Sound/)")
        ->type_name("DIR")
        ->capture_default_str();

    std::string scenarioPath;
    vesselhost::RunOptions options;
    bool noProgress = false;
    CLI::App *run = app.add_subcommand("run", "run a scenario and print what each vessel did");
    run->add_option("SCENARIO", scenarioPath, "scenario file")->type_name("FILE")->required();
    AddOutputOptions(*run, options, noProgress);

    CLI::App *check = app.add_subcommand("check", "validate a scenario without running it");
    check->add_option("SCENARIO", scenarioPath, "scenario file")->type_name("FILE")->required();

    app.add_subcommand("list", "list the vessel classes in the root with their version stamps");

    CLI::App *demo = app.add_subcommand(
        "demo", "run the built-in sample scenario with all three vehicles and show the summary");
    AddOutputOptions(*demo, options, noProgress);

    // `help [COMMAND]` and an unknown command, which the parser would only answer with
    // "a subcommand is required".
    const std::vector<std::string> words = Words(argc, argv);
    if (!words.empty() && (words[0] == "help" || !Command(app, words[0]))) {
        std::string unknown = words[0];
        if (words[0] == "help") {
            const CLI::App *topic = words.size() > 1 ? Command(app, words[1]) : &app;
            if (topic) {
                std::printf("%s", topic->help().c_str());
                return kSuccess;
            }
            unknown = words[1];
        }
        std::fprintf(stderr, "vesselhost: unknown command '%s'; the commands are %s\n",
                     unknown.c_str(), CommandList(app).c_str());
        return kBadInput;
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError &e) {
        int code = app.exit(e);
        return code == 0 ? kSuccess : kBadInput;
    }

    if (std::string problem = TraceWindowProblem(options.traceSelection); !problem.empty()) {
        std::fprintf(stderr, "vesselhost: %s\n", problem.c_str());
        return kBadInput;
    }
    options.progress = !noProgress;
    root = Absolute(root);
    for (const output::OutputRequest &output : options.Outputs()) {
        // An option given with an empty name would otherwise be taken as not given.
        for (const CLI::App *sub : {run, demo})
            if (sub->parsed() && sub->count(output.option) > 0 && output.path.empty()) {
                std::fprintf(stderr, "vesselhost: %s: expected a file name, found an empty one\n",
                             output.option.c_str());
                return kBadInput;
            }
    }
    for (std::string *path : {&options.trace, &options.telemetry, &options.audio, &options.picture,
                              &options.report, &options.summary})
        *path = Absolute(*path);
    std::FILE *out = options.WritesStandardOutput() ? stderr : stdout;
    try {
        if (*check)
            return Check(scenarioPath, root);
        if (app.got_subcommand("list"))
            return List(root);
        host::Scenario scenario;
        if (*demo) {
            scenario = host::ParseScenario(kDemoScenario, "demo.scn (built in)");
            options.log = true;
            if (!scenario.description.empty())
                std::fprintf(out, "%s\n", vesselhost::Printable(scenario.description).c_str());
        } else {
            scenario = host::LoadScenario(scenarioPath);
        }
        PrintWarnings(scenario);
        vesselhost::RunScenario(scenario, root, options, out);
        return kSuccess;
    } catch (const host::Error &e) {
        std::fprintf(stderr, "vesselhost: %s\n", vesselhost::Printable(e.what()).c_str());
        return kBadInput;
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "vesselhost: out of memory while building %s; nothing was written\n",
                     vesselhost::Building::What());
        return kRuntimeFailure;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "vesselhost: %s\n", vesselhost::Printable(e.what()).c_str());
        return kRuntimeFailure;
    }
}
