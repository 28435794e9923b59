// The host's side of the C boundary: its operations as the table, each through a view of
// the vessel as this compiler's VESSEL, and the callbacks on vessels of this ABI.
#include "host/core/module_boundary.h"

#include "host/core/simulator.h"
#include "host/core/vessel_callbacks.h"

namespace {

const SimhostCalls kCalls = {
    .GetHandle = [](OBJHANDLE h) { return VESSEL(h).GetHandle(); },
    .GetFlightModel = [](OBJHANDLE h, int fm) { return VESSEL(h, fm).GetFlightModel(); },
    .SetSize = [](OBJHANDLE h, double size) { VESSEL(h).SetSize(size); },
    .SetEmptyMass = [](OBJHANDLE h, double m) { VESSEL(h).SetEmptyMass(m); },
    .SetCW = [](OBJHANDLE h, double zp, double zn, double x,
                double y) { VESSEL(h).SetCW(zp, zn, x, y); },
    .SetWingAspect = [](OBJHANDLE h, double aspect) { VESSEL(h).SetWingAspect(aspect); },
    .SetWingEffectiveness = [](OBJHANDLE h, double eff) { VESSEL(h).SetWingEffectiveness(eff); },
    .SetCrossSections = [](OBJHANDLE h, const VECTOR3 *cs) { VESSEL(h).SetCrossSections(*cs); },
    .SetRotDrag = [](OBJHANDLE h, const VECTOR3 *rd) { VESSEL(h).SetRotDrag(*rd); },
    .SetPMI = [](OBJHANDLE h, const VECTOR3 *pmi) { VESSEL(h).SetPMI(*pmi); },
    .SetPitchMomentScale = [](OBJHANDLE h, double scale) { VESSEL(h).SetPitchMomentScale(scale); },
    .SetBankMomentScale = [](OBJHANDLE h, double scale) { VESSEL(h).SetBankMomentScale(scale); },
    .SetTrimScale = [](OBJHANDLE h, double scale) { VESSEL(h).SetTrimScale(scale); },
    .SetTouchdownPoints = [](OBJHANDLE h, const VECTOR3 *p1, const VECTOR3 *p2,
                             const VECTOR3 *p3) { VESSEL(h).SetTouchdownPoints(*p1, *p2, *p3); },
    .EnableTransponder = [](OBJHANDLE h, bool enable) { VESSEL(h).EnableTransponder(enable); },
    .CreatePropellantResource =
        [](OBJHANDLE h, double maxmass, double mass, double efficiency) {
            return VESSEL(h).CreatePropellantResource(maxmass, mass, efficiency);
        },
    .CreateThruster =
        [](OBJHANDLE h, const VECTOR3 *pos, const VECTOR3 *dir, double maxth0, PROPELLANT_HANDLE hp,
           double isp0, double isp_ref, double p_ref) {
            return VESSEL(h).CreateThruster(*pos, *dir, maxth0, hp, isp0, isp_ref, p_ref);
        },
    .CreateThrusterGroup =
        [](OBJHANDLE h, THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) {
            return VESSEL(h).CreateThrusterGroup(th, nth, thgt);
        },
    .AddMesh = [](OBJHANDLE h, MESHHANDLE mesh,
                  const VECTOR3 *ofs) { return VESSEL(h).AddMesh(mesh, ofs); },
    .SetMeshVisibilityMode = [](OBJHANDLE h, UINT idx,
                                WORD mode) { VESSEL(h).SetMeshVisibilityMode(idx, mode); },
    .GetMesh = [](OBJHANDLE h, VISHANDLE vis, UINT idx) { return VESSEL(h).GetMesh(vis, idx); },
    .CreateAnimation = [](OBJHANDLE h,
                          double initial) { return VESSEL(h).CreateAnimation(initial); },
    .AddAnimationComponent =
        [](OBJHANDLE h, UINT anim, double s0, double s1, MGROUP_TRANSFORM *trans,
           ANIMATIONCOMPONENT_HANDLE parent) {
            return VESSEL(h).AddAnimationComponent(anim, s0, s1, trans, parent);
        },
    .SetAnimation = [](OBJHANDLE h, UINT anim,
                       double state) { return VESSEL(h).SetAnimation(anim, state); },
    .GetAirspeed = [](OBJHANDLE h) { return VESSEL(h).GetAirspeed(); },
    .GetAirspeedVector = [](OBJHANDLE h, REFFRAME frame,
                            VECTOR3 *v) { return VESSEL(h).GetAirspeedVector(frame, *v); },
    .GetControlSurfaceLevel =
        [](OBJHANDLE h, AIRCTRL_TYPE type) { return VESSEL(h).GetControlSurfaceLevel(type); },
    .GroundContact = [](OBJHANDLE h) { return VESSEL(h).GroundContact(); },
    .GetThrusterLevel = [](OBJHANDLE h,
                           THRUSTER_HANDLE th) { return VESSEL(h).GetThrusterLevel(th); },
    .SetThrusterLevel = [](OBJHANDLE h, THRUSTER_HANDLE th,
                           double level) { VESSEL(h).SetThrusterLevel(th, level); },
    .SetThrusterGroupLevel = [](OBJHANDLE h, THGROUP_HANDLE thg,
                                double level) { VESSEL(h).SetThrusterGroupLevel(thg, level); },
    .SetThrusterGroupLevelByType =
        [](OBJHANDLE h, THGROUP_TYPE thgt, double level) {
            VESSEL(h).SetThrusterGroupLevel(thgt, level);
        },
    .SetThrusterMax0 = [](OBJHANDLE h, THRUSTER_HANDLE th,
                          double maxth0) { VESSEL(h).SetThrusterMax0(th, maxth0); },
    .AddForce = [](OBJHANDLE h, const VECTOR3 *F, const VECTOR3 *r) { VESSEL(h).AddForce(*F, *r); },
    .SetCameraDefaultDirection =
        [](OBJHANDLE h, const VECTOR3 *cd) { VESSEL(h).SetCameraDefaultDirection(*cd); },
    .SetCameraOffset = [](OBJHANDLE h, const VECTOR3 *co) { VESSEL(h).SetCameraOffset(*co); },

    .oapiLoadMeshGlobal = [](const char *fname) -> MESHHANDLE { return oapiLoadMeshGlobal(fname); },
    .oapiGetFocusShipAirspeedVector = oapiGetFocusShipAirspeedVector,
    .oapiGetSimTime = oapiGetSimTime,
    .oapiWriteLog = oapiWriteLog,
    .InitLib = InitLib,
    .Date2Int = Date2Int,
};

} // namespace

namespace host {

const SimhostVesselCallbacks kNativeVesselCallbacks = this_abi::kVesselCallbacks;

} // namespace host

const SimhostCalls *SimhostGetCalls() { return &kCalls; }

void SimhostUseVesselCallbacks(const SimhostVesselCallbacks *callbacks)
{
    host::Simulator::Get().SetVesselCallbacks(callbacks ? callbacks
                                                        : &host::kNativeVesselCallbacks);
}
