// The host's side of VESSEL: every operation acts on the host's record of the vessel
// behind the handle, and notes itself in the call trace when the trace is on.
#include <cmath>

#include "host/base/handles.h"
#include "host/core/simulator.h"
#include "sdk/VesselAPI.h"

namespace {

using host::HandleKind;
using host::HandleValue;
using host::Simulator;
using host::ToTrace;

host::Vessel &Of(OBJHANDLE handle) { return *static_cast<host::Vessel *>(handle); }

// Whether a call is noted: on the way of every call, so a test of a flag and, when
// the trace keeps one kind of call only, of a name, with the trace looked up once (the
// simulator outlives every vessel).
[[gnu::always_inline]] inline bool Noted(const host::Vessel &v, const char *call)
{
    static const Simulator &sim = Simulator::Get();
    static const host::CallTrace &trace = Simulator::Get().Trace();
    return trace.enabled && trace.Wants(call, v.id, sim.SimTime());
}

// The noting itself, kept out of the calls' way.
template <class... A>
[[gnu::cold, gnu::noinline]] void Record(const host::Vessel &v, const char *call, const A &...args)
{
    Simulator::Get().Record(v.id, call, {ToTrace(args)...});
}

template <class R, class... A>
[[gnu::cold, gnu::noinline]] void RecordWithResult(const host::Vessel &v, const char *call,
                                                   const R &result, const A &...args)
{
    Simulator::Get().Record(v.id, call, {ToTrace(args)...}, ToTrace(result));
}

template <class... A>
[[gnu::always_inline]] inline void Note(const host::Vessel &v, const char *call, const A &...args)
{
    if (Noted(v, call)) [[unlikely]]
        Record(v, call, args...);
}

template <class R, class... A>
[[gnu::always_inline]] inline R NoteResult(const host::Vessel &v, const char *call, R result,
                                           const A &...args)
{
    if (Noted(v, call)) [[unlikely]]
        RecordWithResult(v, call, result, args...);
    return result;
}

HandleValue H(const void *handle) { return HandleValue{handle}; }

host::Thruster *ThrusterOf(host::Vessel &v, THRUSTER_HANDLE th)
{
    std::ptrdiff_t i = host::IndexOf(th, HandleKind::Thruster);
    return i >= 0 && std::size_t(i) < v.thrusters.size() ? &v.thrusters[i] : nullptr;
}

void SetGroupLevel(host::Vessel &v, std::ptrdiff_t group, double level)
{
    if (group < 0 || std::size_t(group) >= v.groups.size())
        return;
    for (int t : v.groups[group].thrusters)
        v.thrusters[t].level = level;
    v.levelsTouched = true;
}

} // namespace

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : vessel(hVessel), flightmodel(short(fmodel)), version(0)
{
}

VESSEL2::VESSEL2(OBJHANDLE hVessel, int fmodel) : VESSEL(hVessel, fmodel) { version = 1; }

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
const OBJHANDLE VESSEL::GetHandle() const
{
    NoteResult(Of(vessel), "GetHandle", host::VesselRef{Of(vessel).id});
    return vessel;
}
#pragma GCC diagnostic pop

int VESSEL::GetFlightModel() const
{
    return NoteResult(Of(vessel), "GetFlightModel", int(flightmodel));
}

void VESSEL::SetSize(double size) const
{
    Of(vessel).size = size;
    Note(Of(vessel), "SetSize", size);
}

void VESSEL::SetEmptyMass(double m) const
{
    Of(vessel).emptyMass = m;
    Note(Of(vessel), "SetEmptyMass", m);
}

void VESSEL::SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const
{
    auto &v = Of(vessel);
    v.cw[0] = cw_z_pos;
    v.cw[1] = cw_z_neg;
    v.cw[2] = cw_x;
    v.cw[3] = cw_y;
    Note(v, "SetCW", cw_z_pos, cw_z_neg, cw_x, cw_y);
}

void VESSEL::SetWingAspect(double aspect) const
{
    Of(vessel).wingAspect = aspect;
    Note(Of(vessel), "SetWingAspect", aspect);
}

void VESSEL::SetWingEffectiveness(double eff) const
{
    Of(vessel).wingEffectiveness = eff;
    Note(Of(vessel), "SetWingEffectiveness", eff);
}

void VESSEL::SetCrossSections(const VECTOR3 &cs) const
{
    Of(vessel).crossSections = cs;
    Note(Of(vessel), "SetCrossSections", cs);
}

void VESSEL::SetRotDrag(const VECTOR3 &rd) const
{
    Of(vessel).rotDrag = rd;
    Note(Of(vessel), "SetRotDrag", rd);
}

void VESSEL::SetPMI(const VECTOR3 &pmi) const
{
    Of(vessel).pmi = pmi;
    Note(Of(vessel), "SetPMI", pmi);
}

