// One simulation step: the drive model first, then the mechanisms, the engine sound
// and the engine's thrust gate.
#include "vehicle/built_module.h"
#include "vehicle/drive_model.h"
#include "vehicle/engine.h"
#include "vehicle/mechanisms.h"
#include "vehicle/surface_vehicle.h"

void SurfaceVehicle::clbkPostStep(double /*simt*/, double simdt, double /*mjd*/)
{
    const DriveReadings in = drive::ReadInputs(*this);
    drive::ApplyBrakingForce(*this, in);
    kModule.beforeRolling.value(*this, simdt);
    const double workingSpeed = drive::RollWheels(*this, in);
    drive::PoseLevers(*this, in);

    mechanisms::StepRearDoors(*this, simdt);
    kModule.afterDoors.value(*this, simdt);
    engine::PlayRunSound(*this, workingSpeed);
    engine::GateThrusters(*this);
}
