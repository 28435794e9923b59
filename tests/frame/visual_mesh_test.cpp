// The module-wide mesh handle of the visual: one per module, the last visual created
// wins, and any vehicle's visual destruction clears it.
#include <gtest/gtest.h>

#include "generated/test_build.h"
#include "tests/support/host_fixture.h"

namespace {

class VisualMesh : public testing_support::HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        sim.SetModuleDirectory(std::string(TEST_ROOT) + "/Modules");
        probe = reinterpret_cast<MESHHANDLE (*)()>(
            sim.LoadModule("PROBE").Symbol("ProbeVisualMesh"));
        ASSERT_NE(nullptr, probe);
    }
    MESHHANDLE (*probe)() = nullptr;
};

TEST_F(VisualMesh, KeepsMeshZeroOfTheLastVisualCreated)
{
    auto &a = Create("A", "PROBE");
    auto &b = Create("B", "PROBE");
    EXPECT_EQ(nullptr, probe());
    sim.CreateVisual(a);
    ASSERT_NE(nullptr, a.meshes.at(0).mesh);
    EXPECT_EQ(a.meshes[0].mesh, probe());

    auto calls = CallsOf(a);
    ASSERT_FALSE(calls.empty());
    EXPECT_STREQ("GetMesh", calls.back().call);
    EXPECT_EQ(0, testing_support::Number(calls.back().args.at(1)));

    sim.CreateVisual(b);
    EXPECT_EQ(b.meshes[0].mesh, probe());
}

TEST_F(VisualMesh, AnyVehiclesVisualDestructionClearsIt)
{
    auto &a = Create("A", "PROBE");
    auto &b = Create("B", "PROBE");
    sim.CreateVisual(a);
    sim.CreateVisual(b);
    sim.DestroyVisual(a);
    EXPECT_EQ(nullptr, probe()) << "cleared although B's visual still exists";
    sim.DestroyVisual(b);
    sim.CreateVisual(b);
    EXPECT_EQ(b.meshes[0].mesh, probe());
}

} // namespace
