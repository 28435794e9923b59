// VARLOK3C moves its turret and cannon at every step, after the rear doors.
#include "vehicle/mechanisms.h"
#include "vehicle/surface_vehicle.h"

void SurfaceVehicle::RunMechanismsBeforeRolling(double /*simdt*/) {}

void SurfaceVehicle::RunModuleMechanisms(double simdt)
{
    const double d = mechanisms::StepAdvance(simdt, mechanismRate);
    SetAnimation(animTurret, mechanisms::StepTurret(turretPosition, turretMode, d));
    SetAnimation(animCannon, mechanisms::StepCannon(cannonPosition, cannonMode, d));
}
