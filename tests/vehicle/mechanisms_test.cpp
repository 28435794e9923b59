// Doors, turret, cannon and roof rotator over many steps; rates follow the step length.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tests/vehicle/vehicle_fixture.h"

namespace {

using testing_support::Describe;
using testing_support::Only;
using vehicle_testing::Anim;

class Mechanisms : public vehicle_testing::VehicleTest {
protected:
    std::vector<std::string> DoorCalls(double dt)
    {
        return Describe(Only(Step(dt), {"SetAnimation"}));
    }
};

TEST_F(Mechanisms, DoorsOpenInFourSecondsAndSettleOneStepLater)
{
    Make("VARLOK1");
    EXPECT_EQ(1, Press(OAPI_KEY_D));
    double position = 0;
    int steps = 0;
    while (position < 1 && steps < 100) {
        position = StepAnimation(rig.doorLeft, 0.1);
        ++steps;
    }
    EXPECT_EQ(40, steps);
    // The step after the end still sets the four door animations (left leaf, both
    // latches, right leaf), at 1; the mode is then "open" and nothing moves.
    auto calls = DoorCalls(0.1);
    std::vector<std::string> doors(calls.end() - 4, calls.end());
    EXPECT_EQ((std::vector<std::string>{Anim(rig.doorLeft, 1), Anim(rig.latchLeft, 1),
                                        Anim(rig.latchRight, 1), Anim(rig.doorRight, 1)}),
              doors);
    EXPECT_TRUE(std::isnan(StepAnimation(rig.doorLeft, 0.1)));
}

TEST_F(Mechanisms, DoorKeyDuringTravelReversesFromWhereTheDoorsStand)
{
    Make("KELDOCONTROL");
    Press(OAPI_KEY_D);
    for (int i = 0; i < 16; ++i)
        Step(0.1); // 0.4
    Press(OAPI_KEY_D); // closing
    EXPECT_NEAR(0.375, StepAnimation(rig.latchLeft, 0.1), 1e-12);
    Press(OAPI_KEY_D); // opening again, from 0.375
    EXPECT_NEAR(0.4, StepAnimation(rig.latchRight, 0.1), 1e-12);
    Press(OAPI_KEY_D);
    for (int i = 0; i < 16; ++i)
        Step(0.1);
    EXPECT_EQ(0, StepAnimation(rig.doorRight, 0.1)) << "closed: position at 0";
    EXPECT_EQ(0, StepAnimation(rig.doorRight, 0.1)) << "mode changes one step later";
    EXPECT_TRUE(std::isnan(StepAnimation(rig.doorRight, 0.1)));
}

TEST_F(Mechanisms, ZeroStepLengthChangesNoStateButStillSetsTheAnimations)
{
    Make("VARLOK3C");
    Press(OAPI_KEY_D);
    Press(OAPI_KEY_8); // turret turning
    Press(OAPI_KEY_5); // cannon raising
    Step(0.4);
    auto calls = Describe(Only(Step(0), {"SetAnimation"}));
    for (const auto &expected : {Anim(rig.doorLeft, 0.1), Anim(rig.turret, 0.1),
                                 Anim(rig.cannon, 0.1)})
        EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), expected)) << expected;
}

TEST_F(Mechanisms, TurretWrapsByAWholeTurnBeforeTheAdvance)
{
    Make("VARLOK3C");
    Press(OAPI_KEY_8); // rising
    EXPECT_DOUBLE_EQ(0.995, StepAnimation(rig.turret, 3.98));
    EXPECT_NEAR(1.005, StepAnimation(rig.turret, 0.04), 1e-12) << "handed over past 1";
    EXPECT_NEAR(0.015, StepAnimation(rig.turret, 0.04), 1e-12);
    Press(OAPI_KEY_7); // from rising straight to falling
    EXPECT_NEAR(0.005, StepAnimation(rig.turret, 0.04), 1e-12);
    EXPECT_NEAR(-0.005, StepAnimation(rig.turret, 0.04), 1e-12);
    EXPECT_NEAR(0.985, StepAnimation(rig.turret, 0.04), 1e-12) << "wrapped to 0.995 first";
}

TEST_F(Mechanisms, CannonClampsBeforeTheAdvanceAndKeepsPushingAtTheEnd)
{
    Make("VARLOK3C");
    Press(OAPI_KEY_5);
    EXPECT_EQ(1, StepAnimation(rig.cannon, 4));
    EXPECT_NEAR(1.01, StepAnimation(rig.cannon, 0.04), 1e-12);
    EXPECT_NEAR(1.01, StepAnimation(rig.cannon, 0.04), 1e-12);
    Press(OAPI_KEY_6);
    EXPECT_NEAR(0.99, StepAnimation(rig.cannon, 0.04), 1e-12);
    EXPECT_NEAR(-0.01, StepAnimation(rig.cannon, 4), 1e-12);
    EXPECT_NEAR(-0.01, StepAnimation(rig.cannon, 0.04), 1e-12);
}

TEST_F(Mechanisms, RoofRotatorStartsAgainFromZeroPastOneTurn)
{
    Make("KELDOCONTROL");
    EXPECT_DOUBLE_EQ(0.995, StepAnimation(rig.roof, 3.98));
    EXPECT_EQ(0, StepAnimation(rig.roof, 0.04)) << "1.005 is dropped, not carried";
    EXPECT_DOUBLE_EQ(0.01, StepAnimation(rig.roof, 0.04));
    Make("KELDOCONTROL", "Fresh");
    EXPECT_EQ(1, StepAnimation(rig.roof, 4)) << "exactly 1 is not past 1";
}

TEST_F(Mechanisms, VehiclesOfOneModuleMoveIndependently)
{
    Make("VARLOK1", "A");
    host::Vessel &a = *v;
    Make("VARLOK1", "B");
    sim.SendKey(a, OAPI_KEY_D, true);
    sim.Step(1);
    EXPECT_DOUBLE_EQ(0.25, a.animations[rig.doorLeft].state);
    EXPECT_EQ(0, v->animations[rig.doorLeft].state);
}

} // namespace
