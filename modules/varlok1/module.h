// VARLOK1: the base vehicle, with rear doors and nothing more. This page and the record
// (vehicle_record.inc: the fields, in declaration order) are the whole module; the
// engine (vehicle/) reads them when it is built for this module.
#pragma once

#include <iterator>
#include <optional>

#include "modules/base/base_vehicle.h"
#include "vehicle/module_description.h"

namespace varlok1 {

using V = SurfaceVehicle;

// Rig: rear-door latches, the driver's four levers, the rear doors and the twelve
// wheels, each wheel turned by a forward and a reverse animation.
// In creation order: the index of a row is the animation's index.
// clang-format off
inline constexpr RigAnimation kAnimations[] = {
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

// The reverse wheel rows keep their odd values: C21 and C32 name x on the other side
// (the same rotation line for an x axis), C22 to C24 a line 3 mm lower.
// One component a row.
// clang-format off
inline constexpr RigComponent kComponents[] = {
    //         animation               from to   groups                        reference point           axis               degrees scaled     parent
    /* C1  */ {&V::animDoorLatchLeft,  0.0, 0.5, {44, 140, 142},               {-0.048, 0.416, -3.211},  {0, -0.25, 0.967}, 90,   kUnscaled, kNoParent},
    /* C2  */ {&V::animDoorLatchRight, 0.0, 0.5, {43, 141, 139},               {0.06, 0.416, -3.211},    {0, 0.25, -0.967}, 90,   kUnscaled, kNoParent},
    /* C3  */ {&V::animLeverLeft1,     0.0, 1.0, {110, 6},                     {-0.707, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C4  */ {&V::animLeverRight1,    0.0, 1.0, {5, 109},                     {-0.591, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C5  */ {&V::animLeverLeft2,     0.0, 1.0, {111, 7},                     {-0.707, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C6  */ {&V::animLeverRight2,    0.0, 1.0, {8, 112},                     {-0.591, -0.83, 2.633},   {1, 0, 0},         45,   kUnscaled, kNoParent},
    /* C7  */ {&V::animRearDoorLeft,   0.5, 1.0, {19, 129, 131, 140, 142, 44}, {-0.416, 0.456, -3.21},   {0, 0.96, 0.25},   170,  kUnscaled, kNoParent},
    /* C8  */ {&V::animRearDoorRight,  0.5, 1.0, {20, 132, 130, 43, 139, 141}, {0.434, 0.456, -3.21},    {0, 0.96, 0.25},   -170, kUnscaled, kNoParent},
    /* C9  */ {&V::animWheelsRightFwd, 0.0, 1.0, {97},                         {1.262, -1.341, 2.068},   {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C10 */ {&V::animWheelsRightFwd, 0.0, 1.0, {96},                         {1.262, -1.341, 1.036},   {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C11 */ {&V::animWheelsRightFwd, 0.0, 1.0, {95},                         {1.262, -1.341, 0.086},   {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C12 */ {&V::animWheelsRightFwd, 0.0, 1.0, {94},                         {1.262, -1.341, -0.822},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C13 */ {&V::animWheelsRightFwd, 0.0, 1.0, {93},                         {1.262, -1.341, -1.788},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C14 */ {&V::animWheelsRightFwd, 0.0, 1.0, {92},                         {1.262, -1.228, -2.918},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C15 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {98},                         {-1.262, -1.341, 2.068},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C16 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {99},                         {-1.262, -1.341, 1.036},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C17 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {100},                        {-1.262, -1.341, 0.086},  {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C18 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {101},                        {-1.262, -1.341, -0.822}, {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C19 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {102},                        {-1.262, -1.341, -1.788}, {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C20 */ {&V::animWheelsLeftFwd,  0.0, 1.0, {103},                        {-1.262, -1.228, -2.918}, {1, 0, 0},         360,  kScaled,   kNoParent},
    /* C21 */ {&V::animWheelsRightRev, 0.0, 1.0, {97},                         {-1.262, -1.341, 2.068},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C22 */ {&V::animWheelsRightRev, 0.0, 1.0, {96},                         {1.262, -1.344, 1.036},   {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C23 */ {&V::animWheelsRightRev, 0.0, 1.0, {95},                         {1.262, -1.344, 0.086},   {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C24 */ {&V::animWheelsRightRev, 0.0, 1.0, {94},                         {1.262, -1.344, -0.822},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C25 */ {&V::animWheelsRightRev, 0.0, 1.0, {93},                         {1.262, -1.341, -1.788},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C26 */ {&V::animWheelsRightRev, 0.0, 1.0, {92},                         {1.262, -1.228, -2.918},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C27 */ {&V::animWheelsLeftRev,  0.0, 1.0, {98},                         {-1.262, -1.341, 2.068},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C28 */ {&V::animWheelsLeftRev,  0.0, 1.0, {99},                         {-1.262, -1.341, 1.036},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C29 */ {&V::animWheelsLeftRev,  0.0, 1.0, {100},                        {-1.262, -1.341, 0.086},  {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C30 */ {&V::animWheelsLeftRev,  0.0, 1.0, {101},                        {-1.262, -1.341, -0.822}, {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C31 */ {&V::animWheelsLeftRev,  0.0, 1.0, {102},                        {-1.262, -1.341, -1.788}, {1, 0, 0},         -360, kUnscaled, kNoParent},
    /* C32 */ {&V::animWheelsLeftRev,  0.0, 1.0, {103},                        {1.262, -1.228, -2.918},  {1, 0, 0},         -360, kUnscaled, kNoParent},
};
// clang-format on

inline std::optional<MGROUP_ROTATION> sharedRecords[std::size(kComponents)];

inline constexpr Rig kRig{kAnimations, kComponents, sharedRecords};
static_assert(std::size(kAnimations) == 12 && std::size(kComponents) == 32,
              "the rig has 12 animations of 32 components");

} // namespace varlok1

inline constexpr ModuleDescription kModule{
    .meshName = "VARLOK",
    .engineFlag = EngineFlag{.notStarted = 1, .started = 0}, // set: "not started"
    .rig = &varlok1::kRig,
    .keys = base_vehicle::kKeys,
    .waves = base_vehicle::kWaves,
    .beforeRolling = NoMechanism,
    .afterDoors = NoMechanism,
};
