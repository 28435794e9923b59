#include "vehicle/engine.h"

#include <climits>

#include "sound/sound_connector.h"
#include "vehicle/surface_vehicle.h"

namespace engine {

int TruncateToInt(double value)
{
    if (!(value == value))
        return 0;
    if (value >= double(INT_MAX))
        return INT_MAX;
    if (value <= double(INT_MIN))
        return INT_MIN;
    return int(value);
}

void PlayRunSound(SurfaceVehicle &v, double workingSpeed)
{
    const int frequency = TruncateToInt(workingSpeed * v.enginePitchFactor + kRunBaseFrequency);
    double volume = workingSpeed * kRunVolumeGain + kRunBaseVolume;
    if (!(volume < kRunVolumeCap))
        volume = kRunVolumeCap;
    if (!IsStarted(v.engineState))
        return;
    SoundConnector::PlayWave(v.soundId, SOUND_GO, 1, TruncateToInt(volume), frequency);
    if (SoundConnector::IsPlayingWave(v.soundId, SOUND_GO) == 0 && !(workingSpeed < 0))
        SoundConnector::PlayWave(v.soundId, SOUND_GO, 1, kRestartVolume, kRestartFrequency);
    else if (SoundConnector::IsPlayingWave(v.soundId, SOUND_GO) != 0 && workingSpeed < 0)
        SoundConnector::StopWave(v.soundId, SOUND_GO);
}

void GateThrusters(SurfaceVehicle &v)
{
    if (IsNotStarted(v.engineState)) {
        v.SetThrusterGroupLevel(THGROUP_MAIN, 0);
        v.SetThrusterLevel(v.thMain, 0);
        v.SetThrusterMax0(v.thMain, 0);
        v.SetThrusterGroupLevel(THGROUP_RETRO, 0);
        v.SetThrusterLevel(v.thRetro, 0);
        v.SetThrusterMax0(v.thRetro, 0);
        for (THRUSTER_HANDLE th : v.thYaw) {
            v.SetThrusterLevel(th, 0);
            v.SetThrusterMax0(th, 0);
        }
    }
    if (IsStarted(v.engineState)) {
        v.SetThrusterMax0(v.thMain, kDriveMaxThrust);
        v.SetThrusterMax0(v.thRetro, kDriveMaxThrust);
        for (THRUSTER_HANDLE th : v.thYaw)
            v.SetThrusterMax0(th, kYawMaxThrust);
    }
}

} // namespace engine
