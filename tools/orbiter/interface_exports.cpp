// The simulator's interface as the modules import it from Orbiter.exe: the VESSEL and
// VESSEL2 members and the free functions, under this compiler's (the simulator's) C++
// names, each forwarding to the host's operation over the vessel handle.
#include "tools/orbiter/host_calls.h"

using orbiter::Host;

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel)
    : vessel(hVessel), flightmodel(short(fmodel)), version(0)
{
}

VESSEL2::VESSEL2(OBJHANDLE hVessel, int fmodel) : VESSEL(hVessel, fmodel) { version = 1; }

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
const OBJHANDLE VESSEL::GetHandle() const { return Host().GetHandle(vessel); }
#pragma GCC diagnostic pop

int VESSEL::GetFlightModel() const { return Host().GetFlightModel(vessel, flightmodel); }

void VESSEL::SetSize(double size) const { Host().SetSize(vessel, size); }

void VESSEL::SetEmptyMass(double m) const { Host().SetEmptyMass(vessel, m); }

void VESSEL::SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const
{
    Host().SetCW(vessel, cw_z_pos, cw_z_neg, cw_x, cw_y);
}

void VESSEL::SetWingAspect(double aspect) const { Host().SetWingAspect(vessel, aspect); }

void VESSEL::SetWingEffectiveness(double eff) const { Host().SetWingEffectiveness(vessel, eff); }

void VESSEL::SetCrossSections(const VECTOR3 &cs) const { Host().SetCrossSections(vessel, &cs); }

void VESSEL::SetRotDrag(const VECTOR3 &rd) const { Host().SetRotDrag(vessel, &rd); }

void VESSEL::SetPMI(const VECTOR3 &pmi) const { Host().SetPMI(vessel, &pmi); }

void VESSEL::SetPitchMomentScale(double scale) const { Host().SetPitchMomentScale(vessel, scale); }

void VESSEL::SetBankMomentScale(double scale) const { Host().SetBankMomentScale(vessel, scale); }

void VESSEL::SetTrimScale(double scale) const { Host().SetTrimScale(vessel, scale); }

void VESSEL::SetTouchdownPoints(const VECTOR3 &pt1, const VECTOR3 &pt2, const VECTOR3 &pt3) const
{
    Host().SetTouchdownPoints(vessel, &pt1, &pt2, &pt3);
}

void VESSEL::EnableTransponder(bool enable) const { Host().EnableTransponder(vessel, enable); }

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxmass, double mass,
                                                   double efficiency) const
{
    return Host().CreatePropellantResource(vessel, maxmass, mass, efficiency);
}

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0,
                                       PROPELLANT_HANDLE hp, double isp0, double isp_ref,
                                       double p_ref) const
{
    return Host().CreateThruster(vessel, &pos, &dir, maxth0, hp, isp0, isp_ref, p_ref);
}

THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const
{
    return Host().CreateThrusterGroup(vessel, th, nth, thgt);
}

UINT VESSEL::AddMesh(MESHHANDLE hMesh, const VECTOR3 *ofs) const
{
    return Host().AddMesh(vessel, hMesh, ofs);
}

void VESSEL::SetMeshVisibilityMode(UINT idx, WORD mode) const
{
    Host().SetMeshVisibilityMode(vessel, idx, mode);
}

MESHHANDLE VESSEL::GetMesh(VISHANDLE vis, UINT idx) const
{
    return Host().GetMesh(vessel, vis, idx);
}

UINT VESSEL::CreateAnimation(double initial_state) const
{
    return Host().CreateAnimation(vessel, initial_state);
}

ANIMATIONCOMPONENT_HANDLE VESSEL::AddAnimationComponent(UINT anim, double state0, double state1,
                                                        MGROUP_TRANSFORM *trans,
                                                        ANIMATIONCOMPONENT_HANDLE parent) const
{
    return Host().AddAnimationComponent(vessel, anim, state0, state1, trans, parent);
}

bool VESSEL::SetAnimation(UINT anim, double state) const
{
    return Host().SetAnimation(vessel, anim, state);
}

double VESSEL::GetAirspeed() const { return Host().GetAirspeed(vessel); }

bool VESSEL::GetAirspeedVector(REFFRAME frame, VECTOR3 &v) const
{
    return Host().GetAirspeedVector(vessel, frame, &v);
}

double VESSEL::GetControlSurfaceLevel(AIRCTRL_TYPE type) const
{
    return Host().GetControlSurfaceLevel(vessel, type);
}

bool VESSEL::GroundContact() const { return Host().GroundContact(vessel); }

double VESSEL::GetThrusterLevel(THRUSTER_HANDLE th) const
{
    return Host().GetThrusterLevel(vessel, th);
}

void VESSEL::SetThrusterLevel(THRUSTER_HANDLE th, double level) const
{
    Host().SetThrusterLevel(vessel, th, level);
}

void VESSEL::SetThrusterGroupLevel(THGROUP_HANDLE thg, double level) const
{
    Host().SetThrusterGroupLevel(vessel, thg, level);
}

void VESSEL::SetThrusterGroupLevel(THGROUP_TYPE thgt, double level) const
{
    Host().SetThrusterGroupLevelByType(vessel, thgt, level);
}

void VESSEL::SetThrusterMax0(THRUSTER_HANDLE th, double maxth0) const
{
    Host().SetThrusterMax0(vessel, th, maxth0);
}

void VESSEL::AddForce(const VECTOR3 &F, const VECTOR3 &r) const { Host().AddForce(vessel, &F, &r); }

void VESSEL::SetCameraDefaultDirection(const VECTOR3 &cd) const
{
    Host().SetCameraDefaultDirection(vessel, &cd);
}

void VESSEL::SetCameraOffset(const VECTOR3 &co) const { Host().SetCameraOffset(vessel, &co); }

// VESSEL2's callbacks: the defaults do nothing.
#include "host/core/vessel2_defaults.inc"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
const MESHHANDLE oapiLoadMeshGlobal(const char *fname) { return Host().oapiLoadMeshGlobal(fname); }
#pragma GCC diagnostic pop

BOOL oapiGetFocusShipAirspeedVector(VECTOR3 *speedvec)
{
    return Host().oapiGetFocusShipAirspeedVector(speedvec);
}

double oapiGetSimTime() { return Host().oapiGetSimTime(); }

void oapiWriteLog(char *line) { Host().oapiWriteLog(line); }

void InitLib(HINSTANCE hModule) { Host().InitLib(hModule); }

int Date2Int(char *date) { return Host().Date2Int(date); }
