// The host's side of the vessel interface, driven directly: what later behaviour relies
// on (handles, groups by type, animation states, the call record).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "host/base/handles.h"
#include "host/base/host_error.h"
#include "host/library/dynamic_library.h"
#include "sdk/VesselAPI.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::Number;

class VesselApi : public testing_support::HostTest {
protected:
    host::Vessel state;
    VESSEL vessel{&state, 1};
};

TEST_F(VesselApi, HandlesNameTheirKindAndIndexAndAreCheckedBeforeUse)
{
    PROPELLANT_HANDLE ph = vessel.CreatePropellantResource(300);
    THRUSTER_HANDLE a = vessel.CreateThruster(_V(0, 0, -1), _V(0, 0, 1), 100, ph);
    THRUSTER_HANDLE b = vessel.CreateThruster(_V(0, 0, 1), _V(0, 0, -1), 200, ph);
    EXPECT_EQ(0, host::IndexOf(a, host::HandleKind::Thruster));
    EXPECT_EQ(1, host::IndexOf(b, host::HandleKind::Thruster));
    EXPECT_EQ(-1, host::IndexOf(b, host::HandleKind::ThrusterGroup));
    EXPECT_EQ(300, state.propellants.at(0).mass) << "a negative mass fills the tank";

    vessel.SetThrusterLevel(b, 0.5);
    EXPECT_EQ(0.5, vessel.GetThrusterLevel(b));
    // A handle of another kind, or out of range, reaches no thruster.
    vessel.SetThrusterLevel(ph, 1);
    vessel.SetThrusterMax0(host::MakeHandle(host::HandleKind::Thruster, 7), 1);
    EXPECT_EQ(0, state.thrusters[0].level);
    EXPECT_EQ(100, state.thrusters[0].max0);
    EXPECT_EQ(0, vessel.GetThrusterLevel(nullptr));
}

// The encoding at its limits, for 32-bit and 64-bit pointers alike: every kind with the
// first and the largest index, and values that are no handle.
template <class Bits>
class HandleEncoding : public testing::Test {
};
using PointerWidths = testing::Types<std::uint32_t, std::uint64_t>;
TYPED_TEST_SUITE(HandleEncoding, PointerWidths);

TYPED_TEST(HandleEncoding, KeepsEveryKindAndIndexAndIsNeverAnAlignedPointer)
{
    using Coding = host::HandleBits<TypeParam>;
    constexpr TypeParam kLargest = Coding::kMaxIndex;
    EXPECT_EQ(TypeParam(-1) >> 4, kLargest);
    std::vector<TypeParam> made;
    for (int k = 1; k <= 6; ++k) {
        auto kind = host::HandleKind(k);
        for (TypeParam index : {TypeParam(0), TypeParam(1), kLargest}) {
            TypeParam bits = Coding::Make(kind, index);
            EXPECT_EQ(kind, Coding::Kind(bits)) << k << " " << index;
            EXPECT_EQ(index, Coding::Index(bits)) << k << " " << index;
            EXPECT_EQ(1u, bits % 2) << "odd: no aligned object is there";
            made.push_back(bits);
        }
    }
    std::sort(made.begin(), made.end());
    EXPECT_EQ(made.end(), std::adjacent_find(made.begin(), made.end())) << "all distinct";
    // Null, aligned addresses, and odd values without a kind are no handle.
    for (TypeParam bits :
         {TypeParam(0), TypeParam(16), TypeParam(-16), TypeParam(1), TypeParam(0xF), TypeParam(-1)})
        EXPECT_EQ(host::HandleKind::None, Coding::Kind(bits)) << bits;
}

TEST(PointerHandles, GiveTheLargestIndexBackAndRefuseOtherKinds)
{
    constexpr auto kLargest = host::PointerHandleBits::kMaxIndex;
    void *last = host::MakeHandle(host::HandleKind::Visual, kLargest);
    EXPECT_EQ(std::ptrdiff_t(kLargest), host::IndexOf(last, host::HandleKind::Visual));
    EXPECT_GT(host::IndexOf(last, host::HandleKind::Visual), 0) << "not negative";
    EXPECT_EQ(-1, host::IndexOf(last, host::HandleKind::Mesh));
    EXPECT_EQ(-1, host::IndexOf(nullptr, host::HandleKind::None));
    int object = 0;
    EXPECT_EQ(-1, host::IndexOf(&object, host::HandleKind::None)) << "a real pointer";
}

