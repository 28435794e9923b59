// The first half of every step: braking force, wheel rolling and lever poses, turned
// from what the host reports. Rates are per step, not per second.
#pragma once

class SurfaceVehicle;

// What the host reported at the start of the step.
struct DriveReadings {
    double airspeed = 0;        // m/s
    double airspeedZ = 0;       // m/s, the vehicle's own airspeed along its z axis
    bool groundContact = false;
    double mainLevel = 0;       // thMain, 0..1
    double retroLevel = 0;      // thRetro, 0..1
};

namespace drive {

inline constexpr double kBrakingSpeed = 13;      // m/s, braking strictly above
inline constexpr double kBrakingForce = 9000;    // N along z, at the origin
inline constexpr double kRollingSpeed = 0.15;    // m/s, wheels roll strictly above
inline constexpr double kRollingSpeedCap = 55;   // m/s
inline constexpr double kStraightRollGain = 1.0 / 300; // turns per m/s per step
inline constexpr double kTurnRollGain = 0.01;    // turns per m/s per step
inline constexpr double kTurnRollBase = 0.01;    // turns per step
inline constexpr double kTurningRudder = 0.15;   // rudder magnitude, strictly beyond
inline constexpr double kThrottleStep = 0.01;    // per step
inline constexpr double kThrottleForward = 0.25;
inline constexpr double kLeverRest = 0.5;
inline constexpr double kThrottleReverse = 0.75;
inline constexpr double kSteerStep = 0.05;       // per step

// Reads the airspeed, stores the rudder level, and reads the rest of the step's inputs.
DriveReadings ReadInputs(SurfaceVehicle &v);
// 9000 N against the direction of travel when on the ground above 13 m/s.
void ApplyBrakingForce(SurfaceVehicle &v, const DriveReadings &in);
// Rolls the wheels; returns the working speed, capped at 55 where a rolling branch ran.
double RollWheels(SurfaceVehicle &v, const DriveReadings &in);
// Throttle pose, then steering pose, of the four levers.
void PoseLevers(SurfaceVehicle &v, const DriveReadings &in);

} // namespace drive
