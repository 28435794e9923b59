// The whole host step for a fleet: the ground physics and every vehicle's module step,
// for 1 to 10,000 vehicles, without the sound library (past its 60 ids a fleet's
// vehicles are silent, so only a silent fleet does equal work at every size). The sizes
// run in turn, round after round, so that every size meets the same load; vehicle-steps
// per second and resident memory per vehicle. Poses are worked out when read: a run that
// reads every vessel's pose after every step shows what that costs. And the host step
// against the modules' floor, in pairs of blocks.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

#include "bench/floor_replay.h"
#include "bench/paired_timing.h"
#include "bench/registration.h"
#include "bench/resident_memory.h"
#include "bench/situations.h"
#include "host/physics/physics.h"

namespace bench {

namespace {

constexpr double kHostStepLength = 0.01; // s: 100 Hz
constexpr int kFleetSizes[] = {1, 10, 100, 1000, 10000};
constexpr int kRounds = 3;
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
    FreshSimulator(Sound::Off);
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

host::Simulator &FleetOf(int size)
{
    if (fleet.generation != SimulatorGeneration() || fleet.size != size)
        BuildFleet(size);
    return host::Simulator::Get();
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
constexpr int kFloorSizes[] = {1000, 10000};

void HostStepBench(benchmark::State &state, int size, StepParts parts)
{
    host::Simulator &sim = FleetOf(size);
    sim.physics = parts.physics ? &groundPhysics : nullptr;
    for (auto _ : state) {
        sim.Step(kHostStepLength);
        if (parts.poses)
            ReadPoses(sim);
    }
    state.SetItemsProcessed(state.iterations() * size);
    state.counters["bytes_per_vehicle"] = fleet.bytesPerVehicle;
}

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The floor of every vehicle of the fleet in its situation: its class's silent drive
// step, replayed on a copy of a vehicle of that class (outside the fleet, so that the
// fleet's next step is its own).
struct FleetFloor {
    std::vector<std::unique_ptr<host::Vessel>> vehicles; // by class
    std::vector<VESSEL> views;
    std::vector<const FloorReplay *> replays;
};

FleetFloor FloorOf(const host::Simulator &sim)
{
    FleetFloor floor;
    for (std::size_t c = 0; c < std::size(kClasses); ++c) {
        for (const FloorReplay &replay : FloorReplays())
            if (replay.className == std::string(kClasses[c]) &&
                replay.situation == std::string("drive") && !replay.sound)
                floor.replays.push_back(&replay);
        floor.vehicles.push_back(std::make_unique<host::Vessel>(*sim.Vessels()[c]));
    }
    for (const auto &vehicle : floor.vehicles)
        floor.views.emplace_back(vehicle.get());
    return floor;
}

// One host step of the whole fleet against its floor, in turn, each pair's ratio taken
// on the processor time of this thread.
void FleetAgainstFloor(benchmark::State &state, int size)
{
    host::Simulator &sim = FleetOf(size);
    sim.physics = &groundPhysics;
    const FleetFloor floor = FloorOf(sim);
    if (floor.replays.size() != std::size(kClasses)) {
        state.SkipWithError("no silent drive floor for every class");
        return;
    }
    const SoundEntries silent{};
    PairedTiming timing;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        sim.Step(kHostStepLength);
        const double stepped = ThreadSeconds();
        for (int i = 0; i < size; ++i) {
            const std::size_t c = std::size_t(i) % std::size(kClasses);
            floor.vehicles[c]->forces.clear();
            floor.replays[c]->replay(floor.views[c], silent);
        }
        const double replayed = ThreadSeconds();
        timing.Add((stepped - start) * 1e9 / size, (replayed - stepped) * 1e9 / size);
    }
    timing.Report(state, "host_step", "floor");
}

} // namespace

void RegisterHostStepBenchmarks()
{
    // The sizes in turn, round after round: each size is built again in each round.
    for (int round = 1; round <= kRounds; ++round)
        for (int size : kFleetSizes)
            benchmark::RegisterBenchmark((std::string(kWholeStep.name) + "/" +
                                          std::to_string(size) + "/round:" + std::to_string(round))
                                             .c_str(),
                                         HostStepBench, size, kWholeStep)
                ->Repetitions(1);
    for (int size : kPartialSizes)
        for (const StepParts &parts : kPartialSteps)
            benchmark::RegisterBenchmark(
                (std::string(parts.name) + "/" + std::to_string(size)).c_str(), HostStepBench,
                size, parts);
    for (int size : kFloorSizes)
        benchmark::RegisterBenchmark(("host_step_vs_floor/" + std::to_string(size)).c_str(),
                                     FleetAgainstFloor, size)
            ->Repetitions(1)
            ->MinTime(1.0);
}

} // namespace bench