TEST_F(VesselApi, GroupLevelsReachTheGroupsThrustersByTypeOrHandle)
{
    THRUSTER_HANDLE th[3];
    for (auto &t : th)
        t = vessel.CreateThruster(_V(0, 0, 0), _V(0, 0, 1), 1);
    THGROUP_HANDLE main = vessel.CreateThrusterGroup(&th[0], 1, THGROUP_MAIN);
    vessel.CreateThrusterGroup(&th[1], 2, THGROUP_ATT_YAWLEFT);
    EXPECT_EQ(1, state.GroupOfType(THGROUP_ATT_YAWLEFT));
    EXPECT_EQ(-1, state.GroupOfType(THGROUP_RETRO));

    vessel.SetThrusterGroupLevel(THGROUP_ATT_YAWLEFT, 0.7);
    EXPECT_EQ(0, state.thrusters[0].level);
    EXPECT_EQ(0.7, state.thrusters[1].level);
    EXPECT_EQ(0.7, state.thrusters[2].level);
    vessel.SetThrusterGroupLevel(main, 0.3);
    EXPECT_EQ(0.3, state.thrusters[0].level);
    vessel.SetThrusterGroupLevel(THGROUP_RETRO, 1); // no such group: nothing changes
    EXPECT_EQ(0.7, state.thrusters[1].level);
}

TEST_F(VesselApi, AnimationsKeepTheirStatesAndComponentsTheirRecordsAndParents)
{
    static const UINT groups[] = {3, 4};
    MGROUP_ROTATION turn(0, groups, 2, _V(1, 2, 3), _V(0, 1, 0), 1.5f);
    UINT first = vessel.CreateAnimation(0.0);
    UINT second = vessel.CreateAnimation(0.25);
    EXPECT_EQ(0u, first);
    EXPECT_EQ(1u, second);
    ANIMATIONCOMPONENT_HANDLE parent = vessel.AddAnimationComponent(first, 0, 1, &turn);
    ANIMATIONCOMPONENT_HANDLE child = vessel.AddAnimationComponent(second, 0.5, 1, &turn, parent);
    ASSERT_EQ(2u, state.components.size());
    EXPECT_EQ(&turn, state.components[1].transform);
    EXPECT_EQ(0, state.components[1].parent);
    EXPECT_EQ(1, host::IndexOf(child, host::HandleKind::AnimationComponent));
    EXPECT_EQ(nullptr, vessel.AddAnimationComponent(9, 0, 1, &turn)) << "no such animation";

    EXPECT_EQ(0.25, state.animations[second].state);
    EXPECT_TRUE(vessel.SetAnimation(second, 1.05)); // handed over as given, even past 1
    EXPECT_EQ(1.05, state.animations[second].state);
    EXPECT_FALSE(vessel.SetAnimation(5, 0.5));
}

TEST_F(VesselApi, TraceRecordsEveryCallInOrderWithArgumentsAndResult)
{
    state.id = 0;
    state.readings.airspeed = 12.5;
    vessel.SetSize(7);
    double airspeed = vessel.GetAirspeed();
    UINT anim = vessel.CreateAnimation(0.0);
    vessel.SetAnimation(anim, 0.75);
    vessel.AddForce(_V(0, 0, -9000), _V(0, 0, 0));

    const auto &calls = sim.Trace().Calls();
    ASSERT_EQ(5u, calls.size());
    EXPECT_STREQ("SetSize", calls[0].call);
    EXPECT_EQ(7, Number(calls[0].args.at(0)));
    EXPECT_FALSE(calls[0].ret.has_value());
    EXPECT_STREQ("GetAirspeed", calls[1].call);
    EXPECT_EQ(airspeed, Number(*calls[1].ret));
    EXPECT_STREQ("SetAnimation", calls[3].call);
    EXPECT_EQ(0, Number(calls[3].args.at(0)));
    EXPECT_EQ(0.75, Number(calls[3].args.at(1)));
    EXPECT_EQ(true, std::get<bool>(*calls[3].ret));
    EXPECT_EQ(-9000, std::get<VECTOR3>(calls[4].args.at(0)).z);
    for (const auto &c : calls) {
        EXPECT_EQ(-1, c.step) << "before the first step";
        EXPECT_EQ(0, c.vessel);
    }
}

