// A trace that keeps one kind of call only: exactly those calls, as a full trace has
// them, whether the host or the sound library notes them.
#include <gtest/gtest.h>

#include "generated/test_build.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::Describe;
using testing_support::HostTest;
using testing_support::Only;

class TraceOnlyTest : public HostTest {
protected:
    // One step of a vehicle driving with its engine running, from a fresh simulator.
    std::vector<host::TraceCall> DrivingStep(const char *only)
    {
        sim.Reset();
        sim.SetRoot(SIM_ROOT);
        LoadSoundLibrary();
        host::Vessel &v = Create("V", "VARLOK1");
        v.readings.airspeed = 5;
        v.readings.groundContact = true;
        sim.SendKey(v, OAPI_KEY_K, true);
        v.thrusters[0].level = 1;
        sim.Trace().enabled = true;
        sim.Trace().only = only;
        sim.Trace().Clear();
        sim.Step(0.01);
        return sim.Trace().Calls();
    }
};

TEST_F(TraceOnlyTest, KeepsExactlyTheNamedHostCalls)
{
    const auto full = DrivingStep(nullptr);
    const auto kept = DrivingStep("SetAnimation");
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(Describe(Only(full, {"SetAnimation"}), true), Describe(kept, true));
}

TEST_F(TraceOnlyTest, KeepsExactlyTheNamedSoundLibraryCalls)
{
    const auto full = DrivingStep(nullptr);
    const auto kept = DrivingStep("PlayVesselWaveOBSound3");
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(Describe(Only(full, {"PlayVesselWaveOBSound3"}), true), Describe(kept, true));
}

// Names are compared whole: one that begins like a call's name keeps nothing.
TEST_F(TraceOnlyTest, APrefixOfANameKeepsNothing)
{
    EXPECT_TRUE(DrivingStep("SetAnim").empty());
    EXPECT_TRUE(DrivingStep("SetAnimations").empty());
}

TEST_F(TraceOnlyTest, ResetKeepsEveryCallAgain)
{
    sim.Trace().only = "SetAnimation";
    sim.Reset();
    EXPECT_EQ(nullptr, sim.Trace().only);
}

} // namespace
