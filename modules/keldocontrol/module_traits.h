// KELDOCONTROL: what the vehicle engine takes from this module when it is built.
#pragma once

// Mesh handed to the host, without folder or extension.
inline constexpr char kMeshName[] = "keldocontrol";

// engineState: its type and the two values it takes.
struct EngineFlag {
    typedef int Type;
    static constexpr Type kNotStarted = 1; // the flag reads "not started" when set
    static constexpr Type kStarted = 0;
};

// Wave slots of the sound library.
enum { SOUND_GO = 1, SOUND_START = 2, SOUND_CANNON = 4 };
