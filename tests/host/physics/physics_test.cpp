// Ground physics and driver controls on vessels as the vehicle modules declare them:
// 100 kg empty with 300 kg of propellant, a main and a retro thruster on the centre
// line, four yaw thrusters in two groups.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

#include "host/physics/driver_input.h"
#include "host/physics/physics.h"
#include "host/physics/portable_math.h"
#include "tests/support/host_fixture.h"

namespace {

using host::Vessel;
namespace ground = host::ground;

constexpr double kDt = 0.02;

// Vessels as VARLOK1's class capabilities declare them, created through the host, with
// the thrust maxima its engine gives once started: the physics then runs on their
// records alone, without the module's steps.
class GroundPhysics : public testing_support::HostTest {
protected:
    Vessel &SurfaceVehicle()
    {
        Vessel &v = Create("V" + std::to_string(made_++), "VARLOK1");
        for (std::size_t i = 0; i < v.thrusters.size(); ++i)
            v.thrusters[i].max0 = i < 2 ? 9000 : 90000; // main and retro, then yaw
        return v;
    }

private:
    int made_ = 0;
};
using DriverControls = GroundPhysics;

void Drive(Vessel &v, double seconds)
{
    for (int i = 0; i < int(std::lround(seconds / kDt)); ++i)
        host::MoveOnGround(v, kDt);
}

TEST_F(GroundPhysics, MassIsEmptyMassPlusPropellantAndInertiaScalesWithIt)
{
    Vessel &v = SurfaceVehicle();
    EXPECT_DOUBLE_EQ(host::VesselMass(v), 400);
    EXPECT_DOUBLE_EQ(host::YawInertia(v), 400 * 54.34);
    v.propellants[0].mass = 100;
    EXPECT_DOUBLE_EQ(host::VesselMass(v), 200);
    EXPECT_DOUBLE_EQ(host::YawInertia(v), 200 * 54.34);
}

TEST_F(GroundPhysics, TouchdownPointsSpanningATriangleStandOnTheGround)
{
    Vessel &v = SurfaceVehicle();
    EXPECT_TRUE(host::RestsOnGround(v));
    v.touchdown[2] = _V(1.6, -1.87, 3); // on the line through the other two
    EXPECT_FALSE(host::RestsOnGround(v));
    EXPECT_FALSE(host::RestsOnGround(Vessel{}));
}

TEST_F(GroundPhysics, ThrustPushesAlongTheHeadingAndTheReadingsStayInTheVesselFrame)
{
    Vessel &v = SurfaceVehicle();
    v.motion.heading = std::numbers::pi / 2; // facing +x
    v.thrusters[0].level = 1;
    host::MoveOnGround(v, kDt);

    // Implicit in the end speed: the drag of the end speed, not of the start.
    double forward = v.motion.vx;
    double drag = 0.5 * ground::kAirDensity * 0.3 * 30 * forward * forward;
    EXPECT_NEAR(forward,
                (9000.0 - drag) / 400 * kDt - ground::kRollingResistance * ground::kGravity * kDt,
                1e-12);
    EXPECT_GT(forward, 0.4);
    EXPECT_NEAR(v.motion.vz, 0, 1e-12);
    EXPECT_NEAR(v.motion.x, forward * kDt / 2, 1e-12); // the mean of 0 and the end speed
    EXPECT_NEAR(v.readings.airspeed, forward, 1e-12);
    EXPECT_NEAR(v.readings.airspeedVector.z, forward, 1e-12);
    EXPECT_NEAR(v.readings.airspeedVector.x, 0, 1e-12);
    EXPECT_EQ(v.readings.airspeedVector.y, 0);
    EXPECT_TRUE(v.readings.groundContact);
}

TEST_F(GroundPhysics, RetroThrustPushesBackwards)
{
    Vessel &v = SurfaceVehicle();
    v.thrusters[1].level = 1;
    Drive(v, 1);
    EXPECT_LT(v.motion.z, -1);
    EXPECT_LT(v.readings.airspeedVector.z, 0);
    EXPECT_NEAR(v.motion.heading, 0, 1e-12); // on the centre line: no turn
}

TEST_F(GroundPhysics, YawGroupsTurnTheirWayWithTorqueOverMassTimesMoments)
{
    Vessel &left = SurfaceVehicle();
    left.thrusters[2].level = left.thrusters[5].level = 0.5;
    host::MoveOnGround(left, kDt);
    // Each thruster pushes 45000 N one metre off the centre: 90000 N·m to the left.
    // Exact for a torque against a damping of kYawGrip: ω = α/g (1 - e^(-g t)).
    double settled = -90000.0 / (400 * 54.34) / ground::kYawGrip;
    double decay = std::exp(-ground::kYawGrip * kDt);
    double rate = settled * (1 - decay);
    double turned = settled * (kDt - (1 - decay) / ground::kYawGrip);
    EXPECT_NEAR(left.motion.yawRate, rate, 1e-12);
    EXPECT_NEAR(left.motion.heading, 2 * std::numbers::pi + turned, 1e-12); // wrapped
    EXPECT_NEAR(left.readings.airspeed, 0, 1e-12);                          // a turn on the spot

    Vessel &right = SurfaceVehicle();
    right.thrusters[3].level = right.thrusters[4].level = 0.5;
    host::MoveOnGround(right, kDt);
    EXPECT_NEAR(right.motion.yawRate, -rate, 1e-12);
}

TEST_F(GroundPhysics, YawGripSettlesATurnAndStopsItWhenTheTorqueEnds)
{
    Vessel &v = SurfaceVehicle();
    v.thrusters[3].level = v.thrusters[4].level = 1;
    Drive(v, 3);
    double settled = 180000.0 / (400 * 54.34) / ground::kYawGrip;
    EXPECT_NEAR(v.motion.yawRate, settled, settled * 1e-3);
    v.thrusters[3].level = v.thrusters[4].level = 0;
    Drive(v, 1);
    EXPECT_LT(std::abs(v.motion.yawRate), settled * 0.01);
}

TEST_F(GroundPhysics, NothingMovesWithoutThrustOrForce)
{
    Vessel &v = SurfaceVehicle();
    for (auto &t : v.thrusters) {
        t.level = 1;
        t.max0 = 0; // held at zero thrust, as before the engine starts
    }
    v.motion.x = 3;
    v.motion.z = -4;
    v.motion.heading = 1;
    Drive(v, 5);
    EXPECT_EQ(v.motion.x, 3);
    EXPECT_EQ(v.motion.z, -4);
    EXPECT_EQ(v.motion.heading, 1);
    EXPECT_EQ(v.readings.airspeed, 0);
}

TEST_F(GroundPhysics, GroundHoldsAcrossTheBodyAndLetsItRollAlong)
{
    Vessel &v = SurfaceVehicle();
    v.motion.vx = 5; // heading 0: sideways to the right
    v.motion.vz = 5; // forward
    Drive(v, 0.2);
    ground::BodyMotion body = host::BodyMotionOf(v.motion);
    EXPECT_LT(body.side, 0.2);
    EXPECT_GT(body.side, 0);
    EXPECT_GT(body.forward, 4.5);
}

TEST_F(GroundPhysics, RollingResistanceStopsACoastingVehicleWithoutReversingIt)
{
    Vessel &v = SurfaceVehicle();
    v.motion.vz = 0.3;
    Drive(v, 3);
    EXPECT_EQ(v.motion.vz, 0);
    EXPECT_GT(v.motion.z, 0);
    double z = v.motion.z;
    Drive(v, 1);
    EXPECT_EQ(v.motion.z, z);
}

TEST_F(GroundPhysics, ForcesTheModuleAddedPushAtTheirPoint)
{
    Vessel &v = SurfaceVehicle();
    v.motion.vz = 20;
    ground::BodyLoads free = host::LoadsOn(v);
    v.forces.push_back({_V(0, 0, -9000), _V(0, 0, 0)});
    ground::BodyLoads braked = host::LoadsOn(v);
    EXPECT_DOUBLE_EQ(braked.forward - free.forward, -9000);
    EXPECT_DOUBLE_EQ(braked.yawTorque, 0);

    v.forces = {{_V(100, 0, 0), _V(0, 0, 2)}}; // to the right at the nose
    EXPECT_DOUBLE_EQ(host::LoadsOn(v).yawTorque, 200);
    v.forces = {{_V(0, 0, 100), _V(1, 0, 0)}}; // forward on the right side
    EXPECT_DOUBLE_EQ(host::LoadsOn(v).yawTorque, -100);
}

// A force lasts the step it was added in, whether or not a physics applies it.
TEST_F(GroundPhysics, ForcesLastOneStepWithOrWithoutThePhysics)
{
    host::GroundPhysics ground;
    for (host::Physics *physics :
         {static_cast<host::Physics *>(&ground), (host::Physics *)nullptr}) {
        sim.physics = physics;
        Vessel &v = SurfaceVehicle();
        sim.Step(kDt);
        const std::size_t perStep = v.forces.size(); // what the module adds in its step
        v.forces.push_back({});
        sim.Step(kDt);
        EXPECT_EQ(v.forces.size(), perStep) << (physics ? "physics" : "no physics");
    }
}

TEST_F(GroundPhysics, DragTakesTheCoefficientOfTheDirectionOfMotion)
{
    Vessel &v = SurfaceVehicle();
    v.cw[0] = 0.3; // moving forward
    v.cw[1] = 0.9; // moving backward
    ground::BodyLoads loads = host::LoadsOn(v);
    double q = 0.5 * ground::kAirDensity;
    EXPECT_DOUBLE_EQ(loads.forwardDrag, q * 0.3 * 30);
    EXPECT_DOUBLE_EQ(loads.backwardDrag, q * 0.9 * 30);
    EXPECT_DOUBLE_EQ(loads.sideDrag, q * 0.6 * 200);
    EXPECT_EQ(loads.forward, 0); // drag is no push

    // Coasting backwards at 10 m/s for one step: the backward coefficient, implicitly.
    v.motion.vz = -10;
    host::MoveOnGround(v, kDt);
    double end = v.motion.vz, roll = ground::kRollingResistance * ground::kGravity * kDt;
    EXPECT_NEAR(end, -10 + roll + q * 0.9 * 30 * end * end / 400 * kDt, 1e-12);
}

TEST_F(GroundPhysics, FullThrottleAgainstTheBrakeAbove13HoldsAbout13)
{
    // The vehicle's brake: 9000 N against the motion above 13 m/s, added in the step
    // and acting in the next.
    Vessel &v = SurfaceVehicle();
    v.thrusters[0].level = 1;
    double top = 0;
    for (int i = 0; i < 1000; ++i) {
        host::MoveOnGround(v, kDt);
        v.forces.clear();
        if (v.readings.airspeed > 13 && v.readings.airspeedVector.z > 0)
            v.forces.push_back({_V(0, 0, -9000), _V(0, 0, 0)});
        if (i > 500)
            top = std::max(top, v.readings.airspeed);
    }
    EXPECT_GT(v.readings.airspeed, 12.5);
    EXPECT_LT(top, 13.5);
}

// The same drive at every step length up to the longest, through the simulator's
// ground physics: full throttle, a turn at speed, a coast. The loads are held over each
// step as a module's are; long steps are cut into substeps, so the answers stay within
// 2% of short steps'.
TEST_F(GroundPhysics, ADriveGivesTheSameAnswersAtEveryStepLength)
{
    struct Outcome {
        double early = 0, top = 0, distance = 0, heading = 0;
    };
    auto drive = [this](double dt) {
        Vessel &v = SurfaceVehicle();
        Outcome out;
        host::GroundPhysics physics;
        physics.BeginStep(dt, 0);
        auto phase = [&](double seconds, double main, double yawRight) {
            v.thrusters[0].level = main;
            v.thrusters[3].level = v.thrusters[4].level = yawRight;
            for (long i = 0; i < std::lround(seconds / dt); ++i) {
                double x = v.motion.x, z = v.motion.z;
                physics.Move(v);
                out.top = std::max(out.top, v.readings.airspeed);
                out.distance += std::hypot(v.motion.x - x, v.motion.z - z);
            }
        };
        phase(1, 1, 0);
        out.early = v.readings.airspeed; // still gathering speed
        phase(7, 1, 0);
        phase(3, 1, 0.5);
        phase(6, 0, 0);
        out.heading = v.motion.heading;
        return out;
    };
    const Outcome reference = drive(0.01);
    // Thrust against drag and rolling resistance settles near 40 m/s, the turn near 120°.
    EXPECT_NEAR(reference.top, 40, 1);
    EXPECT_NEAR(reference.heading * 180 / std::numbers::pi, 120, 10);
    for (double dt : {0.02, 0.05, 0.1, 0.125, 0.2, 0.25, 0.5, 1.0}) {
        SCOPED_TRACE(dt);
        Outcome o = drive(dt);
        EXPECT_NEAR(o.early, reference.early, reference.early * 0.02);
        EXPECT_NEAR(o.top, reference.top, reference.top * 0.02);
        EXPECT_NEAR(o.distance, reference.distance, reference.distance * 0.02);
        EXPECT_NEAR(o.heading, reference.heading, reference.heading * 0.02);
    }
}

TEST_F(GroundPhysics, AStateThatIsNoLongerFiniteIsNamed)
{
    Vessel &v = SurfaceVehicle();
    v.thrusters[0].level = 1;
    host::MoveOnGround(v, 1);
    EXPECT_EQ(host::NonFiniteQuantity(v), nullptr);
    v.forces.push_back({_V(0, 0, 0), _V(0, 0, 0)});
    v.forces[0].force.x = std::numeric_limits<double>::infinity();
    host::MoveOnGround(v, kDt);
    ASSERT_NE(host::NonFiniteQuantity(v), nullptr);
    EXPECT_STREQ(host::NonFiniteQuantity(v), "x_m");
    v.motion = {};
    v.propellants[0].mass = std::nan("");
    EXPECT_STREQ(host::NonFiniteQuantity(v), "propellant mass");
}

TEST_F(GroundPhysics, ThrustBurnsPropellantAndADryTankGivesNone)
{
    Vessel &v = SurfaceVehicle();
    v.thrusters[0].isp0 = 1000; // m/s
    v.propellants[0].efficiency = 0.5;
    v.thrusters[0].level = 1;
    host::MoveOnGround(v, kDt);
    EXPECT_DOUBLE_EQ(v.propellants[0].mass, 300 - 9000.0 / 500 * kDt);

    v.propellants[0].mass = 0;
    v.motion = {};
    host::MoveOnGround(v, kDt);
    EXPECT_EQ(v.motion.vz, 0);
    EXPECT_EQ(v.propellants[0].mass, 0);
}

TEST_F(GroundPhysics, SameInputGivesBitIdenticalMotion)
{
    auto drive = [this] {
        Vessel &v = SurfaceVehicle();
        v.thrusters[0].level = 0.8;
        v.thrusters[2].level = v.thrusters[5].level = 0.3;
        Drive(v, 7.3);
        return v.motion;
    };
    host::Motion a = drive(), b = drive();
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
}

TEST_F(DriverControls, LevelsGoToEveryThrusterOfTheirGroupAndYawToTheRudder)
{
    Vessel &v = SurfaceVehicle();
    v.thrusters.push_back(v.thrusters[0]);
    v.groups[0].thrusters = {0, 6}; // a main group of two
    host::ApplyDriverControls(v, {0.7, 0.2, -0.6});
    EXPECT_EQ(v.thrusters[0].level, 0.7);
    EXPECT_EQ(v.thrusters[6].level, 0.7);
    EXPECT_EQ(v.thrusters[1].level, 0.2);
    EXPECT_EQ(v.thrusters[2].level, 0.6); // yaw left
    EXPECT_EQ(v.thrusters[5].level, 0.6);
    EXPECT_EQ(v.thrusters[3].level, 0);
    EXPECT_EQ(v.thrusters[4].level, 0);
    EXPECT_EQ(v.readings.controlSurface[AIRCTRL_RUDDER], -0.6);

    host::ApplyDriverControls(v, {0, 0, 0.4});
    EXPECT_EQ(v.thrusters[2].level, 0);
    EXPECT_EQ(v.thrusters[3].level, 0.4);
    EXPECT_EQ(v.thrusters[4].level, 0.4);
    EXPECT_EQ(v.readings.controlSurface[AIRCTRL_RUDDER], 0.4);
}

TEST_F(DriverControls, OutOfRangeInputIsClampedAndMissingGroupsAreSkipped)
{
    Vessel &v = SurfaceVehicle();
    host::ApplyDriverControls(v, {1.5, -1, -3});
    EXPECT_EQ(v.thrusters[0].level, 1);
    EXPECT_EQ(v.thrusters[1].level, 0);
    EXPECT_EQ(v.thrusters[2].level, 1);
    EXPECT_EQ(v.readings.controlSurface[AIRCTRL_RUDDER], -1);

    Vessel bare; // declared nothing yet
    host::ApplyDriverControls(bare, {1, 1, 1});
    EXPECT_EQ(bare.readings.controlSurface[AIRCTRL_RUDDER], 1);
}

} // namespace

