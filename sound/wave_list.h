// The waves a module hands to the sound library at set-up: one row per slot, the file
// name a relative path with backslash separators, passed on as it stands.
#pragma once

struct WaveFile {
    int slot;
    const char *fileName;
};
