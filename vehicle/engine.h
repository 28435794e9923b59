// The engine: its running sound, and the thrust gate that holds every thruster at zero
// until the driver starts it. Each module keeps engineState in its own type and
// encoding (its description's engineFlag); these helpers are the only readers.
#pragma once

#include "vehicle/built_module.h"

namespace engine {

inline bool IsStarted(EngineState state) { return state == kModule.engineFlag.value.started; }
inline bool IsNotStarted(EngineState state) { return state == kModule.engineFlag.value.notStarted; }

inline constexpr double kRunBaseFrequency = 11025; // Hz at rest
inline constexpr double kRunBaseVolume = 190;
inline constexpr double kRunVolumeGain = 5;        // per m/s
inline constexpr double kRunVolumeCap = 225;
inline constexpr int kRestartVolume = 190;
inline constexpr int kRestartFrequency = 0;
inline constexpr double kDriveMaxThrust = 9000;    // N, thMain and thRetro while running
inline constexpr double kYawMaxThrust = 90000;     // N, each thYaw while running

// The looped running sound at a volume and pitch that follow the working speed.
void PlayRunSound(SurfaceVehicle &v, double workingSpeed);
// Before the start every thruster is held at level 0 and maximum 0; after it the
// drive thrusters are limited to 9000 N and the yaw thrusters to 90000 N.
void GateThrusters(SurfaceVehicle &v);

// A double truncated toward zero, as the sound library takes it; values beyond int's
// range saturate and NaN gives 0, where a plain conversion would be undefined.
int TruncateToInt(double value);

} // namespace engine
