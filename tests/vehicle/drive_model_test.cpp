// The drive model: the calls of whole steps, braking, wheel rolling and lever poses.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/vehicle/vehicle_fixture.h"

namespace {

using testing_support::Describe;
using testing_support::Only;
using vehicle_testing::Anim;

class DriveModel : public vehicle_testing::VehicleTest {};

const std::vector<std::string> kGateClosed = {
    "SetThrusterGroupLevel(0, 0)", "SetThrusterLevel(th0, 0)", "SetThrusterMax0(th0, 0)",
    "SetThrusterGroupLevel(1, 0)", "SetThrusterLevel(th1, 0)", "SetThrusterMax0(th1, 0)",
    "SetThrusterLevel(th2, 0)",    "SetThrusterMax0(th2, 0)",  "SetThrusterLevel(th3, 0)",
    "SetThrusterMax0(th3, 0)",     "SetThrusterLevel(th4, 0)", "SetThrusterMax0(th4, 0)",
    "SetThrusterLevel(th5, 0)",    "SetThrusterMax0(th5, 0)",
};

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string> &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The four levers at one state, in the order the drive model sets them.
std::vector<std::string> Levers(const testing_support::RigLayout &rig, double state)
{
    return {Anim(rig.leverLeft1, state), Anim(rig.leverRight1, state), Anim(rig.leverLeft2, state),
            Anim(rig.leverRight2, state)};
}

// "SetAnimation(index," : the start of a call's text, whatever the state.
std::string AnimOf(int index) { return "SetAnimation(" + std::to_string(index) + ","; }

TEST_F(DriveModel, FirstStepAtRestSetsTheLeversToRestAndClosesTheGate)
{
    const std::vector<std::string> reads = {
        "GetAirspeed()",         "GetControlSurfaceLevel(1)", "GetAirspeedVector(1, (0, 0, 0))",
        "GroundContact()",       "GetThrusterLevel(th0)",     "GetThrusterLevel(th1)"};
    Make("VARLOK1");
    EXPECT_EQ(Concat(Concat(reads, Levers(rig, 0.5)), kGateClosed), Describe(Step(0.02)));
}

TEST_F(DriveModel, EveryNewVehicleStartsClosedHeldAndNotStarted)
{
    // The first step shows the constructor's values: levers at rest, doors closed (not
    // set), turret and cannon held at 0, roof turning from 0, the thrust gate closed.
    using Layout = testing_support::RigLayout;
    struct Case {
        std::string className;
        std::vector<std::string> (*effects)(const Layout &);
    };
    const Case cases[] = {
        {"VARLOK1", [](const Layout &r) { return Levers(r, 0.5); }},
        {"KELDOCONTROL",
         [](const Layout &r) { return Concat({Anim(r.roof, 0.25)}, Levers(r, 0.5)); }},
        {"VARLOK3C",
         [](const Layout &r) {
             return Concat(Levers(r, 0.5), {Anim(r.turret, 0), Anim(r.cannon, 0)});
         }},
    };
    for (const Case &c : cases) {
        Make(c.className, c.className);
        auto calls = Step(1);
        EXPECT_EQ(c.effects(rig), Describe(Only(calls, {"SetAnimation", "AddForce"})))
            << c.className;
        EXPECT_EQ(kGateClosed, Describe(Only(calls, {"SetThrusterGroupLevel", "SetThrusterLevel",
                                                      "SetThrusterMax0"})))
            << c.className;
    }
}

TEST_F(DriveModel, RoofRotatorTurnsBetweenBrakingAndWheelRolling)
{
    Make("KELDOCONTROL");
    auto roof = Describe(Only(Step(0.04), {"SetAnimation", "GetThrusterLevel"}));
    // The roof rotator turns between the braking force and the wheel rolling.
    ASSERT_EQ(7u, roof.size());
    EXPECT_EQ("GetThrusterLevel(th1)", roof[1]);
    EXPECT_EQ(Anim(rig.roof, 0.01), roof[2]);
    SetDrive(0, 0, 0, 20); // braking
    auto braked = Describe(Only(Step(0.04), {"AddForce", "SetAnimation"}));
    ASSERT_GE(braked.size(), 2u);
    EXPECT_EQ("AddForce((0, 0, -9000), (0, 0, 0))", braked[0]);
    EXPECT_EQ(Anim(rig.roof, 0.02), braked[1]);
}

TEST_F(DriveModel, TurretAndCannonFollowTheDoorsBeforeTheGate)
{
    Make("VARLOK3C");
    auto turret = Describe(Only(Step(0.04), {"SetAnimation", "SetThrusterGroupLevel"}));
    // Levers, then turret (held at 0) and cannon (held at 0), then the gate.
    EXPECT_EQ(
        Concat(Levers(rig, 0.5), {Anim(rig.turret, 0), Anim(rig.cannon, 0),
                                  "SetThrusterGroupLevel(0, 0)", "SetThrusterGroupLevel(1, 0)"}),
        turret);
}

TEST_F(DriveModel, BrakingNeedsGroundContactAndAirspeedStrictlyAbove13)
{
    Make("VARLOK1");
    const std::string back = "AddForce((0, 0, -9000), (0, 0, 0))";
    const std::string ahead = "AddForce((0, 0, 9000), (0, 0, 0))";
    auto forces = [&] { return Describe(Only(Step(), {"AddForce"})); };

    SetDrive(0, 0, 0, 13);
    EXPECT_TRUE(forces().empty()) << "exactly 13";
    SetDrive(0, 0, 0, 20);
    EXPECT_EQ(std::vector<std::string>{back}, forces());
    EXPECT_EQ(std::vector<std::string>{back}, forces()) << "once per step";
    v->readings.airspeedVector = _V(0, 0, -20);
    EXPECT_EQ(std::vector<std::string>{ahead}, forces());
    v->readings.airspeedVector = _V(3, 0, 0);
    EXPECT_TRUE(forces().empty()) << "z exactly 0";
    v->readings.airspeedVector = _V(0, 0, 20);
    v->readings.groundContact = false;
    EXPECT_TRUE(forces().empty()) << "airborne";
}

TEST_F(DriveModel, UnfocusedVehicleIsBrakedByItsOwnMotion)
{
    host::Vessel &other = Make("VARLOK1", "Other");
    other.readings.airspeedVector = _V(0, 0, -30); // the focus vessel reverses
    Make("VARLOK1", "Mine");
    sim.SetFocus(&other);
    SetDrive(0, 0, 0, 20); // Mine moves forward
    EXPECT_EQ(std::vector<std::string>{"AddForce((0, 0, -9000), (0, 0, 0))"},
              Describe(Only(Step(), {"AddForce"})));
}

TEST_F(DriveModel, ForwardRollWrapsAfterPassingOneTurn)
{
    Make("VARLOK1");
    StartEngine();
    SetDrive(1, 0, 0, 15);
    double roll = 0;
    for (int i = 0; i < 19; ++i)
        roll = StepAnimation(rig.wheelsRightFwd);
    ASSERT_NEAR(0.95, roll, 1e-9);

    SetDrive(1, 0, 0, 30);
    auto calls = Describe(Only(Step(), {"SetAnimation"}));
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(AnimOf(rig.wheelsRightFwd), calls[0].substr(0, AnimOf(rig.wheelsRightFwd).size()))
        << "right wheels first";
    EXPECT_EQ(AnimOf(rig.wheelsLeftFwd), calls[1].substr(0, AnimOf(rig.wheelsLeftFwd).size()));
    EXPECT_NEAR(1.05, v->animations[rig.wheelsRightFwd].state, 1e-9) << "handed over past 1";
    EXPECT_NEAR(1.05, v->animations[rig.wheelsLeftFwd].state, 1e-9);
    EXPECT_NEAR(0.1, StepAnimation(rig.wheelsLeftFwd), 1e-9) << "reset to 0, then advanced";
}

TEST_F(DriveModel, SlowDriveResetsButDoesNotRoll)
{
    Make("VARLOK1");
    StartEngine();
    SetDrive(1, 0, 0, 0.1);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(std::isnan(StepAnimation(rig.wheelsRightFwd)));
    // Exactly 0.15 is not above it, driving either way.
    SetDrive(1, 0, 0, 0.15);
    EXPECT_TRUE(std::isnan(StepAnimation(rig.wheelsRightFwd))) << "forward at 0.15";
    SetDrive(0, 1, 0, 0.15);
    EXPECT_TRUE(std::isnan(StepAnimation(rig.wheelsRightFwd))) << "reverse at 0.15";
    // No direction was remembered either: coasting at speed leaves the wheels still.
    SetDrive(0, 0, 0, 10);
    EXPECT_TRUE(std::isnan(StepAnimation(rig.wheelsRightFwd)));
}

// Each reset of the roll state fires strictly beyond its end: a state of exactly 1 or 0
// rolls on. Rows: the steps (main, retro, rudder, airspeed) that lead there, then the
// state after the last.
TEST_F(DriveModel, RollResetsFireOnlyBeyondOneAndZero)
{
    struct Drive {
        double main, retro, rudder, airspeed;
    };
    const Drive turnAtRest = {0, 0, -0.5, 0}; // the state becomes exactly 1
    const Drive forward = {1, 0, 0, 30}, reverse = {0, 1, 0, 30};
    const Drive slowForward = {1, 0, 0, 0.1};      // from above 1: exactly 0
    const Drive turnBackwards = {0, 0, -0.5, -10}; // rising to 1.09, memory kept
    const struct {
        const char *what;
        std::vector<Drive> steps;
        double roll;
    } rows[] = {
        {"forward from 1", {turnAtRest, forward}, 1.1},
        {"reverse from 0", {turnAtRest, forward, slowForward, reverse}, -0.1},
        {"coasting forward from 1", {forward, turnAtRest, {0, 0, 0, 30}}, 1.1},
        {"coasting in reverse from 0",
         {reverse, turnAtRest, turnBackwards, slowForward, {0, 0, 0, 30}},
         -0.1},
        {"turning from 0", {turnAtRest, forward, slowForward, {0, 0, 0.5, 10}}, -0.11},
    };
    for (const auto &row : rows) {
        Make("VARLOK1", row.what);
        StartEngine();
        for (const Drive &d : row.steps) {
            SetDrive(d.main, d.retro, d.rudder, d.airspeed);
            Step();
        }
        int shown = row.steps.back().rudder > 0 ? rig.wheelsLeftRev : rig.wheelsRightFwd;
        EXPECT_NEAR(row.roll, v->animations[shown].state, 1e-12) << row.what;
    }
}

TEST_F(DriveModel, RollAdvanceIsCappedAt55)
{
    Make("VARLOK1");
    StartEngine();
    SetDrive(1, 0, 0, 100);
    EXPECT_DOUBLE_EQ(55.0 / 300, StepAnimation(rig.wheelsRightFwd));
    EXPECT_DOUBLE_EQ(2 * (55.0 / 300), StepAnimation(rig.wheelsRightFwd));
}

TEST_F(DriveModel, TurningAtRestHoldsTheRollAtOneAndCreepsAtLowSpeed)
{
    Make("VARLOK1");
    SetDrive(0, 0, -0.5, 0);
    for (int i = 0; i < 2; ++i) {
        auto wheels = Describe(Only(Step(), {"SetAnimation"}));
        // Left turn: right wheels forward (reverse set of the right side), left forward.
        EXPECT_EQ(Anim(rig.wheelsRightRev, 1), wheels.at(0));
        EXPECT_EQ(Anim(rig.wheelsLeftFwd, 1), wheels.at(1));
    }
    SetDrive(0, 0, -0.5, 0.01);
    EXPECT_NEAR(1 - 0.0101, StepAnimation(rig.wheelsLeftFwd), 1e-12);
    EXPECT_NEAR(1 - 2 * 0.0101, StepAnimation(rig.wheelsLeftFwd), 1e-12);

    SetDrive(0, 0, 0.5, 10); // right turn: the other pair, still falling
    auto wheels = Describe(Only(Step(), {"SetAnimation"}));
    EXPECT_EQ(AnimOf(rig.wheelsRightFwd),
              wheels.at(0).substr(0, AnimOf(rig.wheelsRightFwd).size()));
    EXPECT_EQ(AnimOf(rig.wheelsLeftRev), wheels.at(1).substr(0, AnimOf(rig.wheelsLeftRev).size()));
    EXPECT_NEAR(1 - 2 * 0.0101 - 0.11, v->animations[rig.wheelsLeftRev].state, 1e-12);
}

TEST_F(DriveModel, SmallRudderSteersTheLeversButRollsNoWheel)
{
    Make("VARLOK1");
    StartEngine();
    SetDrive(1, 0, 0.1, 10);
    EXPECT_EQ((std::vector<std::string>{Anim(2, 0.45), Anim(3, 0.55), Anim(4, 0.45),
                                        Anim(5, 0.55)}),
              StepEffects());
    auto second = StepEffects();
    ASSERT_EQ(4u, second.size());

    EXPECT_NEAR(0.4, v->animations[rig.leverLeft1].state, 1e-12);
    EXPECT_NEAR(0.6, v->animations[rig.leverRight1].state, 1e-12);

    // Centred again: the levers return in steps of 0.05 and the throttle pose comes
    // back only once the left pair is at rest (the throttle state was forced to 0.5).
    SetDrive(0, 0, 0, 0);
    EXPECT_EQ((std::vector<std::string>{Anim(2, 0.5), Anim(3, 0.5), Anim(4, 0.5), Anim(5, 0.5),
                                        Anim(2, 0.45), Anim(3, 0.55), Anim(4, 0.45),
                                        Anim(5, 0.55)}),
              StepEffects());
    for (int i = 0; i < 2; ++i)
        StepEffects(); // the steering levers back at rest

    // Steering either way forces a throttle state of 0.4 to 0.5, so centred with no
    // throttle the levers are at rest (the D10 pose), not rising from 0.4.
    for (double rudder : {0.1, -0.1}) {
        SetDrive(1, 0, 0, 0);
        for (int i = 0; i < 10; ++i)
            Step();
        EXPECT_NEAR(0.4, v->animations[rig.leverLeft1].state, 1e-12);
        SetDrive(0, 0, rudder, 0);
        StepEffects();
        SetDrive(0, 0, 0, 0);
        auto effects = StepEffects();
        ASSERT_GE(effects.size(), 4u) << rudder;
        EXPECT_EQ(Anim(2, 0.5), effects[0]) << rudder;
        for (int i = 0; i < 2; ++i)
            StepEffects();
    }
    for (double edge : {0.15, -0.15}) { // not beyond ±0.15: still no wheel
        Make("VARLOK1", edge > 0 ? "Right" : "Left");
        SetDrive(0, 0, edge, 10);
        EXPECT_EQ(4u, StepEffects().size()) << edge;
    }
}

TEST_F(DriveModel, BothDriveThrustersLeaveReverseMemoryAndTheThrottleAt026)
{
    Make("VARLOK1");
    StartEngine();
    SetDrive(1, 0, 0, 10);
    for (int i = 0; i < 30; ++i)
        Step();
    EXPECT_DOUBLE_EQ(0.25, v->animations[rig.leverLeft1].state);
    SetDrive(1, 1, 0, 10);
    Step();
    EXPECT_NEAR(0.26, v->animations[rig.leverLeft1].state, 1e-12);
    Step();
    EXPECT_NEAR(0.26, v->animations[rig.leverRight2].state, 1e-12);
    // Coasting now follows the reverse memory: the roll falls.
    double before = v->animations[rig.wheelsRightFwd].state;
    SetDrive(0, 0, 0, 10);
    EXPECT_NEAR(before - 10.0 / 300, StepAnimation(rig.wheelsRightFwd), 1e-12);
}

TEST_F(DriveModel, CoastingFollowsTheLastDriveDirection)
{
    Make("VARLOK1");
    StartEngine();
    SetDrive(1, 0, 0, 6);
    double roll = StepAnimation(rig.wheelsRightFwd);
    SetDrive(0, 0, 0, 6);
    EXPECT_NEAR(roll + 6.0 / 300, StepAnimation(rig.wheelsRightFwd), 1e-12);
    SetDrive(0, 0, 0, 0.15);
    EXPECT_TRUE(std::isnan(StepAnimation(rig.wheelsRightFwd))) << "0.15 is not above 0.15";
}

TEST_F(DriveModel, ThrottleLeversMoveBothStepsAtOnceWhenSwitchingDirection)
{
    Make("VARLOK1");
    StartEngine();
    SetDrive(1, 0, 0, 5);
    for (int i = 0; i < 5; ++i)
        Step();
    EXPECT_NEAR(0.45, v->animations[rig.leverLeft1].state, 1e-12);
    SetDrive(0, 1, 0, 5);
    Step();
    EXPECT_NEAR(0.47, v->animations[rig.leverLeft1].state, 1e-12);
    for (int i = 0; i < 40; ++i)
        Step();
    EXPECT_DOUBLE_EQ(0.75, v->animations[rig.leverLeft2].state);
    SetDrive(0, 0, 0, 0);
    Step();
    EXPECT_NEAR(0.74, v->animations[rig.leverRight1].state, 1e-12);

    // Every end is reached exactly and never passed: 0.25 forward, 0.75 in reverse, and
    // 0.5 coming back from either side, where the rest pose is set every step.
    const struct {
        double main, retro, end;
    } ends[] = {{0, 0, 0.5}, {1, 0, 0.25}, {0, 0, 0.5}, {0, 1, 0.75}, {0, 0, 0.5}};
    for (const auto &end : ends) {
        SetDrive(end.main, end.retro, 0, 0);
        for (int i = 0; i < 60; ++i)
            Step();
        EXPECT_EQ(end.end, v->animations[rig.leverLeft1].state) << end.main << end.retro;
    }
    EXPECT_EQ((std::vector<std::string>{Anim(2, 0.5), Anim(3, 0.5), Anim(4, 0.5), Anim(5, 0.5)}),
              StepEffects());
}

} // namespace
