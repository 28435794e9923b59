// Prints the table of figures from the benchmarks' JSON output: medians where the run
// was repeated, the ratios the targets are set on, and whether each target is met.
//   bench_report <bench.json> [<vesselhost runs> [<plot.svg>]]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "output/output_file.h"

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
        const bool median =
            run.value("run_type", "") == "aggregate" && run.value("aggregate_name", "") == "median";
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

// The figure of that name, with or without the arguments Google Benchmark appends
// ("/min_time:1.000/repeats:1").
std::optional<Figure> Find(const std::map<std::string, Figure> &figures, const std::string &name)
{
    auto found = figures.lower_bound(name);
    if (found == figures.end() || (found->first != name && !found->first.starts_with(name + "/")))
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
            std::printf("  %-9s %-13s %8.1f %8.1f %11.2f\n", situation, className, (*f)["step_ns"],
                        (*f)["floor_ns"], ratio);
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

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The rounds of one size: "host_step/<size>/round:<r>...".
std::vector<Figure> Rounds(const std::map<std::string, Figure> &figures, int size)
{
    const std::string prefix = "host_step/" + std::to_string(size) + "/round:";
    std::vector<Figure> rounds;
    for (const auto &[name, figure] : figures)
        if (name.starts_with(prefix))
            rounds.push_back(figure);
    return rounds;
}

void HostSteps(const std::map<std::string, Figure> &figures)
{
    static const int kSizes[] = {1, 10, 100, 1000, 10000};
    std::map<int, std::vector<Figure>> bySize;
    for (int size : kSizes)
        if (auto rounds = Rounds(figures, size); !rounds.empty())
            bySize[size] = rounds;
    if (bySize.empty())
        return;
    std::printf("\nWhole host step, every vehicle driving, no sound library (equal work at\n"
                "every size); the sizes in turn, medians of the rounds\n");
    std::printf("  %8s %7s %17s %20s %12s\n", "vehicles", "rounds", "ns/vehicle-step CPU",
                "ns/vehicle-step wall", "KiB/vehicle");
    auto perStep = [](const Figure &f, const char *time, int size) {
        return f.at(time) / size; // the time of one iteration, ns
    };
    for (auto &[size, rounds] : bySize) {
        std::vector<double> cpu, wall, bytes;
        for (const Figure &f : rounds) {
            cpu.push_back(perStep(f, "cpu_time", size));
            wall.push_back(perStep(f, "real_time", size));
            bytes.push_back(f.at("bytes_per_vehicle"));
        }
        std::printf("  %8d %7zu %17.1f %20.1f %12.1f\n", size, rounds.size(), Median(cpu),
                    Median(wall), Median(bytes) / 1024);
    }
    // Ratios round by round: both sizes of a round met the same load.
    for (int small : {100, 1000}) {
        if (!bySize.contains(small) || !bySize.contains(10000))
            continue;
        std::vector<double> ratios;
        for (std::size_t r = 0; r < bySize[small].size() && r < bySize[10000].size(); ++r)
            ratios.push_back(perStep(bySize[10000][r], "cpu_time", 10000) /
                             perStep(bySize[small][r], "cpu_time", small));
        std::printf("  per vehicle-step on the processor, 10,000 against %d: %.2fx\n", small,
                    Median(ratios));
    }
}

// The host step of a whole fleet against the floor of its vehicles, pair by pair.
void FloorRatios(const std::map<std::string, Figure> &figures)
{
    bool header = false;
    for (int size : {1000, 10000}) {
        auto f = Find(figures, "host_step_vs_floor/" + std::to_string(size));
        if (!f)
            continue;
        if (!header) {
            std::printf("\nHost step against the modules' floor (the same vehicles' host calls "
                        "alone,\nreplayed), ns per vehicle-step on the processor, median of "
                        "pairs\n");
            header = true;
        }
        std::printf("  %6d vehicles: host step %.1f, floor %.1f\n", size, (*f)["host_step_ns"],
                    (*f)["floor_ns"]);
    }
    for (int size : {1000, 10000})
        if (auto f = Find(figures, "host_step_vs_floor/" + std::to_string(size)))
            std::printf("host step / module floor at %s vehicles: %.2f\n",
                        size == 1000 ? "1,000" : "10,000", (*f)["ratio"]);
}

// Cost per vehicle-step against fleet size, log-scaled across: a small SVG page for the
// performance notes, each point labelled with its figure.
std::string FleetPlot(const std::map<int, double> &nsPerStep)
{
    constexpr double kWidth = 640, kHeight = 360, kLeft = 70, kRight = 30, kTop = 40, kBottom = 60;
    double top = 0;
    for (const auto &[vehicles, ns] : nsPerStep)
        top = std::max(top, ns);
    top = std::ceil(top / 100) * 100;
    const double first = std::log10(nsPerStep.begin()->first);
    const double span = std::max(1.0, std::log10(nsPerStep.rbegin()->first) - first);
    auto x = [&](int vehicles) {
        return kLeft + (std::log10(vehicles) - first) / span * (kWidth - kLeft - kRight);
    };
    auto y = [&](double ns) { return kHeight - kBottom - ns / top * (kHeight - kTop - kBottom); };
    std::ostringstream svg;
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\""
        << kHeight << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << kLeft << "\" y=\"20\" font-size=\"14\">vesselhost run: processor ns "
        << "per vehicle-step against fleet size</text>\n";
    for (int i = 0; i <= 4; ++i) {
        const double ns = top * i / 4;
        svg << "<line x1=\"" << kLeft << "\" x2=\"" << kWidth - kRight << "\" y1=\"" << y(ns)
            << "\" y2=\"" << y(ns) << "\" stroke=\"#ddd\"/>\n<text x=\"" << kLeft - 8 << "\" y=\""
            << y(ns) + 4 << "\" text-anchor=\"end\">" << ns << "</text>\n";
    }
    std::string points;
    for (const auto &[vehicles, ns] : nsPerStep) {
        points += std::to_string(x(vehicles)) + "," + std::to_string(y(ns)) + " ";
        svg << "<circle cx=\"" << x(vehicles) << "\" cy=\"" << y(ns) << "\" r=\"4\"/>\n"
            << "<text x=\"" << x(vehicles) << "\" y=\"" << y(ns) - 10
            << "\" text-anchor=\"middle\">" << std::lround(ns) << "</text>\n"
            << "<text x=\"" << x(vehicles) << "\" y=\"" << kHeight - kBottom + 18
            << "\" text-anchor=\"middle\">" << vehicles << "</text>\n";
    }
    svg << "<polyline fill=\"none\" stroke=\"#1f77b4\" stroke-width=\"2\" points=\"" << points
        << "\"/>\n<text x=\"" << (kLeft + kWidth - kRight) / 2 << "\" y=\"" << kHeight - 20
        << "\" text-anchor=\"middle\">vehicles (log scale)</text>\n</svg>\n";
    return svg.str();
}

// The runs through vesselhost that scripts/bench timed, one a line:
//   load <1 min> <5 min> <15 min>        the machine's load average, before and after
//   run <vehicles> <seconds> <cpu s> <wall s>
//   start <vehicles> <cpu s> <wall s>     DURATION 0.01: the start-up
//   pair <vesselhost ns> <host step ns>   per vehicle-step, 1,000 vehicles, side by side
void Runs(const std::string &path, const char *plotPath)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error(path + ": cannot be read");
    std::map<int, std::vector<double>> cpu, wall, startCpu;
    std::map<int, double> seconds;
    std::vector<double> pairs;
    std::vector<std::string> loads;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "load") {
            std::string rest;
            std::getline(words, rest);
            loads.push_back(rest);
        } else if (kind == "run") {
            int vehicles = 0;
            double s = 0, c = 0, w = 0;
            words >> vehicles >> s >> c >> w;
            seconds[vehicles] = s;
            const double vehicleSteps = vehicles * std::round(s / 0.01);
            cpu[vehicles].push_back(c * 1e9 / vehicleSteps);
            wall[vehicles].push_back(w * 1e9 / vehicleSteps);
        } else if (kind == "start") {
            int vehicles = 0;
            double c = 0, w = 0;
            words >> vehicles >> c >> w;
            startCpu[vehicles].push_back(c * 1e6 / vehicles);
        } else if (kind == "pair") {
            double run = 0, step = 0;
            words >> run >> step;
            if (step > 0)
                pairs.push_back(run / step);
        }
    }
    std::printf("\nFleets through vesselhost run (STEP 0.01, no sound library), the sizes in "
                "turn;\nns per vehicle-step, start-up included, medians\n");
    for (const std::string &load : loads)
        std::printf("  load average%s\n", load.c_str());
    std::printf("  %8s %8s %6s %12s %12s %14s\n", "vehicles", "seconds", "runs", "CPU", "wall",
                "CPU vs 1,000");
    const double base = cpu.contains(1000) ? Median(cpu[1000]) : 0;
    for (auto &[vehicles, values] : cpu)
        std::printf("  %8d %8g %6zu %12.1f %12.1f %13.2fx\n", vehicles, seconds[vehicles],
                    values.size(), Median(values), Median(wall[vehicles]),
                    base > 0 ? Median(values) / base : 0);
    for (auto &[vehicles, values] : startCpu)
        std::printf("  start-up of %d vehicles: %.1f us per vehicle on the processor\n", vehicles,
                    Median(values));
    if (!pairs.empty())
        std::printf("vesselhost run / host step at 1,000 vehicles: %.2f\n", Median(pairs));
    if (plotPath && !cpu.empty()) {
        std::map<int, double> medians;
        for (auto &[vehicles, values] : cpu)
            medians[vehicles] = Median(values);
        output::WriteWholeFile(plotPath, FleetPlot(medians));
        std::printf("plot of the fleets: %s\n", plotPath);
    }
}

