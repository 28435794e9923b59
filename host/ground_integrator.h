// The ground model's integrator and its constants: one rigid body per vessel, moving on
// a flat plane in its own frame (x right, z forward; yaw positive to the right). Loads
// are taken as constant over a step; the ground's resistance is applied implicitly, so
// a step of any length never makes it push the body backwards or ring.
#pragma once

#include <cmath>

namespace host::ground {

// Sea-level air: the thrusters are rated at 101400 Pa, an Earth-like atmosphere.
inline constexpr double kAirDensity = 1.225; // kg/m³

// Standard gravity: the weight that presses the wheels onto the ground.
inline constexpr double kGravity = 9.81; // m/s²

// Rolling resistance as a share of the weight, along the body: wheels on firm ground
// (car tyres on a road 0.01 to 0.015, on packed earth about 0.02). It brings a coasting
// vehicle to a stop and holds a parked one against the slightest push.
inline constexpr double kRollingResistance = 0.02;

// Side grip, 1/s: the rate at which the wheels kill a sideways slide. Wheels hold
// across: a slide dies within about 0.05 s, so the vehicle follows its nose in turns.
inline constexpr double kSideGrip = 20.0; // 1/s

// Yaw grip, 1/s: the rate at which the ground damps turning, the scrub of the wheels
// that skid sideways in a skid-steer turn. With the yaw thrusters' full torque a
// 400 kg vehicle settles at about 80°/s, and a turn stops within half a second.
inline constexpr double kYawGrip = 6.0; // 1/s

// The body's motion in its own frame.
struct BodyMotion {
    double forward = 0; // m/s along z
    double side = 0;    // m/s along x
    double yawRate = 0; // rad/s, positive turns right (clockwise seen from above)
};

// What pushes the body over a step, in its own frame.
struct BodyLoads {
    double forward = 0;   // N along z
    double side = 0;      // N along x
    double yawTorque = 0; // N·m, positive turns right
};

// One step of length dt (s) for a body of mass (kg) and yaw inertia (kg·m²), both > 0:
// the loads accelerate it, then the ground resists where the body stands on it.
inline BodyMotion Integrate(BodyMotion m, const BodyLoads &loads, double mass, double inertia,
                            double dt, bool onGround)
{
    m.forward += loads.forward / mass * dt;
    m.side += loads.side / mass * dt;
    m.yawRate += loads.yawTorque / inertia * dt;
    if (!onGround)
        return m;

    // Rolling resistance takes a fixed amount of speed per step and stops at 0.
    double roll = kRollingResistance * kGravity * dt;
    m.forward = std::abs(m.forward) <= roll ? 0.0 : m.forward - std::copysign(roll, m.forward);

    m.side /= 1.0 + kSideGrip * dt;
    m.yawRate /= 1.0 + kYawGrip * dt;
    return m;
}

} // namespace host::ground
