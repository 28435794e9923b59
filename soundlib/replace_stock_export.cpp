// The sound library's stock-sound replacement. The stand-in plays no stock sounds of
// the simulator, so there is none to replace: every call is refused with 0.
#include "host/core/simulator.h"
#include "soundlib/library_state.h"

SOUND_EXPORT int ReplaceStockOBSound3(int id, const char *fileName, int stockSound)
{
    standin::CatchUp();
    int result = 0;
    host::Simulator &sim = host::Simulator::Get();
    if (sim.Trace().enabled)
        sim.Record(-1, "ReplaceStockOBSound3",
                   {host::ToTrace(id), host::ToTrace(fileName), host::ToTrace(stockSound)},
                   host::ToTrace(result));
    return result;
}
