// Prints the table of figures from the benchmarks' JSON output: medians where the run
// was repeated, the ratios the targets are set on, and whether each target is met.
//   bench_report <bench.json> [<scenario wall seconds> <scenario CPU seconds>]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace {

// One benchmark's figures: its counters, items per second among them.
using Figure = std::map<std::string, double>;

// By benchmark name: the median when repeated, else the one run.
std::map<std::string, Figure> ReadFigures(const nlohmann::json &results)
{
    std::map<std::string, Figure> figures;
    std::map<std::string, bool> fromMedian;
    for (const auto &run : results.at("benchmarks")) {
        if (run.value("error_occurred", false))
            continue;
        const bool median = run.value("run_type", "") == "aggregate" &&
                            run.value("aggregate_name", "") == "median";
        const bool single = run.value("run_type", "") == "iteration";
        const std::string name = run.value("run_name", run.value("name", ""));
        if (!median && !(single && !fromMedian[name]))
            continue;
        Figure &f = figures[name];
        for (const auto &[key, value] : run.items())
            if (value.is_number())
                f[key] = value.get<double>();
        fromMedian[name] = fromMedian[name] || median;
    }
    return figures;
}

const char *Verdict(bool met) { return met ? "met" : "MISSED"; }

std::optional<Figure> Find(const std::map<std::string, Figure> &figures, const std::string &name)
{
    auto found = figures.find(name);
    if (found == figures.end())
        return std::nullopt;
    return found->second;
}

void ModuleSteps(const std::map<std::string, Figure> &figures)
{
    static const char *const kSituations[] = {"rest", "drive", "turn"};
    static const char *const kClasses[] = {"VARLOK1", "VARLOK3C", "KELDOCONTROL"};
    std::printf("Module step against its floor (ns per step, call recording off)\n");
    std::printf("  %-9s %-13s %8s %8s %11s\n", "situation", "module", "step", "floor",
                "step/floor");
    double worst = 0;
    for (const char *situation : kSituations) {
        for (const char *className : kClasses) {
            const std::string suffix = std::string(className) + "/" + situation;
            auto f = Find(figures, "step_vs_floor/" + suffix);
            if (!f)
                continue;
            const double ratio = (*f)["ratio"];
            worst = std::max(worst, ratio);
            std::printf("  %-9s %-13s %8.1f %8.1f %11.2f\n", situation, className,
                        (*f)["step_ns"], (*f)["floor_ns"], ratio);
        }
    }
    if (worst > 0)
        std::printf("  worst step/floor %.2f (target <= 1.2: %s)\n", worst, Verdict(worst <= 1.2));
}

void SoundCall(const std::map<std::string, Figure> &figures)
{
    auto f = Find(figures, "sound_call/guarded_vs_direct");
    if (!f)
        return;
    const double ratio = (*f)["ratio"];
    std::printf("\nSound call: guarded %.1f ns, direct %.1f ns, guarded/direct %.2f "
                "(target <= 1.1: %s)\n",
                (*f)["guarded_ns"], (*f)["direct_ns"], ratio, Verdict(ratio <= 1.1));
}

void HostSteps(const std::map<std::string, Figure> &figures)
{
    static const int kSizes[] = {1, 10, 100, 1000, 10000};
    std::map<int, Figure> bySize;
    for (int size : kSizes)
        if (auto f = Find(figures, "host_step/" + std::to_string(size)))
            bySize[size] = *f;
    if (bySize.empty())
        return;
    std::printf("\nWhole host step, every vehicle driving\n");
    std::printf("  %8s %17s %16s %12s\n", "vehicles", "vehicle-steps/s", "ns/vehicle-step",
                "KiB/vehicle");
    for (auto &[size, f] : bySize)
        std::printf("  %8d %17.0f %16.1f %12.1f\n", size, f["items_per_second"],
                    1e9 / f["items_per_second"], f["bytes_per_vehicle"] / 1024);
    if (bySize.contains(1000)) {
        const double rate = bySize[1000]["items_per_second"];
        std::printf("  at 1,000 vehicles: %.2f M vehicle-steps/s (target >= 2: %s)\n",
                    rate / 1e6, Verdict(rate >= 2e6));
    }
    if (bySize.contains(100) && bySize.contains(10000)) {
        const double slowdown =
            bySize[100]["items_per_second"] / bySize[10000]["items_per_second"];
        std::printf("  per vehicle-step, 10,000 against 100: %.2fx (target <= 1.5: %s)\n",
                    slowdown, Verdict(slowdown <= 1.5));
    }
    if (bySize.contains(10000)) {
        const double bytes = bySize[10000]["bytes_per_vehicle"];
        std::printf("  memory at 10,000 vehicles: %.1f KiB per vehicle (target <= 64: %s)\n",
                    bytes / 1024, Verdict(bytes <= 64 * 1024));
    }
}

