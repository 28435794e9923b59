// The situations in which a vehicle's step is measured, and vehicles put into them.
// The floor's build-time capture and the benchmarks share these, so that both see the
// same step.
#pragma once

#include <span>
#include <string>

#include "host/core/module_boundary.h"
#include "host/core/simulator.h"

namespace bench {

// The three shipped vessel classes.
inline constexpr const char *kClasses[] = {"VARLOK1", "VARLOK3C", "KELDOCONTROL"};

struct SituationRow {
    const char *name;
    bool engineStarted;   // key K pressed
    double mainLevel;     // level of thMain, 0..1
    double airspeed;      // m/s, straight ahead, on the ground
    double rudder;        // -1..1
    bool doorsMoving;     // key D pressed: the doors open
    bool turretTurning;   // key 8 pressed (the modules with a turret)
};

// At rest with the engine not started; driving forward above the braking speed, so
// the braking force is part of the step; turning with the doors and turret in travel.
inline constexpr SituationRow kSituations[] = {
    {"rest", false, 0.0, 0.0, 0.0, false, false},
    {"drive", true, 1.0, 20.0, 0.0, false, false},
    {"turn", true, 0.0, 5.0, 0.5, true, true},
};

// Step length, s: short enough that the doors never reach their end while measured
// (4e9 steps), so every step makes the same calls. The calls do not depend on it.
inline constexpr double kStepLength = 1e-9;
// Steps run before a capture or a measurement: the levers reach their poses.
inline constexpr int kWarmUpSteps = 100;

const SituationRow &SituationNamed(const std::string &name);

// Whether the vehicles have the sound library. A fleet's vehicles past the library's 60
// sound ids are silent, so fleets that compare sizes are silent throughout: equal work
// for every vehicle.
enum class Sound { On, Off };

// Back to a fresh process with the built simulator root and, with Sound::On, the sound
// library loaded.
void FreshSimulator(Sound sound = Sound::On);
// How many fresh simulators there have been: what a benchmark built is gone once it
// changes.
int SimulatorGeneration();

// Sets the readings, thruster level and keys of a new vehicle for the situation.
void Enter(host::Vessel &vessel, const SituationRow &situation);

// A new vehicle in the situation, in a fresh simulator, after the warm-up steps.
host::Vessel &MeasuredVehicle(const std::string &className, const SituationRow &situation,
                              Sound sound = Sound::On);

// One step of the vehicle's module, as the host makes it; the forces of the last step
// are dropped first, as the host does.
inline void ModuleStep(host::Vessel &vessel)
{
    vessel.forces.clear();
    vessel.callbacks->clbkPostStep(vessel.vessel, 0.0, kStepLength, host::Simulator::kStartMjd);
}

} // namespace bench
