// Recording of everything the library sounds into a WAV file, for listening to a run.
#include "host/core/simulator.h"
#include "soundlib/library_state.h"

using host::ToTrace;

// Starts mixing from the current simulated time; 1 when started, 0 when a recording
// runs already, the path is null or empty, or the sample rate is not positive.
SOUND_EXPORT int StandInSoundBeginRecording(const char *path, int sampleRate)
{
    double now = standin::CatchUp();
    int result = path && standin::Recording().Begin(path, sampleRate, now) ? 1 : 0;
    host::Simulator &sim = host::Simulator::Get();
    if (sim.Trace().enabled)
        sim.Record(-1, "StandInSoundBeginRecording", {ToTrace(path), ToTrace(sampleRate)},
                   ToTrace(result));
    return result;
}

// Mixes up to the current simulated time and writes the whole file; 1 when written,
// 0 when no recording runs or the file cannot be written (then none is left).
SOUND_EXPORT int StandInSoundEndRecording()
{
    double now = standin::CatchUp();
    int result = standin::Recording().End(now, standin::Bank()) ? 1 : 0;
    host::Simulator &sim = host::Simulator::Get();
    if (sim.Trace().enabled)
        sim.Record(-1, "StandInSoundEndRecording", {}, ToTrace(result));
    return result;
}
