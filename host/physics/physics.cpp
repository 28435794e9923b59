#include "host/physics/physics.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <utility>

#include "host/base/host_error.h"
#include "host/physics/portable_math.h"

namespace host {

namespace {

constexpr double kFullTurn = 2 * std::numbers::pi;

// Yaw torque of a force at a point, positive to the right: a push forward on the right
// side turns the nose left.
double YawTorque(const VECTOR3 &force, const VECTOR3 &point)
{
    return point.z * force.x - point.x * force.z;
}

// The force a thruster gives with fuel in its tank, N.
double ThrustOf(const Thruster &thruster)
{
    return std::clamp(thruster.level, 0.0, 1.0) * std::max(thruster.max0, 0.0);
}

// The force a thruster gives now, N; none once its tank is dry.
double ThrustOf(const Vessel &vessel, const Thruster &thruster)
{
    if (thruster.propellant >= 0 && std::size_t(thruster.propellant) < vessel.propellants.size() &&
        vessel.propellants[thruster.propellant].mass <= 0)
        return 0;
    return ThrustOf(thruster);
}

// Takes what the thrusters burnt over the step from their tanks. A tank that one
// thruster empties gives the next nothing.
void BurnPropellant(Vessel &vessel, double dt)
{
    for (const Thruster &thruster : vessel.thrusters) {
        if (thruster.propellant < 0 ||
            std::size_t(thruster.propellant) >= vessel.propellants.size())
            continue;
        Propellant &tank = vessel.propellants[thruster.propellant];
        double exhaustSpeed = thruster.isp0 * tank.efficiency; // m/s
        if (exhaustSpeed <= 0)
            continue;
        double thrust = tank.mass <= 0 ? 0.0 : ThrustOf(thruster);
        tank.mass = std::max(0.0, tank.mass - thrust / exhaustSpeed * dt);
    }
}

// Drag coefficient of one axis: the drag is ½ ρ cw A v² against the motion.
double DragCoefficient(double cw, double area) { return 0.5 * ground::kAirDensity * cw * area; }

void Report(Vessel &vessel, const ground::BodyMotion &body, bool onGround)
{
    vessel.readings.airspeed = ground::Hypot(body.forward, body.side);
    vessel.readings.airspeedVector = _V(body.side, 0.0, body.forward);
    vessel.readings.groundContact = onGround;
}

// The parts of a step, inlined into it; the functions of the same names call them.
[[gnu::always_inline]] inline double MassOf(const Vessel &vessel)
{
    double mass = vessel.emptyMass;
    for (const Propellant &tank : vessel.propellants)
        mass += tank.mass;
    return mass;
}

[[gnu::always_inline]] inline bool OnGround(const Vessel &vessel)
{
    const VECTOR3 *p = vessel.touchdown;
    // Twice the area of the footprint on the ground plane.
    double area = (p[1].x - p[0].x) * (p[2].z - p[0].z) - (p[2].x - p[0].x) * (p[1].z - p[0].z);
    return std::abs(area) > 1e-9;
}

[[gnu::always_inline]] inline ground::BodyLoads Loads(const Vessel &vessel)
{
    ground::BodyLoads loads;
    for (const Thruster &thruster : vessel.thrusters) {
        double thrust = ThrustOf(vessel, thruster);
        VECTOR3 force = _V(thruster.direction.x * thrust, thruster.direction.y * thrust,
                           thruster.direction.z * thrust);
        loads.forward += force.z;
        loads.side += force.x;
        loads.yawTorque += YawTorque(force, thruster.position);
    }
    for (const AddedForce &added : vessel.forces) {
        loads.forward += added.force.z;
        loads.side += added.force.x;
        loads.yawTorque += YawTorque(added.force, added.point);
    }
    loads.forwardDrag = DragCoefficient(vessel.cw[0], vessel.crossSections.z);
    loads.backwardDrag = DragCoefficient(vessel.cw[1], vessel.crossSections.z);
    loads.sideDrag = DragCoefficient(vessel.cw[2], vessel.crossSections.x);
    return loads;
}

// The heading's sine and cosine, worked out only for a heading other than the last.
[[gnu::always_inline]] inline const HeadingTrig &TrigOf(HeadingTrig &trig, double heading)
{
    const auto bits = std::bit_cast<std::uint64_t>(heading);
    if (!trig.known || trig.headingBits != bits) {
        trig.known = true;
        trig.headingBits = bits;
        const ground::SineCosine sc = ground::SinCos(heading);
        trig.sin = sc.sin;
        trig.cos = sc.cos;
    }
    return trig;
}

} // namespace

double VesselMass(const Vessel &vessel) { return MassOf(vessel); }

double YawInertia(const Vessel &vessel) { return VesselMass(vessel) * vessel.pmi.y; }

bool RestsOnGround(const Vessel &vessel) { return OnGround(vessel); }

ground::BodyMotion BodyMotionOf(const Motion &motion)
{
    HeadingTrig trig;
    return BodyMotionOf(motion, TrigOf(trig, motion.heading));
}

ground::BodyMotion BodyMotionOf(const Motion &motion, const HeadingTrig &trig)
{
    const double s = trig.sin, c = trig.cos;
    ground::BodyMotion body;
    body.forward = motion.vx * s + motion.vz * c;
    body.side = motion.vx * c - motion.vz * s;
    body.yawRate = motion.yawRate;
    return body;
}

void SetGroundVelocity(Motion &motion, const ground::BodyMotion &body)
{
    HeadingTrig trig;
    SetGroundVelocity(motion, body, TrigOf(trig, motion.heading));
}

void SetGroundVelocity(Motion &motion, const ground::BodyMotion &body, const HeadingTrig &trig)
{
    const double s = trig.sin, c = trig.cos;
    motion.vx = body.forward * s + body.side * c;
    motion.vz = body.forward * c - body.side * s;
    motion.yawRate = body.yawRate;
}

ground::BodyLoads LoadsOn(const Vessel &vessel) { return Loads(vessel); }

void MoveOnGround(Vessel &vessel, const ground::StepConstants &step)
{
    const double dt = step.dt;
    ground::BodyMotion body =
        BodyMotionOf(vessel.motion, TrigOf(vessel.headingTrig, vessel.motion.heading));
    const bool onGround = OnGround(vessel);
    const double mass = MassOf(vessel);
    if (mass > 0 && dt > 0) {
        ground::BodyLoads loads = Loads(vessel);
        double inertia = mass * vessel.pmi.y;
        if (inertia <= 0) { // no declared moments: nothing turns the body
            loads.yawTorque = 0;
            inertia = 1;
        }
        ground::StepResult result = ground::Integrate(body, loads, mass, inertia, step, onGround);
        body = result.motion;
        BurnPropellant(vessel, dt);

        // The position moves by the mean of the velocities at the start and the end of
        // the step, each along its own heading.
        Motion &motion = vessel.motion;
        const double startVx = motion.vx, startVz = motion.vz;
        // Wrapped only when out of a turn: fmod gives a smaller angle back unchanged.
        motion.heading += result.turned;
        if (!(std::abs(motion.heading) < kFullTurn))
            motion.heading = std::fmod(motion.heading, kFullTurn);
        if (motion.heading < 0)
            motion.heading += kFullTurn;
        SetGroundVelocity(motion, body, TrigOf(vessel.headingTrig, motion.heading));
        motion.x += 0.5 * (startVx + motion.vx) * dt;
        motion.z += 0.5 * (startVz + motion.vz) * dt;
    }
    Report(vessel, body, onGround);
}

const char *NonFiniteQuantity(const Vessel &vessel)
{
    const Motion &m = vessel.motion;
    const std::pair<const char *, double> quantities[] = {
        {"x_m", m.x},     {"z_m", m.z},     {"heading", m.heading},
        {"vx_m_s", m.vx}, {"vz_m_s", m.vz}, {"yaw_rate", m.yawRate},
    };
    for (const auto &[name, value] : quantities)
        if (!std::isfinite(value))
            return name;
    for (const Propellant &tank : vessel.propellants)
        if (!std::isfinite(tank.mass))
            return "propellant mass";
    return nullptr;
}

void GroundPhysics::BeginStep(double dt, std::int64_t index)
{
    // A step longer than the ground model takes within 2% is cut into equal substeps,
    // the loads (thrust levels, the module's forces) held over all of them as the
    // module set them for the step.
    substeps_ = dt > kLongestGroundStep ? int(std::ceil(dt / kLongestGroundStep)) : 1;
    substep_ = ground::StepConstants::For(dt / substeps_);
    index_ = index;
}

void GroundPhysics::Move(Vessel &vessel)
{
    for (int i = 0; i < substeps_; ++i)
        MoveOnGround(vessel, substep_);
    // Checked before any module or output sees the state.
    if (const char *quantity = NonFiniteQuantity(vessel)) [[unlikely]]
        throw RunError("vessel " + vessel.name + ": step " + std::to_string(index_) + ": " +
                       quantity + " is no longer finite; the run stops");
}

} // namespace host
