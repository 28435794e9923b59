// VARLOK3C's cannon record belongs to its vehicle: made with it, released by ovcExit with
// it, and when it cannot be made the vehicle goes on without the cannon component.
#include <gtest/gtest.h>

#include "host/vessel/pose.h"
#include "tests/frame/counting_allocator.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::HostTest;

class CannonRecord : public HostTest {
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        if (!counting_allocator::kSeesModules)
            GTEST_SKIP() << counting_allocator::kModulesUnseen;
    }
};

TEST_F(CannonRecord, IsMadeForEachVehicleAndReleasedWithIt)
{
    counting_allocator::Watch made;
    counting_allocator::Start(made);
    host::Vessel &a = sim.ConstructVessel("A", "VARLOK3C");
    host::Vessel &b = sim.ConstructVessel("B", "VARLOK3C");
    counting_allocator::Stop();
    void *cannonA = const_cast<MGROUP_TRANSFORM *>(a.components.at(1).transform);
    void *cannonB = const_cast<MGROUP_TRANSFORM *>(b.components.at(1).transform);
    ASSERT_EQ(1u, made.allocated.count(cannonA));
    ASSERT_EQ(1u, made.allocated.count(cannonB));
    // Nothing else of the rig is allocated per vehicle: the vehicle and its cannon.
    EXPECT_EQ(4u, made.allocated.size());

    counting_allocator::Watch exitA;
    counting_allocator::Start(exitA);
    sim.DestroyVessel(a);
    counting_allocator::Stop();
    EXPECT_EQ(1u, exitA.freed.count(cannonA));
    EXPECT_EQ(0u, exitA.freed.count(cannonB));

    // B's record is still the host's to read: its cannon still moves.
    b.animations[1].state = 1.0;
    const VECTOR3 ahead = _V(-0.64, 1.243, 0.904);
    EXPECT_GT(host::PosePoint(b, 96, ahead).y, 2.2);

    counting_allocator::Watch exitB;
    counting_allocator::Start(exitB);
    sim.DestroyVessel(b);
    counting_allocator::Stop();
    EXPECT_EQ(1u, exitB.freed.count(cannonB));
}

TEST_F(CannonRecord, OtherModulesMakeNoRecordOfTheirOwn)
{
    for (const char *className : {"VARLOK1", "KELDOCONTROL"}) {
        counting_allocator::Watch made;
        counting_allocator::Start(made);
        host::Vessel &v = sim.ConstructVessel("V", className);
        counting_allocator::Stop();
        EXPECT_EQ(1u, made.allocated.size()) << className; // the vehicle alone
        sim.DestroyVessel(v);
    }
}

// The first no-throw allocation is the vehicle, the second its cannon record.
TEST_F(CannonRecord, WithoutMemoryTheVehicleSkipsOnlyTheCannonComponent)
{
    counting_allocator::FailNoThrowAllocation(1);
    host::Vessel &v = Create("V", "VARLOK3C");
    ASSERT_EQ(14u, v.animations.size());
    ASSERT_EQ(33u, v.components.size());
    EXPECT_EQ(0u, v.components[0].animation); // the turret
    EXPECT_EQ(2u, v.components[1].animation); // then the left latch: no cannon component
    for (const auto &component : v.components)
        EXPECT_EQ(-1, component.parent);
    host::Vessel &w = Create("W", "VARLOK3C");
    EXPECT_EQ(34u, w.components.size());
    sim.DestroyVessel(v); // nothing to release
    EXPECT_EQ(34u, w.components.size());
}

} // namespace
