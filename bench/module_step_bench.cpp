// One clbkPostStep of a vehicle of each module in each situation, with the host's call
// recording off, against its floor: the same host calls made straight, with no vehicle
// logic.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/call_text.h"
#include "bench/floor_replay.h"
#include "bench/paired_timing.h"
#include "bench/registration.h"
#include "bench/situations.h"

namespace bench {

namespace {

const FloorReplay *ReplayFor(const std::string &className, const SituationRow &situation)
{
    for (const FloorReplay &replay : FloorReplays())
        if (className == replay.className && std::string(situation.name) == replay.situation &&
            replay.sound)
            return &replay;
    return nullptr;
}

template <typename Entry> Entry SoundEntry(const char *name)
{
    void *symbol = host::Simulator::Get().SoundLibrary()->Symbol(name);
    return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(symbol));
}

SoundEntries LoadedSoundEntries()
{
    return {SoundEntry<decltype(SoundEntries::play)>("PlayVesselWaveOBSound3"),
            SoundEntry<decltype(SoundEntries::isPlaying)>("IsPlayingVesselWave3"),
            SoundEntry<decltype(SoundEntries::stop)>("StopVesselWave3")};
}

// The vehicle in the situation, checked to make the very calls its floor replays: the
// step after the warm-up is the one the floor was captured from. Null (and the
// benchmark skipped) when they differ, as after a change of the vehicle code without
// a rebuild of the floor.
host::Vessel *CheckedVehicle(benchmark::State &state, const std::string &className,
                             const SituationRow &situation, const FloorReplay *replay)
{
    host::Vessel &vessel = MeasuredVehicle(className, situation);
    if (!replay || CallsText(CaptureStep(vessel)) != replay->calls) {
        state.SkipWithError("the vehicle's step no longer makes the floor's calls");
        return nullptr;
    }
    return &vessel;
}

// The module step and its floor in alternating blocks on the same vessel: the floor's
// calls are the very calls of the module's step, so each leaves the other's state as it
// found it.
void StepAgainstFloor(benchmark::State &state, const std::string &className, SituationRow situation)
{
    const FloorReplay *replay = ReplayFor(className, situation);
    host::Vessel *vessel = CheckedVehicle(state, className, situation, replay);
    if (!vessel)
        return;
    const VESSEL view(vessel); // the host's side of the same vessel
    const SoundEntries sound = LoadedSoundEntries();
    PairedTiming timing;
    for (auto _ : state) {
        const double step = NanosecondsPerCall([&] { ModuleStep(*vessel); });
        const double floor = NanosecondsPerCall([&] {
            vessel->forces.clear();
            replay->replay(view, sound);
        });
        timing.Add(step, floor);
    }
    timing.Report(state, "step", "floor");
}

} // namespace

void RegisterModuleStepBenchmarks()
{
    for (const SituationRow &situation : kSituations) {
        for (const char *className : kClasses) {
            const std::string name =
                "step_vs_floor/" + std::string(className) + "/" + situation.name;
            benchmark::RegisterBenchmark(name.c_str(), StepAgainstFloor, std::string(className),
                                         situation);
        }
    }
}

} // namespace bench
