// SurfaceVehicle: the one vehicle class of every module. The class's behaviour is
// written once in vehicle/; its record (the fields, in the module's declaration order)
// and its description (module.h) come from the module being built (modules/<name>/).
#pragma once

#include "sdk/Orbitersdk.h"
#include "vehicle/vehicle_constants.h"

// Mesh of the current visual, shared by every vehicle of the module: the last visual
// created is the one kept, and any vehicle's visual destruction clears it.
extern MESHHANDLE visualMesh;

class SurfaceVehicle final : public VESSEL2 {
public:
    SurfaceVehicle(OBJHANDLE hVessel, int fmodel);
    ~SurfaceVehicle();

    void clbkSetClassCaps(FILEHANDLE cfg) override;
    void clbkPostCreation() override;
    void clbkPostStep(double simt, double simdt, double mjd) override;
    void clbkVisualCreated(VISHANDLE vis, int refcount) override;
    void clbkVisualDestroyed(VISHANDLE vis, int refcount) override;
    int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) override;

    void DefineAnimations();
    void SelectCameraPosition(int position);
    void ToggleRearDoors();

    // The record: fields with their start values, in the module's declaration order.
#include "vehicle_record.inc"
};