// The physics' own sine, cosine and hypotenuse (the same bits on every platform) within
// an ulp of the C library's across the headings a vessel takes, both signs, every
// quadrant's edges.
TEST(PortableMath, WithinAnUlpOfTheLibrary)
{
    auto ulps = [](double ours, double library) {
        return std::fabs(ours - library) /
               (std::nextafter(std::fabs(library), INFINITY) - std::fabs(library));
    };
    std::vector<double> angles = {0.0, -0.0, 1e-300, 0.29, 0.3, 0.78125, 0.79};
    for (int k = -8; k <= 8; ++k)
        for (double off : {-1e-9, 0.0, 1e-9})
            angles.push_back(k * std::numbers::pi / 4 + off);
    for (int i = 0; i < 20000; ++i)
        angles.push_back(-13.0 + i * 1.3e-3);
    for (double x : angles) {
        SCOPED_TRACE(x);
        const ground::SineCosine sc = ground::SinCos(x);
        // Near a zero of the function the ulp is tiny: there the error counts against 1.
        EXPECT_LE(std::min(ulps(sc.sin, std::sin(x)), std::fabs(sc.sin - std::sin(x)) / 1e-16),
                  1.0);
        EXPECT_LE(std::min(ulps(sc.cos, std::cos(x)), std::fabs(sc.cos - std::cos(x)) / 1e-16),
                  1.0);
    }
    EXPECT_TRUE(std::isnan(ground::SinCos(INFINITY).sin));
    EXPECT_TRUE(std::isnan(ground::SinCos(NAN).cos));
    for (auto [a, b] : {std::pair{3.0, 4.0}, {-3.0, 4.0}, {0.0, 0.0}, {1e-3, 13.2}, {20.0, -0.5}})
        EXPECT_LE(ulps(ground::Hypot(a, b), std::hypot(a, b)), 1.0) << a << " " << b;
}
