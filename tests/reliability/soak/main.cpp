// soak: the long soak run, with its seed, progress and memory samples printed. Exits 1
// when an invariant breaks or resident memory grows once warmed up, 2 when the vehicles
// cannot be set up.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <random>

#include "tests/reliability/soak_run.h"

int main(int argc, char **argv)
try {
    CLI::App app{"soak: vehicles of every module driven by seeded random input"};
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    reliability::SoakOptions options;
    options.seed = std::random_device{}();
    long toleranceKiB = 256;
    app.add_option("--seed", options.seed, "seed of the random input (default: a new one)");
    app.add_option("--vehicles-per-class", options.vehiclesPerClass, "vehicles of each module")
        ->check(CLI::Range(1, 1000));
    app.add_option("--seconds", options.simulatedSeconds, "simulated time, s")
        ->check(CLI::PositiveNumber);
    app.add_option("--step", options.stepLength, "usual step length, s")
        ->check(CLI::PositiveNumber);
    app.add_option("--samples", options.memorySamples, "resident memory samples")
        ->check(CLI::Range(4, 10000));
    app.add_option("--tolerance-kib", toleranceKiB, "memory growth allowed once warmed up, KiB");
    CLI11_PARSE(app, argc, argv);

    std::printf("soak: seed %llu, %d vehicles of each of %zu modules, %.0f s simulated\n",
                static_cast<unsigned long long>(options.seed), options.vehiclesPerClass,
                reliability::kClasses.size(), options.simulatedSeconds);
    std::fflush(stdout);
    const auto result = reliability::RunSoak(options, [](const reliability::MemorySample &s) {
        std::printf("  t = %9.1f s  %12lld vehicle-steps  resident %8ld KiB\n",
                    s.simulatedSeconds, static_cast<long long>(s.vehicleSteps), s.residentKiB);
        std::fflush(stdout);
    });
    const long growth = reliability::MemoryGrowthKiB(result.memory);
    std::printf("soak: %lld vehicle-steps, %lld checked events, memory growth %ld KiB "
                "after warm-up\n",
                static_cast<long long>(result.vehicleSteps), static_cast<long long>(result.events),
                growth);
    for (const auto &violation : result.violations)
        std::printf("invariant broken: %s\n", violation.c_str());
    if (growth > toleranceKiB)
        std::printf("memory grew by %ld KiB, more than %ld KiB\n", growth, toleranceKiB);
    const bool passed = result.violations.empty() && growth <= toleranceKiB;
    std::printf("soak: %s (seed %llu)\n", passed ? "passed" : "FAILED",
                static_cast<unsigned long long>(options.seed));
    return passed ? 0 : 1;
} catch (const std::exception &e) { // the modules or the sound library did not load
    std::fprintf(stderr, "soak: %s\n", e.what());
    return 2;
}
