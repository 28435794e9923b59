// The guarded sound call (the module connector's PlayWave: entry, id and slot tests,
// then the call) against a direct call through the same function pointer.
#include <benchmark/benchmark.h>

#include "bench/paired_timing.h"
#include "bench/registration.h"
#include "bench/situations.h"

namespace bench {

namespace {

using PlayWave = int (*)(int id, int slot, int loop, int volume, int frequency);

constexpr int kSlot = 1; // the engine-run slot
constexpr int kLoop = 1, kVolume = 200, kFrequency = 13025;

// A vehicle of the probe module (VARLOK1 with BenchGuardedPlayWave exported), connected
// to the sound library: its id is 0 and its slot loaded.
host::Vessel &ConnectedProbe()
{
    FreshSimulator();
    host::Simulator &sim = host::Simulator::Get();
    sim.SetModuleDirectory(BENCH_ROOT "/Modules");
    return sim.CreateVessel("probe", "SOUNDPROBE");
}

PlayWave Entry(void *symbol) { return reinterpret_cast<PlayWave>(reinterpret_cast<void (*)()>(symbol)); }

void GuardedAgainstDirect(benchmark::State &state)
{
    host::Vessel &probe = ConnectedProbe();
    PlayWave guarded = Entry(probe.module->Symbol("BenchGuardedPlayWave"));
    PlayWave direct =
        Entry(host::Simulator::Get().SoundLibrary()->Symbol("PlayVesselWaveOBSound3"));
    PairedTiming timing;
    for (auto _ : state) {
        const double guardedCall = NanosecondsPerCall(
            [&] { benchmark::DoNotOptimize(guarded(0, kSlot, kLoop, kVolume, kFrequency)); });
        const double directCall = NanosecondsPerCall(
            [&] { benchmark::DoNotOptimize(direct(0, kSlot, kLoop, kVolume, kFrequency)); });
        timing.Add(guardedCall, directCall);
    }
    timing.Report(state, "guarded", "direct");
}

} // namespace

void RegisterSoundCallBenchmarks()
{
    benchmark::RegisterBenchmark("sound_call/guarded_vs_direct", GuardedAgainstDirect);
}

} // namespace bench
