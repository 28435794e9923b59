// Construction and the visual callbacks of SurfaceVehicle.
#include "surface_vehicle.h"

namespace {

// Mesh of the current visual, shared by every vehicle of the module: the last visual
// created is the one kept, and any vehicle's visual destruction clears it.
MESHHANDLE visualMesh = nullptr;

} // namespace

SurfaceVehicle::SurfaceVehicle(OBJHANDLE hVessel, int fmodel) : VESSEL2(hVessel, fmodel)
{
    // The record's start values are set by its initialisers; the rig reads
    // wheelAngleScale, so it runs last.
    DefineAnimations();
}

void SurfaceVehicle::clbkVisualCreated(VISHANDLE vis, int /*refcount*/)
{
    visualMesh = GetMesh(vis, 0);
}

void SurfaceVehicle::clbkVisualDestroyed(VISHANDLE /*vis*/, int /*refcount*/)
{
    visualMesh = nullptr;
}
