// The whole host step for a fleet: every vehicle's module step and the evaluation of
// its animation pose, for 1 to 10,000 vehicles; vehicle-steps per second and resident
// memory per vehicle.
#include <benchmark/benchmark.h>

#include <string>

#include "registration.h"
#include "resident_memory.h"
#include "situations.h"

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

// Every module in turn, every vehicle driving forward with its engine running.
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
    sim.evaluatePoses = true;
    for (int i = 0; i < kFleetWarmUpSteps; ++i)
        sim.Step(kHostStepLength);
    fleet.generation = SimulatorGeneration();
    fleet.size = size;
    fleet.bytesPerVehicle = double(ResidentBytes() - before) / size;
}

void HostStepBench(benchmark::State &state, int size)
{
    if (fleet.generation != SimulatorGeneration() || fleet.size != size)
        BuildFleet(size);
    host::Simulator &sim = host::Simulator::Get();
    for (auto _ : state)
        sim.Step(kHostStepLength);
    state.SetItemsProcessed(state.iterations() * size);
    state.counters["bytes_per_vehicle"] = fleet.bytesPerVehicle;
}

} // namespace

void RegisterHostStepBenchmarks()
{
    for (int size : kFleetSizes)
        benchmark::RegisterBenchmark(("host_step/" + std::to_string(size)).c_str(),
                                     HostStepBench, size);
}

} // namespace bench
