// The base vehicle's keys and waves, which VARLOK1 and KELDOCONTROL have as they are.
#pragma once

#include "sound/wave_list.h"
#include "vehicle/keys.h"
#include "vehicle/vehicle_constants.h"

namespace base_vehicle {

// Cameras, rear doors, engine start.
// clang-format off
inline constexpr KeyRow kKeys[] = {
    {OAPI_KEY_1, keys::FrontCamera, 1},
    {OAPI_KEY_2, keys::RearCamera, 1},
    {OAPI_KEY_D, keys::RearDoors, 1},
    {OAPI_KEY_K, keys::StartEngine, 1},
};
// clang-format on

// Engine run and start.
// clang-format off
inline constexpr WaveFile kWaves[] = {
    {SOUND_GO, "Sound\\Vessel\\Varlok\\Varlok-go.wav"},
    {SOUND_START, "Sound\\Vessel\\Varlok\\Varlok-start.wav"},
};
// clang-format on

} // namespace base_vehicle
