// Test-only export of a module variant: the guarded play call of the module's sound
// connector, reachable from the benchmark. A tail call, so it adds one jump.
#include "sound/sound_connector.h"

extern "C" __attribute__((visibility("default"))) int BenchGuardedPlayWave(int id, int slot,
                                                                        int loop, int volume,
                                                                        int frequency)
{
    return SoundConnector::PlayWave(id, slot, loop, volume, frequency);
}
