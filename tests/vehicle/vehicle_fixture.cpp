#include "tests/vehicle/vehicle_fixture.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace vehicle_testing {

host::Vessel &VehicleTest::Make(const std::string &className, const std::string &name)
{
    v = &Create(name, className);
    const testing_support::RigLayout *layout = testing_support::RigLayoutOf(className);
    if (!layout)
        throw std::invalid_argument("no rig layout for the class " + className);
    rig = *layout;
    v->readings.groundContact = true;
    sim.SetFocus(v);
    return *v;
}

std::vector<host::TraceCall> VehicleTest::Step(double dt)
{
    sim.Trace().Clear();
    sim.Step(dt);
    return CallsOf(*v);
}

std::vector<std::string> VehicleTest::StepEffects(double dt)
{
    return testing_support::Describe(testing_support::Only(Step(dt), {"SetAnimation", "AddForce"}));
}

double VehicleTest::StepAnimation(int animation, double dt)
{
    double value = std::nan("");
    for (const auto &c : Step(dt))
        if (std::string(c.call) == "SetAnimation" &&
            testing_support::Number(c.args.at(0)) == animation)
            value = testing_support::Number(c.args.at(1));
    return value;
}

int VehicleTest::Press(DWORD key)
{
    int pressed = sim.SendKey(*v, key, true);
    EXPECT_EQ(0, sim.SendKey(*v, key, false)) << "a release is never used";
    return pressed;
}

void VehicleTest::SetDrive(double mainLevel, double retroLevel, double rudder, double airspeed)
{
    v->thrusters.at(0).level = mainLevel;
    v->thrusters.at(1).level = retroLevel;
    v->readings.controlSurface[AIRCTRL_RUDDER] = rudder;
    v->readings.airspeed = airspeed;
    v->readings.airspeedVector = _V(0, 0, airspeed);
}

std::string Anim(int index, double state)
{
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, state).ptr;
    return "SetAnimation(" + std::to_string(index) + ", " + std::string(buffer, end) + ")";
}

} // namespace vehicle_testing
