// The base vehicle's waves, shared by VARLOK1 and KELDOCONTROL: engine run and start.
#include "module_traits.h"
#include "sound/wave_list.h"

namespace {

constexpr WaveFile kWaves[] = {
    {SOUND_GO, "Sound\\Vessel\\Varlok\\Varlok-go.wav"},
    {SOUND_START, "Sound\\Vessel\\Varlok\\Varlok-start.wav"},
};

} // namespace

const std::span<const WaveFile> kModuleWaves = kWaves;
