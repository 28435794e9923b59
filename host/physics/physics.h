// Ground physics of the stand-in simulator: every vessel is a rigid body on a flat,
// level ground plane, pushed by its thrusters and by the forces its module added in the
// last step, held by the ground and slowed by the air. It fills what the host reports
// back to the module: airspeed, the airspeed vector in the vessel's frame, ground contact.
#pragma once

#include "host/core/simulator.h"
#include "host/physics/ground_integrator.h"
#include "host/vessel/vessel_state.h"

namespace host {

// Empty mass plus every propellant's mass, kg.
double VesselMass(const Vessel &vessel);
// Moment of inertia about the vertical axis: the declared moments are per unit mass.
double YawInertia(const Vessel &vessel);
// The ground is flat, so a vessel touches it wherever its touchdown points span a
// triangle to stand on; one that declared none floats.
bool RestsOnGround(const Vessel &vessel);

// The motion in the vessel's own frame, and back to the ground frame.
ground::BodyMotion BodyMotionOf(const Motion &motion);
void SetGroundVelocity(Motion &motion, const ground::BodyMotion &body);
// The same with the heading's sine and cosine already worked out.
ground::BodyMotion BodyMotionOf(const Motion &motion, const HeadingTrig &trig);
void SetGroundVelocity(Motion &motion, const ground::BodyMotion &body, const HeadingTrig &trig);

// What pushes the vessel now: thrust (level × current maximum along the thruster's
// direction, at its position) and the forces the module added; and its air drag.
ground::BodyLoads LoadsOn(const Vessel &vessel);

// One step for one vessel: moves it, burns its propellant and sets its readings.
void MoveOnGround(Vessel &vessel, const ground::StepConstants &step);
inline void MoveOnGround(Vessel &vessel, double dt)
{
    MoveOnGround(vessel, ground::StepConstants::For(dt));
}

// The first quantity of the vessel's state that is not a finite number, or null.
const char *NonFiniteQuantity(const Vessel &vessel);

// The longest step the ground model takes at once: from rest at full thrust its speed
// after 1 s is 1.1% short of short steps' at 0.1 s, 2.3% at 0.2 s, 11.6% at 1 s.
inline constexpr double kLongestGroundStep = 0.1; // s

// The ground physics as the simulator runs it: each vessel moved, a step longer than
// kLongestGroundStep in equal substeps, and a RunError naming the vessel, the step and
// the quantity once its state is no longer finite.
class GroundPhysics final : public Physics {
public:
    void BeginStep(double dt, std::int64_t index) override;
    void Move(Vessel &vessel) override;
    void Place(Vessel &vessel) override { MoveOnGround(vessel, 0); }

private:
    ground::StepConstants substep_;
    int substeps_ = 1;
    std::int64_t index_ = 0;
};

} // namespace host
