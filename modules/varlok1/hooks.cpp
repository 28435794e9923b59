#include "surface_vehicle.h"

void SurfaceVehicle::RunMechanismsBeforeRolling(double) {}
void SurfaceVehicle::RunModuleMechanisms(double) {}
