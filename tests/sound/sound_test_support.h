// Test support shared by the sound tests: the sound library's calls in the host's
// trace, written out as text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tests/support/host_fixture.h"

namespace sound_testing {

// The exports of the sound library, whose calls it notes in the trace.
inline bool IsSoundLibraryCall(const host::TraceCall &call)
{
    static const char *const kExports[] = {
        "LoadVesselWaveOBSound3",   "PlayVesselWaveOBSound3", "PlayVesselExclusiveWaveOBSound3",
        "StopVesselWave3",          "IsPlayingVesselWave3",   "IsPlayingRadioVesselWave",
        "SoundOption3",             "SetFrequency",           "GetVesselSoundID3",
        "ReplaceStockOBSound3",     "StandInSoundBeginRecording",
        "StandInSoundEndRecording",
    };
    for (const char *name : kExports)
        if (std::string_view(call.call) == name)
            return true;
    return false;
}

// Every call that reached the sound library, with its result, as text, in order:
// "PlayVesselWaveOBSound3(0, 1, 1, 190, 11025) -> 1".
inline std::vector<std::string> SoundLibraryCalls(const host::CallTrace &trace)
{
    std::vector<std::string> out;
    for (const host::TraceCall &call : trace.Calls())
        if (IsSoundLibraryCall(call))
            out.push_back(testing_support::Describe(call, true));
    return out;
}

} // namespace sound_testing
