// The waves a module hands to the sound library at set-up: one row per slot, the file
// name a relative path with backslash separators, passed on as it stands.
#pragma once

#include <span>

struct WaveFile {
    int slot;
    const char *fileName;
};

// This module's waves, in loading order (modules/<name>/waves.cpp).
extern const std::span<const WaveFile> kModuleWaves;
