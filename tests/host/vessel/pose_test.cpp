// Posed geometry: where the host puts the modules' mesh groups for given animation
// states. Angles are measured from the points the host returns, not recomputed.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "host/vessel/pose.h"
#include "sdk/VesselAPI.h"
#include "tests/support/host_fixture.h"
#include "tests/support/rig_layout.h"

namespace {

using host::PosePoint;
using testing_support::HostTest;

constexpr double kTolerance = 1e-6; // metres; the stored float angles are this close

VECTOR3 Add(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x + b.x, a.y + b.y, a.z + b.z); }
VECTOR3 Sub(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x - b.x, a.y - b.y, a.z - b.z); }
double Dot(const VECTOR3 &a, const VECTOR3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
VECTOR3 Cross(const VECTOR3 &a, const VECTOR3 &b)
{
    return _V(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}
double Distance(const VECTOR3 &a, const VECTOR3 &b) { return std::sqrt(Dot(Sub(a, b), Sub(a, b))); }

// Signed turn in degrees (right-hand about `axis`) that carries `before` to `after`
// about the line through `pivot`; fails the test if the move is no such turn.
double TurnAbout(const VECTOR3 &pivot, const VECTOR3 &axis, const VECTOR3 &before,
                 const VECTOR3 &after)
{
    double n = std::sqrt(Dot(axis, axis));
    VECTOR3 u = _V(axis.x / n, axis.y / n, axis.z / n);
    VECTOR3 a = Sub(before, pivot), b = Sub(after, pivot);
    EXPECT_NEAR(Dot(a, u), Dot(b, u), kTolerance) << "moved along the axis";
    VECTOR3 ap = Sub(a, _V(u.x * Dot(a, u), u.y * Dot(a, u), u.z * Dot(a, u)));
    VECTOR3 bp = Sub(b, _V(u.x * Dot(b, u), u.y * Dot(b, u), u.z * Dot(b, u)));
    EXPECT_NEAR(std::sqrt(Dot(ap, ap)), std::sqrt(Dot(bp, bp)), kTolerance) << "radius changed";
    return std::atan2(Dot(u, Cross(ap, bp)), Dot(ap, bp)) * 180.0 / std::numbers::pi;
}

void ExpectNear(const VECTOR3 &expected, const VECTOR3 &actual)
{
    EXPECT_LT(Distance(expected, actual), kTolerance)
        << "expected (" << expected.x << ", " << expected.y << ", " << expected.z << "), got ("
        << actual.x << ", " << actual.y << ", " << actual.z << ")";
}

// Animation indices, as each rig's table creates them.
const testing_support::RigLayout &kVarlok1 = *testing_support::RigLayoutOf("VARLOK1");
const int kLatchLeft = kVarlok1.latchLeft, kLatchRight = kVarlok1.latchRight;
const int kDoorLeft = kVarlok1.doorLeft, kDoorRight = kVarlok1.doorRight;
const int kWheelsRightFwd = kVarlok1.wheelsRightFwd, kWheelsRightRev = kVarlok1.wheelsRightRev;
const int kLevers[] = {kVarlok1.leverLeft1, kVarlok1.leverRight1, kVarlok1.leverLeft2,
                       kVarlok1.leverRight2};
const int kWheels[] = {kVarlok1.wheelsRightFwd, kVarlok1.wheelsLeftFwd, kVarlok1.wheelsRightRev,
                       kVarlok1.wheelsLeftRev};
const int kTurret = testing_support::RigLayoutOf("VARLOK3C")->turret;
const int kCannon = testing_support::RigLayoutOf("VARLOK3C")->cannon;
const int kRoof = testing_support::RigLayoutOf("KELDOCONTROL")->roof;

const VECTOR3 kLatchLeftPivot = _V(-0.048, 0.416, -3.211);
const VECTOR3 kLatchLeftAxis = _V(0, -0.25, 0.967);
const VECTOR3 kLatchRightPivot = _V(0.06, 0.416, -3.211);
const VECTOR3 kLatchRightAxis = _V(0, 0.25, -0.967);
const VECTOR3 kDoorLeftPivot = _V(-0.416, 0.456, -3.21);
const VECTOR3 kDoorRightPivot = _V(0.434, 0.456, -3.21);
const VECTOR3 kDoorAxis = _V(0, 0.96, 0.25);
const VECTOR3 kXAxis = _V(1, 0, 0), kYAxis = _V(0, 1, 0);
const VECTOR3 kTurretPivot = _V(-0.64, 1.243, -0.096);

class Pose : public HostTest {
protected:
    void SetDoors(host::Vessel &v, double state)
    {
        for (int a : {kLatchLeft, kLatchRight, kDoorLeft, kDoorRight})
            v.animations[a].state = state;
    }
};

TEST_F(Pose, ProgressIsHeldBelowAndAboveTheStateRange)
{
    host::AnimationComponent leaf;
    leaf.state0 = 0.5;
    leaf.state1 = 1.0;
    EXPECT_EQ(0.0, host::ComponentProgress(leaf, -0.2));
    EXPECT_EQ(0.0, host::ComponentProgress(leaf, 0.5));
    EXPECT_DOUBLE_EQ(0.5, host::ComponentProgress(leaf, 0.75));
    EXPECT_EQ(1.0, host::ComponentProgress(leaf, 1.0));
    EXPECT_EQ(1.0, host::ComponentProgress(leaf, 1.3));
}

TEST_F(Pose, NothingMovesAtTheInitialStates)
{
    host::Vessel &v = Create("V", "VARLOK1");
    auto poses = host::PoseGroups(v);
    for (UINT group : {44u, 19u, 97u, 103u, 110u, 8u})
        EXPECT_EQ(1u, poses.count(group)) << group;
    EXPECT_EQ(0u, poses.count(0u)); // no animation names it in this mesh
    const VECTOR3 p = _V(0.3, -0.2, 1.7);
    for (const auto &[group, pose] : poses)
        ExpectNear(p, pose.Apply(p));
}

// First half: the latches turn, the leaves wait.
TEST_F(Pose, DoorSequenceAtAQuarterTurnsOnlyTheLatches)
{
    host::Vessel &v = Create("V", "VARLOK1");
    SetDoors(v, 0.25);
    const VECTOR3 q = _V(-0.2, 0.6, -3.2);
    EXPECT_NEAR(45.0, TurnAbout(kLatchLeftPivot, kLatchLeftAxis, q, PosePoint(v, 44, q)), 1e-4);
    EXPECT_NEAR(45.0, TurnAbout(kLatchRightPivot, kLatchRightAxis, q, PosePoint(v, 43, q)), 1e-4);
    ExpectNear(q, PosePoint(v, 19, q));
    ExpectNear(q, PosePoint(v, 20, q));
}

// Second half: the latches stay at 90° and ride on the leaves, which swing ±85°.
TEST_F(Pose, DoorSequenceAtThreeQuartersSwingsTheLeavesWithTheLatches)
{
    host::Vessel &v = Create("V", "VARLOK1");
    SetDoors(v, 0.75);
    const VECTOR3 q = _V(-0.2, 0.6, -3.2);
    EXPECT_NEAR(85.0, TurnAbout(kDoorLeftPivot, kDoorAxis, q, PosePoint(v, 19, q)), 1e-4);
    EXPECT_NEAR(-85.0, TurnAbout(kDoorRightPivot, kDoorAxis, q, PosePoint(v, 20, q)), 1e-4);
    // A point on the latch's own axis moves with the leaf alone.
    EXPECT_NEAR(
        85.0,
        TurnAbout(kDoorLeftPivot, kDoorAxis, kLatchLeftPivot, PosePoint(v, 44, kLatchLeftPivot)),
        1e-4);

    // The latch turns on the closed leaf first, then the leaf carries it.
    host::Vessel &latchesOnly = Create("W", "VARLOK1");
    SetDoors(latchesOnly, 0.5);
    VECTOR3 latchThenLeaf = PosePoint(v, 19, PosePoint(latchesOnly, 44, q));
    VECTOR3 leafThenLatch = PosePoint(latchesOnly, 44, PosePoint(v, 19, q));
    ExpectNear(latchThenLeaf, PosePoint(v, 44, q));
    EXPECT_GT(Distance(latchThenLeaf, leafThenLatch), 0.01);

    // Open: the leaf at 170°, the latch held at 90° on it.
    SetDoors(v, 1.0);
    EXPECT_NEAR(170.0, TurnAbout(kDoorLeftPivot, kDoorAxis, q, PosePoint(v, 19, q)), 1e-4);
    ExpectNear(PosePoint(v, 19, PosePoint(latchesOnly, 140, q)), PosePoint(v, 140, q));
}

TEST_F(Pose, WheelsTurnForwardAndBackAndAFullTurnIsTheRestPose)
{
    host::Vessel &v = Create("V", "VARLOK1");
    const VECTOR3 hub = _V(1.262, -1.341, 2.068); // group 97, front right
    const VECTOR3 top = Add(hub, _V(0, 0.4, 0));

    v.animations[kWheelsRightFwd].state = 0.25;
    VECTOR3 forward = PosePoint(v, 97, top);
    EXPECT_NEAR(90.0, TurnAbout(hub, kXAxis, top, forward), 1e-4);
    EXPECT_GT(forward.z, hub.z + 0.39); // the top of a forward-rolling wheel goes forward

    v.animations[kWheelsRightFwd].state = 0.5;
    ExpectNear(Add(hub, _V(0, -0.4, 0)), PosePoint(v, 97, top));

    v.animations[kWheelsRightFwd].state = 0;
    v.animations[kWheelsRightRev].state = 0.25;
    EXPECT_NEAR(-90.0, TurnAbout(hub, kXAxis, top, PosePoint(v, 97, top)), 1e-4);
    v.animations[kWheelsRightRev].state = 0.5;
    ExpectNear(Add(hub, _V(0, -0.4, 0)), PosePoint(v, 97, top));

    for (int a : kWheels)
        v.animations[a].state = 1.0;
    for (UINT group = 92; group <= 103; ++group)
        ExpectNear(top, PosePoint(v, group, top));
}

// The reverse rows as listed: group 97's row names x on the other side (same line),
// group 96's row a line 3 mm lower, so its hub dips 6 mm at a half turn.
TEST_F(Pose, ReverseWheelRowsTurnAboutTheirListedLines)
{
    host::Vessel &v = Create("V", "VARLOK1");
    v.animations[kWheelsRightRev].state = 0.5;
    const VECTOR3 frontHub = _V(1.262, -1.341, 2.068);
    const VECTOR3 secondHub = _V(1.262, -1.341, 1.036);
    ExpectNear(frontHub, PosePoint(v, 97, frontHub));
    ExpectNear(_V(1.262, -1.347, 1.036), PosePoint(v, 96, secondHub));
}

TEST_F(Pose, LeversAtRestStandAtHalfTheirTravel)
{
    host::Vessel &v = Create("V", "VARLOK1");
    for (int a : kLevers)
        v.animations[a].state = 0.5;
    const VECTOR3 leftPivot = _V(-0.707, -0.83, 2.633), rightPivot = _V(-0.591, -0.83, 2.633);
    const VECTOR3 grip = _V(-0.65, -0.6, 2.7);
    for (UINT group : {110u, 6u, 111u, 7u})
        EXPECT_NEAR(22.5, TurnAbout(leftPivot, kXAxis, grip, PosePoint(v, group, grip)), 1e-4)
            << group;
    for (UINT group : {5u, 109u, 8u, 112u})
        EXPECT_NEAR(22.5, TurnAbout(rightPivot, kXAxis, grip, PosePoint(v, group, grip)), 1e-4)
            << group;
}

// Turret at a quarter turn, cannon fully raised: the cannon's pitch axis has turned with
// the turret, and group 0 moves with the cannon.
TEST_F(Pose, CannonPitchesAboutTheAxisTheTurretTurned)
{
    host::Vessel &v = Create("V", "VARLOK3C");
    const VECTOR3 ahead = Add(kTurretPivot, _V(0, 0, 1));
    const VECTOR3 onPitchAxis = Add(kTurretPivot, _V(1, 0, 0));

    v.animations[kCannon].state = 1.0; // turret at rest: the barrel points up
    ExpectNear(Add(kTurretPivot, _V(0, 1, 0)), PosePoint(v, 96, ahead));

    v.animations[kTurret].state = 0.25;
    VECTOR3 turretOnly = PosePoint(v, 44, ahead);
    EXPECT_NEAR(90.0, TurnAbout(kTurretPivot, kYAxis, ahead, turretOnly), 1e-4);
    // The pitch axis now lies along -z; the cannon has turned -90° about it.
    VECTOR3 turnedAxis = Sub(PosePoint(v, 96, onPitchAxis), kTurretPivot);
    ExpectNear(_V(0, 0, -1), turnedAxis);
    EXPECT_NEAR(-90.0, TurnAbout(kTurretPivot, turnedAxis, turretOnly, PosePoint(v, 96, ahead)),
                1e-4);
    for (const VECTOR3 &p : {ahead, onPitchAxis, _V(0.2, 1.5, 0.9)})
        ExpectNear(PosePoint(v, 96, p), PosePoint(v, 0, p));

    // A full turn of the turret is the rest pose.
    v.animations[kTurret].state = 0.0;
    VECTOR3 atZero = PosePoint(v, 0, ahead);
    v.animations[kTurret].state = 1.0;
    ExpectNear(atZero, PosePoint(v, 0, ahead));
    ExpectNear(ahead, PosePoint(v, 44, ahead));
}

TEST_F(Pose, RoofAssemblyAtHalfStateStandsHalfRound)
{
    host::Vessel &v = Create("V", "KELDOCONTROL");
    const VECTOR3 pivot = _V(0, 1.051, -1.121);
    const VECTOR3 edge = Add(pivot, _V(0.8, 0.3, 0.2));
    v.animations[kRoof].state = 0.5;
    for (UINT group : {43u, 44u, 46u, 98u, 139u})
        ExpectNear(Add(pivot, _V(-0.8, 0.3, -0.2)), PosePoint(v, group, edge));
    v.animations[kRoof].state = 1.0;
    ExpectNear(edge, PosePoint(v, 98, edge));
}

// The axis is a direction only: a longer one turns the same.
TEST_F(Pose, AxisLengthDoesNotChangeTheTurn)
{
    const VECTOR3 pivot = _V(1, 2, 3), p = _V(2, 2, 3);
    host::RigidTransform unit = host::RigidTransform::Rotation(pivot, _V(0, 1, 0), 0.5);
    host::RigidTransform longer = host::RigidTransform::Rotation(pivot, _V(0, 3.5, 0), 0.5);
    ExpectNear(unit.Apply(p), longer.Apply(p));
    EXPECT_NEAR(std::cos(0.5), unit.Apply(p).x - pivot.x, 1e-12);
}

} // namespace
