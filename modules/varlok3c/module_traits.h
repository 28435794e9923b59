// VARLOK3C: what the vehicle engine takes from this module when it is built.
#pragma once

// Mesh handed to the host, without folder or extension.
inline constexpr char kMeshName[] = "VARLOK3A";

// engineState: its type and the two values it takes.
struct EngineFlag {
    typedef double Type;
    static constexpr Type kNotStarted = 0.0;
    static constexpr Type kStarted = 1.0;
};

// Wave slots of the sound library.
enum { SOUND_GO = 1, SOUND_START = 2, SOUND_CANNON = 4 };