void VESSEL::SetPitchMomentScale(double scale) const
{
    Of(vessel).pitchMomentScale = scale;
    Note(Of(vessel), "SetPitchMomentScale", scale);
}

void VESSEL::SetBankMomentScale(double scale) const
{
    Of(vessel).bankMomentScale = scale;
    Note(Of(vessel), "SetBankMomentScale", scale);
}

void VESSEL::SetTrimScale(double scale) const
{
    Of(vessel).trimScale = scale;
    Note(Of(vessel), "SetTrimScale", scale);
}

void VESSEL::SetTouchdownPoints(const VECTOR3 &pt1, const VECTOR3 &pt2, const VECTOR3 &pt3) const
{
    auto &v = Of(vessel);
    v.touchdown[0] = pt1;
    v.touchdown[1] = pt2;
    v.touchdown[2] = pt3;
    Note(v, "SetTouchdownPoints", pt1, pt2, pt3);
}

void VESSEL::EnableTransponder(bool enable) const
{
    Of(vessel).transponder = enable;
    Note(Of(vessel), "EnableTransponder", enable);
}

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxmass, double mass,
                                                   double efficiency) const
{
    auto &v = Of(vessel);
    host::Propellant p;
    p.maxMass = maxmass;
    p.mass = mass < 0 ? maxmass : mass; // a negative mass means a full tank
    p.efficiency = efficiency;
    v.propellants.push_back(p);
    void *h = host::MakeHandle(HandleKind::Propellant, v.propellants.size() - 1);
    NoteResult(v, "CreatePropellantResource", H(h), maxmass, mass, efficiency);
    return h;
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0,
                                       PROPELLANT_HANDLE hp, double isp0, double isp_ref,
                                       double p_ref) const
{
    auto &v = Of(vessel);
    host::Thruster t;
    t.position = pos;
    t.direction = dir;
    t.max0 = maxth0;
    t.propellant = host::IndexOf(hp, HandleKind::Propellant);
    t.isp0 = isp0;
    v.thrusters.push_back(t);
    void *h = host::MakeHandle(HandleKind::Thruster, v.thrusters.size() - 1);
    NoteResult(v, "CreateThruster", H(h), pos, dir, maxth0, H(hp), isp0, isp_ref, p_ref);
    return h;
}

THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const
{
    auto &v = Of(vessel);
    host::ThrusterGroup g;
    g.type = thgt;
    std::vector<host::TraceValue> members;
    for (int i = 0; th && i < nth; ++i) {
        std::ptrdiff_t t = host::IndexOf(th[i], HandleKind::Thruster);
        if (t >= 0 && std::size_t(t) < v.thrusters.size())
            g.thrusters.push_back(int(t));
    }
    v.groups.push_back(g);
    v.levelsTouched = true;
    void *h = host::MakeHandle(HandleKind::ThrusterGroup, v.groups.size() - 1);
    Simulator &sim = Simulator::Get();
    if (sim.Trace().enabled) [[unlikely]] {
        // The list is recorded as the host received it: its contents at this call.
        std::vector<host::TraceValue> args;
        for (int i = 0; th && i < nth; ++i)
            args.push_back(H(th[i]));
        args.push_back(ToTrace(nth));
        args.push_back(ToTrace(int(thgt)));
        sim.Record(v.id, "CreateThrusterGroup", std::move(args), ToTrace(H(h)));
    }
    return h;
}

UINT VESSEL::AddMesh(MESHHANDLE hMesh, const VECTOR3 *ofs) const
{
    auto &v = Of(vessel);
    host::MeshSlot slot;
    slot.mesh = hMesh;
    if (ofs)
        slot.offset = *ofs;
    v.meshes.push_back(slot);
    UINT index = UINT(v.meshes.size() - 1);
    if (ofs)
        return NoteResult(v, "AddMesh", index, H(hMesh), *ofs);
    return NoteResult(v, "AddMesh", index, H(hMesh), nullptr);
}

void VESSEL::SetMeshVisibilityMode(UINT idx, WORD mode) const
{
    auto &v = Of(vessel);
    if (idx < v.meshes.size())
        v.meshes[idx].visibility = mode;
    Note(v, "SetMeshVisibilityMode", idx, unsigned(mode));
}

MESHHANDLE VESSEL::GetMesh(VISHANDLE vis, UINT idx) const
{
    auto &v = Of(vessel);
    MESHHANDLE mesh =
        (vis && vis == v.visual && idx < v.meshes.size()) ? v.meshes[idx].mesh : nullptr;
    NoteResult(v, "GetMesh", H(mesh), H(vis), idx);
    return mesh;
}

UINT VESSEL::CreateAnimation(double initial_state) const
{
    auto &v = Of(vessel);
    host::Animation a;
    a.state = initial_state;
    v.animations.push_back(a);
    return NoteResult(v, "CreateAnimation", UINT(v.animations.size() - 1), initial_state);
}

