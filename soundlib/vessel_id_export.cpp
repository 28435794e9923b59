// The sound library's id look-up: one id per live vessel of the host.
#include "host/core/simulator.h"
#include "soundlib/library_state.h"

SOUND_EXPORT int GetVesselSoundID3(OBJHANDLE hVessel)
{
    standin::CatchUp();
    host::Simulator &sim = host::Simulator::Get();
    host::Vessel *vessel = sim.FromHandle(hVessel);
    // A handle that names no live vessel gets no id.
    int result = vessel ? standin::Bank().IdOf(vessel->id) : -1;
    if (sim.Trace().enabled)
        sim.Record(-1, "GetVesselSoundID3", {host::ToTrace(host::VesselRef{vessel ? vessel->id : -1})},
                   host::ToTrace(result));
    return result;
}
