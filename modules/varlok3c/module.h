// VARLOK3C: the base vehicle with a turret, and a cannon on the turret. This page and
// the record (vehicle_record.inc: the fields, in declaration order) are the whole
// module; the engine (vehicle/) reads them when it is built for this module.
#pragma once

#include <iterator>
#include <optional>

#include "sound/sound_connector.h"
#include "vehicle/mechanisms.h"
#include "vehicle/module_description.h"

namespace varlok3c {

using V = SurfaceVehicle;

// Rig: the turret with its cannon in front, then the latches, levers, rear doors and
// wheels that every module has, with this mesh's group numbers.
// In creation order: the index of a row is the animation's index.
// clang-format off
inline constexpr RigAnimation kAnimations[] = {
    {&V::animTurret},
    {&V::animCannon},
    {&V::animDoorLatchLeft},
    {&V::animDoorLatchRight},
    {&V::animLeverLeft1},
    {&V::animLeverRight1},
    {&V::animLeverLeft2},
    {&V::animLeverRight2},
    {&V::animRearDoorLeft},
    {&V::animRearDoorRight},
    {&V::animWheelsRightFwd},
    {&V::animWheelsLeftFwd},
    {&V::animWheelsRightRev},
    {&V::animWheelsLeftRev},
};
// clang-format on

// C2 hangs on C1, so the cannon's pitch axis turns with the turret. The reverse wheel
// rows keep their odd values: C23 and C34 name x on the other side (the same rotation
// line for an x axis), C24 to C26 a line 3 mm lower.
// One component a row.
// clang-format off
inline constexpr RigComponent kComponents[] = {
    //         animation               from to   groups                        reference point           axis               degrees scaled     parent
    /* C1  */ {&V::animTurret,         0.0, 1.0, {44},                         {-0.64, 1.243, -0.096},   {0, 1, 0},         360,  kUnscaled, kNoParent},
    /* C2  */ {&V::animCannon,         0.0, 1.0, {96, 0},                      {-0.64, 1.243, -0.096},   {1, 0, 0},         -90,  kUnscaled, 1},
    /* C3  */ {&V::animDoorLatchLeft,  0.0, 0.5, {48, 145, 147},               {-0.048, 0.416, -3.211},  {0, -0.25, 0.967}, 90,   kUnscaled, kNoParent},
    /* C4  */ {&V::animDoorLatchRight, 0.0, 0.5, {47, 144, 146},               {0.06, 0.416, -3.211},    {0, 0.25, -0.967}, 90,   kUnscaled, kNoParent},
    /* C5  */ {&V::animLeverLeft1,     0.0, 1.0, {115, 7},                     {-0.707, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C6  */ {&V::animLeverRight1,    0.0, 1.0, {6, 114},                     {-0.591, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C7  */ {&V::animLeverLeft2,     0.0, 1.0, {116, 8},                     {-0.707, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C8  */ {&V::animLeverRight2,    0.0, 1.0, {9, 117},                     {-0.591, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C9  */ {&V::animRearDoorLeft,   0.5, 1.0, {20, 134, 136, 145, 147, 48}, {-0.416, 0.456, -3.21},   {0, 0.96, 0.25},   170,  kUnscaled, kNoParent},
    /* C10 */ {&V::animRearDoorRight,  0.5, 1.0, {21, 135, 137, 146, 144, 47}, {0.434, 0.456, -3.21},    {0, 0.96, 0.25},   -170, kUnscaled, kNoParent},
    /* C11 */ {&V::animWheelsRightFwd, 0.0, 1.0, {102},                        {1.262, -1.341, 2.068},   {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C12 */ {&V::animWheelsRightFwd, 0.0, 1.0, {101},                        {1.262, -1.341, 1.036},   {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C13 */ {&V::animWheelsRightFwd, 0.0, 1.0, {100},                        {1.262, -1.341, 0.086},   {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C14 */ {&V::animWheelsRightFwd, 0.0, 1.0, {99},                         {1.262, -1.341, -0.822},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C15 */ {&V::animWheelsRightFwd, 0.0, 1.0, {98},                         {1.262, -1.341, -1.788},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C16 */ {&V::animWheelsRightFwd, 0.0, 1.0, {97},                         {1.262, -1.228, -2.918},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C17 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {103},                        {-1.262, -1.341, 2.068},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C18 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {104},                        {-1.262, -1.341, 1.036},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C19 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {105},                        {-1.262, -1.341, 0.086},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C20 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {106},                        {-1.262, -1.341, -0.822}, {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C21 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {107},                        {-1.262, -1.341, -1.788}, {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C22 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {108},                        {-1.262, -1.228, -2.918}, {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C23 */ {&V::animWheelsRightRev, 0.0, 1.0, {102},                        {-1.262, -1.341, 2.068},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C24 */ {&V::animWheelsRightRev, 0.0, 1.0, {101},                        {1.262, -1.344, 1.036},   {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C25 */ {&V::animWheelsRightRev, 0.0, 1.0, {100},                        {1.262, -1.344, 0.086},   {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C26 */ {&V::animWheelsRightRev, 0.0, 1.0, {99},                         {1.262, -1.344, -0.822},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C27 */ {&V::animWheelsRightRev, 0.0, 1.0, {98},                         {1.262, -1.341, -1.788},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C28 */ {&V::animWheelsRightRev, 0.0, 1.0, {97},                         {1.262, -1.228, -2.918},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C29 */ {&V::animWheelsLeftRev,  0.0, 1.0, {103},                        {-1.262, -1.341, 2.068},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C30 */ {&V::animWheelsLeftRev,  0.0, 1.0, {104},                        {-1.262, -1.341, 1.036},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C31 */ {&V::animWheelsLeftRev,  0.0, 1.0, {105},                        {-1.262, -1.341, 0.086},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C32 */ {&V::animWheelsLeftRev,  0.0, 1.0, {106},                        {-1.262, -1.341, -0.822}, {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C33 */ {&V::animWheelsLeftRev,  0.0, 1.0, {107},                        {-1.262, -1.341, -1.788}, {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C34 */ {&V::animWheelsLeftRev,  0.0, 1.0, {108},                        {1.262, -1.228, -2.918},  {1, 0, 0},         -360, kUnscaled, kNoParent},
};
// clang-format on

// Slot 2 stays empty: every vehicle makes its own cannon record.
inline std::optional<MGROUP_ROTATION> sharedRecords[std::size(kComponents)];

inline constexpr Rig kRig{kAnimations, kComponents, sharedRecords, &V::cannonTransform, 2};
static_assert(std::size(kAnimations) == 14 && std::size(kComponents) == 34,
              "the rig has 14 animations of 34 components");

// Keys: cameras, cannon and turret pairs, cannon shot, rear doors, engine.

inline void RaiseCannon(V &v)
{
    v.cannonMode = keys::PairKey(v.cannonMode, kCannonRaising, kCannonHeld);
}

inline void LowerCannon(V &v)
{
    v.cannonMode = keys::PairKey(v.cannonMode, kCannonLowering, kCannonHeld);
}

inline void TurnTurretBack(V &v)
{
    v.turretMode = keys::PairKey<int>(v.turretMode, kTurretFalling, kTurretHeld);
}

inline void TurnTurret(V &v)
{
    v.turretMode = keys::PairKey<int>(v.turretMode, kTurretRising, kTurretHeld);
}

// Sounds at every press, whatever the engine; the simulator gets the key as well.
inline void FireCannon(V &v) { SoundConnector::PlayWave(v.soundId, SOUND_CANNON, 0, 255, 0); }

// clang-format off
inline constexpr KeyRow kKeys[] = {
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
// clang-format on

// clang-format off
inline constexpr WaveFile kWaves[] = {
    {SOUND_GO, "Sound\\Vessel\\Varlok\\Varlok-go.wav"},
    {SOUND_START, "Sound\\Vessel\\Varlok\\Varlok-start.wav"},
    {SOUND_CANNON, "Sound\\Vessel\\Varlok\\cannon.wav"},
};
// clang-format on

// The turret and cannon move at every step, after the rear doors.
inline void MoveTurretAndCannon(V &v, double simdt)
{
    const double d = mechanisms::StepAdvance(simdt, v.mechanismRate);
    v.SetAnimation(v.animTurret, mechanisms::StepTurret(v.turretPosition, v.turretMode, d));
    v.SetAnimation(v.animCannon, mechanisms::StepCannon(v.cannonPosition, v.cannonMode, d));
}

} // namespace varlok3c

inline constexpr ModuleDescription kModule{
    .meshName = "VARLOK3A",
    .engineFlag = EngineFlag{.notStarted = 0.0, .started = 1.0},
    .rig = &varlok3c::kRig,
    .keys = varlok3c::kKeys,
    .waves = varlok3c::kWaves,
    .beforeRolling = NoMechanism,
    .afterDoors = varlok3c::MoveTurretAndCannon,
};
