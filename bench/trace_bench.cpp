// The host step with the call recording on: calls recorded per second.
#include <benchmark/benchmark.h>

#include "registration.h"
#include "situations.h"

namespace bench {

namespace {

constexpr double kHostStepLength = 0.01; // s

void RecordedStepBench(benchmark::State &state)
{
    FreshSimulator();
    host::Simulator &sim = host::Simulator::Get();
    for (const char *className : kClasses)
        Enter(sim.CreateVessel(std::string(className) + "-recorded", className),
              SituationNamed("drive"));
    sim.Trace().enabled = true;
    std::size_t recorded = 0;
    for (auto _ : state) {
        sim.Trace().Clear();
        sim.Step(kHostStepLength);
        recorded += sim.Trace().Calls().size();
    }
    sim.Trace().enabled = false;
    state.SetItemsProcessed(std::int64_t(recorded));
}

} // namespace

void RegisterTraceBenchmarks()
{
    benchmark::RegisterBenchmark("trace/recorded_step", RecordedStepBench);
}

} // namespace bench
