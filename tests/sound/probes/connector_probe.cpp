// Test-only exports of a module's sound connector and of a vehicle's sound id.
#include "sound/sound_connector.h"
#include "vehicle/surface_vehicle.h"

DLLCLBK int ProbeConnect(OBJHANDLE hVessel) { return ConnectToOrbiterSoundDLL3(hVessel); }

DLLCLBK int ProbeLoadWave(int id, int slot, const char *fileName, int loadType)
{
    return SoundConnector::LoadWave(id, slot, fileName, loadType);
}

DLLCLBK int ProbePlayWave(int id, int slot, int loop, int volume, int frequency)
{
    return SoundConnector::PlayWave(id, slot, loop, volume, frequency);
}

DLLCLBK int ProbeStopWave(int id, int slot) { return SoundConnector::StopWave(id, slot); }

DLLCLBK int ProbeIsPlayingWave(int id, int slot)
{
    return SoundConnector::IsPlayingWave(id, slot);
}

DLLCLBK int ProbeSetSoundOption(int id, int option, int value)
{
    return SoundConnector::SetSoundOption(id, option, value);
}

DLLCLBK void ProbeWriteSoundLog(const char *message, const char *detail)
{
    SoundConnector::WriteSoundLog(message, detail);
}

DLLCLBK int ProbeSoundId(VESSEL *vessel) { return static_cast<SurfaceVehicle *>(vessel)->soundId; }
