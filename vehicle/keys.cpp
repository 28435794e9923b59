#include "surface_vehicle.h"

int SurfaceVehicle::clbkConsumeBufferedKey(DWORD, bool, char *) { return 0; }
void SurfaceVehicle::ToggleRearDoors() {}
void SurfaceVehicle::SelectCameraPosition(int) {}
