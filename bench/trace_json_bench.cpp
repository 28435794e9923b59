// The JSON Lines writer on the calls of a typical vehicle step: a trace of a thousand
// vehicles runs to gigabytes, so the writer must keep up with the simulation.
#include <benchmark/benchmark.h>

#include "host/base/handles.h"
#include "host/core/simulator.h"
#include "host/trace/trace_json.h"

namespace {

std::vector<host::TraceCall> TypicalStep()
{
    using host::HandleKind;
    using host::HandleValue;
    auto call = [](const char *name, std::vector<host::TraceValue> args,
                   std::optional<host::TraceValue> ret) {
        host::TraceCall c;
        c.step = 1234;
        c.t = 24.700000000000003;
        c.call = name;
        c.args = std::move(args);
        c.ret = std::move(ret);
        return c;
    };
    std::vector<host::TraceCall> calls;
    calls.push_back(call("GetAirspeed", {}, 13.016393442622951));
    calls.push_back(call("GetControlSurfaceLevel", {std::int64_t(1)}, 0.0));
    calls.push_back(call("GetAirspeedVector", {std::int64_t(1), _V(1e-17, 0, 13.0163934)}, true));
    calls.push_back(call("GetThrusterLevel",
                         {HandleValue{host::MakeHandle(HandleKind::Thruster, 0)}}, 1.0));
    for (std::int64_t anim = 0; anim < 8; ++anim)
        calls.push_back(call("SetAnimation", {anim, 0.34782608695652173}, true));
    calls.push_back(call("PlayVesselWaveOBSound3",
                         {std::int64_t(0), std::int64_t(1), std::int64_t(1), std::int64_t(225),
                          std::int64_t(13628)},
                         std::int64_t(1)));
    for (std::size_t th = 0; th < 6; ++th)
        calls.push_back(call("SetThrusterMax0",
                             {HandleValue{host::MakeHandle(HandleKind::Thruster, th)}, 9000.0},
                             std::nullopt));
    return calls;
}

void BM_TraceJsonStep(benchmark::State &state)
{
    std::vector<host::TraceCall> calls = TypicalStep();
    host::TraceJsonWriter writer;
    std::string out;
    std::size_t bytes = 0;
    for (auto _ : state) {
        out.clear();
        for (const host::TraceCall &c : calls)
            writer.Append(c, host::Simulator::Get(), out);
        bytes += out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(bytes));
    state.SetItemsProcessed(std::int64_t(state.iterations() * calls.size()));
}
BENCHMARK(BM_TraceJsonStep);

} // namespace
