// Values that every module's record starts from and that no operation changes.
#pragma once

// Every mechanism moves this many state units per second of simulated time.
inline constexpr double kMechanismRate = 0.25;

// Full turns of a forward wheel animation over its state range.
inline constexpr double kWheelAngleScale = 1.0;

// Gain of the engine-run note with speed, in hertz per m/s: from 11025 Hz at rest to
// 22025 Hz at the 55 m/s cap, one octave, so the note is heard to climb while driving.
inline constexpr double kEnginePitchFactor = 200.0;

// The sound id of a vehicle without sound; every sound call refuses it.
inline constexpr int kNoSound = -1;

// Wave slots of the sound library: the engine's run and start, the cannon's shot.
enum { SOUND_GO = 1, SOUND_START = 2, SOUND_CANNON = 4 };
