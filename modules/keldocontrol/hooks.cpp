// KELDOCONTROL's roof rotator turns at every step, between braking and wheel rolling.
#include "vehicle/mechanisms.h"
#include "vehicle/surface_vehicle.h"

void SurfaceVehicle::RunMechanismsBeforeRolling(double simdt)
{
    const double d = mechanisms::StepAdvance(simdt, mechanismRate);
    SetAnimation(animRoofRotator, mechanisms::StepRoofRotator(roofRotation, d));
}

void SurfaceVehicle::RunModuleMechanisms(double /*simdt*/) {}
