// The mechanisms the driver commands: each moves its state by the step's advance
// d = step length x mechanismRate and hands the state to its animations.
#pragma once

class SurfaceVehicle;

namespace mechanisms {

// The step's advance d = step length x rate. A step length that is negative, NaN or
// infinite (no simulator gives one) moves nothing, so every state stays in its range.
double StepAdvance(double simdt, double rate);

// Rear doors: latches over the first half of the state, leaves over the second.
void StepRearDoors(SurfaceVehicle &v, double simdt);

// Turret: wrapped by whole turns into 0..1 before the advance (one turn after any step
// of d <= 1); it rises, falls or holds as its mode (TurretMode) says. Returns the state to hand to
// the host, which may lie up to d outside 0..1.
double StepTurret(double &position, int mode, double d);

// Cannon elevation: clamped to 0..1 before the advance; kCannonRaising raises,
// kCannonLowering lowers, anything else holds.
double StepCannon(double &position, double mode, double d);

// Roof rotator: turns all the time; past 1 it starts again from 0 (the excess is dropped).
double StepRoofRotator(double &rotation, double d);

} // namespace mechanisms
