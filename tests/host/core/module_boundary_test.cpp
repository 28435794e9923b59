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

// The operations as a module of another ABI reaches them: through the table.
struct ThroughTable {
    const SimhostCalls &t = *SimhostGetCalls();
    OBJHANDLE h;
    int flightModel;
    OBJHANDLE GetHandle() const { return t.GetHandle(h); }
    int GetFlightModel() const { return t.GetFlightModel(h, flightModel); }
    void SetSize(double s) const { t.SetSize(h, s); }
    void SetEmptyMass(double m) const { t.SetEmptyMass(h, m); }
    void SetCW(double p, double n, double x, double y) const { t.SetCW(h, p, n, x, y); }
    void SetWingAspect(double v) const { t.SetWingAspect(h, v); }
    void SetWingEffectiveness(double v) const { t.SetWingEffectiveness(h, v); }
    void SetCrossSections(const VECTOR3 &v) const { t.SetCrossSections(h, &v); }
    void SetRotDrag(const VECTOR3 &v) const { t.SetRotDrag(h, &v); }
    void SetPMI(const VECTOR3 &v) const { t.SetPMI(h, &v); }
    void SetPitchMomentScale(double v) const { t.SetPitchMomentScale(h, v); }
    void SetBankMomentScale(double v) const { t.SetBankMomentScale(h, v); }
    void SetTrimScale(double v) const { t.SetTrimScale(h, v); }
    void SetTouchdownPoints(const VECTOR3 &a, const VECTOR3 &b, const VECTOR3 &c) const
    {
        t.SetTouchdownPoints(h, &a, &b, &c);
    }
    void EnableTransponder(bool on) const { t.EnableTransponder(h, on); }
    PROPELLANT_HANDLE CreatePropellantResource(double max, double mass, double eff) const
    {
        return t.CreatePropellantResource(h, max, mass, eff);
    }
    THRUSTER_HANDLE CreateThruster(const VECTOR3 &p, const VECTOR3 &d, double f,
                                   PROPELLANT_HANDLE tank, double i0, double ir, double pr) const
    {
        return t.CreateThruster(h, &p, &d, f, tank, i0, ir, pr);
    }
    THGROUP_HANDLE CreateThrusterGroup(THRUSTER_HANDLE *th, int n, THGROUP_TYPE type) const
    {
        return t.CreateThrusterGroup(h, th, n, type);
    }
    UINT AddMesh(MESHHANDLE m, const VECTOR3 *ofs) const { return t.AddMesh(h, m, ofs); }
    void SetMeshVisibilityMode(UINT i, WORD m) const { t.SetMeshVisibilityMode(h, i, m); }
    MESHHANDLE GetMesh(VISHANDLE v, UINT i) const { return t.GetMesh(h, v, i); }
    UINT CreateAnimation(double s) const { return t.CreateAnimation(h, s); }
    ANIMATIONCOMPONENT_HANDLE AddAnimationComponent(UINT a, double s0, double s1,
                                                    MGROUP_TRANSFORM *tr,
                                                    ANIMATIONCOMPONENT_HANDLE p) const
    {
        return t.AddAnimationComponent(h, a, s0, s1, tr, p);
    }
    bool SetAnimation(UINT a, double s) const { return t.SetAnimation(h, a, s); }
    double GetAirspeed() const { return t.GetAirspeed(h); }
    bool GetAirspeedVector(REFFRAME f, VECTOR3 &v) const { return t.GetAirspeedVector(h, f, &v); }
    double GetControlSurfaceLevel(AIRCTRL_TYPE c) const { return t.GetControlSurfaceLevel(h, c); }
    bool GroundContact() const { return t.GroundContact(h); }
    void SetThrusterLevel(THRUSTER_HANDLE th, double l) const { t.SetThrusterLevel(h, th, l); }
    double GetThrusterLevel(THRUSTER_HANDLE th) const { return t.GetThrusterLevel(h, th); }
    void SetThrusterGroupLevel(THGROUP_HANDLE g, double l) const
    {
        t.SetThrusterGroupLevel(h, g, l);
    }
    void SetThrusterGroupLevel(THGROUP_TYPE g, double l) const
    {
        t.SetThrusterGroupLevelByType(h, g, l);
    }
    void SetThrusterMax0(THRUSTER_HANDLE th, double f) const { t.SetThrusterMax0(h, th, f); }
    void AddForce(const VECTOR3 &f, const VECTOR3 &r) const { t.AddForce(h, &f, &r); }
    void SetCameraDefaultDirection(const VECTOR3 &v) const { t.SetCameraDefaultDirection(h, &v); }
    void SetCameraOffset(const VECTOR3 &v) const { t.SetCameraOffset(h, &v); }
};

class ModuleBoundary : public testing_support::HostTest {};

TEST_F(ModuleBoundary, EveryOperationOfTheTableDoesWhatItsMemberDoes)
{
    sim.Trace().enabled = true;
    host::Vessel direct, tabled;
    CallEveryOperation(VESSEL(&direct, 2));
    std::vector<std::string> expected = Describe(sim.Trace().Calls(), true);
    sim.Trace().Clear();
    CallEveryOperation(ThroughTable{.h = &tabled, .flightModel = 2});
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
    .SetClassCaps = [](VESSEL *v, FILEHANDLE) { Note(v, "SetClassCaps"); },
    .PostCreation = [](VESSEL *v) { Note(v, "PostCreation"); },
    .PostStep =
        [](VESSEL *v, double simt, double simdt, double) {
            Note(v, "PostStep " + std::to_string(simt) + " " + std::to_string(simdt));
        },
    .ConsumeBufferedKey =
        [](VESSEL *v, DWORD key, bool down, char *kstate) {
            Note(v, "Key " + std::to_string(key) + (down ? " down " : " up ") +
                        std::to_string(int(kstate[key] & 0x80)));
            return 7;
        },
    .VisualCreated = [](VESSEL *v, VISHANDLE,
                        int refcount) { Note(v, "VisualCreated " + std::to_string(refcount)); },
    .VisualDestroyed = [](VESSEL *v, VISHANDLE,
                          int refcount) { Note(v, "VisualDestroyed " + std::to_string(refcount)); },
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
