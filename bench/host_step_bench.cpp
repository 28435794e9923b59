// The whole host step for a fleet: the ground physics and every vehicle's module step,
// for 1 to 10,000 vehicles; vehicle-steps per second and resident memory per vehicle.
// Poses are worked out when read: a run that reads every vessel's pose after every step
// shows what that costs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "bench/registration.h"
#include "bench/resident_memory.h"
#include "bench/situations.h"
#include "host/physics/physics.h"

namespace bench {

namespace {

constexpr double kHostStepLength = 0.01; // s: 100 Hz
constexpr int kFleetSizes[] = {1, 10, 100, 1000, 10000};
// Host steps run before the memory is counted and the steps measured: what a step
// keeps is counted, and the levers have reached their driving pose (25 steps).
constexpr int kFleetWarmUpSteps = 30;

// The fleet in the simulator: kept between the runs of one size, as building 10,000
// vehicles takes longer than measuring them.
struct Fleet {
    int generation = -1;
    int size = 0;
    double bytesPerVehicle = 0;
};

Fleet fleet;
host::GroundPhysics groundPhysics;

void ReadPoses(host::Simulator &sim)
{
    for (const auto &vessel : sim.Vessels())
        benchmark::DoNotOptimize(vessel->Pose().Size());
}

// Every module in turn, every vehicle at full throttle with its engine running: the
// physics takes it up to the speed its braking force holds (13 m/s).
void BuildFleet(int size)
{
    host::Simulator &sim = host::Simulator::Get();
    FreshSimulator();
    for (const char *className : kClasses)
        sim.LoadModule(className); // the libraries' own memory is not the vehicles'
    ReleaseFreedMemory();
    const std::size_t before = ResidentBytes();
    for (int i = 0; i < size; ++i) {
        const char *className = kClasses[i % std::size(kClasses)];
        host::Vessel &vessel = sim.CreateVessel("V" + std::to_string(i), className);
        Enter(vessel, SituationNamed("drive"));
    }
    sim.SetFocus(sim.Vessels().front().get());
    sim.physics = &groundPhysics;
    for (int i = 0; i < kFleetWarmUpSteps; ++i) {
        sim.Step(kHostStepLength);
        ReadPoses(sim);
    }
    fleet.generation = SimulatorGeneration();
    fleet.size = size;
    fleet.bytesPerVehicle = double(ResidentBytes() - before) / size;
}

// What a host step does besides the module steps: all of it, or parts left out to show
// what each costs.
struct StepParts {
    const char *name;
    bool physics;
    bool poses;
};

constexpr StepParts kWholeStep = {"host_step", true, false};
constexpr StepParts kPartialSteps[] = {
    {"host_step_reading_poses", true, true},
    {"host_step_modules_only", false, false},
};
constexpr int kPartialSizes[] = {100, 1000, 10000};

void HostStepBench(benchmark::State &state, int size, StepParts parts)
{
    if (fleet.generation != SimulatorGeneration() || fleet.size != size)
        BuildFleet(size);
    host::Simulator &sim = host::Simulator::Get();
    sim.physics = parts.physics ? &groundPhysics : nullptr;
    for (auto _ : state) {
        sim.Step(kHostStepLength);
        if (parts.poses)
            ReadPoses(sim);
    }
    state.SetItemsProcessed(state.iterations() * size);
    state.counters["bytes_per_vehicle"] = fleet.bytesPerVehicle;
}

} // namespace

void RegisterHostStepBenchmarks()
{
    // By size, so that each fleet is built once.
    for (int size : kFleetSizes) {
        benchmark::RegisterBenchmark(
            (std::string(kWholeStep.name) + "/" + std::to_string(size)).c_str(), HostStepBench,
            size, kWholeStep);
        if (std::find(std::begin(kPartialSizes), std::end(kPartialSizes), size) ==
            std::end(kPartialSizes))
            continue;
        for (const StepParts &parts : kPartialSteps)
            benchmark::RegisterBenchmark(
                (std::string(parts.name) + "/" + std::to_string(size)).c_str(), HostStepBench,
                size, parts);
    }
}

} // namespace bench
