// What a program learns besides the trace: the run observer is told of exactly the
// sounds the library took to play, as the full trace has them, with the trace off; and
// a selected trace marks the calls it keeps only to number transform records.
#include <gtest/gtest.h>

#include "generated/test_build.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::HostTest;
using testing_support::Only;

struct Plays final : host::RunObserver {
    std::vector<std::pair<int, int>> heard; // vessel, slot
    void SoundPlayed(int vessel, int slot) override { heard.emplace_back(vessel, slot); }
};

class RunObserverTest : public HostTest {
protected:
    // One step of a vehicle driving with its engine started, from a fresh simulator.
    void DrivingStep(bool trace, host::RunObserver *observer)
    {
        sim.Reset();
        sim.SetRoot(SIM_ROOT);
        LoadSoundLibrary();
        if (observer)
            sim.Observe(observer);
        host::Vessel &v = Create("V", "VARLOK1");
        v.readings.airspeed = 5;
        v.readings.groundContact = true;
        sim.Trace().enabled = trace;
        sim.SendKey(v, OAPI_KEY_K, true);
        v.thrusters[0].level = 1;
        sim.Step(0.01);
    }
};

TEST_F(RunObserverTest, HearsTheAcceptedPlaysOfTheFullTraceWithTheTraceOff)
{
    DrivingStep(true, nullptr);
    std::vector<std::pair<int, int>> expected;
    for (const host::TraceCall &call : Only(sim.Trace().Calls(), {"PlayVesselWaveOBSound3"}))
        if (call.ret && std::get<std::int64_t>(*call.ret) != 0)
            expected.emplace_back(call.vessel, int(std::get<std::int64_t>(call.args[1])));
    ASSERT_FALSE(expected.empty());

    Plays plays;
    DrivingStep(false, &plays);
    EXPECT_TRUE(sim.Trace().Calls().empty());
    EXPECT_EQ(expected, plays.heard);
}

TEST_F(RunObserverTest, ResetForgetsTheObserver)
{
    Plays plays;
    sim.Observe(&plays);
    DrivingStep(false, nullptr); // from a Reset
    EXPECT_TRUE(plays.heard.empty());
}

// Transform records are numbered in order of first appearance, so a selection keeps
// the calls that hand them over, marked as not selected; the rest as selected.
TEST_F(RunObserverTest, ASelectionMarksTheCallsKeptOnlyForNumbering)
{
    host::TraceSelection selection;
    selection.calls = {"SetAnimation"};
    sim.Trace().selection = &selection;
    sim.Trace().enabled = true;
    Create("V", "VARLOK1");
    sim.Step(0.01);
    int numbering = 0, selected = 0;
    for (const host::TraceCall &call : sim.Trace().Calls()) {
        const bool handsOver = std::string(call.call) == "AddAnimationComponent";
        EXPECT_TRUE(handsOver || std::string(call.call) == "SetAnimation") << call.call;
        EXPECT_EQ(call.selected, !handsOver) << call.call;
        (handsOver ? numbering : selected) += 1;
    }
    EXPECT_GT(numbering, 0);
    EXPECT_GT(selected, 0);
}

} // namespace
