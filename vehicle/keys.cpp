#include "vehicle/keys.h"

#include "sound/sound_connector.h"
#include "vehicle/built_module.h"
#include "vehicle/engine.h"
#include "vehicle/surface_vehicle.h"

namespace {

enum CameraPositionIndex { kFrontCamera = 0, kRearCamera = 1 };

constexpr int kStartCueVolume = 255;
constexpr int kStartCueFrequency = 22100; // Hz

} // namespace

int SurfaceVehicle::clbkConsumeBufferedKey(DWORD key, bool down, char * /*kstate*/)
{
    if (!down)
        return 0; // releases are never used
    for (const KeyRow &row : kModule.keys.value) {
        if (row.scanCode == key) {
            row.action(*this);
            return row.result;
        }
    }
    return 0;
}

void SurfaceVehicle::ToggleRearDoors()
{
    // Closed or closing: open. Open or opening: close. The position is left where it
    // stands, so a toggle during travel reverses from there.
    doorMode = (doorMode == kDoorClosed || doorMode == kDoorClosing) ? kDoorOpening : kDoorClosing;
}

namespace keys {

void FrontCamera(SurfaceVehicle &v) { v.SelectCameraPosition(kFrontCamera); }
void RearCamera(SurfaceVehicle &v) { v.SelectCameraPosition(kRearCamera); }
void RearDoors(SurfaceVehicle &v) { v.ToggleRearDoors(); }

void StartEngine(SurfaceVehicle &v)
{
    if (!engine::IsNotStarted(v.engineState))
        return;
    SoundConnector::PlayWave(v.soundId, SOUND_START, 0, kStartCueVolume, kStartCueFrequency);
    v.engineState = kModule.engineFlag.value.started;
}

} // namespace keys
