// The host's C boundary to modules: every operation of the table lands where the
// VESSEL member of the same name does, and the callbacks of another ABI's table are
// the ones the simulator makes on that ABI's vessels.
#include <gtest/gtest.h>

#include "host/core/module_boundary.h"
#include "tests/support/host_fixture.h"

namespace {

using testing_support::Describe;

// Each operation once, with arguments that tell the operations apart (the same
// signatures, SetPitchMomentScale and SetBankMomentScale among them, get other numbers).
template <class Calls>
void CallEveryOperation(const Calls &calls)
{
    VECTOR3 a = _V(1, 2, 3), b = _V(4, 5, 6), c = _V(7, 8, 9), out{};
    calls.GetHandle();
    calls.GetFlightModel();
    calls.SetSize(1.5);
    calls.SetEmptyMass(2.5);
    calls.SetCW(0.1, 0.2, 0.3, 0.4);
    calls.SetWingAspect(3.5);
    calls.SetWingEffectiveness(4.5);
    calls.SetCrossSections(a);
    calls.SetRotDrag(b);
    calls.SetPMI(c);
    calls.SetPitchMomentScale(5.5);
    calls.SetBankMomentScale(6.5);
    calls.SetTrimScale(7.5);
    calls.SetTouchdownPoints(a, b, c);
    calls.EnableTransponder(true);
    PROPELLANT_HANDLE tank = calls.CreatePropellantResource(100, 50, 0.9);
    THRUSTER_HANDLE th[2] = {calls.CreateThruster(a, b, 10, tank, 1, 2, 3),
                             calls.CreateThruster(b, c, 20, nullptr, 4, 5, 6)};
    THGROUP_HANDLE group = calls.CreateThrusterGroup(th, 2, THGROUP_MAIN);
    calls.AddMesh(nullptr, &a);
    calls.AddMesh(nullptr, nullptr);
    calls.SetMeshVisibilityMode(1, MESHVIS_EXTERNAL);
    calls.GetMesh(nullptr, 0);
    UINT anim = calls.CreateAnimation(0.25);
    calls.AddAnimationComponent(anim, 0.1, 0.9, nullptr, nullptr);
    calls.SetAnimation(anim, 0.75);
    calls.GetAirspeed();
    calls.GetAirspeedVector(FRAME_LOCAL, out);
    calls.GetControlSurfaceLevel(AIRCTRL_RUDDER);
    calls.GroundContact();
    calls.SetThrusterLevel(th[1], 0.5);
    calls.GetThrusterLevel(th[1]);
    calls.SetThrusterGroupLevel(group, 0.25);
    calls.SetThrusterGroupLevel(THGROUP_MAIN, 0.125);
    calls.SetThrusterMax0(th[0], 30);
    calls.AddForce(a, c);
    calls.SetCameraDefaultDirection(b);
    calls.SetCameraOffset(c);
}

// The operations as a module of another ABI reaches them: through the table, as the
// stand-in Orbiter.exe's definitions of the members forward to it.
struct ThroughTable {
    const SimhostCalls &t = *SimhostGetCalls();
    OBJHANDLE vessel;
    int flightmodel;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
#define VESSEL_OPERATION(result, name, ...)                                                        \
    result name(INTERFACE_EACH(INTERFACE_PARAMETER, __VA_ARGS__)) const                            \
    {                                                                                              \
        return t.name(SIMHOST_TO_TABLE_ARGUMENTS(vessel, __VA_ARGS__));                            \
    }
#define VESSEL_OPERATION_WITH_FLIGHT_MODEL(result, name)                                           \
    result name() const { return t.name(vessel, flightmodel); }
#define VESSEL_OVERLOAD(result, name, entry, ...)                                                  \
    result name(INTERFACE_EACH(INTERFACE_PARAMETER, __VA_ARGS__)) const                            \
    {                                                                                              \
        return t.entry(SIMHOST_TO_TABLE_ARGUMENTS(vessel, __VA_ARGS__));                           \
    }
#include "sdk/interface_calls.inc"
#pragma GCC diagnostic pop
};

class ModuleBoundary : public testing_support::HostTest {};

TEST_F(ModuleBoundary, EveryOperationOfTheTableDoesWhatItsMemberDoes)
{
    sim.Trace().enabled = true;
    host::Vessel direct, tabled;
    CallEveryOperation(VESSEL(&direct, 2));
    std::vector<std::string> expected = Describe(sim.Trace().Calls(), true);
    sim.Trace().Clear();
    CallEveryOperation(ThroughTable{.vessel = &tabled, .flightmodel = 2});
    EXPECT_EQ(expected, Describe(sim.Trace().Calls(), true));
    EXPECT_EQ(direct.pmi.z, tabled.pmi.z);
    EXPECT_EQ(direct.bankMomentScale, tabled.bankMomentScale);
    EXPECT_EQ(direct.thrusters.at(0).max0, tabled.thrusters.at(0).max0);
}

// Notes each callback with the object it was given.
std::vector<std::string> seen;
VESSEL *lastObject = nullptr;

void Note(VESSEL *v, std::string what)
{
    lastObject = v;
    seen.push_back(std::move(what));
}

const SimhostVesselCallbacks kNoting = {
    .clbkSetClassCaps = [](VESSEL *v, FILEHANDLE) { Note(v, "SetClassCaps"); },
    .clbkPostCreation = [](VESSEL *v) { Note(v, "PostCreation"); },
    .clbkPostStep =
        [](VESSEL *v, double simt, double simdt, double) {
            Note(v, "PostStep " + std::to_string(simt) + " " + std::to_string(simdt));
        },
    .clbkVisualCreated = [](VESSEL *v, VISHANDLE,
                            int refcount) { Note(v, "VisualCreated " + std::to_string(refcount)); },
    .clbkVisualDestroyed =
        [](VESSEL *v, VISHANDLE, int refcount) {
            Note(v, "VisualDestroyed " + std::to_string(refcount));
        },
    .clbkConsumeBufferedKey =
        [](VESSEL *v, DWORD key, bool down, char *kstate) {
            Note(v, "Key " + std::to_string(key) + (down ? " down " : " up ") +
                        std::to_string(int(kstate[key] & 0x80)));
            return 7;
        },
};

TEST_F(ModuleBoundary, AnotherAbisCallbacksReachTheVesselsCreatedSinceAndOnlyThose)
{
    seen.clear();
    host::Vessel &native = Create("native", "VARLOK1");
    SimhostUseVesselCallbacks(&kNoting);
    host::Vessel &other = Create("other", "VARLOK1");
    sim.Step(0.5);
    EXPECT_EQ(7, sim.SendKey(other, OAPI_KEY_K, true));
    sim.CreateVisual(other);
    sim.DestroyVisual(other);
    SimhostUseVesselCallbacks(nullptr);
    host::Vessel &later = Create("later", "VARLOK1");
    EXPECT_EQ(
        std::vector<std::string>({"SetClassCaps", "PostCreation", "PostStep 0.500000 0.500000",
                                  "Key 37 down 128", "VisualCreated 1", "VisualDestroyed 0"}),
        seen);
    EXPECT_EQ(other.vessel, lastObject) << "the object as ovcInit returned it";
    EXPECT_EQ(native.callbacks, later.callbacks) << "null is the host's own ABI again";
}

} // namespace
