// The vehicle's sound set-up: connect, load the module's waves, switch options off.
#pragma once

#include <span>

#include "sdk/Orbitersdk.h"
#include "sound/wave_list.h"

// Connects the vessel to the sound library and prepares it; the vessel's sound id, or
// -1 when the library is absent (the calls after the connect are then refused).
int SetUpVehicleSounds(OBJHANDLE hVessel, std::span<const WaveFile> waves);