// Nanoseconds per vehicle-step of each part, from the runs that leave parts out.
void StepParts(const std::map<std::string, Figure> &figures)
{
    static const int kSizes[] = {100, 1000, 10000};
    bool header = false;
    for (int size : kSizes) {
        const std::string suffix = "/" + std::to_string(size);
        const std::vector<Figure> rounds = Rounds(figures, size);
        auto readingPoses = Find(figures, "host_step_reading_poses" + suffix);
        auto modulesOnly = Find(figures, "host_step_modules_only" + suffix);
        if (rounds.empty() || !readingPoses || !modulesOnly)
            continue;
        if (!header) {
            std::printf("\nWhat each part of the host step costs (ns per vehicle-step; poses\n"
                        "are worked out only when read, here by a reader after every step)\n");
            std::printf("  %8s %14s %9s %7s %14s\n", "vehicles", "module steps", "physics", "whole",
                        "poses if read");
            header = true;
        }
        const double modules = 1e9 / (*modulesOnly)["items_per_second"];
        std::vector<double> wholes;
        wholes.reserve(rounds.size());
        for (const Figure &f : rounds)
            wholes.push_back(1e9 / f.at("items_per_second"));
        const double all = Median(wholes);
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

} // namespace

int main(int argc, char **argv)
try {
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: bench_report <bench.json> [<vesselhost runs> [<plot.svg>]]\n";
        return 2;
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
        FloorRatios(figures);
        Recording(figures);
    } catch (const nlohmann::json::exception &e) {
        std::cerr << "bench_report: " << argv[1] << ": " << e.what() << "\n";
        return 1;
    }
    if (argc >= 3)
        Runs(argv[2], argc == 4 ? argv[3] : nullptr);
    return 0;
} catch (const std::exception &e) {
    std::cerr << "bench_report: " << e.what() << "\n";
    return 1;
}
