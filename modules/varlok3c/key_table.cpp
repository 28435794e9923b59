// VARLOK3C's keys: cameras, cannon and turret pairs, cannon shot, rear doors, engine.
#include "sound/sound_connector.h"
#include "vehicle/keys.h"
#include "vehicle/surface_vehicle.h"

namespace {

enum TurretMode { kTurretRising = 0, kTurretHeld = 1, kTurretFalling = 2 };
constexpr double kCannonHeld = 0.0, kCannonRaising = 1.0, kCannonLowering = 2.0;

void RaiseCannon(SurfaceVehicle &v)
{
    v.cannonMode = keys::PairKey(v.cannonMode, kCannonRaising, kCannonHeld);
}

void LowerCannon(SurfaceVehicle &v)
{
    v.cannonMode = keys::PairKey(v.cannonMode, kCannonLowering, kCannonHeld);
}

void TurnTurretBack(SurfaceVehicle &v)
{
    v.turretMode = keys::PairKey<int>(v.turretMode, kTurretFalling, kTurretHeld);
}

void TurnTurret(SurfaceVehicle &v)
{
    v.turretMode = keys::PairKey<int>(v.turretMode, kTurretRising, kTurretHeld);
}

// Sounds at every press, whatever the engine; the simulator gets the key as well.
void FireCannon(SurfaceVehicle &v) { SoundConnector::PlayWave(v.soundId, SOUND_CANNON, 0, 255, 0); }

const KeyRow kKeys[] = {
    {OAPI_KEY_1, keys::FrontCamera, 1},
    {OAPI_KEY_2, keys::RearCamera, 1},
    {OAPI_KEY_5, RaiseCannon, 1},
    {OAPI_KEY_6, LowerCannon, 1},
    {OAPI_KEY_7, TurnTurretBack, 1},
    {OAPI_KEY_8, TurnTurret, 1},
    {OAPI_KEY_W, FireCannon, 0},
    {OAPI_KEY_D, keys::RearDoors, 1},
    {OAPI_KEY_K, keys::StartEngine, 1},
};

} // namespace

const std::span<const KeyRow> kKeyTable(kKeys);
