// Readings no simulator gives (NaN or infinite airspeed or step length, a negative
// step length): the state stays in its range and the host never gets NaN or infinity.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/vehicle/vehicle_fixture.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class UnusualReadings : public vehicle_testing::VehicleTest {
protected:
    // Every number the vehicle handed to the host in its last step is finite.
    void ExpectFiniteCalls(const std::vector<host::TraceCall> &calls, const char *what)
    {
        for (const auto &c : calls) {
            const std::string name = c.call;
            if (name.rfind("Get", 0) == 0 || name == "GroundContact")
                continue; // the host's own readings
            for (const auto &arg : c.args) {
                bool finite = true;
                if (auto *d = std::get_if<double>(&arg))
                    finite = std::isfinite(*d);
                if (auto *vec = std::get_if<VECTOR3>(&arg))
                    finite = std::isfinite(vec->x) && std::isfinite(vec->y) &&
                             std::isfinite(vec->z);
                EXPECT_TRUE(finite) << what << ": " << testing_support::Describe(c);
            }
        }
    }
};

TEST_F(UnusualReadings, StepLengthsThatAreNotFiniteOrNegativeMoveNoMechanism)
{
    LoadSoundLibrary();
    Make("VARLOK3C");
    Press(OAPI_KEY_K);
    Press(OAPI_KEY_D);
    Press(OAPI_KEY_8);
    Press(OAPI_KEY_5);
    Step(0.4); // everything at 0.1
    for (double dt : {kNaN, kInf, -kInf, -0.5}) {
        auto calls = Step(dt);
        ExpectFiniteCalls(calls, "step length");
        EXPECT_NEAR(0.1, v->animations[rig.doorLeft].state, 1e-12) << dt;
        EXPECT_NEAR(0.1, v->animations[rig.turret].state, 1e-12) << dt;
        EXPECT_NEAR(0.1, v->animations[rig.cannon].state, 1e-12) << dt;
    }
    EXPECT_NEAR(0.2, StepAnimation(rig.turret, 0.4), 1e-12) << "normal steps go on";
}

// A step longer than 4 s advances the turret by more than a turn: the next step wraps
// it by as many whole turns as that took (the same pose), not by one.
TEST_F(UnusualReadings, TurretAfterAStepOfMoreThanATurnComesBackWithinATurn)
{
    Make("VARLOK3C");
    Press(OAPI_KEY_8); // turning, state rising
    EXPECT_DOUBLE_EQ(2.5, StepAnimation(rig.turret, 10));
    EXPECT_NEAR(0.6, StepAnimation(rig.turret, 0.4), 1e-12) << "2.5 wrapped to 0.5, then +0.1";
    Press(OAPI_KEY_7); // turning back, state falling
    EXPECT_NEAR(-1.9, StepAnimation(rig.turret, 10), 1e-12);
    EXPECT_NEAR(0.0, StepAnimation(rig.turret, 0.4), 1e-12) << "-1.9 wrapped to 0.1, then -0.1";
    EXPECT_DOUBLE_EQ(-2.5e299, StepAnimation(rig.turret, 1e300));
    const double after = StepAnimation(rig.turret, 0.04);
    EXPECT_TRUE(after >= -0.01 && after <= 1.01) << after;
}

TEST_F(UnusualReadings, RoofRotatorIgnoresABrokenStepLength)
{
    Make("KELDOCONTROL");
    for (double dt : {kNaN, kInf, -1.0})
        EXPECT_EQ(0, StepAnimation(rig.roof, dt)) << dt;
}

TEST_F(UnusualReadings, AirspeedThatIsNotFiniteReadsAsStandingStill)
{
    LoadSoundLibrary();
    Make("VARLOK1");
    Press(OAPI_KEY_K);
    for (double speed : {kNaN, kInf, -kInf}) {
        for (double rudder : {0.0, -0.5, 0.5}) {
            SetDrive(1, 0, rudder, speed);
            auto calls = Step();
            ExpectFiniteCalls(calls, "airspeed");
            EXPECT_TRUE(testing_support::Only(calls, {"AddForce"}).empty());
        }
    }
    // The running cue was asked at rest values.
    auto cue = testing_support::Describe(testing_support::Only(Step(), {"PlayVesselWaveOBSound3"}));
    EXPECT_EQ("PlayVesselWaveOBSound3(0, 1, 1, 190, 11025)", cue.at(0));
}

TEST_F(UnusualReadings, NegativeAirspeedKeepsTheTurningRollBounded)
{
    Make("VARLOK1");
    SetDrive(0, 0, -0.5, -1e300);
    double roll = 0;
    for (int i = 0; i < 10; ++i)
        roll = StepAnimation(rig.wheelsLeftFwd);
    // The speed's magnitude is capped at 55: at most 0.54 of a turn per step.
    EXPECT_LE(roll, 1 + 10 * 0.54 + 1e-9);
    EXPECT_TRUE(std::isfinite(roll));
}

// Turning with an airspeed below -1 m/s turns the roll state upward: it wraps from above
// like the forward roll. Positive speeds keep the plain turning roll, no wrap above 1.
TEST_F(UnusualReadings, NegativeAirspeedWhileTurningWrapsTheRollFromAbove)
{
    Make("VARLOK1");
    SetDrive(0, 0, -0.5, -100); // capped at -55: the state rises by 0.54 per step
    const double expected[] = {0.54, 1.08, 0.54, 1.08};
    for (double roll : expected)
        EXPECT_NEAR(roll, StepAnimation(rig.wheelsLeftFwd), 1e-12);
    SetDrive(0, 0, -0.5, 30); // turning at a real speed from 1.08: no wrap, 0.31 less
    EXPECT_NEAR(0.77, StepAnimation(rig.wheelsLeftFwd), 1e-12);
}

TEST_F(UnusualReadings, HugeSpeedGivesASaturatedEngineNote)
{
    LoadSoundLibrary();
    Make("VARLOK3C");
    Press(OAPI_KEY_K);
    SetDrive(0, 0, 0.1, 1e300); // no rolling branch: the raw speed reaches the cue
    auto cue = testing_support::Describe(testing_support::Only(Step(), {"PlayVesselWaveOBSound3"}));
    EXPECT_EQ("PlayVesselWaveOBSound3(0, 1, 1, 225, 2147483647)", cue.at(0));
}

} // namespace
