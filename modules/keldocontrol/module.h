// KELDOCONTROL: the base vehicle with a rotator on its roof. This page and the record
// (vehicle_record.inc: the fields, in declaration order) are the whole module; the
// engine (vehicle/) reads them when it is built for this module.
#pragma once

#include <iterator>
#include <optional>

#include "modules/base/base_vehicle.h"
#include "vehicle/mechanisms.h"
#include "vehicle/module_description.h"

namespace keldocontrol {

using V = SurfaceVehicle;

// Rig: the roof assembly first, then the latches, levers, rear doors and wheels that
// every module has, with this mesh's group numbers.
// In creation order: the index of a row is the animation's index.
// clang-format off
inline constexpr RigAnimation kAnimations[] = {
    {&V::animRoofRotator},
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

// The roof's full turn does not take the wheel scale. The reverse wheel rows keep their
// odd values: C22 and C33 name x on the other side (the same rotation line for an
// x axis), C23 to C25 a line 3 mm lower.
// One component a row.
// clang-format off
inline constexpr RigComponent kComponents[] = {
    //         animation               from to   groups                        reference point           axis               degrees scaled     parent
    /* C1  */ {&V::animRoofRotator,    0.0, 1.0, {43, 44, 46, 98, 139},        {0, 1.051, -1.121},       {0, 1, 0},         360,  kUnscaled, kNoParent},
    /* C2  */ {&V::animDoorLatchLeft,  0.0, 0.5, {50, 160, 162},               {-0.048, 0.416, -3.211},  {0, -0.25, 0.967}, 90,   kUnscaled, kNoParent},
    /* C3  */ {&V::animDoorLatchRight, 0.0, 0.5, {49, 161, 159},               {0.06, 0.416, -3.211},    {0, 0.25, -0.967}, 90,   kUnscaled, kNoParent},
    /* C4  */ {&V::animLeverLeft1,     0.0, 1.0, {117, 6},                     {-0.707, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C5  */ {&V::animLeverRight1,    0.0, 1.0, {5, 116},                     {-0.591, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C6  */ {&V::animLeverLeft2,     0.0, 1.0, {118, 7},                     {-0.707, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C7  */ {&V::animLeverRight2,    0.0, 1.0, {8, 119},                     {-0.591, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C8  */ {&V::animRearDoorLeft,   0.5, 1.0, {162, 160, 149, 151, 19, 50}, {-0.416, 0.456, -3.21},   {0, 0.96, 0.25},   170,  kUnscaled, kNoParent},
    /* C9  */ {&V::animRearDoorRight,  0.5, 1.0, {161, 159, 152, 150, 20, 49}, {0.434, 0.456, -3.21},    {0, 0.96, 0.25},   -170, kUnscaled, kNoParent},
    /* C10 */ {&V::animWheelsRightFwd, 0.0, 1.0, {104},                        {1.262, -1.341, 2.068},   {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C11 */ {&V::animWheelsRightFwd, 0.0, 1.0, {103},                        {1.262, -1.341, 1.036},   {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C12 */ {&V::animWheelsRightFwd, 0.0, 1.0, {102},                        {1.262, -1.341, 0.086},   {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C13 */ {&V::animWheelsRightFwd, 0.0, 1.0, {101},                        {1.262, -1.341, -0.822},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C14 */ {&V::animWheelsRightFwd, 0.0, 1.0, {100},                        {1.262, -1.341, -1.788},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C15 */ {&V::animWheelsRightFwd, 0.0, 1.0, {99},                         {1.262, -1.228, -2.918},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C16 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {105},                        {-1.262, -1.341, 2.068},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C17 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {106},                        {-1.262, -1.341, 1.036},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C18 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {107},                        {-1.262, -1.341, 0.086},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C19 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {108},                        {-1.262, -1.341, -0.822}, {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C20 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {109},                        {-1.262, -1.341, -1.788}, {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C21 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {110},                        {-1.262, -1.228, -2.918}, {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C22 */ {&V::animWheelsRightRev, 0.0, 1.0, {104},                        {-1.262, -1.341, 2.068},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C23 */ {&V::animWheelsRightRev, 0.0, 1.0, {103},                        {1.262, -1.344, 1.036},   {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C24 */ {&V::animWheelsRightRev, 0.0, 1.0, {102},                        {1.262, -1.344, 0.086},   {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C25 */ {&V::animWheelsRightRev, 0.0, 1.0, {101},                        {1.262, -1.344, -0.822},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C26 */ {&V::animWheelsRightRev, 0.0, 1.0, {100},                        {1.262, -1.341, -1.788},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C27 */ {&V::animWheelsRightRev, 0.0, 1.0, {99},                         {1.262, -1.228, -2.918},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C28 */ {&V::animWheelsLeftRev,  0.0, 1.0, {105},                        {-1.262, -1.341, 2.068},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C29 */ {&V::animWheelsLeftRev,  0.0, 1.0, {106},                        {-1.262, -1.341, 1.036},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C30 */ {&V::animWheelsLeftRev,  0.0, 1.0, {107},                        {-1.262, -1.341, 0.086},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C31 */ {&V::animWheelsLeftRev,  0.0, 1.0, {108},                        {-1.262, -1.341, -0.822}, {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C32 */ {&V::animWheelsLeftRev,  0.0, 1.0, {109},                        {-1.262, -1.341, -1.788}, {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C33 */ {&V::animWheelsLeftRev,  0.0, 1.0, {110},                        {1.262, -1.228, -2.918},  {1, 0, 0},         -360, kUnscaled, kNoParent},
};
// clang-format on

inline std::optional<MGROUP_ROTATION> sharedRecords[std::size(kComponents)];

inline constexpr Rig kRig{kAnimations, kComponents, sharedRecords};
static_assert(std::size(kAnimations) == 13 && std::size(kComponents) == 33,
              "the rig has 13 animations of 33 components");

// The roof rotator turns at every step, between braking and wheel rolling.
inline void TurnRoofRotator(V &v, double simdt)
{
    const double d = mechanisms::StepAdvance(simdt, v.mechanismRate);
    v.SetAnimation(v.animRoofRotator, mechanisms::StepRoofRotator(v.roofRotation, d));
}

} // namespace keldocontrol

inline constexpr ModuleDescription kModule{
    .meshName = "keldocontrol",
    .engineFlag = EngineFlag{.notStarted = 1, .started = 0}, // set: "not started"
    .rig = &keldocontrol::kRig,
    .keys = base_vehicle::kKeys,
    .waves = base_vehicle::kWaves,
    .beforeRolling = keldocontrol::TurnRoofRotator,
    .afterDoors = NoMechanism,
};
