// Construction, post-creation and the visual callbacks of SurfaceVehicle.
#include "vehicle/surface_vehicle.h"

#include "sound/vehicle_sounds.h"
#include "vehicle/built_module.h"

MESHHANDLE visualMesh = nullptr;

SurfaceVehicle::SurfaceVehicle(OBJHANDLE hVessel, int fmodel) : VESSEL2(hVessel, fmodel)
{
    // The record's start values are set by its initialisers; the rig reads
    // wheelAngleScale, so it runs last.
    DefineAnimations();
}

void SurfaceVehicle::clbkPostCreation()
{
    soundId = SetUpVehicleSounds(GetHandle(), kModule.waves.value);
}

void SurfaceVehicle::clbkVisualCreated(VISHANDLE vis, int /*refcount*/)
{
    visualMesh = GetMesh(vis, 0);
}

void SurfaceVehicle::clbkVisualDestroyed(VISHANDLE /*vis*/, int /*refcount*/)
{
    visualMesh = nullptr;
}
