// The invariant watch that the fuzzer and the soak run rely on: each kind of broken
// invariant is reported, and a well-formed step is not.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "fuzz/vehicle_watch.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr unsigned kKeyD = 32, kKeyK = 37;

// VARLOK3C's layout: turret 0, cannon 1, latches 2 and 3, levers 4 to 7, doors 8 and 9.
class WatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        vessel.id = 7;
        vessel.className = "VARLOK3C";
        vessel.thrusters.resize(6);
        vessel.animations.resize(14);
        watch.Add(vessel);
    }

    static host::TraceCall Call(const char *name, std::vector<host::TraceValue> args)
    {
        host::TraceCall call;
        call.vessel = 7;
        call.call = name;
        call.args = std::move(args);
        return call;
    }
    static host::TraceCall Anim(int index, double state)
    {
        return Call("SetAnimation", {std::int64_t(index), state});
    }
    static void Doors(std::vector<host::TraceCall> &calls, double state)
    {
        for (int index : {8, 2, 3, 9})
            calls.push_back(Anim(index, state));
    }

    // A step at rest: levers at their rest pose, turret and cannon held at 0.
    static std::vector<host::TraceCall> RestStep()
    {
        return {Anim(4, 0.5), Anim(5, 0.5), Anim(6, 0.5), Anim(7, 0.5), Anim(0, 0), Anim(1, 0)};
    }

    std::size_t Step(const std::vector<host::TraceCall> &calls, double dt = 0.04)
    {
        watch.Check(calls, {&vessel}, dt);
        return watch.Violations().size();
    }

    host::Vessel vessel;
    reliability::VehicleWatch watch;
};

TEST_F(WatchTest, AStepAtRestBreaksNothing)
{
    EXPECT_EQ(0u, Step(RestStep()));
    EXPECT_EQ(0u, Step(RestStep(), kNaN)) << "a broken step length moves nothing";
}

TEST_F(WatchTest, DoorsSetWhileClosedAreReported)
{
    auto calls = RestStep();
    Doors(calls, 0);
    EXPECT_EQ(1u, Step(calls));
}

TEST_F(WatchTest, DoorSequenceFollowsItsModes)
{
    watch.NoteKey(7, kKeyD, false);
    EXPECT_EQ(1u, Step([] { auto c = RestStep(); Doors(c, 0.5); return c; }()))
        << "a release changes no mode";
    watch.NoteKey(7, kKeyD, true); // opening
    auto opening = RestStep();
    Doors(opening, 1.0);
    EXPECT_EQ(1u, Step(opening));
    EXPECT_EQ(1u, Step(opening)) << "the step after the end still sets the doors";
    EXPECT_EQ(2u, Step(opening)) << "then the doors rest open";
    watch.NoteKey(7, kKeyD, true); // closing
    auto closing = RestStep();
    Doors(closing, 0.99);
    EXPECT_EQ(2u, Step(closing));
    auto backwards = RestStep();
    Doors(backwards, 0.995);
    EXPECT_EQ(3u, Step(backwards)) << "opened while closing";
}

TEST_F(WatchTest, DoorAnimationsMustComeAsOneSetOfFour)
{
    watch.NoteKey(7, kKeyD, true);
    auto calls = RestStep();
    calls.push_back(Anim(8, 0.1));
    calls.push_back(Anim(2, 0.1));
    calls.push_back(Anim(9, 0.1));
    calls.push_back(Anim(3, 0.1));
    EXPECT_EQ(1u, Step(calls)) << "out of order";
    auto missing = RestStep();
    missing.push_back(Anim(8, 0.2));
    EXPECT_EQ(2u, Step(missing));
    auto outside = RestStep();
    Doors(outside, 1.5);
    EXPECT_EQ(3u, Step(outside));
}

TEST_F(WatchTest, TurretAndCannonMayPassTheirRangeByOneAdvance)
{
    auto calls = RestStep();
    calls[4] = Anim(0, 1.01); // d = 0.04 s x 0.25 = 0.01
    calls[5] = Anim(1, -0.01);
    EXPECT_EQ(0u, Step(calls));
    calls[4] = Anim(0, 1.0101);
    EXPECT_EQ(1u, Step(calls));
    calls[4] = Anim(0, 0.5);
    calls[5] = Anim(1, -0.0101);
    EXPECT_EQ(2u, Step(calls));
    calls.pop_back();
    EXPECT_EQ(3u, Step(calls)) << "the cannon is set at every step";
}

TEST_F(WatchTest, NumbersThatAreNotFiniteAreReportedExceptInTheHostsReadings)
{
    auto calls = RestStep();
    calls.push_back(Call("GetAirspeed", {kNaN}));
    calls.push_back(Call("GetAirspeedVector", {std::int64_t(0), _V(kInf, 0, 0)}));
    EXPECT_EQ(0u, Step(calls));
    calls.push_back(Call("AddForce", {_V(0, 0, kInf), _V(0, 0, 0)}));
    EXPECT_EQ(1u, Step(calls));
    vessel.animations[12].state = kNaN;
    EXPECT_EQ(3u, Step(calls)) << "the state the host holds is checked too";
}

TEST_F(WatchTest, NoThrustBeforeTheEngineStarts)
{
    EXPECT_EQ(0u, Step(RestStep()));
    vessel.thrusters[3].max0 = 90000;
    EXPECT_EQ(1u, Step(RestStep()));
    vessel.thrusters[3].max0 = 0;
    auto calls = RestStep();
    calls.push_back(Call("SetThrusterMax0", {host::HandleValue{}, 9000.0}));
    EXPECT_EQ(2u, Step(calls));
    watch.NoteKey(7, kKeyK, true);
    for (std::size_t i = 0; i < 6; ++i)
        vessel.thrusters[i].max0 = i < 2 ? 9000 : 90000;
    EXPECT_EQ(2u, Step(calls)) << "running: drive thrusters at 9000 N, yaw at 90000 N";
    vessel.thrusters[0].max0 = 90000;
    EXPECT_EQ(3u, Step(calls));
}

TEST_F(WatchTest, LeversShowAThrottlePoseOrAMirroredSteeringPose)
{
    auto steering = RestStep();
    steering[0] = Anim(4, 0.1);
    steering[1] = Anim(5, 0.9);
    steering[2] = Anim(6, 0.1);
    steering[3] = Anim(7, 0.9);
    EXPECT_EQ(0u, Step(steering));
    auto throttle = RestStep();
    for (int i = 0; i < 4; ++i)
        throttle[std::size_t(i)] = Anim(4 + i, 0.2);
    EXPECT_EQ(1u, Step(throttle)) << "below the full forward pose";
    steering[3] = Anim(7, 0.8);
    EXPECT_EQ(2u, Step(steering)) << "pairs differ";
    auto partial = RestStep();
    partial.erase(partial.begin());
    EXPECT_EQ(3u, Step(partial));
}

TEST_F(WatchTest, WheelsMayPassTheirRangeByOneTurningStepAtMost)
{
    auto calls = RestStep();
    calls.push_back(Anim(10, 1.56)); // 55 m/s x 0.01 + 0.01 past 1
    calls.push_back(Anim(13, -0.56));
    EXPECT_EQ(0u, Step(calls));
    calls.push_back(Anim(11, 1.57));
    EXPECT_EQ(1u, Step(calls));
}

TEST_F(WatchTest, AClassWithoutALayoutIsReported)
{
    host::Vessel other;
    other.className = "SHUTTLE";
    watch.Add(other);
    EXPECT_EQ(1u, watch.Violations().size());
}

} // namespace
