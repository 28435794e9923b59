#include "module_traits.h"
#include "sound/wave_list.h"

namespace {

constexpr WaveFile kWaves[] = {
    {SOUND_GO, "Sound\\Vessel\\Varlok\\Varlok-go.wav"},
    {SOUND_START, "Sound\\Vessel\\Varlok\\Varlok-start.wav"},
    {SOUND_CANNON, "Sound\\Vessel\\Varlok\\cannon.wav"},
};

} // namespace

const std::span<const WaveFile> kModuleWaves = kWaves;
