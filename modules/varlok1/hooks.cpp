// VARLOK1 has no mechanisms beyond the rear doors.
#include "vehicle/surface_vehicle.h"

void SurfaceVehicle::RunMechanismsBeforeRolling(double /*simdt*/) {}
void SurfaceVehicle::RunModuleMechanisms(double /*simdt*/) {}
