#include "surface_vehicle.h"

void SurfaceVehicle::clbkSetClassCaps(FILEHANDLE) {}
