#include "bench/situations.h"

#include "host/base/host_error.h"

namespace bench {

const SituationRow &SituationNamed(const std::string &name)
{
    for (const SituationRow &row : kSituations)
        if (name == row.name)
            return row;
    throw host::Error("no situation named " + name);
}

namespace {

int generation = 0;

} // namespace

int SimulatorGeneration() { return generation; }

void FreshSimulator(Sound sound)
{
    ++generation;
    host::Simulator &sim = host::Simulator::Get();
    sim.Reset();
    sim.SetRoot(SIM_ROOT);
    if (sound == Sound::On)
        sim.LoadSoundLibrary(std::string(SIM_ROOT) + "/OrbiterSound.dll");
}

void Enter(host::Vessel &vessel, const SituationRow &situation)
{
    host::Simulator &sim = host::Simulator::Get();
    vessel.readings.airspeed = situation.airspeed;
    vessel.readings.airspeedVector = _V(0, 0, situation.airspeed);
    vessel.readings.groundContact = true;
    vessel.readings.controlSurface[AIRCTRL_RUDDER] = situation.rudder;
    if (situation.engineStarted)
        sim.SendKey(vessel, OAPI_KEY_K, true);
    if (situation.doorsMoving)
        sim.SendKey(vessel, OAPI_KEY_D, true);
    if (situation.turretTurning) // a module without a turret ignores the key
        sim.SendKey(vessel, OAPI_KEY_8, true);
    // The engine gate leaves the levels alone once the engine runs, so this holds.
    vessel.thrusters.at(0).level = situation.mainLevel;
}

host::Vessel &MeasuredVehicle(const std::string &className, const SituationRow &situation,
                              Sound sound)
{
    FreshSimulator(sound);
    host::Simulator &sim = host::Simulator::Get();
    host::Vessel &vessel = sim.CreateVessel(className + "-" + situation.name, className);
    sim.SetFocus(&vessel);
    Enter(vessel, situation);
    for (int i = 0; i < kWarmUpSteps; ++i)
        ModuleStep(vessel);
    return vessel;
}

} // namespace bench
