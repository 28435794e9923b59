// The host step with the call recording on, every call written as a line of JSON (the
// trace file's format, into memory): calls recorded and written per second.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/registration.h"
#include "bench/situations.h"
#include "host/trace/trace_json.h"

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
    host::TraceJsonWriter writer;
    std::string lines;
    std::size_t recorded = 0;
    for (auto _ : state) {
        sim.Trace().Clear();
        lines.clear();
        sim.Step(kHostStepLength);
        for (const host::TraceCall &call : sim.Trace().Calls())
            writer.Append(call, sim, lines);
        recorded += sim.Trace().Calls().size();
    }
    sim.Trace().enabled = false;
    state.SetItemsProcessed(std::int64_t(recorded));
    state.counters["bytes_per_call"] = double(lines.size()) / double(sim.Trace().Calls().size());
}

} // namespace

void RegisterTraceBenchmarks()
{
    benchmark::RegisterBenchmark("trace/recorded_step", RecordedStepBench);
}

} // namespace bench