TEST_F(VesselApi, TraceOffRecordsNothing)
{
    sim.Trace().enabled = false;
    vessel.SetSize(7);
    vessel.GetAirspeed();
    EXPECT_TRUE(sim.Trace().Calls().empty());
}

class HostLifecycle : public testing_support::HostTest {};

TEST_F(HostLifecycle, SeveralModulesAndVesselsLiveInOneProcess)
{
    auto &a = Create("A", "VARLOK1");
    auto &b = Create("B", "VARLOK3C");
    auto &c = Create("C", "KELDOCONTROL");
    auto &d = Create("D", "VARLOK3C");
    EXPECT_EQ(&b.module->ClassName(), &d.module->ClassName()) << "one library per class";
    EXPECT_NE(a.vessel, b.vessel);
    EXPECT_EQ(&c, sim.FromHandle(&c));
    EXPECT_EQ(nullptr, sim.FromHandle(nullptr));
    sim.DestroyVessel(b);
    EXPECT_EQ(nullptr, sim.FindVessel("B"));
    EXPECT_EQ("B", sim.VesselName(1)) << "names outlive their vessels for the trace";
    EXPECT_EQ(3u, sim.Vessels().size());
}

// A gone vessel's name is kept while a kept trace record may name it, and no longer: a
// long run creating vessels without end must not keep every name it ever gave.
TEST_F(HostLifecycle, GoneVesselsAreNamedOnlyWhileTheTraceMayHoldTheirCalls)
{
    auto &a = Create("A", "VARLOK1");
    auto &b = Create("B", "VARLOK1");
    const int idA = a.id, idB = b.id;
    sim.DestroyVessel(a);
    EXPECT_EQ("A", sim.VesselName(idA)) << "the trace holds A's calls";
    sim.Trace().Clear();
    sim.Step(0.01);
    sim.DestroyVessel(b);
    EXPECT_EQ("", sim.VesselName(idA)) << "cleared since A went";
    EXPECT_EQ("B", sim.VesselName(idB)) << "B's step is in the trace";

    sim.Trace().enabled = false;
    sim.Trace().Clear();
    auto &c = Create("C", "VARLOK1");
    const int idC = c.id;
    EXPECT_GT(idC, idB) << "ids are never reused";
    sim.DestroyVessel(c);
    EXPECT_EQ("", sim.VesselName(idC)) << "an empty trace names no one";
    EXPECT_EQ("", sim.VesselName(idB));
}

TEST_F(HostLifecycle, CreationRunsConstructionCapsAndPostCreationInOrder)
{
    auto &v = Create("V", "VARLOK1");
    std::vector<std::string> names = NamesOf(v);
    auto position = [&](const std::string &name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    ASSERT_LT(position("GetHandle"), std::ptrdiff_t(names.size()));
    EXPECT_LT(position("CreateAnimation"), position("SetSize")) << "rig in construction";
    EXPECT_LT(position("SetMeshVisibilityMode"), position("GetHandle"))
        << "caps before post-creation";
}

TEST_F(HostLifecycle, ModuleThatCannotBeLoadedIsRefusedWithItsPath)
{
    try {
        sim.LoadModule("NOSUCHCLASS");
        FAIL() << "loaded";
    } catch (const host::Error &e) {
        EXPECT_NE(std::string::npos,
                  std::string(e.what()).find(host::ModuleFileName("NOSUCHCLASS")));
    }
}

} // namespace