// Nanoseconds per vehicle-step of each part, from the runs that leave parts out.
void StepParts(const std::map<std::string, Figure> &figures)
{
    static const int kSizes[] = {100, 1000, 10000};
    bool header = false;
    for (int size : kSizes) {
        const std::string suffix = "/" + std::to_string(size);
        auto whole = Find(figures, "host_step" + suffix);
        auto readingPoses = Find(figures, "host_step_reading_poses" + suffix);
        auto modulesOnly = Find(figures, "host_step_modules_only" + suffix);
        if (!whole || !readingPoses || !modulesOnly)
            continue;
        if (!header) {
            std::printf("\nWhat each part of the host step costs (ns per vehicle-step; poses\n"
                        "are worked out only when read, here by a reader after every step)\n");
            std::printf("  %8s %14s %9s %7s %14s\n", "vehicles", "module steps", "physics", "whole",
                        "poses if read");
            header = true;
        }
        const double modules = 1e9 / (*modulesOnly)["items_per_second"];
        const double all = 1e9 / (*whole)["items_per_second"];
        const double poses = 1e9 / (*readingPoses)["items_per_second"] - all;
        std::printf("  %8d %14.1f %9.1f %7.1f %14.1f\n", size, modules, all - modules, all, poses);
    }
}

void Recording(const std::map<std::string, Figure> &figures)
{
    if (auto f = Find(figures, "trace/recorded_step"))
        std::printf("\nCall recording on: %.2f M calls per second recorded and written as "
                    "JSON Lines (%.0f bytes a call)\n",
                    (*f)["items_per_second"] / 1e6, (*f)["bytes_per_call"]);
}

// A number of seconds given on the command line; nothing when it is not one.
std::optional<double> Seconds(const char *text)
{
    char *end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(value >= 0))
        return std::nullopt;
    return value;
}

} // namespace

int main(int argc, char **argv)
try {
    if (argc != 2 && argc != 4) {
        std::cerr << "usage: bench_report <bench.json> [<scenario wall seconds> <scenario CPU "
                     "seconds>]\n";
        return 2;
    }
    std::optional<double> wall, cpu;
    if (argc == 4) {
        wall = Seconds(argv[2]);
        cpu = Seconds(argv[3]);
        if (!wall || !cpu) {
            std::cerr << "bench_report: expected the scenario's wall and CPU seconds as numbers, "
                         "found '"
                      << argv[2] << "' '" << argv[3] << "'\n";
            return 2;
        }
    }
    std::ifstream in(argv[1]);
    nlohmann::json results;
    try {
        in >> results;
        const auto figures = ReadFigures(results);
        ModuleSteps(figures);
        SoundCall(figures);
        HostSteps(figures);
        StepParts(figures);
        Recording(figures);
    } catch (const nlohmann::json::exception &e) {
        std::cerr << "bench_report: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    if (wall)
        std::printf("\nScenario of 1,000 vehicles, 60 s at 100 Hz, through vesselhost run:\n"
                    "  %.2f s (target < 5: %s), of which %.2f s on the processor\n",
                    *wall, Verdict(*wall < 5), *cpu);
    return 0;
} catch (const std::exception &e) {
    std::cerr << "bench_report: " << e.what() << "\n";
    return 1;
}
