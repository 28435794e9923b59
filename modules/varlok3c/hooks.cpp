// VARLOK3C moves its turret and cannon at every step, after the rear doors.
#include "mechanisms.h"
#include "surface_vehicle.h"

void SurfaceVehicle::RunMechanismsBeforeRolling(double /*simdt*/) {}

void SurfaceVehicle::RunModuleMechanisms(double simdt)
{
    SetAnimation(animTurret,
                 mechanisms::StepTurret(turretPosition, turretMode, simdt * mechanismRate));
    SetAnimation(animCannon,
                 mechanisms::StepCannon(cannonPosition, cannonMode, simdt * mechanismRate));
}
