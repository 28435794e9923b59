// The simulator's vessel interface: the transform records, VESSEL (operations the
// host implements) and VESSEL2 (callbacks a vessel class overrides).
#pragma once

#include "sdk/OrbiterAPI.h"

// Base of the transform records handed to AddAnimationComponent. The host asks
// Type() what a record is before reading it.
class MGROUP_TRANSFORM {
public:
    enum TYPE { NULLTRANSFORM, ROTATE, TRANSLATE, SCALE };
    MGROUP_TRANSFORM() {}
    virtual int Type() const { return NULLTRANSFORM; }
};

// Rotation record of an animation component. The host reads it back (Type() ==
// ROTATE). Final: a vehicle deletes its own record through this type.
class MGROUP_ROTATION final : public MGROUP_TRANSFORM {
public:
    MGROUP_ROTATION(UINT meshIndex_, const UINT *groupIndices_, UINT groupCount_,
                    const VECTOR3 &referencePoint_, const VECTOR3 &axis_, float angle_)
        : meshIndex(meshIndex_), groupIndices(groupIndices_), groupCount(groupCount_),
          referencePoint(referencePoint_), axis(axis_), angle(angle_)
    {
    }
    int Type() const override { return ROTATE; }

    UINT meshIndex;           // vessel mesh whose groups move
    const UINT *groupIndices; // not owned: constant tables of the module
    UINT groupCount;
    VECTOR3 referencePoint; // a point on the axis, vessel frame, metres
    VECTOR3 axis;           // as given; the host normalises it
    float angle;            // radians at the end of the state range
};

// A vessel as the host sees it. No virtual functions: every operation is a const
// member that the host library implements on the vessel behind the handle.
class OAPIFUNC VESSEL {
public:
    VESSEL(OBJHANDLE hVessel, int fmodel = 1);

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
    const OBJHANDLE GetHandle() const;
#pragma GCC diagnostic pop
    int GetFlightModel() const;

    void SetSize(double size) const;
    void SetEmptyMass(double m) const;
    void SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const;
    void SetWingAspect(double aspect) const;
    void SetWingEffectiveness(double eff) const;
    void SetCrossSections(const VECTOR3 &cs) const;
    void SetRotDrag(const VECTOR3 &rd) const;
    void SetPMI(const VECTOR3 &pmi) const;
    void SetPitchMomentScale(double scale) const;
    void SetBankMomentScale(double scale) const;
    void SetTrimScale(double scale) const;
    void SetTouchdownPoints(const VECTOR3 &pt1, const VECTOR3 &pt2, const VECTOR3 &pt3) const;
    void EnableTransponder(bool enable) const;

    PROPELLANT_HANDLE CreatePropellantResource(double maxmass, double mass = -1.0,
                                               double efficiency = 1.0) const;
    THRUSTER_HANDLE CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0,
                                   PROPELLANT_HANDLE hp = NULL, double isp0 = 0.0,
                                   double isp_ref = 0.0, double p_ref = 101.4e3) const;
    THGROUP_HANDLE CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const;

    UINT AddMesh(MESHHANDLE hMesh, const VECTOR3 *ofs = 0) const;
    void SetMeshVisibilityMode(UINT idx, WORD mode) const;
    MESHHANDLE GetMesh(VISHANDLE vis, UINT idx) const;

    UINT CreateAnimation(double initial_state) const;
    ANIMATIONCOMPONENT_HANDLE AddAnimationComponent(UINT anim, double state0, double state1,
                                                    MGROUP_TRANSFORM *trans,
                                                    ANIMATIONCOMPONENT_HANDLE parent = NULL) const;
    bool SetAnimation(UINT anim, double state) const;

    double GetAirspeed() const;
    bool GetAirspeedVector(REFFRAME frame, VECTOR3 &v) const;
    double GetControlSurfaceLevel(AIRCTRL_TYPE type) const;
    bool GroundContact() const;

    double GetThrusterLevel(THRUSTER_HANDLE th) const;
    void SetThrusterLevel(THRUSTER_HANDLE th, double level) const;
    void SetThrusterGroupLevel(THGROUP_HANDLE thg, double level) const;
    void SetThrusterGroupLevel(THGROUP_TYPE thgt, double level) const;
    void SetThrusterMax0(THRUSTER_HANDLE th, double maxth0) const;

    void AddForce(const VECTOR3 &F, const VECTOR3 &r) const;

    void SetCameraDefaultDirection(const VECTOR3 &cd) const;
    void SetCameraOffset(const VECTOR3 &co) const;

protected:
    OBJHANDLE vessel;
    short flightmodel;
    short version;
};

// A vessel class with callbacks. The host calls them in this slot order's table;
// every default does nothing (0 or false where a result is due).
class OAPIFUNC VESSEL2 : public VESSEL {
public:
    VESSEL2(OBJHANDLE hVessel, int fmodel = 1);

    virtual void clbkSetClassCaps(FILEHANDLE cfg);
    virtual void clbkSaveState(FILEHANDLE scn);
    virtual void clbkLoadStateEx(FILEHANDLE scn, void *status);
    virtual void clbkSetStateEx(const void *status);
    virtual void clbkPostCreation();
    virtual void clbkFocusChanged(bool getfocus, OBJHANDLE hNewVessel, OBJHANDLE hOldVessel);
    virtual void clbkPreStep(double simt, double simdt, double mjd);
    virtual void clbkPostStep(double simt, double simdt, double mjd);
    virtual bool clbkPlaybackEvent(double simt, double event_t, const char *event_type,
                                   const char *event);
    virtual void clbkVisualCreated(VISHANDLE vis, int refcount);
    virtual void clbkVisualDestroyed(VISHANDLE vis, int refcount);
    virtual void clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, HDC hDC);
    virtual void clbkRCSMode(int mode);
    virtual void clbkADCtrlMode(DWORD mode);
    virtual void clbkHUDMode(int mode);
    virtual void clbkMFDMode(int mfd, int mode);
    virtual void clbkNavMode(int mode, bool active);
    virtual void clbkDockEvent(int dock, OBJHANDLE mate);
    virtual void clbkAnimate(double simt);
    virtual int clbkConsumeDirectKey(char *kstate);
    virtual int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate);
    virtual bool clbkLoadGenericCockpit();
    virtual bool clbkLoadPanel(int id);
    virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my);
    virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf);
    virtual bool clbkLoadVC(int id);
    virtual bool clbkVCMouseEvent(int id, int event, VECTOR3 &p);
    virtual bool clbkVCRedrawEvent(int id, int event, SURFHANDLE surf);
};
