#include "sound/vehicle_sounds.h"

#include "sound/sound_connector.h"

namespace {

constexpr int kWaveLoadType = 4;

// Library options switched off at set-up, in this order; none is switched on.
constexpr int kOptionsOff[] = {5, 6, 7, 1, 13, 14, 16, 17};

} // namespace

int SetUpVehicleSounds(OBJHANDLE hVessel, std::span<const WaveFile> waves)
{
    int soundId = ConnectToOrbiterSoundDLL3(hVessel);
    for (const WaveFile &wave : waves)
        SoundConnector::LoadWave(soundId, wave.slot, wave.fileName, kWaveLoadType);
    for (int option : kOptionsOff)
        SoundConnector::SetSoundOption(soundId, option, 0);
    return soundId;
}
