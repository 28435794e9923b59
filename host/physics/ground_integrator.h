// The ground model's integrator and its constants: one rigid body per vessel, moving on
// a flat plane in its own frame (x right, z forward; yaw positive to the right). The
// pushes (thrust, the module's forces) are constant over a step; every load that grows
// with speed is solved for the end of the step, so no step length, up to the largest
// allowed, makes it overshoot, push the body backwards or ring.
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

// What acts on the body over a step, in its own frame: pushes that stay constant, and
// the air drag, a force of coefficient × speed² against the motion.
struct BodyLoads {
    double forward = 0;      // N along z
    double side = 0;         // N along x
    double yawTorque = 0;    // N·m, positive turns right
    double forwardDrag = 0;  // N/(m/s)², moving forward
    double backwardDrag = 0; // N/(m/s)², moving backward
    double sideDrag = 0;     // N/(m/s)², moving sideways
};

// The x with the sign of r that solves linear·x + quadratic·x·|x| = r, for linear > 0
// and quadratic >= 0: the end-of-step speed of a load that grows with it. The root is
// taken in the form that loses no digits when quadratic is small.
inline double SolveImplicit(double r, double linear, double quadratic)
{
    double size = std::abs(r);
    return std::copysign(2 * size / (linear + std::sqrt(linear * linear + 4 * quadratic * size)),
                         r);
}

// One step of length dt (s) for a body of mass (kg) and yaw inertia (kg·m²), both > 0,
// and the angle it turns through over the step (rad). Along the body the pushes, the
// rolling resistance and the drag are implicit in the end speed; across it the grip and
// the drag too; the turn is exact, its damping being linear.
struct StepResult {
    BodyMotion motion;
    double turned = 0; // rad
};

// What the step's length alone decides, the same for every body: worked out once per
// step of a fleet instead of once per body.
struct StepConstants {
    double dt = 0;                 // s
    double yawDecay = 1;           // e^(-g dt) of the yaw grip g on the ground
    double yawDecayComplement = 0; // 1 - e^(-g dt), taken without losing digits

    static StepConstants For(double dt)
    {
        return {dt, std::exp(-kYawGrip * dt), -std::expm1(-kYawGrip * dt)};
    }
};

inline StepResult Integrate(const BodyMotion &m, const BodyLoads &loads, double mass,
                            double inertia, const StepConstants &step, bool onGround)
{
    StepResult out;
    BodyMotion &end = out.motion;
    const double dt = step.dt;

    // Rolling resistance takes up to this much speed in the step; what it can hold
    // stands still, as static friction does.
    const double roll = onGround ? kRollingResistance * kGravity * dt : 0.0;
    const double pushed = m.forward + loads.forward / mass * dt;
    if (pushed > roll)
        end.forward = SolveImplicit(pushed - roll, 1, loads.forwardDrag / mass * dt);
    else if (pushed < -roll)
        end.forward = SolveImplicit(pushed + roll, 1, loads.backwardDrag / mass * dt);

    const double sideGrip = onGround ? kSideGrip * dt : 0.0;
    end.side =
        SolveImplicit(m.side + loads.side / mass * dt, 1 + sideGrip, loads.sideDrag / mass * dt);

    // dω/dt = α - g·ω, exactly: ω tends to α/g at rate g.
    const double accel = loads.yawTorque / inertia;
    if (!onGround) {
        end.yawRate = m.yawRate + accel * dt;
        out.turned = (m.yawRate + 0.5 * accel * dt) * dt;
    } else {
        const double settled = accel / kYawGrip;
        end.yawRate = settled + (m.yawRate - settled) * step.yawDecay;
        out.turned = settled * dt + (m.yawRate - settled) * step.yawDecayComplement / kYawGrip;
    }
    return out;
}

inline StepResult Integrate(const BodyMotion &m, const BodyLoads &loads, double mass,
                            double inertia, double dt, bool onGround)
{
    return Integrate(m, loads, mass, inertia, StepConstants::For(dt), onGround);
}

} // namespace host::ground