ANIMATIONCOMPONENT_HANDLE VESSEL::AddAnimationComponent(UINT anim, double state0, double state1,
                                                        MGROUP_TRANSFORM *trans,
                                                        ANIMATIONCOMPONENT_HANDLE parent) const
{
    auto &v = Of(vessel);
    void *h = nullptr;
    if (anim < v.animations.size()) {
        host::AnimationComponent c;
        c.animation = anim;
        c.state0 = state0;
        c.state1 = state1;
        c.transform = trans;
        std::ptrdiff_t p = host::IndexOf(parent, HandleKind::AnimationComponent);
        c.parent = (p >= 0 && std::size_t(p) < v.components.size()) ? p : -1;
        v.components.push_back(c);
        h = host::MakeHandle(HandleKind::AnimationComponent, v.components.size() - 1);
    }
    Simulator &sim = Simulator::Get();
    if (sim.Trace().enabled) [[unlikely]]
        sim.Record(v.id, "AddAnimationComponent",
                   {ToTrace(anim), ToTrace(state0), ToTrace(state1),
                    ToTrace(static_cast<const MGROUP_TRANSFORM *>(trans)), ToTrace(H(parent))},
                   ToTrace(H(h)), host::TraceKeeps::EvenUnselected);
    return h;
}

bool VESSEL::SetAnimation(UINT anim, double state) const
{
    auto &v = Of(vessel);
    bool ok = anim < v.animations.size();
    if (ok)
        v.animations[anim].state = state;
    return NoteResult(v, "SetAnimation", ok, anim, state);
}

double VESSEL::GetAirspeed() const
{
    auto &v = Of(vessel);
    return NoteResult(v, "GetAirspeed", v.readings.airspeed);
}

bool VESSEL::GetAirspeedVector(REFFRAME frame, VECTOR3 &v) const
{
    auto &record = Of(vessel);
    // Readings are kept in the vessel's own frame; the ground is flat and level, so the
    // horizon frame differs only by the heading, which the stand-in does not model here.
    v = record.readings.airspeedVector;
    NoteResult(record, "GetAirspeedVector", true, int(frame), v);
    return true;
}

double VESSEL::GetControlSurfaceLevel(AIRCTRL_TYPE type) const
{
    auto &v = Of(vessel);
    double level = (type >= 0 && type < 6) ? v.readings.controlSurface[type] : 0.0;
    return NoteResult(v, "GetControlSurfaceLevel", level, int(type));
}

bool VESSEL::GroundContact() const
{
    auto &v = Of(vessel);
    return NoteResult(v, "GroundContact", v.readings.groundContact);
}

double VESSEL::GetThrusterLevel(THRUSTER_HANDLE th) const
{
    auto &v = Of(vessel);
    host::Thruster *t = ThrusterOf(v, th);
    return NoteResult(v, "GetThrusterLevel", t ? t->level : 0.0, H(th));
}

void VESSEL::SetThrusterLevel(THRUSTER_HANDLE th, double level) const
{
    auto &v = Of(vessel);
    if (host::Thruster *t = ThrusterOf(v, th)) {
        t->level = level;
        v.levelsTouched = true;
    }
    Note(v, "SetThrusterLevel", H(th), level);
}

void VESSEL::SetThrusterGroupLevel(THGROUP_HANDLE thg, double level) const
{
    auto &v = Of(vessel);
    SetGroupLevel(v, host::IndexOf(thg, HandleKind::ThrusterGroup), level);
    Note(v, "SetThrusterGroupLevel", H(thg), level);
}

void VESSEL::SetThrusterGroupLevel(THGROUP_TYPE thgt, double level) const
{
    auto &v = Of(vessel);
    SetGroupLevel(v, v.GroupOfType(thgt), level);
    Note(v, "SetThrusterGroupLevel", int(thgt), level);
}

void VESSEL::SetThrusterMax0(THRUSTER_HANDLE th, double maxth0) const
{
    auto &v = Of(vessel);
    if (host::Thruster *t = ThrusterOf(v, th))
        t->max0 = maxth0;
    Note(v, "SetThrusterMax0", H(th), maxth0);
}

void VESSEL::AddForce(const VECTOR3 &F, const VECTOR3 &r) const
{
    auto &v = Of(vessel);
    v.forces.push_back({F, r});
    Note(v, "AddForce", F, r);
}

void VESSEL::SetCameraDefaultDirection(const VECTOR3 &cd) const
{
    Of(vessel).cameraDirection = cd;
    Note(Of(vessel), "SetCameraDefaultDirection", cd);
}

void VESSEL::SetCameraOffset(const VECTOR3 &co) const
{
    Of(vessel).cameraOffset = co;
    Note(Of(vessel), "SetCameraOffset", co);
}

// VESSEL2's callbacks: the defaults do nothing.
#include "host/core/vessel2_defaults.inc"
