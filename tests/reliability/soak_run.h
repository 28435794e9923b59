// The soak run: many vehicles of all three modules for a long simulated time, driven by
// random input from a seed, with every invariant checked after every event and the
// process's resident memory sampled at equal intervals.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fuzz/vehicle_exercise.h"

namespace reliability {

struct SoakOptions {
    std::uint64_t seed = 1;
    int vehiclesPerClass = 10;
    double simulatedSeconds = 3600;
    double stepLength = 0.02; // s, the usual step; each varies by up to half of it
    SoundLibrary sound = SoundLibrary::Present;
    int memorySamples = 20;   // resident memory readings over the run
};

struct MemorySample {
    double simulatedSeconds;
    std::int64_t vehicleSteps;
    long residentKiB;
};

struct SoakResult {
    std::int64_t vehicleSteps = 0;
    std::int64_t events = 0;
    std::vector<MemorySample> memory;
    std::vector<std::string> violations; // the run stops at the first step that has any
};

// Runs the soak; `sampled` (if given) sees every memory sample as it is taken.
SoakResult RunSoak(const SoakOptions &options,
                   const std::function<void(const MemorySample &)> &sampled = {});

// The process's resident memory now, in KiB.
long ResidentKiB();

// Growth of resident memory over the run once warmed up: the largest sample of the
// second half less the sample at a quarter of the run.
long MemoryGrowthKiB(const std::vector<MemorySample> &samples);

} // namespace reliability
