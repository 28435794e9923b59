#include "surface_vehicle.h"

SurfaceVehicle::~SurfaceVehicle() {}
void SurfaceVehicle::RunMechanismsBeforeRolling(double) {}
void SurfaceVehicle::RunModuleMechanisms(double) {}
