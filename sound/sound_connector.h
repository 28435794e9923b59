// Binds at run time to the sound library "OrbiterSound.dll" when the simulator has
// loaded it, and guards every call into it: a vehicle without the library stays silent.
// The state is module-wide, shared by every vehicle of the module.
#pragma once

#include "sdk/Orbitersdk.h"

// Connects the vessel to the sound library; its sound id, or -1 (with one log entry)
// when the library is absent, incomplete or too old.
int ConnectToOrbiterSoundDLL3(OBJHANDLE hVessel);

struct SoundConnector {
    // Each returns the library's result, or 0 when the call is refused: entry unbound,
    // id outside 0..59, slot outside 1..60 (option outside 1..17).
    static int LoadWave(int id, int slot, const char *fileName, int loadType);
    static int PlayWave(int id, int slot, int loop, int volume, int frequency);
    static int StopWave(int id, int slot);
    static int IsPlayingWave(int id, int slot);
    static int SetSoundOption(int id, int option, int value);

    // Appends one entry to "OrbiterSound_Log.txt"; at most 101 per module and process.
    static void WriteSoundLog(const char *message, const char *detail);
};
