#include "surface_vehicle.h"

void SurfaceVehicle::clbkPostStep(double, double, double) {}
