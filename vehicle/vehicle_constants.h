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

// The modes the driver sets and the mechanisms follow, named once for every reader:
// the rear doors (every module), the turret and the cannon (the armed vehicle). The
// cannon's mode is a double in its record, compared exactly with these values.
enum DoorMode { kDoorClosed = 0, kDoorOpen = 1, kDoorClosing = 2, kDoorOpening = 3 };
enum TurretMode { kTurretRising = 0, kTurretHeld = 1, kTurretFalling = 2 };
inline constexpr double kCannonHeld = 0.0, kCannonRaising = 1.0, kCannonLowering = 2.0;

// Wave slots of the sound library: the engine's run and start, the cannon's shot.
enum { SOUND_GO = 1, SOUND_START = 2, SOUND_CANNON = 4 };
