// The pose kept from step to step: after any sequence of state changes it must equal a
// pose worked out afresh, exactly (the same arithmetic on the same inputs).
#include <gtest/gtest.h>

#include "host/vessel/pose.h"
#include "sdk/VesselAPI.h"
#include "tests/support/host_fixture.h"
#include "tests/support/rig_layout.h"

namespace {

using testing_support::HostTest;

// VARLOK3C's animations, as its rig's table creates them.
const testing_support::RigLayout &kRig = *testing_support::RigLayoutOf("VARLOK3C");

bool SameRotation(const host::RigidTransform &a, const host::RigidTransform &b)
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (a.rotation[i][j] != b.rotation[i][j])
                return false;
    return true;
}

class PoseCacheTest : public HostTest {
protected:
    // Every component's kept motion against a fresh evaluation, entry by entry.
    void ExpectFresh(const host::PoseCache &cache, const host::Vessel &v, const char *when)
    {
        const std::vector<host::RigidTransform> fresh = host::PoseComponents(v);
        ASSERT_EQ(fresh.size(), cache.Size()) << when;
        for (std::size_t c = 0; c < fresh.size(); ++c) {
            const host::RigidTransform &kept = cache.Motion(c);
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j)
                    ASSERT_EQ(fresh[c].rotation[i][j], kept.rotation[i][j])
                        << when << ": component " << c;
                ASSERT_EQ(fresh[c].translation.data[i], kept.translation.data[i])
                    << when << ": component " << c;
            }
        }
    }
};

// The cannon hangs on the turret: turning the turret alone must move the cannon.
TEST_F(PoseCacheTest, AChildFollowsItsParentWhenOnlyTheParentTurns)
{
    host::Vessel &v = Create("V", "VARLOK3C");
    v.animations[kRig.cannon].state = 0.6;
    host::PoseCache cache;
    cache.Update(v);
    v.animations[kRig.turret].state = 0.25;
    cache.Update(v);
    ExpectFresh(cache, v, "turret turned");
    v.animations[kRig.cannon].state = 0.2;
    cache.Update(v);
    ExpectFresh(cache, v, "cannon lowered");
}

// Latches (0..0.5) and leaves (0.5..1) at one state, the wheels of both sides at one
// state with different pivots: a shared turn must match range, angle and axis, and
// never the pivot.
TEST_F(PoseCacheTest, NeighboursShareATurnOnlyWhenRangeAngleAndAxisAgree)
{
    host::Vessel &v = Create("V", "VARLOK3C");
    host::PoseCache cache;
    cache.Update(v);
    for (double state : {0.25, 0.75, 1.0, 0.5}) {
        for (int a : {kRig.latchLeft, kRig.latchRight, kRig.doorLeft, kRig.doorRight,
                      kRig.wheelsRightFwd, kRig.wheelsLeftFwd})
            v.animations[a].state = state;
        cache.Update(v);
        ExpectFresh(cache, v, "doors and wheels at one state");
    }
}

// Neighbouring components that differ only in state range, in their animation's state
// or in the axis: no turn may pass from one to the other.
TEST_F(PoseCacheTest, ATurnIsNotSharedAcrossRangesOrStates)
{
    host::Vessel &v = Create("V", "VARLOK1");
    static const UINT groups[] = {3};
    static MGROUP_ROTATION record(0, groups, 1, _V(0, 1, 0), _V(0, 0, 1), 2.0f);
    static MGROUP_ROTATION tilted(0, groups, 1, _V(0, 1, 0), _V(0, 1, 1), 2.0f);
    const VESSEL view(&v);
    const UINT first = view.CreateAnimation(0.0), second = view.CreateAnimation(0.0);
    // Each differs from the one before in one thing only: start, end, state, axis.
    view.AddAnimationComponent(first, 0.0, 1.0, &record);
    view.AddAnimationComponent(first, 0.5, 1.0, &record);
    view.AddAnimationComponent(first, 0.5, 0.8, &record);
    view.AddAnimationComponent(second, 0.5, 0.8, &record);
    view.AddAnimationComponent(second, 0.5, 0.8, &tilted);
    host::PoseCache cache;
    v.animations[first].state = 0.75;
    v.animations[second].state = 0.6;
    cache.Update(v);
    ExpectFresh(cache, v, "ranges and states differ");
    const std::size_t added = v.components.size() - 5;
    for (std::size_t c = added; c + 1 < v.components.size(); ++c)
        EXPECT_FALSE(SameRotation(cache.Motion(c), cache.Motion(c + 1))) << c;
}

TEST_F(PoseCacheTest, AStateSetBackIsWorkedOutAgain)
{
    host::Vessel &v = Create("V", "VARLOK3C");
    host::PoseCache cache;
    for (double state : {0.3, 0.7, 0.3, 0.3}) {
        v.animations[kRig.leverLeft1].state = state;
        cache.Update(v);
        ExpectFresh(cache, v, "lever moved");
    }
}

// Driven by the module: doors, turret, cannon, wheels and levers all moving, then
// coming to rest, compared after every step.
TEST_F(PoseCacheTest, StaysFreshThroughTheModulesOwnSteps)
{
    LoadSoundLibrary();
    host::Vessel &v = Create("V", "VARLOK3C");
    v.readings.groundContact = true;
    sim.SendKey(v, OAPI_KEY_K, true);
    sim.SendKey(v, OAPI_KEY_D, true);
    sim.SendKey(v, OAPI_KEY_8, true);
    sim.SendKey(v, OAPI_KEY_5, true);
    host::PoseCache cache;
    for (int step = 0; step < 120; ++step) {
        v.readings.airspeed = step < 60 ? 8.0 : 0.0;
        v.readings.controlSurface[AIRCTRL_RUDDER] = step % 40 < 20 ? 0.0 : -0.5;
        v.thrusters[0].level = step < 60 ? 1.0 : 0.0;
        sim.Step(0.1);
        cache.Update(v);
        ExpectFresh(cache, v, ("step " + std::to_string(step)).c_str());
    }
}

// A component added after the first update, with the host's own calls.
TEST_F(PoseCacheTest, StartsAfreshWhenComponentsAreAdded)
{
    host::Vessel &v = Create("V", "VARLOK1");
    host::PoseCache cache;
    cache.Update(v);
    static const UINT groups[] = {3};
    static MGROUP_ROTATION extra(0, groups, 1, _V(0, 1, 0), _V(0, 0, 1), 1.0f);
    const VESSEL view(&v);
    UINT anim = view.CreateAnimation(0.0);
    view.AddAnimationComponent(anim, 0.0, 1.0, &extra);
    v.animations[anim].state = 0.5;
    cache.Update(v);
    EXPECT_EQ(v.components.size(), cache.Size());
    ExpectFresh(cache, v, "component added");
}

} // namespace
