// Ground physics of the stand-in simulator: every vessel is a rigid body on a flat,
// level ground plane, pushed by its thrusters and by the forces its module added in the
// last step, held by the ground and slowed by the air. It fills what the host reports
// back to the module: airspeed, the airspeed vector in the vessel's frame, ground contact.
#pragma once

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

// What pushes the vessel now: thrust (level × current maximum along the thruster's
// direction, at its position) and the forces the module added; and its air drag.
ground::BodyLoads LoadsOn(const Vessel &vessel);

// One step of length dt (s) for one vessel: moves it, burns its propellant and sets its
// readings.
void MoveOnGround(Vessel &vessel, double dt);

// The first quantity of the vessel's state that is not a finite number, or null.
const char *NonFiniteQuantity(const Vessel &vessel);

// The simulator's physics hook for one vessel: moves it, and throws RunError naming the
// vessel, the step and the quantity when its state is no longer finite.
void StepGroundPhysics(Vessel &vessel, double dt);

} // namespace host
