#include "vehicle/mechanisms.h"

#include <cmath>

#include "vehicle/surface_vehicle.h"

namespace mechanisms {

double StepAdvance(double simdt, double rate)
{
    const double d = simdt * rate;
    return std::isfinite(d) && d >= 0 ? d : 0;
}

void StepRearDoors(SurfaceVehicle &v, double simdt)
{
    if (v.doorMode != kDoorClosing && v.doorMode != kDoorOpening)
        return;
    const double d = StepAdvance(simdt, v.mechanismRate);
    // The mode changes in the step after the one in which the position reached its end.
    if (v.doorMode == kDoorClosing) {
        if (v.doorPosition > 0)
            v.doorPosition = v.doorPosition - d < 0 ? 0 : v.doorPosition - d;
        else
            v.doorMode = kDoorClosed;
    } else {
        if (v.doorPosition < 1)
            v.doorPosition = v.doorPosition + d > 1 ? 1 : v.doorPosition + d;
        else
            v.doorMode = kDoorOpen;
    }
    v.SetAnimation(v.animRearDoorLeft, v.doorPosition);
    v.SetAnimation(v.animDoorLatchLeft, v.doorPosition);
    v.SetAnimation(v.animDoorLatchRight, v.doorPosition);
    v.SetAnimation(v.animRearDoorRight, v.doorPosition);
}

double StepTurret(double &position, int mode, double d)
{
    // One whole turn for any state a step of up to 4 s leaves behind (d <= 1); after a
    // longer step as many turns as it takes, which shows the same pose and keeps the
    // state within reach of 0..1 instead of drifting away from it.
    if (position > 1)
        position -= std::ceil(position - 1);
    else if (position < 0)
        position += std::ceil(-position);
    if (mode == kTurretRising)
        position += d;
    else if (mode == kTurretFalling)
        position -= d;
    return position;
}

double StepCannon(double &position, double mode, double d)
{
    if (position > 1)
        position = 1;
    else if (position < 0)
        position = 0;
    if (mode == kCannonRaising)
        position += d;
    else if (mode == kCannonLowering)
        position -= d;
    return position;
}

double StepRoofRotator(double &rotation, double d)
{
    rotation += d;
    if (rotation > 1)
        rotation = 0;
    return rotation;
}

} // namespace mechanisms
