// The host's boundary to a vessel module as plain C: a table of the host operations a
// module calls (every VESSEL member and free function of the interface, over the vessel
// handle) and a table of the callbacks the host makes on a module's vessel. A program
// whose modules follow another C++ ABI than the host's own compiler gives its modules
// the interface under that ABI's names, forwarding to the first table, and hands the
// host the second table, which makes the calls under that ABI.
#pragma once

#include "sdk/VesselAPI.h"

extern "C" {

// Host operations. Vectors pass by pointer; a pointer that is a reference in the
// interface is never null.
struct SimhostCalls {
    OBJHANDLE (*GetHandle)(OBJHANDLE vessel);
    int (*GetFlightModel)(OBJHANDLE vessel, int flightmodel); // as the vessel's object holds it
    void (*SetSize)(OBJHANDLE vessel, double size);
    void (*SetEmptyMass)(OBJHANDLE vessel, double m);
    void (*SetCW)(OBJHANDLE vessel, double cw_z_pos, double cw_z_neg, double cw_x, double cw_y);
    void (*SetWingAspect)(OBJHANDLE vessel, double aspect);
    void (*SetWingEffectiveness)(OBJHANDLE vessel, double eff);
    void (*SetCrossSections)(OBJHANDLE vessel, const VECTOR3 *cs);
    void (*SetRotDrag)(OBJHANDLE vessel, const VECTOR3 *rd);
    void (*SetPMI)(OBJHANDLE vessel, const VECTOR3 *pmi);
    void (*SetPitchMomentScale)(OBJHANDLE vessel, double scale);
    void (*SetBankMomentScale)(OBJHANDLE vessel, double scale);
    void (*SetTrimScale)(OBJHANDLE vessel, double scale);
    void (*SetTouchdownPoints)(OBJHANDLE vessel, const VECTOR3 *pt1, const VECTOR3 *pt2,
                               const VECTOR3 *pt3);
    void (*EnableTransponder)(OBJHANDLE vessel, bool enable);
    // clang-format lays out a function pointer that returns a handle unstably.
    // clang-format off
    PROPELLANT_HANDLE (*CreatePropellantResource)(OBJHANDLE vessel, double maxmass, double mass,
                                                  double efficiency);
    THRUSTER_HANDLE (*CreateThruster)(OBJHANDLE vessel, const VECTOR3 *pos, const VECTOR3 *dir,
                                      double maxth0, PROPELLANT_HANDLE hp, double isp0,
                                      double isp_ref, double p_ref);
    THGROUP_HANDLE (*CreateThrusterGroup)(OBJHANDLE vessel, THRUSTER_HANDLE *th, int nth,
                                          THGROUP_TYPE thgt);
    // clang-format on
    UINT (*AddMesh)(OBJHANDLE vessel, MESHHANDLE hMesh, const VECTOR3 *ofs); // ofs may be null
    void (*SetMeshVisibilityMode)(OBJHANDLE vessel, UINT idx, WORD mode);
    MESHHANDLE (*GetMesh)(OBJHANDLE vessel, VISHANDLE vis, UINT idx);
    UINT (*CreateAnimation)(OBJHANDLE vessel, double initial_state);
    // clang-format off
    ANIMATIONCOMPONENT_HANDLE (*AddAnimationComponent)(OBJHANDLE vessel, UINT anim, double state0,
                                                       double state1, MGROUP_TRANSFORM *trans,
                                                       ANIMATIONCOMPONENT_HANDLE parent);
    // clang-format on
    bool (*SetAnimation)(OBJHANDLE vessel, UINT anim, double state);
    double (*GetAirspeed)(OBJHANDLE vessel);
    bool (*GetAirspeedVector)(OBJHANDLE vessel, REFFRAME frame, VECTOR3 *v);
    double (*GetControlSurfaceLevel)(OBJHANDLE vessel, AIRCTRL_TYPE type);
    bool (*GroundContact)(OBJHANDLE vessel);
    double (*GetThrusterLevel)(OBJHANDLE vessel, THRUSTER_HANDLE th);
    void (*SetThrusterLevel)(OBJHANDLE vessel, THRUSTER_HANDLE th, double level);
    void (*SetThrusterGroupLevel)(OBJHANDLE vessel, THGROUP_HANDLE thg, double level);
    void (*SetThrusterGroupLevelByType)(OBJHANDLE vessel, THGROUP_TYPE thgt, double level);
    void (*SetThrusterMax0)(OBJHANDLE vessel, THRUSTER_HANDLE th, double maxth0);
    void (*AddForce)(OBJHANDLE vessel, const VECTOR3 *F, const VECTOR3 *r);
    void (*SetCameraDefaultDirection)(OBJHANDLE vessel, const VECTOR3 *cd);
    void (*SetCameraOffset)(OBJHANDLE vessel, const VECTOR3 *co);

    MESHHANDLE (*oapiLoadMeshGlobal)(const char *fname);
    BOOL (*oapiGetFocusShipAirspeedVector)(VECTOR3 *speedvec);
    double (*oapiGetSimTime)();
    void (*oapiWriteLog)(char *line);
    void (*InitLib)(HINSTANCE hModule);
    int (*Date2Int)(char *date);
};

// The callbacks the host makes on a vessel, given the object as the module's ovcInit
// returned it (a VESSEL, seen as the VESSEL2 it is by the table's own ABI).
struct SimhostVesselCallbacks {
    void (*SetClassCaps)(VESSEL *vessel, FILEHANDLE cfg);
    void (*PostCreation)(VESSEL *vessel);
    void (*PostStep)(VESSEL *vessel, double simt, double simdt, double mjd);
    int (*ConsumeBufferedKey)(VESSEL *vessel, DWORD key, bool down, char *kstate);
    void (*VisualCreated)(VESSEL *vessel, VISHANDLE vis, int refcount);
    void (*VisualDestroyed)(VESSEL *vessel, VISHANDLE vis, int refcount);
};

// The host's operations.
OAPIFUNC const SimhostCalls *SimhostGetCalls();
// The callbacks for the vessels of the modules loaded from now on; null for the host's
// own ABI (the default).
OAPIFUNC void SimhostUseVesselCallbacks(const SimhostVesselCallbacks *callbacks);

} // extern "C"
