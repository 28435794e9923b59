// KELDOCONTROL's roof rotator turns at every step, between braking and wheel rolling.
#include "mechanisms.h"
#include "surface_vehicle.h"

void SurfaceVehicle::RunMechanismsBeforeRolling(double simdt)
{
    SetAnimation(animRoofRotator,
                 mechanisms::StepRoofRotator(roofRotation, simdt * mechanismRate));
}

void SurfaceVehicle::RunModuleMechanisms(double /*simdt*/) {}
