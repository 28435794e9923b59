// VARLOK1 has no mechanisms beyond the rear doors.
#include "surface_vehicle.h"

void SurfaceVehicle::RunMechanismsBeforeRolling(double /*simdt*/) {}
void SurfaceVehicle::RunModuleMechanisms(double /*simdt*/) {}
