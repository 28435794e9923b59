#include "vehicle/drive_model.h"

#include <cmath>

#include "vehicle/surface_vehicle.h"

namespace drive {

namespace {

// Rudder centred means exactly 0: any deflection, however small, steers the levers.
bool RudderCentred(const SurfaceVehicle &v) { return v.rudderLevel == 0; }

// The cap bounds the magnitude: the simulator's airspeed is never negative, but a
// negative reading must not grow the roll state without bound either.
double CapSpeed(double speed)
{
    if (speed > kRollingSpeedCap)
        return kRollingSpeedCap;
    if (speed < -kRollingSpeedCap)
        return -kRollingSpeedCap;
    return speed;
}

void SetForwardWheels(SurfaceVehicle &v)
{
    v.SetAnimation(v.animWheelsRightFwd, v.wheelRoll);
    v.SetAnimation(v.animWheelsLeftFwd, v.wheelRoll);
}

void RollForward(SurfaceVehicle &v, double &speed)
{
    speed = CapSpeed(speed);
    v.wheelRoll += speed * kStraightRollGain;
    SetForwardWheels(v);
}

void RollBackward(SurfaceVehicle &v, double &speed)
{
    speed = CapSpeed(speed);
    v.wheelRoll -= speed * kStraightRollGain;
    SetForwardWheels(v);
}

// Turning: the roll state falls; the caller picks which sides show it.
void RollTurning(SurfaceVehicle &v, double &speed)
{
    if (v.wheelRoll < 0)
        v.wheelRoll = 1;
    speed = CapSpeed(speed);
    const double step = speed * kTurnRollGain + kTurnRollBase;
    // Only an airspeed below -1 m/s (no simulator gives one) makes the state rise: then
    // it wraps from above, as rolling forward does, instead of growing without bound.
    if (step < 0 && v.wheelRoll > 1)
        v.wheelRoll = 0;
    v.wheelRoll -= step;
    if (speed == 0)
        v.wheelRoll = 1;
}

bool RememberedForward(const SurfaceVehicle &v)
{
    return v.lastDirForward == 1.0 && v.lastDirReverse == 0.0;
}

bool RememberedReverse(const SurfaceVehicle &v)
{
    return v.lastDirForward == 0.0 && v.lastDirReverse == 1.0;
}

void SetThrottlePose(SurfaceVehicle &v)
{
    v.SetAnimation(v.animLeverLeft1, v.leverThrottle);
    v.SetAnimation(v.animLeverRight1, v.leverThrottle);
    v.SetAnimation(v.animLeverLeft2, v.leverThrottle);
    v.SetAnimation(v.animLeverRight2, v.leverThrottle);
}

void SetSteeringPose(SurfaceVehicle &v)
{
    v.SetAnimation(v.animLeverLeft1, v.leverSteerLeft);
    v.SetAnimation(v.animLeverRight1, v.leverSteerRight);
    v.SetAnimation(v.animLeverLeft2, v.leverSteerLeft);
    v.SetAnimation(v.animLeverRight2, v.leverSteerRight);
}

// Moves `value` by `step` and stops it at `limit`, testing the new value.
void StepUpTo(double &value, double step, double limit)
{
    value += step;
    if (value > limit)
        value = limit;
}

void StepDownTo(double &value, double step, double limit)
{
    value -= step;
    if (value < limit)
        value = limit;
}

} // namespace

DriveReadings ReadInputs(SurfaceVehicle &v)
{
    DriveReadings in;
    in.airspeed = v.GetAirspeed();
    if (!std::isfinite(in.airspeed))
        in.airspeed = 0; // no speed known: nothing rolls, nothing brakes
    v.rudderLevel = v.GetControlSurfaceLevel(AIRCTRL_RUDDER);
    // The vehicle's own airspeed in its own frame decides the braking direction, so a
    // vehicle without the input focus is braked by its own motion too.
    VECTOR3 airspeedVector = _V(0, 0, 0);
    v.GetAirspeedVector(FRAME_LOCAL, airspeedVector);
    in.airspeedZ = airspeedVector.z;
    in.groundContact = v.GroundContact();
    in.mainLevel = v.GetThrusterLevel(v.thMain);
    in.retroLevel = v.GetThrusterLevel(v.thRetro);
    return in;
}

void ApplyBrakingForce(SurfaceVehicle &v, const DriveReadings &in)
{
    if (!in.groundContact || !(in.airspeed > kBrakingSpeed))
        return;
    if (in.airspeedZ > 0)
        v.AddForce(_V(0, 0, -kBrakingForce), _V(0, 0, 0));
    if (in.airspeedZ < 0)
        v.AddForce(_V(0, 0, kBrakingForce), _V(0, 0, 0));
}

double RollWheels(SurfaceVehicle &v, const DriveReadings &in)
{
    double speed = in.airspeed;
    const bool centred = RudderCentred(v);

    if (in.mainLevel > 0 && centred) { // forward drive
        if (v.wheelRoll > 1)
            v.wheelRoll = 0;
        if (speed > kRollingSpeed) {
            RollForward(v, speed);
            v.lastDirForward = 1.0;
            v.lastDirReverse = 0.0;
        }
    }
    if (in.retroLevel > 0 && centred) { // reverse drive
        if (v.wheelRoll < 0)
            v.wheelRoll = 1;
        if (speed > kRollingSpeed) {
            RollBackward(v, speed);
            v.lastDirForward = 0.0;
            v.lastDirReverse = 1.0;
        }
    }
    if (in.mainLevel == 0 && in.retroLevel == 0 && speed > kRollingSpeed && centred) {
        // Coasting follows the remembered direction; with none the wheels stand still.
        if (RememberedReverse(v)) {
            if (v.wheelRoll < 0)
                v.wheelRoll = 1;
            RollBackward(v, speed);
        }
        if (RememberedForward(v)) {
            if (v.wheelRoll > 1)
                v.wheelRoll = 0;
            RollForward(v, speed);
        }
    }
    if (v.rudderLevel < -kTurningRudder) { // turning left: right wheels forward
        RollTurning(v, speed);
        v.SetAnimation(v.animWheelsRightRev, v.wheelRoll);
        v.SetAnimation(v.animWheelsLeftFwd, v.wheelRoll);
    }
    if (v.rudderLevel > kTurningRudder) { // turning right: left wheels forward
        RollTurning(v, speed);
        v.SetAnimation(v.animWheelsRightFwd, v.wheelRoll);
        v.SetAnimation(v.animWheelsLeftRev, v.wheelRoll);
    }
    return speed;
}

void PoseLevers(SurfaceVehicle &v, const DriveReadings &in)
{
    const bool centred = RudderCentred(v);

    // Throttle pose. The forward and reverse halves test only their own thruster, so a
    // switch of direction moves the state by both steps at once.
    if (centred && in.mainLevel > 0) {
        StepDownTo(v.leverThrottle, kThrottleStep, kThrottleForward);
        SetThrottlePose(v);
    }
    if (centred && in.mainLevel == 0 && v.leverThrottle < kLeverRest) {
        StepUpTo(v.leverThrottle, kThrottleStep, kLeverRest);
        SetThrottlePose(v);
    }
    if (centred && in.mainLevel == 0 && in.retroLevel == 0 && v.leverThrottle == kLeverRest) {
        v.leverThrottle = kLeverRest;
        SetThrottlePose(v);
    }
    if (centred && in.retroLevel > 0) {
        StepUpTo(v.leverThrottle, kThrottleStep, kThrottleReverse);
        SetThrottlePose(v);
    }
    if (centred && in.retroLevel == 0 && v.leverThrottle > kLeverRest) {
        StepDownTo(v.leverThrottle, kThrottleStep, kLeverRest);
        SetThrottlePose(v);
    }

    // Steering pose; set last, so it wins over the throttle pose until the levers are
    // back at rest. The return is decided by the left pair; the right pair mirrors it.
    if (v.rudderLevel > 0) {
        v.leverThrottle = kLeverRest;
        StepDownTo(v.leverSteerLeft, kSteerStep, 0);
        StepUpTo(v.leverSteerRight, kSteerStep, 1);
        SetSteeringPose(v);
    }
    if (centred && v.leverSteerLeft < kLeverRest) {
        StepUpTo(v.leverSteerLeft, kSteerStep, kLeverRest);
        StepDownTo(v.leverSteerRight, kSteerStep, kLeverRest);
        SetSteeringPose(v);
    }
    if (v.rudderLevel < 0) {
        v.leverThrottle = kLeverRest;
        StepUpTo(v.leverSteerLeft, kSteerStep, 1);
        StepDownTo(v.leverSteerRight, kSteerStep, 0);
        SetSteeringPose(v);
    }
    if (centred && v.leverSteerLeft > kLeverRest) {
        StepDownTo(v.leverSteerLeft, kSteerStep, kLeverRest);
        StepUpTo(v.leverSteerRight, kSteerStep, kLeverRest);
        SetSteeringPose(v);
    }
}

} // namespace drive
