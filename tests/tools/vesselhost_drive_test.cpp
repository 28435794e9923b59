// Driving the real modules through the built program: engine start, throttle against
// the brake, turning with the wheels, the doors, and the summary of it all.
#include "tests/tools/vesselhost_fixture.h"

#include <algorithm>
#include <cmath>

#include "tests/support/rig_layout.h"

namespace vesselhost_test {
namespace {

const char kQuiet[] = "STEP 0.02\nSOUND OFF\nPHYSICS ON\n";

// VARLOK1's wheel animations, as its rig's table creates them.
const testing_support::RigLayout &kVarlok1 = *testing_support::RigLayoutOf("VARLOK1");
const int kWheelsLeftFwd = kVarlok1.wheelsLeftFwd, kWheelsRightRev = kVarlok1.wheelsRightRev;
const int kWheels[] = {kVarlok1.wheelsRightFwd, kVarlok1.wheelsLeftFwd, kVarlok1.wheelsRightRev,
                       kVarlok1.wheelsLeftRev};

TEST_F(VesselhostTest, VehicleStandsUntilKeyKThenDrives)
{
    // Full throttle from the second step on: in the first step the thrusters still have
    // the thrust they were declared with, until the vehicle's step holds them at zero.
    Result r = RunScenario(Scenario(std::string(kQuiet) + "DURATION 5\n", "V1:VARLOK1\nEND\n",
                                    "0.02 V1 MAIN 1\n2.0 V1 KEY K\n"),
                           "--telemetry t.csv");
    ASSERT_EQ(r.code, 0) << r.err;
    Telemetry t(ReadFile(dir / "t.csv"), "V1");
    ASSERT_EQ(t.Rows(), 250u);
    for (std::size_t i = 0; i < t.RowAt(2.0); ++i) {
        ASSERT_EQ(t.Get(i, "z_m"), 0) << "moved at " << t.Get(i, "t");
        ASSERT_EQ(t.Get(i, "main_max"), 0) << "thrust before the engine runs";
    }
    std::size_t after = t.RowAt(2.1);
    EXPECT_EQ(t.Get(after, "main_max"), 9000);
    EXPECT_EQ(t.Get(after, "main_level"), 1);
    EXPECT_GT(t.Get(after, "z_m"), 0);
    EXPECT_GT(t.Get(t.Rows() - 1, "z_m"), 20);
    EXPECT_NEAR(t.Get(t.Rows() - 1, "x_m"), 0, 1e-9); // straight ahead
    EXPECT_NE(r.out.find("engine start   2.00 s"), std::string::npos) << r.out;
}

TEST_F(VesselhostTest, FullThrottleHoldsAbout13MetresPerSecondWhereTheBrakeMeetsTheThrust)
{
    Result r = RunScenario(Scenario(std::string(kQuiet) + "DURATION 15\n", "V1:VARLOK3C\nEND\n",
                                    "0 V1 KEY K\n0.1 V1 MAIN 1\n"),
                           "--telemetry t.csv");
    ASSERT_EQ(r.code, 0) << r.err;
    Telemetry t(ReadFile(dir / "t.csv"), "V1");
    double sum = 0;
    std::size_t from = t.RowAt(5), count = 0;
    for (std::size_t i = from; i < t.Rows(); ++i, ++count) {
        double speed = t.Get(i, "speed_m_s");
        ASSERT_GT(speed, 12.5) << "at " << t.Get(i, "t");
        ASSERT_LT(speed, 13.6) << "at " << t.Get(i, "t");
        sum += speed;
    }
    EXPECT_NEAR(sum / double(count), 13.1, 0.3);

    // At the longest step the brake acts a whole second late, but nothing runs away:
    // every speed stays finite and below where the thrust alone meets the drag (40 m/s).
    r = RunScenario(Scenario("STEP 1\nSOUND OFF\nDURATION 60\n", "V1:VARLOK3C\nEND\n",
                             "0 V1 KEY K\n0.1 V1 MAIN 1\n"),
                    "--telemetry t.csv");
    ASSERT_EQ(r.code, 0) << r.err;
    Telemetry coarse(ReadFile(dir / "t.csv"), "V1");
    ASSERT_EQ(coarse.Rows(), 60u);
    for (std::size_t i = 0; i < coarse.Rows(); ++i)
        ASSERT_LT(coarse.Get(i, "speed_m_s"), 40.3) << "at " << coarse.Get(i, "t");
    EXPECT_GT(coarse.Get(coarse.Rows() - 1, "z_m"), 500);
}

TEST_F(VesselhostTest, NegativeYawTurnsLeftWithTheRightWheelsForwardAndTheLeftBack)
{
    Result r = RunScenario(Scenario(std::string(kQuiet) + "DURATION 5\n", "V1:VARLOK1\nEND\n",
                                    "0 V1 KEY K\n0.1 V1 MAIN 1\n3 V1 YAW -0.6 FOR 2\n"),
                           "--telemetry t.csv --trace t.jsonl");
    ASSERT_EQ(r.code, 0) << r.err;
    Telemetry t(ReadFile(dir / "t.csv"), "V1");
    double heading = t.Get(t.Rows() - 1, "heading_deg");
    EXPECT_GT(heading, 200);
    EXPECT_LT(heading, 350); // 0 is straight ahead; less is to the left
    EXPECT_LT(t.Get(t.Rows() - 1, "x_m"), -5);

    // Within the turn: the right reverse and left forward animations, in that order, at
    // the same state, which falls from step to step (rolling on past 0 from 1 again).
    double previous = 2;
    int steps = 0;
    for (const nlohmann::json &call : TraceLines(ReadFile(dir / "t.jsonl"))) {
        double time = call["t"];
        if (call["call"] != "SetAnimation" || time < 3.1 || time > 4.99)
            continue;
        int animation = call["args"][0];
        if (std::find(std::begin(kWheels), std::end(kWheels), animation) == std::end(kWheels))
            continue;
        double state = call["args"][1];
        if (animation == kWheelsRightRev) {
            EXPECT_TRUE(state < previous || previous < 0) << state << " after " << previous;
            previous = state;
            ++steps;
        } else {
            EXPECT_EQ(animation, kWheelsLeftFwd) << "at " << time;
            EXPECT_EQ(state, previous);
        }
    }
    EXPECT_GT(steps, 80);
}

TEST_F(VesselhostTest, DoorsOpenInFourSecondsLatchesFirst)
{
    // Steps of 1/8 s move the doors by exactly 1/32.
    Result r = RunScenario(Scenario("STEP 0.125\nDURATION 6\nSOUND OFF\n", "V1:VARLOK1\nEND\n",
                                    "1 V1 KEY D\n"),
                           "--telemetry t.csv");
    ASSERT_EQ(r.code, 0) << r.err;
    Telemetry t(ReadFile(dir / "t.csv"), "V1");
    std::string door = "door_left";
    std::string latch = "door_latch_left";
    EXPECT_EQ(t.Get(t.RowAt(1), door), 0);
    EXPECT_EQ(t.Get(t.RowAt(1.125), door), 0.03125);
    EXPECT_EQ(t.Get(t.RowAt(4.875), door), 0.96875);
    EXPECT_EQ(t.Get(t.RowAt(5), door), 1);
    EXPECT_EQ(t.Get(t.RowAt(3), latch), 0.5); // the latches turn over the first half
    EXPECT_NE(r.out.find("door cycles    opened 1, closed 0"), std::string::npos) << r.out;
}

TEST_F(VesselhostTest, SummaryTellsWhatEachVesselDid)
{
    Result r = RunScenario(
        Scenario(std::string(kQuiet) + "DURATION 12\n",
                 "Base:VARLOK1\nPOS -10 0\nEND\nControl:KELDOCONTROL\nPOS 10 0\nHEADING 90\nEND\n",
                 "0.5 Base KEY K\n1 Base KEY D\n1 Base MAIN 1 FOR 3\n6 Base KEY D\n"
                 "7 Base KEY W\n7 Control KEY W\n7.5 Control KEY 5\n"));
    ASSERT_EQ(r.code, 0) << r.err;
    std::size_t control = r.out.find("Control (KELDOCONTROL)");
    ASSERT_NE(control, std::string::npos) << r.out;
    std::string base = r.out.substr(0, control), other = r.out.substr(control);
    EXPECT_NE(base.find("Base (VARLOK1)"), std::string::npos);
    EXPECT_NE(base.find("engine start   0.50 s"), std::string::npos) << base;
    EXPECT_NE(base.find("door cycles    opened 1, closed 1"), std::string::npos) << base;
    EXPECT_NE(base.find("keys passed    W x1"), std::string::npos) << base;
    EXPECT_NE(base.find("top speed      13."), std::string::npos) << base;
    EXPECT_NE(other.find("engine start   not started"), std::string::npos) << other;
    EXPECT_NE(other.find("keys passed    5 x1, W x1"), std::string::npos) << other;
    EXPECT_NE(other.find("distance       0.0 m, from (10.0, 0.0) to (10.0, 0.0), heading 90.0"),
              std::string::npos)
        << other;
}

TEST_F(VesselhostTest, ScriptedReadingsDriveTheModuleWithThePhysicsOff)
{
    // On the ground at 20 m/s forward, the vehicle brakes with 9000 N against the motion.
    Result r = RunScenario(
        Scenario("STEP 0.1\nDURATION 0.3\nSOUND OFF\nPHYSICS OFF\n", "V1:VARLOK1\nEND\n",
                 "0 V1 GROUND ON\n0 V1 AIRSPEED 20 FOR 0.2\n0 V1 AIRVEC 0 0 20\n"),
        "--trace t.jsonl");
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<int> brakingSteps;
    for (const nlohmann::json &call : TraceLines(ReadFile(dir / "t.jsonl")))
        if (call["call"] == "AddForce") {
            EXPECT_EQ(call["args"][0], nlohmann::json::array({0, 0, -9000}));
            brakingSteps.push_back(call["step"]);
        }
    EXPECT_EQ(brakingSteps, (std::vector<int>{0, 1})); // the airspeed falls to 0 at 0.2 s
}

} // namespace
} // namespace vesselhost_test
