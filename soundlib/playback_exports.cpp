// The sound library's playback entry points, as the vessel modules bind them by name.
// Every call is noted in the host's call trace under its export name.
#include "host/core/simulator.h"
#include "soundlib/library_state.h"

using host::ToTrace;

SOUND_EXPORT int LoadVesselWaveOBSound3(int id, int slot, const char *fileName, int loadType)
{
    standin::CatchUp();
    host::Simulator &sim = host::Simulator::Get();
    bool loaded = false;
    if (fileName) {
        // Every wave is held in memory, whatever the load type asks for.
        std::string path = standin::WavePath(sim.Root(), fileName);
        auto wave = standin::ReadWaveFile(path);
        if (!wave)
            standin::WarnStandIn(path);
        loaded = standin::Bank().Load(id, slot, wave ? *wave : standin::StandInWave(slot));
    }
    int result = loaded ? 1 : 0;
    if (sim.Trace().enabled)
        sim.Record(-1, "LoadVesselWaveOBSound3",
                   {ToTrace(id), ToTrace(slot), ToTrace(fileName), ToTrace(loadType)},
                   ToTrace(result));
    return result;
}

SOUND_EXPORT int PlayVesselWaveOBSound3(int id, int slot, int loop, int volume, int frequency)
{
    double now = standin::CatchUp();
    int result = standin::Bank().Play(id, slot, loop != 0, volume, frequency, now) ? 1 : 0;
    host::Simulator &sim = host::Simulator::Get();
    if (result)
        sim.NoteSoundPlayed(slot);
    if (sim.Trace().enabled)
        sim.Record(-1, "PlayVesselWaveOBSound3",
                   {ToTrace(id), ToTrace(slot), ToTrace(loop), ToTrace(volume),
                    ToTrace(frequency)},
                   ToTrace(result));
    return result;
}

// Plays the slot and silences every other slot of the id.
SOUND_EXPORT int PlayVesselExclusiveWaveOBSound3(int id, int slot, int loop, int volume,
                                                 int frequency)
{
    double now = standin::CatchUp();
    int result =
        standin::Bank().PlayExclusive(id, slot, loop != 0, volume, frequency, now) ? 1 : 0;
    host::Simulator &sim = host::Simulator::Get();
    if (sim.Trace().enabled)
        sim.Record(-1, "PlayVesselExclusiveWaveOBSound3",
                   {ToTrace(id), ToTrace(slot), ToTrace(loop), ToTrace(volume),
                    ToTrace(frequency)},
                   ToTrace(result));
    return result;
}

SOUND_EXPORT int StopVesselWave3(int id, int slot)
{
    standin::CatchUp();
    int result = standin::Bank().Stop(id, slot) ? 1 : 0;
    host::Simulator &sim = host::Simulator::Get();
    if (sim.Trace().enabled)
        sim.Record(-1, "StopVesselWave3", {ToTrace(id), ToTrace(slot)}, ToTrace(result));
    return result;
}

// The stand-in's own: holds a slot silent (held 1) or lets it sound again (0), for tests
// of a vehicle that finds its sound stopped. 1 when the slot exists.
SOUND_EXPORT int StandInSoundHoldSilent(int id, int slot, int held)
{
    standin::CatchUp();
    return standin::Bank().HoldSilent(id, slot, held != 0) ? 1 : 0;
}

SOUND_EXPORT int IsPlayingVesselWave3(int id, int slot)
{
    double now = standin::CatchUp();
    int result = standin::Bank().IsPlaying(id, slot, now) ? 1 : 0;
    host::Simulator &sim = host::Simulator::Get();
    if (sim.Trace().enabled)
        sim.Record(-1, "IsPlayingVesselWave3", {ToTrace(id), ToTrace(slot)}, ToTrace(result));
    return result;
}

// The stand-in has no radio channel, so no radio wave is ever playing.
SOUND_EXPORT int IsPlayingRadioVesselWave(int id)
{
    standin::CatchUp();
    int result = 0;
    host::Simulator &sim = host::Simulator::Get();
    if (sim.Trace().enabled)
        sim.Record(-1, "IsPlayingRadioVesselWave", {ToTrace(id)}, ToTrace(result));
    return result;
}

SOUND_EXPORT int SoundOption3(int id, int option, int value)
{
    standin::CatchUp();
    int result = standin::Bank().SetOption(id, option, value) ? 1 : 0;
    host::Simulator &sim = host::Simulator::Get();
    if (sim.Trace().enabled)
        sim.Record(-1, "SoundOption3", {ToTrace(id), ToTrace(option), ToTrace(value)},
                   ToTrace(result));
    return result;
}

// Retunes a slot while it plays, keeping its place in the wave.
SOUND_EXPORT int SetFrequency(int id, int slot, int frequency)
{
    double now = standin::CatchUp();
    int result = standin::Bank().SetFrequency(id, slot, frequency, now) ? 1 : 0;
    host::Simulator &sim = host::Simulator::Get();
    if (sim.Trace().enabled)
        sim.Record(-1, "SetFrequency", {ToTrace(id), ToTrace(slot), ToTrace(frequency)},
                   ToTrace(result));
    return result;
}
