// The floor of a module step: the same host calls with the same arguments as one step
// of the vehicle, written out as straight calls with no vehicle logic. The functions
// are generated at build time by floor_capture from a step captured with the trace on.
#pragma once

#include <cstdint>
#include <span>

#include "sdk/VesselAPI.h"

namespace bench {

// The sound library's entries that a step calls, looked up in the loaded library: the
// same addresses the module's connector binds.
struct SoundEntries {
    int (*play)(int id, int slot, int loop, int volume, int frequency);
    int (*isPlaying)(int id, int slot);
    int (*stop)(int id, int slot);
};

struct FloorReplay {
    const char *className;
    const char *situation;
    bool sound; // false: the vehicle without the sound library, as a large fleet's are
    void (*replay)(const VESSEL &v, const SoundEntries &sound);
    const char *calls; // the captured step as CallsText, to check the vehicle against
};

std::span<const FloorReplay> FloorReplays();

// Spelled out so the generated calls pick the same overloads as the vehicle code.
inline void *Handle(std::uintptr_t bits) { return reinterpret_cast<void *>(bits); }
inline THGROUP_TYPE GroupArg(int type) { return THGROUP_TYPE(type); }
inline THGROUP_HANDLE GroupArg(void *handle) { return handle; }

} // namespace bench
