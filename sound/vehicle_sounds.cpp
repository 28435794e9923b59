// The vehicle's sound set-up: connect, load the module's waves, switch options off.
#include "sound_connector.h"
#include "surface_vehicle.h"
#include "wave_list.h"

namespace {

constexpr int kWaveLoadType = 4;

// Library options switched off at set-up, in this order; none is switched on.
constexpr int kOptionsOff[] = {5, 6, 7, 1, 13, 14, 16, 17};

} // namespace

void SurfaceVehicle::clbkPostCreation()
{
    soundId = ConnectToOrbiterSoundDLL3(GetHandle());
    for (const WaveFile &wave : kModuleWaves)
        SoundConnector::LoadWave(soundId, wave.slot, wave.fileName, kWaveLoadType);
    for (int option : kOptionsOff)
        SoundConnector::SetSoundOption(soundId, option, 0);
}
